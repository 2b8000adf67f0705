#include "tests/host/SampleMdiApp.h"

#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"
#include "platform/base/CStringTable.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/CMenu.h"
#include "platform/win/CMultiDocTemplate.h"
#include "platform/win/WindowDCs.h"

namespace sample {

std::vector<std::string>& RouteLog() {
    static std::vector<std::string> log;
    return log;
}

namespace {
std::unique_ptr<CMenu> Popup(std::initializer_list<std::pair<UINT, const char*>> items) {
    auto popup = std::make_unique<CMenu>();
    popup->CreatePopupMenu();
    for (const auto& [id, text] : items) popup->AppendMenu(id ? MF_STRING : MF_SEPARATOR, id, text);
    return popup;
}

std::unique_ptr<CMenu> MainMenu() {
    auto bar = std::make_unique<CMenu>();
    bar->CreateMenu();
    bar->AppendMenu(MF_POPUP,
                    reinterpret_cast<UINT_PTR>(Popup({{ID_FILE_NEW, "&New\tCtrl+N"}, {ID_FILE_OPEN, "&Open..."},
                                                      {0, nullptr}, {ID_FILE_MRU_FILE1, "Recent File"},
                                                      {0, nullptr}, {ID_APP_EXIT, "E&xit"}})
                                                   .release()),
                    "&File");
    return bar;
}

std::unique_ptr<CMenu> SketchMenu() {
    auto bar = std::make_unique<CMenu>();
    bar->CreateMenu();
    bar->AppendMenu(MF_POPUP,
                    reinterpret_cast<UINT_PTR>(Popup({{ID_FILE_NEW, "&New\tCtrl+N"},
                                                      {ID_FILE_OPEN, "&Open..."},
                                                      {ID_FILE_CLOSE, "&Close"},
                                                      {ID_FILE_SAVE, "&Save"},
                                                      {ID_FILE_SAVE_AS, "Save &As..."},
                                                      {ID_FILE_PRINT, "&Print..."},
                                                      {ID_FILE_PRINT_PREVIEW, "Print Pre&view"},
                                                      {0, nullptr},
                                                      {ID_FILE_MRU_FILE1, "Recent File"},
                                                      {0, nullptr},
                                                      {ID_APP_EXIT, "E&xit"}})
                                                   .release()),
                    "&File");
    bar->AppendMenu(MF_POPUP,
                    reinterpret_cast<UINT_PTR>(Popup({{ID_EDIT_ROUTE, "&Route"}, {ID_EDIT_GRID, "&Grid"}}).release()),
                    "&Edit");
    bar->AppendMenu(MF_POPUP,
                    reinterpret_cast<UINT_PTR>(Popup({{ID_WINDOW_NEW, "&New Window"},
                                                      {ID_WINDOW_CASCADE, "&Cascade"},
                                                      {ID_WINDOW_TILE_HORZ, "&Tile"}})
                                                   .release()),
                    "&Window");
    return bar;
}
}  // namespace

void RegisterResources() {
    static const CStringTable::Entry strings[] = {
        {IDR_MAINFRAME, "Sample"},
        {IDR_SKETCHTYPE, "\nSketch\nSketch\nSketch Files (*.skt)\n.skt\nSketch.Document\nSketch Document"},
        {ID_EDIT_ROUTE, "Routes a command through every target\nRoute"},
        {ID_EDIT_GRID, "Shows or hides the grid\nGrid"},
        {ID_FILE_SAVE, "Save the active document\nSave"},
        {ID_INDICATOR_STROKES, "Points: 0000"},
    };
    CStringTable::Register(strings);
    RegisterMenuResource(IDR_MAINFRAME, MainMenu);
    RegisterMenuResource(IDR_SKETCHTYPE, SketchMenu);
    RegisterAcceleratorResource(IDR_MAINFRAME, {{FVIRTKEY | FCONTROL, 'N', static_cast<WORD>(ID_FILE_NEW)},
                                                {FVIRTKEY | FCONTROL, 'G', static_cast<WORD>(ID_EDIT_GRID)}});
}

// --- Document -------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SketchDoc, CDocument)
BEGIN_MESSAGE_MAP(SketchDoc, CDocument)
    ON_COMMAND_EX(ID_EDIT_ROUTE, OnRoute)
    ON_COMMAND(ID_EDIT_GRID, OnGrid)
    ON_UPDATE_COMMAND_UI(ID_EDIT_GRID, OnUpdateGrid)
END_MESSAGE_MAP()

void SketchDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(points.size());
        for (const CPoint& p : points) ar << static_cast<LONG>(p.x) << static_cast<LONG>(p.y);
        return;
    }
    DWORD count = 0;
    ar >> count;
    if (count > 100000) throw CArchiveException(CArchiveException::badIndex, GetPathName());
    for (DWORD i = 0; i < count; ++i) {
        LONG x = 0;
        LONG y = 0;
        ar >> x >> y;
        points.emplace_back(x, y);
    }
}

