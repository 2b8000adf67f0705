#pragma once

#include <optional>
#include <vector>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDCTrace.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPen.h"
#include "platform/win/CControlBar.h"

class CCVNDoc;
class CDC;
class CScrollView;

// A ruler along the top or the left edge of a plan window: the layout's coordinates in the
// document's unit at the view's zoom and scroll position, and a line marking the mouse.
class CRulerBar : public CControlBar {
    DECLARE_DYNAMIC(CRulerBar)
  public:
    static constexpr int kThickness = 22;
    static constexpr int kBorderTop = 3;
    static constexpr int kBorderBottom = 7;

    BOOL Create(CWnd* parent, BOOL horizontal, UINT id);
    BOOL IsHorizontal() const { return m_bHorizontal; }
    // Moves the marker to the mouse at x, y of the view's mapping, x counted from the view's left
    // edge (none when negative); keepOld only redraws the marker where it is. A marker that
    // would stand where it stands is left as it is.
    void ShowMousePosition(int x, int y, BOOL keepOld);
    // While on, the marker's drawing is kept in the marker trace, which starts empty.
    void TraceMarker(bool on);
    const std::vector<CDCTraceEntry>& MarkerTrace() const { return m_markerTrace; }

    int Thickness() const override { return kThickness; }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
    // The area of the ticks in the ruler's pixels, lined up with the view's client area.
    CRect TickArea() const;
    // Paints the ruler again, when the queue is next idle, if the view's mapping, unit or scroll
    // position along the ruler is no longer the one it shows.
    void FollowView();

  protected:
    int OnCreate(CREATESTRUCT* cs) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    void OnSize(UINT type, int cx, int cy) override;
    void OnSysColorChange() override;

  private:
    // What the ruler's picture is drawn from, apart from the mouse marker, and the tick area,
    // which the ruler takes up when the frame lays out its bars again.
    struct Mapping {
        double unitLength;
        int unit;
        int scroll;
        bool operator==(const Mapping&) const = default;
    };

    std::optional<Mapping> CurrentMapping() const;
    CScrollView* ActiveView() const;
    CCVNDoc* ActiveLayout() const;
    void CreateFonts();
    void CreatePens();
    void DrawFrame(CDC& dc, const CRect& area, const CCVNDoc& doc);
    void DrawTicks(CDC& dc, const CRect& area, const CCVNDoc& doc, CScrollView& view);
    void DrawMarker(CDC& dc, int x, int y);
    // Whether a marker for the mouse at x, y stands where the shown one does, or both are none.
    bool MarkerStaysAt(int x, int y) const;

    BOOL m_bHorizontal = TRUE;
    CRect m_rcTickArea;
    CFont m_cornerFont;
    CFont m_font;
    CBitmap m_offscreen;
    CRect m_rcClient;
    int m_nMouseX = -1;
    int m_nMouseY = -1;
    CPen m_highlightPen;
    CPen m_shadowPen;
    std::optional<Mapping> m_painted;
    bool m_bTraceMarker = false;
    std::vector<CDCTraceEntry> m_markerTrace;
};
