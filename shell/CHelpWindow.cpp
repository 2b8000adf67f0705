#include "shell/CHelpWindow.h"

#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/ListControlDefs.h"

IMPLEMENT_DYNAMIC(CHelpWindow, CWnd)

BEGIN_MESSAGE_MAP(CHelpWindow, CWnd)
ON_NOTIFY(TVN_SELCHANGED, CHelpWindow::kContentsId, OnContentsChanged)
END_MESSAGE_MAP()

namespace {

constexpr const char* kCaption = "Corvane Help";
constexpr int kWidth = 760;
constexpr int kHeight = 540;
constexpr int kContentsWidth = 230;
constexpr int kGap = 4;
constexpr DWORD_PTR kChapterItem = static_cast<DWORD_PTR>(-1);

}  // namespace

BOOL CHelpWindow::Create(CWnd* owner, const std::filesystem::path& folder) {
    m_book.Load(folder);
    CRect rect(0, 0, kWidth, kHeight);
    rect.OffsetRect(80, 60);
    if (!CreateEx(0, nullptr, kCaption, WS_OVERLAPPEDWINDOW, rect, nullptr, 0))
        return FALSE;
    SetOwner(owner);
    return TRUE;
}

int CHelpWindow::OnCreate(CREATESTRUCT* cs) {
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    const DWORD treeStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                            TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_DISABLEDRAGDROP;
    if (!m_contents.Create(treeStyle, CRect(), this, kContentsId) || !m_topic.Create(this, kTopicId, &m_book))
        return -1;
    m_topic.SetLinkHandler([this](const CString& key) { ShowTopic(key); });
    FillContents();
    return 0;
}

void CHelpWindow::FillContents() {
    for (const HelpChapter& chapter : m_book.Chapters()) {
        const HTREEITEM parent = m_contents.InsertItem(chapter.title);
        m_contents.SetItemData(parent, kChapterItem);
        for (const CString& key : chapter.keys) {
            const HTREEITEM item = m_contents.InsertItem(m_book.Find(key)->title, parent);
            m_contents.SetItemData(item, m_itemKeys.size());
            m_itemKeys.push_back(key);
            m_items.try_emplace(key, item);
        }
    }
}

void CHelpWindow::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    m_contents.MoveWindow(0, 0, kContentsWidth, cy);
    m_topic.MoveWindow(kContentsWidth + kGap, 0, cx - kContentsWidth - kGap, cy);
}

void CHelpWindow::ShowTopic(const CString& key) {
    Display(m_book.Find(key) ? key : m_book.FirstKey());
    if (!IsWindowVisible())
        ShowWindow(SW_SHOW);
    BringWindowToTop();
    SetActiveWindow();
}

void CHelpWindow::Display(const CString& key) {
    const HelpTopic* topic = m_book.Find(key);
    if (!topic)
        return;
    m_current = key;
    m_topic.ShowTopic(*topic);
    const auto item = m_items.find(key);
    if (item == m_items.end() || m_contents.GetSelectedItem() == item->second)
        return;
    m_selecting = true;
    m_contents.SelectItem(item->second);
    m_contents.EnsureVisible(item->second);
    m_selecting = false;
}

void CHelpWindow::OnContentsChanged(NMHDR*, LRESULT* result) {
    *result = 0;
    const HTREEITEM item = m_contents.GetSelectedItem();
    if (m_selecting || !item)
        return;
    const DWORD_PTR index = m_contents.GetItemData(item);
    if (index == kChapterItem) {
        m_contents.Expand(item, TVE_EXPAND);
        return;
    }
    if (index < m_itemKeys.size())
        Display(m_itemKeys[index]);
}

BOOL CHelpWindow::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_MOUSEWHEEL)
        return TurnWheelOfPaneUnderPointer(*msg);
    if (msg->message != WM_KEYDOWN)
        return FALSE;
    if (msg->wParam == VK_TAB) {
        SwitchPane();
        return TRUE;
    }
    if (msg->wParam != VK_ESCAPE)
        return FALSE;
    SendMessage(WM_CLOSE);
    return TRUE;
}

// Tab and Shift+Tab go from one pane to the other: there are only two.
void CHelpWindow::SwitchPane() {
    if (GetFocus() == &m_contents)
        m_topic.SetFocus();
    else
        m_contents.SetFocus();
}

BOOL CHelpWindow::TurnWheelOfPaneUnderPointer(const MSG& msg) {
    const CPoint pointer(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
    for (CWnd* pane : {static_cast<CWnd*>(&m_contents), static_cast<CWnd*>(&m_topic)}) {
        CRect area;
        pane->GetWindowRect(&area);
        if (pane != msg.hwnd && area.PtInRect(pointer)) {
            pane->SendMessage(msg.message, msg.wParam, msg.lParam);
            return TRUE;
        }
    }
    return FALSE;
}

// The keys go first to the contents, where Up and Down step through the topics; Tab takes them
// to the text, which they scroll.
void CHelpWindow::OnSetFocus(CWnd*) {
    m_contents.SetFocus();
}

// Hidden, it hands the keyboard back to the window that had it: a dialog that asked for help
// among them.
void CHelpWindow::OnClose() {
    ShowWindow(SW_HIDE);
}