BOOL SketchDoc::OnRoute(UINT) {
    RouteLog().push_back("document");
    return FALSE;
}

void SketchDoc::OnGrid() {
    grid = !grid;
    UpdateAllViews(nullptr);
}

void SketchDoc::OnUpdateGrid(CCmdUI* cmdUI) { cmdUI->SetCheck(grid ? 1 : 0); }

// --- View -----------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SketchView, CView)
BEGIN_MESSAGE_MAP(SketchView, CView)
    ON_COMMAND_EX(ID_EDIT_ROUTE, OnRoute)
    ON_COMMAND(ID_FILE_PRINT, OnPrintCommand)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnPrintCommand)
END_MESSAGE_MAP()

BOOL SketchView::OnRoute(UINT) {
    RouteLog().push_back("view");
    return FALSE;
}

BOOL SketchView::OnPreparePrinting(CPrintInfo* info) {
    info->SetMaxPage(2);
    return DoPreparePrinting(info);
}

void SketchView::OnPrint(CDC* dc, CPrintInfo* info) {
    printedPages.push_back(info->m_nCurPage);
    OnDraw(dc);
}

void SketchView::OnInitialUpdate() {
    CView::OnInitialUpdate();
    SetTimer(ID_TIMER_BLINK, 500);
}

void SketchView::OnDraw(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, RGB(255, 255, 255));
    if (GetDocument()->grid)
        for (int x = 0; x < client.right; x += 20) dc->FillSolidRect(x, 0, 1, client.bottom, RGB(192, 192, 192));
    CPen pen(PS_SOLID, 2, RGB(0, 0, 128));
    CPen* old = dc->SelectObject(&pen);
    const auto& points = GetDocument()->points;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i == 0) {
            dc->MoveTo(points[i]);
        } else {
            dc->LineTo(points[i]);
        }
    }
    dc->SelectObject(old);
}

void SketchView::OnLButtonDown(UINT, CPoint point) {
    SetCapture();
    GetDocument()->points.push_back(point);
    GetDocument()->SetModifiedFlag();
}

void SketchView::OnMouseMove(UINT flags, CPoint point) {
    if (GetCapture() != this || (flags & MK_LBUTTON) == 0) return;
    GetDocument()->points.push_back(point);
    GetDocument()->UpdateAllViews(nullptr);
}

void SketchView::OnLButtonUp(UINT, CPoint) {
    if (GetCapture() == this) ReleaseCapture();
}

void SketchView::OnContextMenu(CWnd*, CPoint point) {
    auto menu = Popup({{ID_EDIT_ROUTE, "&Route"}, {ID_EDIT_GRID, "&Grid"}});
    menu->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, GetParentFrame()->GetTopLevelParent());
}

void SketchView::OnTimer(UINT_PTR id) {
    if (id == ID_TIMER_BLINK) blinks.push_back(WindowManager::Instance().Now());
}

// --- Child frame ----------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SketchChild, CMDIChildWnd)
BEGIN_MESSAGE_MAP(SketchChild, CMDIChildWnd)
    ON_COMMAND_EX(ID_EDIT_ROUTE, OnRoute)
