#pragma once

#include <vector>

#include "platform/win/CControlBar.h"

constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = 0x0100;
constexpr UINT SBPS_STRETCH = 0x0800;
constexpr UINT SBPS_DISABLED = 0x04000000;

// The status bar: panes of text in sunken boxes along the bottom of a frame. Pane 0 stretches
// and shows command prompts; the others are sized to their indicator texts.
class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT id = 0xE801);
    // Panes for ids (ID_SEPARATOR for a pane without one); each width fits its id's string.
    BOOL SetIndicators(const UINT* ids, int count);
    int CommandToIndex(UINT id) const;
    UINT GetItemID(int index) const;
    void GetItemRect(int index, RECT* rect) const;
    void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
    void SetPaneInfo(int index, UINT id, UINT style, int width);
    UINT GetPaneStyle(int index) const;
    void SetPaneStyle(int index, UINT style);
    CString GetPaneText(int index) const;
    void GetPaneText(int index, CString& text) const { text = GetPaneText(index); }
    BOOL SetPaneText(int index, LPCTSTR text, BOOL update = TRUE);
    int GetCount() const { return static_cast<int>(m_panes.size()); }

    int Thickness() const override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

protected:
    void OnPaint() override;

private:
    struct Pane {
        UINT id;
        UINT style;
        int width;
        CString text;
    };
    bool ValidIndex(int index) const { return index >= 0 && index < GetCount(); }

    std::vector<Pane> m_panes;
};
