#include "platform/win/CFrameWnd.h"

#include <algorithm>

#include "platform/gdi/CDC.h"
#include "platform/win/CCreateContext.h"
#include "platform/win/CDocument.h"
#include "platform/win/CMenu.h"
#include "platform/win/CStatusBar.h"
#include "platform/win/CView.h"
#include "platform/win/CWinApp.h"
#include "platform/win/CloseInProgress.h"
#include "platform/win/CommandInProgress.h"
#include "platform/win/DropFiles.h"
#include "platform/win/MenuText.h"
#include "platform/win/ViewDependent.h"
#include "platform/win/WindowManager.h"

IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)
BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_MENUSELECT, OnMenuSelect)
END_MESSAGE_MAP()

namespace {
// Asks the command targets whether a command is enabled, without changing anything.
class EnabledProbe : public CCmdUI {
public:
    void Enable(BOOL on) override {
        m_bEnableChanged = TRUE;
        enabled = on != FALSE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
    bool enabled = true;
};

bool IsArrowKey(UINT key) {
    return key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN;
}

// A control with the focus that wants a key (a combo box its arrows) has it before the
// frame's accelerators do.
bool ControlWantsKey(const MSG& msg) {
    const UINT key = static_cast<UINT>(msg.wParam);
    const UINT code = static_cast<UINT>(msg.hwnd->SendMessage(WM_GETDLGCODE, msg.wParam));
    return (code & DLGC_WANTALLKEYS) != 0 || ((code & DLGC_WANTARROWS) != 0 && IsArrowKey(key));
}

CString DroppedName(HDROP drop, UINT index) {
    const UINT length = DragQueryFile(drop, index, nullptr, 0);
    CString name;
    const UINT copied =
        DragQueryFile(drop, index, name.GetBufferSetLength(static_cast<int>(length)), length + 1);
    name.ReleaseBuffer(static_cast<int>(copied));
    return name;
}

CString FirstField(const CString& text) {
    const int end = text.Find('\n');
    return end >= 0 ? text.Left(end) : text;
}
}  // namespace

CFrameWnd::CFrameWnd() = default;
CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) {
    CString text;
    if (text.LoadString(resourceId)) m_strTitle = FirstField(text);
    m_ownedMenu = LoadMenuResource(resourceId);
    if (!IsMDIChild()) m_menu = m_ownedMenu.get();
    m_hAccelTable = LoadAccelerators(resourceId);
    const CRect rect(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
    if (!Create(nullptr, m_strTitle, style, rect, parent, 0, context)) return FALSE;
    OnUpdateFrameTitle(TRUE);
    return TRUE;
}

int CFrameWnd::OnCreate(CREATESTRUCT* cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    if (!OnCreateClient(cs, static_cast<CCreateContext*>(cs->lpCreateParams))) return -1;
    // Posted, so that the status bar the frame goes on to make starts with the idle message.
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    return 0;
}

BOOL CFrameWnd::OnCreateClient(CREATESTRUCT*, CCreateContext* context) {
    if (!context || !context->m_pNewViewClass) return TRUE;
    return CreateView(context, AFX_IDW_PANE_FIRST) ? TRUE : FALSE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
    CObject* object = context->m_pNewViewClass->CreateObject();
    auto* view = dynamic_cast<CWnd*>(object);
    if (!view) {
        delete object;
        return nullptr;
    }
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, PaneRect(), this, id, context)) {
        // A view that never became a window is not deleted by its own destruction.
        if (!IsWindow(view)) delete view;
        return nullptr;
    }
    return view;
}

CWnd* CFrameWnd::PaneWindow() const { return GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST)); }

CRect CFrameWnd::PaneRect() const {
    CRect area;
    GetClientRect(&area);
    for (CWnd* child : Children()) {
        auto* bar = dynamic_cast<CControlBar*>(child);
        if (!bar || (bar->GetStyle() & WS_VISIBLE) == 0) continue;
        if (bar->GetBarStyle() & CBRS_ALIGN_BOTTOM) {
            area.bottom -= bar->Thickness();
        } else {
            area.top += bar->Thickness();
        }
    }
    if (area.bottom < area.top) area.bottom = area.top;
    return area;
}