END_MESSAGE_MAP()

BOOL SketchChild::OnRoute(UINT) {
    RouteLog().push_back("child frame");
    return FALSE;
}

// --- Tool strip -----------------------------------------------------------------------------

namespace {
class ButtonCmdUI : public CCmdUI {
public:
    explicit ButtonCmdUI(ToolStrip::Button& button) : m_button(button) {}
    void Enable(BOOL on) override {
        m_bEnableChanged = TRUE;
        m_button.enabled = on != FALSE;
    }
    void SetCheck(int check) override { m_button.checked = check != 0; }
    void SetRadio(BOOL on) override { m_button.checked = on != FALSE; }
    void SetText(LPCTSTR) override {}

private:
    ToolStrip::Button& m_button;
};
}  // namespace

BOOL ToolStrip::Create(CWnd* parent, const std::vector<UINT>& ids) {
    for (UINT id : ids) m_buttons.push_back({id});
    m_dwBarStyle = CBRS_TOP;
    return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, Thickness()), parent, AFX_IDW_TOOLBAR);
}

void ToolStrip::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
    const std::vector<Button> before = m_buttons;
    for (Button& button : m_buttons) {
        ButtonCmdUI state(button);
        state.m_nID = button.id;
        state.DoUpdate(target, disableIfNoHandler);
    }
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        if (m_buttons[i].enabled != before[i].enabled || m_buttons[i].checked != before[i].checked) Invalidate();
}

void ToolStrip::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        CRect rect = ButtonRect(static_cast<int>(i));
        dc.DrawEdge(&rect, m_buttons[i].checked ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        const COLORREF mark = m_buttons[i].enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT);
        dc.FillSolidRect(rect.left + 8, rect.top + 8, 7, 6, mark);
    }
}

void ToolStrip::OnLButtonUp(UINT, CPoint point) {
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        if (ButtonRect(static_cast<int>(i)).PtInRect(point) && m_buttons[i].enabled)
            GetParent()->PostMessage(WM_COMMAND, m_buttons[i].id);
}

// --- Main frame and application -------------------------------------------------------------

BEGIN_MESSAGE_MAP(MainFrame, CMDIFrameWnd)
    ON_COMMAND_EX(ID_EDIT_ROUTE, OnRoute)
END_MESSAGE_MAP()

BOOL MainFrame::OnRoute(UINT) {
    RouteLog().push_back("main frame");
    return FALSE;
}

BOOL MainFrame::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP) keyReleases.push_back(msg->hwnd);
    return CMDIFrameWnd::PreTranslateMessage(msg);
}

int MainFrame::OnCreate(CREATESTRUCT* cs) {
    if (CMDIFrameWnd::OnCreate(cs) == -1) return -1;
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_STROKES};
    if (!statusBar.Create(this) || !statusBar.SetIndicators(indicators, 2)) return -1;
    statusBar.SetPaneText(0, "Ready");
    if (!toolStrip.Create(this, {ID_FILE_NEW, ID_FILE_SAVE, ID_EDIT_GRID})) return -1;
    RecalcLayout();
    return 0;
}

BEGIN_MESSAGE_MAP(SampleApp, CWinApp)
    ON_COMMAND_EX(ID_EDIT_ROUTE, OnRoute)
END_MESSAGE_MAP()

BOOL SampleApp::OnRoute(UINT) {
    RouteLog().push_back("application");
    return TRUE;
}

BOOL SampleApp::InitInstance() {
    RegisterResources();
    LoadStdProfileSettings(4);
    AddDocTemplate(new CMultiDocTemplate(IDR_SKETCHTYPE, RUNTIME_CLASS(SketchDoc), RUNTIME_CLASS(SketchChild),
                                         RUNTIME_CLASS(SketchView)));
    auto* main = new MainFrame;
    if (!main->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) return FALSE;
    m_pMainWnd = main;
    main->MoveWindow(40, 30, 800, 600);
    main->ShowWindow(SW_SHOW);
    return TRUE;
}

}  // namespace sample
