#include "platform/ctl/CPropertySheet.h"

#include <algorithm>

#include "platform/ctl/CPropertyPage.h"
#include "platform/ctl/CTabCtrl.h"
#include "platform/ctl/DialogNavigation.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CDialog)
BEGIN_MESSAGE_MAP(CPropertySheet, CDialog)
ON_COMMAND(ID_APPLY_NOW, OnApplyNow)
ON_NOTIFY(TCN_SELCHANGING, AFX_IDC_TAB_CONTROL, OnTabChanging)
ON_NOTIFY(TCN_SELCHANGE, AFX_IDC_TAB_CONTROL, OnTabChanged)
END_MESSAGE_MAP()

namespace {
// Dialog units of the sheet's frame around the pages.
constexpr int kMargin = 7;
constexpr int kTabSides = 3;
constexpr int kTabTop = 15;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 4;
}  // namespace

CPropertySheet::CPropertySheet(LPCTSTR caption, CWnd* parent, UINT selectPage)
    : m_caption(caption ? caption : ""), m_startPage(static_cast<int>(selectPage)) {
    m_pParentWnd = parent;
}

CPropertySheet::~CPropertySheet() {
    if (m_hWnd)
        DestroyWindow();
}

void CPropertySheet::AddPage(CPropertyPage* page) {
    if (!page)
        return;
    m_pages.push_back(page);
    if (m_hWnd)
        GetTabControl()->InsertItem(GetPageCount() - 1, page->GetCaption());
}

void CPropertySheet::RemovePage(CPropertyPage* page) {
    RemovePage(GetPageIndex(page));
}