void CFrameWnd::RecalcLayout(BOOL) {
    CRect area;
    GetClientRect(&area);
    for (CWnd* child : Children()) {
        auto* bar = dynamic_cast<CControlBar*>(child);
        if (!bar || (bar->GetStyle() & WS_VISIBLE) == 0) continue;
        const int thickness = bar->Thickness();
        if (bar->GetBarStyle() & CBRS_ALIGN_BOTTOM) {
            bar->MoveWindow(area.left, area.bottom - thickness, area.Width(), thickness);
            area.bottom -= thickness;
        } else {
            bar->MoveWindow(area.left, area.top, area.Width(), thickness);
            area.top += thickness;
        }
    }
    if (CWnd* pane = PaneWindow()) pane->MoveWindow(area.left, area.top, area.Width(), std::max(0, area.Height()));
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL) {
    bar->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
    RecalcLayout();
}

void CFrameWnd::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    RecalcLayout();
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* dc) {
    // The pane and the bars cover the client area; only a frame without them shows its face.
    if (PaneWindow()) return TRUE;
    return CWnd::OnEraseBkgnd(dc);
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify) {
    CView* old = m_pViewActive;
    if (view == old) return;
    m_pViewActive = view;
    if (!notify) return;
    if (old && IsWindow(old)) old->OnActivateView(FALSE, view, old);
    if (view && IsWindow(view)) view->OnActivateView(TRUE, view, old);
}

CDocument* CFrameWnd::GetActiveDocument() { return m_pViewActive ? m_pViewActive->GetDocument() : nullptr; }

void CFrameWnd::ActivateFrame(int command) {
    ShowWindow(command == -1 ? SW_SHOW : command);
    BringWindowToTop();
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL makeVisible) {
    if (!m_pViewActive) {
        if (auto* view = dynamic_cast<CView*>(PaneWindow())) SetActiveView(view, FALSE);
    }
    for (CWnd* child : std::vector<CWnd*>(Children()))
        if (auto* view = dynamic_cast<CView*>(child)) view->OnInitialUpdate();
    if (makeVisible) {
        ActivateFrame();
        if (m_pViewActive) m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
    }
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
    CDocument* document = GetActiveDocument();
    if (addToTitle && (GetStyle() & FWS_ADDTOTITLE) && document) {
        SetWindowText(m_strTitle + " - " + document->GetTitle());
    } else {
        SetWindowText(m_strTitle);
    }
}

CWnd* CFrameWnd::GetMessageBar() const { return GetDlgItem(static_cast<int>(AFX_IDW_STATUS_BAR)); }

void CFrameWnd::GetMessageString(UINT id, CString& text) const {
    CString full;
    if (full.LoadString(id)) {
        text = FirstField(full);
    } else {
        text = id == AFX_IDS_IDLEMESSAGE ? "Ready" : "";
    }
}

void CFrameWnd::SetMessageText(LPCTSTR text) {
    auto* bar = dynamic_cast<CStatusBar*>(GetMessageBar());
    if (!bar) return;
    bar->SetPaneText(0, text);
    // A pane sized to an earlier, shorter text grows rather than cut the prompt off.
    UINT id = 0;
    UINT style = 0;
    int width = 0;
    bar->GetPaneInfo(0, id, style, width);
    if (style & SBPS_STRETCH) return;
    const int needed = MenuText::Width(text ? text : "");
    if (width < needed) bar->SetPaneInfo(0, id, style, needed);
}

void CFrameWnd::SetMessageText(UINT id) {
    CString text;
    GetMessageString(id, text);
    SetMessageText(text);
}

void CFrameWnd::ShowIdleMessage() {
    SetMessageText(AFX_IDS_IDLEMESSAGE);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
    if (lParam) {
        SetMessageText(reinterpret_cast<LPCTSTR>(lParam));
    } else if (wParam == AFX_IDS_IDLEMESSAGE) {
        ShowIdleMessage();
    } else {
        SetMessageText(static_cast<UINT>(wParam));
    }
    return 0;
}

