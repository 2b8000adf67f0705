#pragma once

#include "platform/win/CView.h"

// A view larger than its window: a total size in logical units of a mapping mode, scrolled by
// lines and pages; OnPrepareDC moves the viewport origin by the scroll position.
class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    static const SIZE sizeDefault;

    void SetScrollSizes(int mapMode, SIZE total, const SIZE& page = sizeDefault, const SIZE& line = sizeDefault);
    CPoint GetScrollPosition() const;
    CPoint GetDeviceScrollPosition() const;
    void ScrollToPosition(POINT logical);
    CSize GetTotalSize() const { return m_totalLog; }
    void GetDeviceScrollSizes(int& mapMode, SIZE& total, SIZE& page, SIZE& line) const;
    int GetMapMode() const { return m_nMapMode; }

    void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;
    // code: low byte the horizontal scroll code, high byte the vertical (0xFF: none).
    virtual BOOL OnScroll(UINT code, UINT position, BOOL doScroll = TRUE);
    virtual BOOL OnScrollBy(CSize by, BOOL doScroll = TRUE);

protected:
    void OnSize(UINT type, int cx, int cy) override;
    void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar) override;
    void OnVScroll(UINT code, UINT position, CScrollBar* scrollBar) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;

    int m_nMapMode = MM_TEXT;
    CSize m_totalLog;
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;

private:
    void UpdateBars();
    void ScrollToDevicePosition(CPoint position);
    int NewPosition(int bar, UINT code, UINT thumb) const;
    bool m_updating = false;
};
