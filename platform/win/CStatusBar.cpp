#include "platform/win/CStatusBar.h"

#include <algorithm>

#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/AfxIds.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/MenuText.h"
#include "platform/win/WindowDCs.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace {
constexpr int kHeight = 20;
constexpr int kPaneGap = 2;
constexpr int kPanePadding = 6;

// A pane's state asked of the command targets: SetText and Enable change the pane.
class StatusPaneCmdUI : public CCmdUI {
public:
    explicit StatusPaneCmdUI(CStatusBar& bar) : m_bar(bar) {}
    void Enable(BOOL on) override {
        m_bEnableChanged = TRUE;
        const UINT style = m_bar.GetPaneStyle(static_cast<int>(m_nIndex));
        m_bar.SetPaneStyle(static_cast<int>(m_nIndex), on ? (style & ~SBPS_DISABLED) : (style | SBPS_DISABLED));
    }
    void SetText(LPCTSTR text) override { m_bar.SetPaneText(static_cast<int>(m_nIndex), text); }
    void SetCheck(int) override {}

private:
    CStatusBar& m_bar;
};
}  // namespace

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
    m_dwBarStyle = style & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM);
    if (!m_dwBarStyle) m_dwBarStyle = CBRS_BOTTOM;
    const DWORD windowStyle = (style & (WS_VISIBLE | WS_DISABLED)) | WS_CHILD;
    return CWnd::Create(nullptr, nullptr, windowStyle, CRect(0, 0, 0, kHeight), parent, id);
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
    if (count < 0 || (count > 0 && !ids)) return FALSE;
    m_panes.clear();
    for (int i = 0; i < count; ++i) {
        CString text;
        if (ids[i] != ID_SEPARATOR) text.LoadString(ids[i]);
        const UINT style = i == 0 ? (SBPS_STRETCH | SBPS_NOBORDERS) : SBPS_NORMAL;
        m_panes.push_back({ids[i], style, MenuText::Width(text), i == 0 ? CString() : text});
    }
    Invalidate();
    return TRUE;
}

int CStatusBar::CommandToIndex(UINT id) const {
    for (int i = 0; i < GetCount(); ++i)
        if (m_panes[i].id == id) return i;
    return -1;
}

UINT CStatusBar::GetItemID(int index) const { return ValidIndex(index) ? m_panes[index].id : 0; }

void CStatusBar::GetItemRect(int index, RECT* rect) const {
    CRect client;
    GetClientRect(&client);
    int fixed = 0;
    for (const Pane& pane : m_panes)
        if ((pane.style & SBPS_STRETCH) == 0) fixed += pane.width + 2 * kPanePadding + kPaneGap;
    int x = kPaneGap;
    for (int i = 0; i < GetCount(); ++i) {
        const bool stretch = (m_panes[i].style & SBPS_STRETCH) != 0;
        const int width = stretch ? std::max(0, client.Width() - fixed - 2 * kPaneGap) : m_panes[i].width + 2 * kPanePadding;
        if (i == index) {
            *rect = CRect(x, 2, x + width, client.bottom);
            return;
        }
        x += width + kPaneGap;
    }
    *rect = CRect();
}

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const {
    if (!ValidIndex(index)) return;
    id = m_panes[index].id;
    style = m_panes[index].style;
    width = m_panes[index].width;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width) {
    if (!ValidIndex(index)) return;
    Pane& pane = m_panes[index];
    const int kept = std::max(0, width);
    // The frame sets every pane on every mouse move; only a change is painted again.
    if (pane.id == id && pane.style == style && pane.width == kept) return;
    pane.id = id;
    pane.style = style;
    pane.width = kept;
    Invalidate();
}

UINT CStatusBar::GetPaneStyle(int index) const { return ValidIndex(index) ? m_panes[index].style : 0; }

void CStatusBar::SetPaneStyle(int index, UINT style) {
    if (!ValidIndex(index) || m_panes[index].style == style) return;
    m_panes[index].style = style;
    Invalidate();
}

CString CStatusBar::GetPaneText(int index) const { return ValidIndex(index) ? m_panes[index].text : CString(); }

BOOL CStatusBar::SetPaneText(int index, LPCTSTR text, BOOL update) {
    if (!ValidIndex(index)) return FALSE;
    const CString value = text ? text : "";
    if (m_panes[index].text == value) return TRUE;
    m_panes[index].text = value;
    if (update) Invalidate();
    return TRUE;
}

int CStatusBar::Thickness() const { return kHeight; }

void CStatusBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
    StatusPaneCmdUI state(*this);
    for (int i = 0; i < GetCount(); ++i) {
        if (m_panes[i].id == ID_SEPARATOR) continue;
        state.m_nID = m_panes[i].id;
        state.m_nIndex = static_cast<UINT>(i);
        state.DoUpdate(target, disableIfNoHandler);
    }
}

void CStatusBar::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    for (int i = 0; i < GetCount(); ++i) {
        CRect pane;
        GetItemRect(i, &pane);
        if ((m_panes[i].style & SBPS_NOBORDERS) == 0)
            dc.Draw3dRect(&pane, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        if (m_panes[i].style & SBPS_DISABLED) continue;
        CRect text = pane;
        text.DeflateRect(kPanePadding / 2, 0);
        MenuText::Draw(dc, m_panes[i].text, text, false, DT_LEFT | DT_NOPREFIX);
    }
}
