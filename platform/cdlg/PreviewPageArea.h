#pragma once

#include "platform/win/CWnd.h"

class CPrintInfo;
class CView;

// The grey area of a print preview that shows one or two pages on paper: the view prints each
// page into a printer DC at the resolution that fits the area (or at the screen's 96 dots per
// inch and twice that when zoomed, with scroll bars), and the area copies it to the screen.
class PreviewPageArea : public CWnd {
  public:
    PreviewPageArea(CView& view, CPrintInfo& info);

    void Show(UINT firstPage, int pageCount, int zoom);
    UINT FirstPage() const { return m_firstPage; }
    int PageCount() const { return m_pageCount; }
    int Zoom() const { return m_zoom; }
    // Where a page is drawn, in client coordinates (empty when not shown).
    CRect PageRect(int slot) const;
    // Dots per inch the pages are drawn at.
    int PageDpi() const;
    // Whether the page exists: the view may end a document of unknown length in OnPrepareDC.
    bool PageExists(UINT page);

  protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnHScroll(UINT code, UINT position, CScrollBar* bar) override;
    void OnVScroll(UINT code, UINT position, CScrollBar* bar) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;

  private:
    CSize PagePixels() const;
    void UpdateScrollBars();
    void ScrollTo(int bar, int position);
    void RenderPage(CDC& dc, UINT page, const CRect& where);

    CView& m_view;
    CPrintInfo& m_info;
    UINT m_firstPage = 1;
    int m_pageCount = 1;
    int m_zoom = 0;
};