LRESULT CFrameWnd::OnMenuSelect(WPARAM wParam, LPARAM) {
    const bool closed = HIWORD(wParam) == 0xFFFF;
    if (closed || LOWORD(wParam) == 0) {
        ShowIdleMessage();
    } else {
        SetMessageText(static_cast<UINT>(LOWORD(wParam)));
    }
    return 0;
}

void CFrameWnd::UpdateControlBars() {
    for (CWnd* child : std::vector<CWnd*>(Children())) {
        auto* bar = dynamic_cast<CControlBar*>(child);
        if (bar && IsWindow(bar) && bar->IsWindowVisible()) bar->OnUpdateCmdUI(this, TRUE);
    }
}

BOOL CFrameWnd::OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo) {
    if (CView* view = m_pViewActive; view && IsWindow(view) && view->OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    // A child frame's commands go on to the main frame, which passes them to the application.
    if (IsMDIChild()) return FALSE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(id, code, extra, handlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg) {
    if ((msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) || !m_hAccelTable) return FALSE;
    if (msg->hwnd != this && ControlWantsKey(*msg))
        return FALSE;
    const UINT command = m_hAccelTable->CommandFor(static_cast<UINT>(msg->wParam));
    if (!command) return FALSE;
    // A key does not give a command its menu item would show greyed.
    EnabledProbe probe;
    probe.m_nID = command;
    probe.DoUpdate(this, TRUE);
    if (probe.enabled) SendMessage(WM_COMMAND, command);
    return TRUE;
}

void CFrameWnd::OnClose() {
    // What the frame tracks ends before the close asks about anything, a drag in a view among them.
    SendMessage(WM_CANCELMODE);
    if (CloseInProgress::Any()) return;
    const CloseInProgress closing;
    CWinApp* app = AfxGetApp();
    const bool main = app && app->m_pMainWnd == this;
    // A close request from the desktop or the close box stands for a command, whose help its
    // questions offer; one that a command sent keeps that command's.
    const UINT standsFor = main ? ID_APP_EXIT : ID_FILE_CLOSE;
    const CommandInProgress command(CommandInProgress::Current() == 0 ? standsFor : 0);
    if (main) {
        if (!app->SaveAllModified()) return;
        app->CloseAllDocuments(FALSE);
        if (IsWindow(this)) DestroyWindow();
        return;
    }
    CDocument* document = GetActiveDocument();
    if (document && !document->CanCloseFrame(this)) return;
    if (document && document->FrameCount() <= 1) {
        document->OnCloseDocument();
        return;
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy() {
    // A print preview of one of its views ends while the frame is still whole.
    for (CWnd* child : std::vector<CWnd*>(Children()))
        if (auto* view = dynamic_cast<CView*>(child)) ViewDependent::ViewClosing(*view);
    m_pViewActive = nullptr;
    CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy() {
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    if (m_autoDelete) delete this;
}

void CFrameWnd::OnSetFocus(CWnd* oldWindow) {
    if (m_pViewActive && IsWindow(m_pViewActive)) {
        m_pViewActive->SetFocus();
        return;
    }
    CWnd::OnSetFocus(oldWindow);
}

// The frame gives the keys to its active view itself; only a window laid straight over it, as
// Print Preview is, gets them back.
void CFrameWnd::RestoreFocus() {
    CWnd* kept = WindowManager::Instance().FocusLeftIn(this);
    if (kept && kept->GetParent() == this)
        CWnd::RestoreFocus();
    else
        SetFocus();
}

// Each dropped file opens as File > Open opens it, one after another; a file that is no layout
// gets the usual message, and the files after it still open.
void CFrameWnd::OnDropFiles(HDROP drop) {
    SetActiveWindow();
    const UINT count = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        const CString name = DroppedName(drop, index);
        if (CWinApp* app = AfxGetApp())
            app->OpenDocumentFile(name);
    }
    DragFinish(drop);
}
