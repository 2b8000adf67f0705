#pragma once

#include "platform/win/CWnd.h"

class CFrameWnd;

constexpr DWORD CBRS_ALIGN_TOP = 0x1000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x4000;
constexpr DWORD CBRS_BORDER_TOP = 0x0200;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x0020;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0040;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;

// A bar along an edge of a frame (toolbar, status bar). The frame lays the visible bars out
// along its edges; a hidden bar gives its room back. Bars update their items on idle.
class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
  public:
    DWORD GetBarStyle() const { return m_dwBarStyle; }
    void SetBarStyle(DWORD style) { m_dwBarStyle = style; }
    // The bar's thickness across its edge.
    virtual int Thickness() const = 0;
    // Asks the command targets of frame for each item's state.
    virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) = 0;

  protected:
    // What the controls on the bar report and the bar leaves alone goes on to the bar's owner,
    // as though they sat on the frame itself.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    DWORD m_dwBarStyle = 0;
};
