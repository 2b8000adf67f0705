#include "platform/win/CNewTypeDlg.h"

#include <algorithm>

#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/CDocTemplate.h"
#include "platform/win/MenuText.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"

namespace {
constexpr int kMargin = 10;
constexpr int kListWidth = 180;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kVisibleRows = 6;
constexpr int kListEdge = 2;

int RowHeight() {
    return MenuText::Height() + 3;
}
const int kButtons[] = {IDOK, IDCANCEL};
}  // namespace

CNewTypeDlg::CNewTypeDlg(std::vector<CDocTemplate*> templates) {
    // Templates without a new-file name are not offered.
    for (CDocTemplate* docTemplate : templates) {
        CString name;
        if (!docTemplate->GetDocString(name, CDocTemplate::fileNewName) || name.IsEmpty())
            continue;
        m_templates.push_back(docTemplate);
        m_names.push_back(name);
    }
}

CSize CNewTypeDlg::ClientSize() const {
    const int listHeight = kVisibleRows * RowHeight() + 2 * kListEdge;
    return CSize(kMargin + kListWidth + kMargin + kButtonWidth + kMargin, kMargin + listHeight + kMargin);
}

CRect CNewTypeDlg::ItemRect(int index) const {
    const int top = kMargin + kListEdge + index * RowHeight();
    return CRect(kMargin + kListEdge, top, kMargin + kListWidth - kListEdge, top + RowHeight());
}

CRect CNewTypeDlg::ButtonRect(int button) const {
    const int index = button == IDOK ? 0 : 1;
    const int left = kMargin + kListWidth + kMargin;
    const int top = kMargin + index * (kButtonHeight + kButtonGap);
    return CRect(left, top, left + kButtonWidth, top + kButtonHeight);
}

CDocTemplate* CNewTypeDlg::Selected() const {
    return m_selection >= 0 && m_selection < GetCount() ? m_templates[static_cast<std::size_t>(m_selection)]
                                                        : nullptr;
}

void CNewTypeDlg::SetCurSel(int index) {
    if (index < 0 || index >= GetCount() || index == m_selection)
        return;
    m_selection = index;
    Invalidate();
}

int CNewTypeDlg::DoModal(CWnd* owner) {
    if (m_names.empty())
        return IDCANCEL;
    const CSize client = ClientSize();
    const CRect frame(0, 0, client.cx + 6, client.cy + 6 + GetSystemMetrics(SM_CYCAPTION));
    if (!CreateEx(WS_EX_TOPMOST, nullptr, "New", WS_POPUP | WS_CAPTION | WS_SYSMENU, frame, owner, 0))
        return IDCANCEL;
    CenterWindow(owner);
    CWnd* focus = GetFocus();
    if (owner)
        owner->EnableWindow(FALSE);
    ShowWindow(SW_SHOW);
    SetFocus();
    const int result = RunModalLoop();
    if (owner && IsWindow(owner))
        owner->EnableWindow(TRUE);
    DestroyWindow();
    if (IsWindow(focus))
        focus->SetFocus();
    return result;
}

void CNewTypeDlg::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    CRect list(kMargin, kMargin, kMargin + kListWidth, kMargin + kVisibleRows * RowHeight() + 2 * kListEdge);
    dc.FillSolidRect(&list, GetSysColor(COLOR_WINDOW));
    dc.DrawEdge(&list, EDGE_SUNKEN, BF_RECT);
    for (int i = 0; i < std::min(GetCount(), kVisibleRows); ++i) {
        CRect row = ItemRect(i);
        const bool selected = i == m_selection;
        if (selected)
            dc.FillSolidRect(&row, GetSysColor(COLOR_HIGHLIGHT));
        CRect text = row;
        text.left += 2;
        MenuText::Draw(dc, m_names[static_cast<std::size_t>(i)], text, false, DT_LEFT | DT_NOPREFIX,
                       selected);
    }
    for (int button : kButtons) {
        CRect rect = ButtonRect(button);
        dc.DrawFrameControl(&rect, DFC_BUTTON, DFCS_BUTTONPUSH);
        MenuText::Draw(dc, button == IDOK ? "OK" : "Cancel", rect, false, DT_CENTER);
    }
}

int CNewTypeDlg::ItemAt(CPoint point) const {
    for (int i = 0; i < std::min(GetCount(), kVisibleRows); ++i)
        if (ItemRect(i).PtInRect(point))
            return i;
    return -1;
}

void CNewTypeDlg::OnLButtonDown(UINT, CPoint point) {
    SetCurSel(ItemAt(point));
}

void CNewTypeDlg::OnLButtonDblClk(UINT, CPoint point) {
    if (ItemAt(point) >= 0)
        EndModalLoop(IDOK);
}

void CNewTypeDlg::OnLButtonUp(UINT, CPoint point) {
    for (int button : kButtons)
        if (ButtonRect(button).PtInRect(point))
            EndModalLoop(button);
}

void CNewTypeDlg::OnKeyDown(UINT key, UINT, UINT) {
    switch (key) {
        case VK_UP:
            SetCurSel(m_selection - 1);
            break;
        case VK_DOWN:
            SetCurSel(m_selection + 1);
            break;
        case VK_RETURN:
            EndModalLoop(IDOK);
            break;
        case VK_ESCAPE:
            EndModalLoop(IDCANCEL);
            break;
        default:
            break;
    }
}

void CNewTypeDlg::OnClose() {
    EndModalLoop(IDCANCEL);
}