void CPropertySheet::RemovePage(int index) {
    if (index < 0 || index >= GetPageCount())
        return;
    CPropertyPage* page = m_pages[static_cast<std::size_t>(index)];
    if (m_hWnd && index == m_active)
        ShowPage(index == 0 ? 1 : 0);
    if (page->m_hWnd)
        page->DestroyWindow();
    m_pages.erase(m_pages.begin() + index);
    if (m_hWnd)
        GetTabControl()->DeleteItem(index);
    if (m_active > index)
        --m_active;
    if (m_hWnd && m_active >= 0)
        GetTabControl()->SetCurSel(m_active);
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<std::size_t>(index)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const {
    const auto found = std::find(m_pages.begin(), m_pages.end(), page);
    return found == m_pages.end() ? -1 : static_cast<int>(found - m_pages.begin());
}

CPropertyPage* CPropertySheet::GetActivePage() const {
    return GetPage(m_active);
}

CTabCtrl* CPropertySheet::GetTabControl() const {
    return dynamic_cast<CTabCtrl*>(GetDlgItem(static_cast<int>(AFX_IDC_TAB_CONTROL)));
}

void CPropertySheet::SetTitle(LPCTSTR title) {
    m_caption = title ? title : "";
    if (m_hWnd)
        SetWindowText(m_caption);
}

void CPropertySheet::EnableApply(bool enable) {
    if (CWnd* apply = GetDlgItem(static_cast<int>(ID_APPLY_NOW)))
        apply->EnableWindow(enable ? TRUE : FALSE);
}

// --- Building -------------------------------------------------------------------------------

void CPropertySheet::BuildTemplate() {
    int width = 0;
    int height = 0;
    for (CPropertyPage* page : m_pages) {
        const DialogTemplate* source =
            page->GetTemplate() ? page->GetTemplate() : FindDialogTemplate(page->GetTemplateId());
        if (!source)
            continue;
        width = std::max(width, static_cast<int>(source->rect.Width()));
        height = std::max(height, static_cast<int>(source->rect.Height()));
    }
    const CRect tabs(kMargin, kMargin, kMargin + width + 2 * kTabSides,
                     kMargin + height + kTabTop + kTabSides);
    const int buttonsTop = tabs.bottom + kMargin;
    std::vector<DialogItem> items{
        {AFX_IDC_TAB_CONTROL, WC_TABCONTROL, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP, tabs}};
    std::vector<std::pair<UINT, const char*>> buttons{{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    if (!(m_psh.dwFlags & PSH_NOAPPLYNOW))
        buttons.emplace_back(ID_APPLY_NOW, "&Apply");
    if (m_psh.dwFlags & PSH_HASHELP)
        buttons.emplace_back(IDHELP, "Help");
    int left = tabs.right - static_cast<int>(buttons.size()) * (kButtonWidth + kButtonGap) + kButtonGap;
    for (const auto& [id, text] : buttons) {
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        if (id == ID_APPLY_NOW)
            style |= WS_DISABLED;
        items.emplace_back(id, WC_BUTTON, text, style,
                           CRect(left, buttonsTop, left + kButtonWidth, buttonsTop + kButtonHeight));
        left += kButtonWidth + kButtonGap;
    }
    m_sheetTemplate = std::make_unique<DialogTemplate>(
        0, m_caption, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
        CRect(0, 0, tabs.right + kMargin, buttonsTop + kButtonHeight + kMargin), std::move(items));
}

INT_PTR CPropertySheet::DoModal() {
    BuildTemplate();
    InitModalIndirect(*m_sheetTemplate);
    const INT_PTR result = CDialog::DoModal();
    m_active = -1;
    return result;
}

BOOL CPropertySheet::OnInitDialog() {
    CTabCtrl* tabs = GetTabControl();
    for (int i = 0; i < GetPageCount(); ++i)
        tabs->InsertItem(i, m_pages[static_cast<std::size_t>(i)]->GetCaption());
    ShowPage(std::clamp(m_startPage, 0, std::max(0, GetPageCount() - 1)));
    // The focus starts on the page's first control.
    return FocusActivePage() ? FALSE : TRUE;
}

bool CPropertySheet::FocusActivePage() {
    CWnd* first = GetActivePage() ? DialogNavigation::FirstTabStop(GetActivePage()) : nullptr;
    if (first)
        GotoDlgCtrl(first);
    return first != nullptr;
}

CRect CPropertySheet::PageRect() const {
    CTabCtrl* tabs = GetTabControl();
    CRect rect;
    tabs->GetWindowRect(&rect);
    ScreenToClient(&rect);
    tabs->AdjustRect(FALSE, &rect);
    return rect;
}

// Shows page index, making it first if need be; false when it cannot be made or refuses.
bool CPropertySheet::ShowPage(int index) {
    CPropertyPage* page = GetPage(index);
    if (!page)
        return false;
    if (!page->m_hWnd) {
        if (!page->CreatePage(this))
            return false;
        const CRect area = PageRect();
        page->MoveWindow(&area);
    }
    if (!page->OnSetActive())
        return false;
    if (CPropertyPage* old = GetActivePage(); old && old != page)
        old->ShowWindow(SW_HIDE);
    m_active = index;
    GetTabControl()->SetCurSel(index);
    page->ShowWindow(SW_SHOWNA);
    // The page sits over the tab control so that clicks and painting reach it, and its controls
    // follow the tabs in the tab order.
    page->SetWindowPos(GetTabControl(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

BOOL CPropertySheet::SetActivePage(int index) {
    if (!GetPage(index))
        return FALSE;
    if (!m_hWnd) {
        m_startPage = index;
        return TRUE;
    }
    if (index == m_active)
        return TRUE;
    if (CPropertyPage* old = GetActivePage(); old && !old->OnKillActive())
        return FALSE;
    return ShowPage(index) ? TRUE : FALSE;
}

// --- Tabs and buttons -----------------------------------------------------------------------

UINT CPropertySheet::HelpContextId() const {
    const CPropertyPage* page = GetActivePage();
    return page ? page->HelpContextId() : CDialog::HelpContextId();
}

void CPropertySheet::OnTabChanging(NMHDR*, LRESULT* result) {
    CPropertyPage* page = GetActivePage();
    *result = (page && !page->OnKillActive()) ? TRUE : FALSE;
}

void CPropertySheet::OnTabChanged(NMHDR*, LRESULT*) {
    const int wanted = GetTabControl()->GetCurSel();
    if (!ShowPage(wanted))
        GetTabControl()->SetCurSel(m_active);
}

bool CPropertySheet::ApplyAll() {
    if (CPropertyPage* page = GetActivePage(); page && !page->OnKillActive())
        return false;
    for (CPropertyPage* page : m_pages)
        if (page->m_hWnd && !page->OnApply())
            return false;
    EnableApply(false);
    return true;
}

void CPropertySheet::OnOK() {
    if (ApplyAll())
        EndDialog(IDOK);
}

void CPropertySheet::OnApplyNow() {
    ApplyAll();
}

void CPropertySheet::OnCancel() {
    if (CPropertyPage* page = GetActivePage(); page && !page->OnQueryCancel())
        return;
    for (CPropertyPage* page : m_pages)
        if (page->m_hWnd)
            page->OnReset();
    EndDialog(IDCANCEL);
}

BOOL CPropertySheet::PressButton(int button) {
    const int id = button == PSBTN_OK         ? IDOK
                   : button == PSBTN_CANCEL   ? IDCANCEL
                   : button == PSBTN_APPLYNOW ? static_cast<int>(ID_APPLY_NOW)
                                              : 0;
    CWnd* control = id ? GetDlgItem(id) : nullptr;
    if (!control || !control->IsWindowEnabled())
        return FALSE;
    SendMessage(WM_COMMAND, MAKEWPARAM(id, static_cast<int>(BN_CLICKED)), reinterpret_cast<LPARAM>(control));
    return TRUE;
}
