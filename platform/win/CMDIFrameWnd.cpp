#include "platform/win/CMDIFrameWnd.h"

#include <algorithm>
#include <cmath>

#include "platform/gdi/SystemColors.h"
#include "platform/win/CDocTemplate.h"
#include "platform/win/CDocument.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/CMenu.h"
#include "platform/win/CView.h"
#include "platform/win/Cursors.h"
#include "platform/win/NonClientPainter.h"

IMPLEMENT_DYNAMIC(CMDIFrameWnd, CFrameWnd)
BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_COMMAND(ID_WINDOW_CASCADE, OnWindowCascade)
    ON_COMMAND(ID_WINDOW_TILE_HORZ, OnWindowTile)
    ON_COMMAND(ID_WINDOW_TILE_VERT, OnWindowTile)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
    ON_COMMAND(ID_WINDOW_ARRANGE, OnWindowArrange)
    ON_COMMAND_RANGE(AFX_IDM_FIRST_MDICHILD, AFX_IDM_LAST_MDICHILD, OnWindowListed)
END_MESSAGE_MAP()

namespace {
constexpr int kCascadeStep = 22;

bool IsWindowMenu(CMenu* popup) {
    for (int i = 0; i < popup->GetMenuItemCount(); ++i) {
        const UINT id = popup->GetMenuItemID(i);
        if (id >= ID_WINDOW_NEW && id <= ID_WINDOW_TILE_VERT)
            return true;
    }
    return false;
}

// The window keys are chords of Ctrl without Alt.
bool IsControlChord() {
    return GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0;
}

// Ctrl+F6 and Ctrl+Tab step through the child windows, with Shift backwards.
bool IsWindowSwitchKey(UINT vk) {
    return (vk == VK_F6 || vk == VK_TAB) && IsControlChord();
}

bool IsChildCloseKey(UINT vk) {
    return vk == VK_F4 && IsControlChord();
}

bool IsListed(UINT id) {
    return id >= AFX_IDM_FIRST_MDICHILD && id <= AFX_IDM_MORE_WINDOWS;
}

// Takes the list (and the separator before it) out of the Window menu.
void RemoveWindowList(CMenu* popup) {
    for (int i = popup->GetMenuItemCount() - 1; i >= 0; --i) {
        if (!IsListed(popup->GetMenuItemID(i)))
            continue;
        popup->DeleteMenu(static_cast<UINT>(i), MF_BYPOSITION);
        // Only the list's own separator comes straight before one of its items.
        if (i > 0 && (popup->GetMenuState(static_cast<UINT>(i - 1), MF_BYPOSITION) & MF_SEPARATOR))
            popup->DeleteMenu(static_cast<UINT>(i - 1), MF_BYPOSITION);
    }
}
}  // namespace

BOOL CMDIFrameWnd::OnCreateClient(CREATESTRUCT*, CCreateContext*) {
    LPCTSTR className = AfxRegisterWndClass(0, LoadStandardCursor(IDC_ARROW), GetSysColorBrush(COLOR_APPWORKSPACE));
    return m_client.CreateEx(WS_EX_CLIENTEDGE, className, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, PaneRect(),
                             this, AFX_IDW_MDICLIENT);
}

BOOL CMDIFrameWnd::OnNcActivate(BOOL active) {
    const BOOL result = CFrameWnd::OnNcActivate(active);
    if (CMDIChildWnd* child = MDIGetActive())
        child->SendMessage(WM_NCPAINT);
    return result;
}

