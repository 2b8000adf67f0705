#pragma once

#include <vector>

#include "platform/base/CString.h"

class CDC;

// A ruled table printed over as many pages as its rows need: a title band with "Page n of
// m", a box of column titles, a box of rows and, on the last page, a box with the totals.
// Units are 0.1 mm with y upwards; the font is Arial 3.7 mm high.
class CCataloguePrintout {
  public:
    struct Column {
        CString title;
        float share;  // of the page width
        bool rightAligned;
    };
    // How the page's width and height in 0.1 mm are taken from the printer.
    enum class PageRule {
        // Printable pixels over pixels per inch, times 254.
        kPixels,
        // Ten times the printable millimetres, less 2 mm.
        kMillimetres,
    };

    CCataloguePrintout(CString title, std::vector<Column> columns, PageRule rule);

    void AddRow(std::vector<CString> cells) { m_rows.push_back(std::move(cells)); }
    // The last page's totals, one text per column (empty for none); the first is "Total".
    void SetTotals(std::vector<CString> cells) { m_totals = std::move(cells); }
    const CString& GetTitle() const { return m_title; }

    // The left edges of the columns and the page's right edge, for a page width.
    std::vector<int> ColumnEdges(int width) const;
    // Prints the whole document on a printer DC; answers the number of pages.
    int Print(CDC& dc) const;
    // Shows the print dialog and prints on OK; FALSE when nothing was printed.
    BOOL PrintWithDialog() const;

  private:
    struct Page {
        int width = 0;
        int height = 0;
        int textHeight = 0;
    };

    Page MeasurePage(CDC& dc) const;
    int CountPages(const Page& page) const;
    bool RowFits(const Page& page, int y) const;
    void StartPage(CDC& dc, const Page& page, int number, int count) const;
    void DrawCells(CDC& dc, const Page& page, const std::vector<CString>& cells, int top, int bottom,
                   bool centred) const;

    CString m_title;
    std::vector<Column> m_columns;
    PageRule m_rule;
    std::vector<std::vector<CString>> m_rows;
    std::vector<CString> m_totals;
};
