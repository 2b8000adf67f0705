#pragma once

#include <vector>

#include "platform/ctl/CControlWnd.h"

// A slider (track bar): a thumb on a channel with tick marks, moved by dragging, by clicks on
// the channel (a page at a time) and by the keys; it moves itself and tells its parent
// (WM_HSCROLL or WM_VSCROLL with the TB_ codes and itself as the sender).
class CSliderCtrl : public CControlWnd {
    DECLARE_DYNAMIC(CSliderCtrl)
  public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetRange(int minimum, int maximum, BOOL redraw = FALSE);
    void GetRange(int& minimum, int& maximum) const;
    void SetRangeMin(int minimum, BOOL redraw = FALSE) { SetRange(minimum, m_max, redraw); }
    void SetRangeMax(int maximum, BOOL redraw = FALSE) { SetRange(m_min, maximum, redraw); }
    int GetRangeMin() const { return m_min; }
    int GetRangeMax() const { return m_max; }
    void SetPos(int position);
    int GetPos() const { return m_position; }
    int SetLineSize(int size);
    int GetLineSize() const { return m_lineSize; }
    int SetPageSize(int size);
    int GetPageSize() const { return m_pageSize; }
    void SetTicFreq(int frequency);
    BOOL SetTic(int position);
    void ClearTics(BOOL redraw = FALSE);
    void GetChannelRect(RECT* rect) const;
    void GetThumbRect(RECT* rect) const;

  protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    // A dragged thumb stays where it got to, and the parent hears the end of the drag.
    void OnCancelMode() override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnSetFocus(CWnd*) override { Invalidate(); }
    void OnKillFocus(CWnd*) override { Invalidate(); }
    UINT OnGetDlgCode() override { return DLGC_WANTARROWS; }

  private:
    bool IsVertical() const { return (GetStyle() & TBS_VERT) != 0; }
    int Clamp(int position) const;
    int PixelOf(int position) const;
    int PositionAt(CPoint point) const;
    void MoveTo(int position, UINT code);
    void Tell(UINT code);
    std::vector<int> TickPositions() const;
    int ThumbPointing() const;

    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    int m_lineSize = 1;
    int m_pageSize = 20;
    int m_ticFrequency = 1;
    std::vector<int> m_tics;
    bool m_dragging = false;
};