void CMDIFrameWnd::OnSetFocus(CWnd* oldWindow) {
    CMDIChildWnd* active = MDIGetActive();
    if (active && active->IsWindowVisible() && !active->IsIconic()) {
        active->SetFocus();
        return;
    }
    CFrameWnd::OnSetFocus(oldWindow);
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::MDIChildren() const {
    std::vector<CMDIChildWnd*> children;
    for (CWnd* child : m_client.Children())
        if (auto* frame = dynamic_cast<CMDIChildWnd*>(child)) children.push_back(frame);
    return children;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const {
    CMDIChildWnd* active = IsWindow(m_active) ? m_active : nullptr;
    if (maximized) *maximized = active && active->IsZoomed() ? TRUE : FALSE;
    return active;
}

void CMDIFrameWnd::MDIActivate(CWnd* window) {
    auto* child = dynamic_cast<CMDIChildWnd*>(window);
    if (!child || !IsWindow(child)) return;
    child->BringWindowToTop();
    if (std::find(m_opened.begin(), m_opened.end(), child) == m_opened.end()) m_opened.push_back(child);
    if (child == m_active) return;
    CMDIChildWnd* old = MDIGetActive();
    m_active = child;
    // The maximised place passes to the child that becomes active.
    if (old && old->IsZoomed()) {
        child->ShowWindow(SW_SHOWMAXIMIZED);
        old->ShowWindow(SW_RESTORE);
    }
    if (old) old->SendMessage(WM_NCPAINT);
    child->SendMessage(WM_NCPAINT);
    DrawMenuBar();
    if (CView* view = child->GetActiveView()) {
        view->OnActivateView(TRUE, view, old ? old->GetActiveView() : nullptr);
    } else {
        child->SetFocus();
    }
    ShowMenuOf(child);
    OnUpdateFrameTitle(TRUE);
    OnActiveChildChanged();
}

void CMDIFrameWnd::OnActiveChildChanged() {
    ShowIdleMessage();
}

void CMDIFrameWnd::ShowMenuOf(CMDIChildWnd* child) {
    CMenu* menu = child && child->SharedMenu() ? child->SharedMenu() : m_ownedMenu.get();
    if (GetMenu() != menu) SetMenu(menu);
}

void CMDIFrameWnd::ChildClosed(CMDIChildWnd* child) {
    std::erase(m_opened, child);
    if (m_active != child) return;
    m_active = nullptr;
    std::vector<CMDIChildWnd*> children = MDIChildren();
    std::erase(children, child);
    if (!children.empty()) {
        if (child->IsZoomed()) children.back()->ShowWindow(SW_SHOWMAXIMIZED);
        MDIActivate(children.back());
        return;
    }
    DrawMenuBar();
    ShowMenuOf(nullptr);
    OnUpdateFrameTitle(TRUE);
    OnActiveChildChanged();
}

void CMDIFrameWnd::ChildMinimised(CMDIChildWnd* child) {
    if (m_active != child) return;
    const std::vector<CMDIChildWnd*> children = MDIChildren();
    // The children lie bottom first.
    const auto next = std::find_if(children.rbegin(), children.rend(), [child](CMDIChildWnd* each) {
        return each != child && each->IsWindowVisible() && !each->IsIconic();
    });
    if (next != children.rend()) MDIActivate(*next);
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::ShownChildren() const {
    std::vector<CMDIChildWnd*> shown = MDIChildren();
    std::erase_if(shown, [](CMDIChildWnd* child) { return !child->IsWindowVisible(); });
    return shown;
}

// The window right under the active one comes up; the active one goes to the bottom, so that
// repeating the step visits every window once.
void CMDIFrameWnd::MDINext() {
    const std::vector<CMDIChildWnd*> shown = ShownChildren();
    CMDIChildWnd* active = MDIGetActive();
    const auto place = std::find(shown.begin(), shown.end(), active);
    if (shown.size() < 2 || place == shown.end()) return;
    MDIActivate(place == shown.begin() ? shown.back() : *(place - 1));
    active->SetWindowPos(HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The bottom window comes up: the step that undoes MDINext.
void CMDIFrameWnd::MDIPrev() {
    const std::vector<CMDIChildWnd*> shown = ShownChildren();
    if (shown.size() > 1) MDIActivate(shown.front());
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* msg) {
    // Ctrl+F4 closes the active child window as its Close button does.
    if (msg->message == WM_KEYDOWN && IsChildCloseKey(static_cast<UINT>(msg->wParam))) {
        if (CMDIChildWnd* active = MDIGetActive()) active->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
        return TRUE;
    }
    if (msg->message == WM_KEYDOWN && IsWindowSwitchKey(static_cast<UINT>(msg->wParam))) {
        if (GetKeyState(VK_SHIFT) < 0) {
            MDIPrev();
        } else {
            MDINext();
        }
        return TRUE;
    }
    return CFrameWnd::PreTranslateMessage(msg);
}

CRect CMDIFrameWnd::CascadePlace(int index) const {
    CRect area;
    m_client.GetClientRect(&area);
    const CSize size(area.Width() * 3 / 4, area.Height() * 3 / 4);
    const int steps = std::max(1, std::min(area.Width() - size.cx, area.Height() - size.cy) / kCascadeStep + 1);
    const int offset = (index % steps) * kCascadeStep;
    return CRect(CPoint(offset, offset), size);
}

CRect CMDIFrameWnd::NextCascadePlace() const {
    const std::vector<CMDIChildWnd*> children = MDIChildren();
    const auto open = std::count_if(children.begin(), children.end(),
                                    [](CMDIChildWnd* child) { return child->IsWindowVisible() && !child->IsIconic(); });
    return CascadePlace(static_cast<int>(open));
}

void CMDIFrameWnd::MDICascade() {
    int index = 0;
    // Minimised children stay where they lie.
    for (CMDIChildWnd* child : MDIChildren()) {
        if (!child->IsWindowVisible() || child->IsIconic()) continue;
        child->ModifyStyle(WS_MAXIMIZE, 0);
        const CRect place = CascadePlace(index++);
        child->MoveWindow(&place);
    }
}

void CMDIFrameWnd::MDITile(UINT) {
    std::vector<CMDIChildWnd*> shown;
    for (CMDIChildWnd* child : MDIChildren())
        if (child->IsWindowVisible() && !child->IsIconic()) shown.push_back(child);
    if (shown.empty()) return;
    CRect area;
    m_client.GetClientRect(&area);
    const int count = static_cast<int>(shown.size());
    const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    const int rows = (count + columns - 1) / columns;
    for (int i = 0; i < count; ++i) {
        const int column = i % columns;
        const int row = i / columns;
        shown[i]->ModifyStyle(WS_MAXIMIZE, 0);
        shown[i]->MoveWindow(area.Width() * column / columns, area.Height() * row / rows, area.Width() / columns,
                             area.Height() / rows);
    }
}

void CMDIFrameWnd::MDIIconArrange() {
    CRect area;
    m_client.GetClientRect(&area);
    int index = 0;
    // In the order the windows opened, as the Window menu lists them.
    for (CMDIChildWnd* child : m_opened) {
        if (!IsWindow(child) || !child->IsWindowVisible() || !child->IsIconic())
            continue;
        const CSize size = NonClientPainter::IconicSize(*child);
        const int perRow = std::max(1, area.Width() / size.cx);
        const int column = index % perRow;
        const int row = index / perRow;
        ++index;
        child->MoveWindow(area.left + column * size.cx, area.bottom - (row + 1) * size.cy, size.cx, size.cy);
    }
}

void CMDIFrameWnd::MDIMaximize(CWnd* child) {
    if (IsWindow(child)) child->ShowWindow(SW_SHOWMAXIMIZED);
}

void CMDIFrameWnd::RecalcLayout(BOOL notify) {
    CFrameWnd::RecalcLayout(notify);
    if (!GetMDIClient()) return;
    CRect area;
    m_client.GetClientRect(&area);
    for (CMDIChildWnd* child : MDIChildren())
        if (child->IsZoomed()) child->MoveWindow(&area);
}

CWnd* CMDIFrameWnd::MenuBarChild() const {
    CMDIChildWnd* active = MDIGetActive();
    return active && active->IsZoomed() ? active : nullptr;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
    CMDIChildWnd* active = MDIGetActive();
    return active ? static_cast<CFrameWnd*>(active) : this;
}

CDocument* CMDIFrameWnd::GetActiveDocument() {
    CMDIChildWnd* active = MDIGetActive();
    return active ? active->GetActiveDocument() : CFrameWnd::GetActiveDocument();
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo) {
    CMDIChildWnd* active = MDIGetActive();
    if (active && active->OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    return CFrameWnd::OnCmdMsg(id, code, extra, handlerInfo);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
    CDocument* document = GetActiveDocument();
    // A maximised child has no caption of its own: its name goes in brackets after the program's.
    CMDIChildWnd* maximised = MenuBarChild() ? MDIGetActive() : nullptr;
    if (maximised) {
        CString name;
        maximised->GetWindowText(name);
        SetWindowText(m_strTitle + " - [" + name + "]");
    } else if (addToTitle && (GetStyle() & FWS_ADDTOTITLE) && document) {
        SetWindowText(m_strTitle + " - " + document->GetTitle());
    } else {
        SetWindowText(m_strTitle);
    }
}

void CMDIFrameWnd::OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu) {
    if (popup && IsWindowMenu(popup)) ListWindowsIn(popup);
    CFrameWnd::OnInitMenuPopup(popup, index, sysMenu);
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::OpenWindows() const {
    std::vector<CMDIChildWnd*> open;
    for (CMDIChildWnd* child : m_opened)
        if (IsWindow(child) && child->IsWindowVisible()) open.push_back(child);
    return open;
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::ListedWindows() const {
    std::vector<CMDIChildWnd*> listed = OpenWindows();
    const std::size_t most = AFX_IDM_LAST_MDICHILD - AFX_IDM_FIRST_MDICHILD + 1;
    if (listed.size() > most) listed.resize(most);
    return listed;
}

void CMDIFrameWnd::ListWindowsIn(CMenu* popup) const {
    RemoveWindowList(popup);
    const std::vector<CMDIChildWnd*> listed = ListedWindows();
    if (listed.empty()) return;
    popup->AppendMenu(MF_SEPARATOR);
    for (std::size_t i = 0; i < listed.size(); ++i) {
        CString title;
        listed[i]->GetWindowText(title);
        CString text;
        text.Format("&%d %s", static_cast<int>(i + 1), static_cast<const char*>(title));
        const UINT checked = listed[i] == m_active ? MF_CHECKED : 0;
        popup->AppendMenu(MF_STRING | checked, AFX_IDM_FIRST_MDICHILD + i, text);
    }
    if (OpenWindows().size() > listed.size())
        popup->AppendMenu(MF_STRING, AFX_IDM_MORE_WINDOWS, "&More Windows...");
}

void CMDIFrameWnd::OnWindowListed(UINT id) {
    const std::vector<CMDIChildWnd*> listed = ListedWindows();
    const std::size_t index = id - AFX_IDM_FIRST_MDICHILD;
    if (index < listed.size()) MDIActivate(listed[index]);
}

void CMDIFrameWnd::OnWindowNew() {
    CMDIChildWnd* active = MDIGetActive();
    CDocument* document = active ? active->GetActiveDocument() : nullptr;
    CDocTemplate* docTemplate = document ? document->GetDocTemplate() : nullptr;
    if (!docTemplate) return;
    CFrameWnd* frame = docTemplate->CreateNewFrame(document, active);
    if (frame) docTemplate->InitialUpdateFrame(frame, document, TRUE);
}
