#include "catalog/CCataloguePrintout.h"

#include <algorithm>
#include <cmath>

#include "catalog/CatalogRowDrawing.h"
#include "platform/cdlg/CPrintDialog.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "resources/StringTable.h"

namespace {

constexpr int kFontHeight = -37;
constexpr BYTE kCyrillicCharSet = 204;
constexpr BYTE kStrokeOutput = 3;
constexpr BYTE kStrokeClip = 2;
constexpr BYTE kDraftQuality = 1;
constexpr int kCellInset = 10;
constexpr int kRowGap = 10;
constexpr double kTenthsPerInch = 254.0;
constexpr const char* kCutEnding = "..";

// Text placed with its top at y, vertically centred in a band when asked.
int TextTop(int top, int bottom, int textHeight, bool centred) {
    return centred ? top - ((top - bottom) - textHeight) / 2 : top;
}

}  // namespace

CCataloguePrintout::CCataloguePrintout(CString title, std::vector<Column> columns, PageRule rule)
    : m_title(std::move(title)), m_columns(std::move(columns)), m_rule(rule) {}

std::vector<int> CCataloguePrintout::ColumnEdges(int width) const {
    std::vector<int> edges{0};
    for (size_t column = 0; column + 1 < m_columns.size(); ++column)
        edges.push_back(static_cast<int>(static_cast<float>(edges.back()) +
                                         m_columns[column].share * static_cast<float>(width)));
    edges.push_back(width);
    return edges;
}

CCataloguePrintout::Page CCataloguePrintout::MeasurePage(CDC& dc) const {
    Page page;
    if (m_rule == PageRule::kPixels) {
        const int dpiX = std::max(1, dc.GetDeviceCaps(LOGPIXELSX));
        const int dpiY = std::max(1, dc.GetDeviceCaps(LOGPIXELSY));
        page.width = static_cast<int>(std::trunc(double(dc.GetDeviceCaps(HORZRES)) / dpiX * kTenthsPerInch));
        page.height = static_cast<int>(std::trunc(double(dc.GetDeviceCaps(VERTRES)) / dpiY * kTenthsPerInch));
    } else {
        page.width = 10 * dc.GetDeviceCaps(HORZSIZE) - 20;
        page.height = 10 * dc.GetDeviceCaps(VERTSIZE) - 20;
    }
    return page;
}

// y is measured from the bottom of the column-title box; the body box ends 6h above the
// bottom of the page measured that way.
bool CCataloguePrintout::RowFits(const Page& page, int y) const {
    return y - page.textHeight >= -page.height + 6 * page.textHeight;
}

int CCataloguePrintout::CountPages(const Page& page) const {
    int pages = 1;
    int y = -kRowGap;
    for (size_t row = 0; row < m_rows.size(); ++row) {
        if (!RowFits(page, y)) {
            ++pages;
            y = -kRowGap;
        }
        y -= page.textHeight + kRowGap;
    }
    return pages;
}

void CCataloguePrintout::DrawCells(CDC& dc, const Page& page, const std::vector<CString>& cells, int top,
                                   int bottom, bool centred) const {
    const std::vector<int> edges = ColumnEdges(page.width);
    const int y = TextTop(top, bottom, page.textHeight, centred);
    for (size_t column = 0; column < m_columns.size() && column < cells.size(); ++column) {
        const int left = edges[column] + kCellInset;
        const int right = edges[column + 1] - kCellInset;
        const CString text = FitCatalogText(dc, cells[column], right - left, kCutEnding);
        dc.SetTextAlign(m_columns[column].rightAligned ? TA_RIGHT | TA_TOP : TA_LEFT | TA_TOP);
        dc.TextOut(m_columns[column].rightAligned ? right : left, y, text);
    }
}

void CCataloguePrintout::StartPage(CDC& dc, const Page& page, int number, int count) const {
    const int h = page.textHeight;
    CString pageText;
    pageText.Format("%s %d %s %d", CStringTable::Text(IDS_PAGE).c_str(), number,
                    CStringTable::Text(IDS_OF).c_str(), count);
    const int titleTop = TextTop(0, -2 * h, h, true);
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.TextOut(0, titleTop, m_title);
    dc.SetTextAlign(TA_RIGHT | TA_TOP);
    dc.TextOut(page.width, titleTop, pageText);
    dc.Rectangle(0, -2 * h, page.width, -4 * h);
    std::vector<CString> titles;
    for (const Column& column : m_columns) titles.push_back(column.title);
    DrawCells(dc, page, titles, -2 * h, -4 * h, true);
    dc.Rectangle(0, -4 * h, page.width, -page.height + 2 * h);
}

int CCataloguePrintout::Print(CDC& dc) const {
    CFont font;
    font.CreateFont(kFontHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, kCyrillicCharSet, kStrokeOutput, kStrokeClip,
                    kDraftQuality, VARIABLE_PITCH | FF_SWISS, "Arial");
    dc.StartDoc(m_title);
    auto begin = [&dc, &font]() {
        dc.StartPage();
        dc.SetMapMode(MM_LOMETRIC);
        dc.SelectObject(&font);
        dc.SelectStockObject(NULL_BRUSH);
        dc.SetBkMode(TRANSPARENT);
    };
    begin();
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    Page page = MeasurePage(dc);
    page.textHeight = metrics.tmHeight;
    const int count = CountPages(page);
    int number = 1;
    StartPage(dc, page, number, count);
    int y = -kRowGap;
    for (const std::vector<CString>& row : m_rows) {
        if (!RowFits(page, y)) {
            dc.EndPage();
            begin();
            StartPage(dc, page, ++number, count);
            y = -kRowGap;
        }
        const int top = y - 4 * page.textHeight;
        DrawCells(dc, page, row, top, top - page.textHeight, false);
        y -= page.textHeight + kRowGap;
    }
    const int footerTop = -page.height + 2 * page.textHeight;
    dc.Rectangle(0, footerTop, page.width, -page.height);
    DrawCells(dc, page, m_totals, footerTop, -page.height, true);
    dc.EndPage();
    dc.EndDoc();
    return number;
}

BOOL CCataloguePrintout::PrintWithDialog() const {
    CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                   PD_NOSELECTION | PD_RETURNDC);
    if (dialog.DoModal() != IDOK || dialog.GetPrinterDC() == nullptr)
        return FALSE;
    Print(*dialog.GetPrinterDC());
    return dialog.SendToPrinter();
}
