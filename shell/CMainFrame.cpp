#include "shell/CMainFrame.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/CCVNDoc.h"
#include "model/CGroup.h"
#include "model/CMissingFileReport.h"
#include "model/CPlanViewServices.h"
#include "model/CTerrainPass.h"
#include "platform/base/ModuleFolder.h"
#include "platform/base/TickCount.h"
#include "platform/cdlg/CPrintDialog.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CSelectWindowDialog.h"
#include "platform/ctl/ListControlDefs.h"
#include "platform/gdi/CDC.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CDocTemplate.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/CMultiDocTemplate.h"
#include "platform/win/CView.h"
#include "platform/win/CWinApp.h"
#include "platform/win/MessageBoxes.h"
#include "platform/win/WindowDCs.h"
#include "resources/CommandIds.h"
#include "resources/StringTable.h"
#include "shell/CHelpWindow.h"
#include "shell/CSplashWindow.h"
#include "shell/MainFrameToolBars.h"

IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
ON_COMMAND(ID_SHOW_3D_VIEW, OnShow3DView)
ON_UPDATE_COMMAND_UI(ID_SHOW_3D_VIEW, OnUpdateShow3DView)
ON_COMMAND(ID_TOOL_PARAMETERS, OnToolParameters)
ON_UPDATE_COMMAND_UI(ID_TOOL_PARAMETERS, OnUpdateToolParameters)
ON_COMMAND(ID_OBJECT_SIZES, OnObjectSizes)
ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
ON_MESSAGE(WM_DEVMODECHANGE, OnDevModeChange)
ON_UPDATE_COMMAND_UI(ID_OBJECT_SIZES, OnUpdateObjectSizes)
ON_COMMAND(ID_SETUP_TOOLBARS, OnSetupToolbars)
ON_CBN_SELENDOK(ID_CHOOSE_ACTIVE_LAYER, OnSelectLayer)
ON_CBN_CLOSEUP(ID_CHOOSE_ACTIVE_LAYER, OnLayerListClosed)
ON_UPDATE_COMMAND_UI_RANGE(IDS_STATUS_PANE_1, IDS_STATUS_PANE_4, OnUpdateStatusPane)
ON_COMMAND(ID_HELP_FINDER, OnHelpFinder)
ON_COMMAND(ID_HELP, OnHelpFinder)
ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
ON_COMMAND(AFX_IDM_MORE_WINDOWS, OnWindowMore)
ON_MESSAGE(CContextHelpMode::kEndMessage, OnEndContextHelp)
END_MESSAGE_MAP()

namespace {

constexpr UINT kIndicators[CMainFrame::kStatusPaneCount] = {
    ID_SEPARATOR, IDS_STATUS_PANE_1, IDS_STATUS_PANE_2, IDS_STATUS_PANE_3, IDS_STATUS_PANE_4};
constexpr double kTenthsPerInch = 254.0;
constexpr const char* kTerrainClass = "CMount";

int Tenths(double dots, int dotsPerInch) {
    return static_cast<int>(std::trunc(dots / dotsPerInch * kTenthsPerInch));
}

// The plan windows' template: the application's first.
CDocTemplate* PlanTemplate() {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return nullptr;
    POSITION position = app->GetFirstDocTemplatePosition();
    return position != nullptr ? app->GetNextDocTemplate(position) : nullptr;
}

// The layouts open in plan windows.
std::vector<CCVNDoc*> OpenLayouts() {
    std::vector<CCVNDoc*> layouts;
    if (CDocTemplate* plan = PlanTemplate())
        for (CDocument* document : plan->Documents())
            if (auto* layout = dynamic_cast<CCVNDoc*>(document))
                layouts.push_back(layout);
    return layouts;
}

}  // namespace

CMainFrame::~CMainFrame() {
    for (CPaint* object : m_clipboard) {
        object->SetTool(nullptr);
        delete object;
    }
}

int CMainFrame::OnCreate(CREATESTRUCT* cs) {
    m_strProgramFolder = GetModuleFolderWin();
    if (CMDIFrameWnd::OnCreate(cs) == -1)
        return -1;
    if (!CreateStatusBar()) {
        ReportCreationFailure(IDS_FAILED_TO_CREATE_STATUS_BAR);
        return -1;
    }
    CreateToolBars();
    if (!m_wndToolParameters.Create(this)) {
        ReportCreationFailure(IDS_FAILED_TO_CREATE_FLY_DIALOG);
        return -1;
    }
    CSplashWindow::ShowSplash(this);
    UpdatePrinterMargins();
    return 0;
}

void CMainFrame::ReportCreationFailure(UINT messageId) {
    CString message;
    message.LoadString(messageId);
    AfxMessageBox(message);
}

BOOL CMainFrame::CreateStatusBar() {
    return m_wndStatusBar.Create(this) && m_wndStatusBar.SetIndicators(kIndicators, kStatusPaneCount);
}

void CMainFrame::CreateToolBars() {
    // A bar that fails stays as far as it got; the program goes on without the rest of it.
    CreateMainToolBar(m_wndMainBar, this, m_pLayerCombo);
    CreateToolsToolBar(m_wndToolsBar, this);
    CreateCameraToolBar(m_wndCameraBar, this);
}

void CMainFrame::ShowToolBarsFor(BOOL planView) {
    if (IsWindow(&m_wndToolsBar))
        ShowControlBar(&m_wndToolsBar, planView, FALSE);
    if (IsWindow(&m_wndCameraBar))
        ShowControlBar(&m_wndCameraBar, !planView, FALSE);
}

void CMainFrame::ShowPreviewToolBars(BOOL show) {
    if (IsWindow(&m_wndMainBar))
        ShowControlBar(&m_wndMainBar, show, FALSE);
    if (IsWindow(&m_wndToolsBar))
        ShowControlBar(&m_wndToolsBar, show, FALSE);
}

void CMainFrame::OnDestroy() {
    KillTimer(m_nTrainTimer);
    // A splash still up goes with the window it stands over.
    if (CSplashWindow* splash = CSplashWindow::Current())
        splash->DestroyWindow();
    m_contextHelp.End();
    if (m_pHelpWindow)
        m_pHelpWindow->DestroyWindow();
    CMDIFrameWnd::OnDestroy();
}

// ---- Test trains ----

void CMainFrame::StartTrainTimer() {
    m_nTrainTimer = SetTimer(kTrainTimerId, kTrainTimerPeriod);
    m_tickReference.reset();
}

void CMainFrame::StopTrainTimer() {
    KillTimer(m_nTrainTimer);
    m_nTrainTimer = 0;
}

void CMainFrame::SetTrainPause(BOOL paused) {
    if (m_nPause != 0 && !paused && m_tickReference)
        m_tickReference = GetTickCount();
    m_nPause = paused;
}

void CMainFrame::OnTimer(UINT_PTR) {
    if (m_nPause != 0)
        return;
    const DWORD now = GetTickCount();
    if (!m_tickReference) {
        m_tickReference = now;
        return;
    }
    const DWORD ticks = (now - *m_tickReference) / kTrainTimerPeriod;
    // The part of a step left over counts towards the next tick, so an early or late timer
    // message neither slows nor stalls the trains.
    *m_tickReference += ticks * kTrainTimerPeriod;
    StepTrains(static_cast<int>(ticks));
}

void CMainFrame::StepTrains(int ticks) {
    for (CCVNDoc* layout : OpenLayouts()) {
        layout->StepTrains(ticks);
        layout->RepaintDirtyViews();
    }
}

// ---- Tool parameters ----

void CMainFrame::OnToolParameters() {
    if (!IsWindow(&m_wndToolParameters))
        return;
    const bool show = m_wndToolParameters.m_bShown == 0;
    m_wndToolParameters.ShowWindow(show ? SW_SHOWNORMAL : SW_HIDE);
    m_wndToolParameters.m_bShown = show ? 1 : 0;
}

// The panes show the engine's texts; without a handler the idle update would grey them out
// between two mouse moves.
void CMainFrame::OnUpdateStatusPane(CCmdUI* cmdUI) {
    cmdUI->Enable(TRUE);
}

void CMainFrame::OnUpdateToolParameters(CCmdUI* cmdUI) {
    if (GetActiveDocument() != nullptr) {
        cmdUI->SetCheck(m_wndToolParameters.m_bShown);
        return;
    }
    // Without a layout there is nothing to set: the dialog goes away.
    if (IsWindow(&m_wndToolParameters))
        m_wndToolParameters.ShowWindow(SW_HIDE);
    m_wndToolParameters.m_bShown = 0;
    cmdUI->SetCheck(0);
    cmdUI->Enable(FALSE);
}

// ---- Object sizes ----

// Every layout's flag flips on its own, so flags that differed still differ afterwards.
void CMainFrame::OnObjectSizes() {
    for (CCVNDoc* layout : OpenLayouts()) {
        layout->m_bObjectSizes = !layout->m_bObjectSizes;
        layout->UpdateAllViews();
    }
}

void CMainFrame::OnUpdateObjectSizes(CCmdUI* cmdUI) {
    if (const CCVNDoc* layout = ActiveLayout())
        cmdUI->SetCheck(layout->m_bObjectSizes ? 1 : 0);
}

// ---- Layers and status ----

void CMainFrame::ShowActiveLayer(int layer) {
    if (m_pLayerCombo != nullptr)
        m_pLayerCombo->SetCurSel(layer);
}

void CMainFrame::OnSelectLayer() {
    CFrameWnd* frame = GetActiveFrame();
    CView* view = frame != nullptr ? frame->GetActiveView() : nullptr;
    auto* layout = view != nullptr ? dynamic_cast<CCVNDoc*>(view->GetDocument()) : nullptr;
    if (layout == nullptr || m_pLayerCombo == nullptr)
        return;
    const int layer = m_pLayerCombo->GetCurSel();
    layout->SetActiveLayer(layer);
    layout->SetLayerVisible(layer, TRUE);
    layout->SetLayerLocked(layer, FALSE);
    layout->OnActiveLayerChanged();
}

// Whether a layer was chosen or not, the person's next keys are for the plan again.
void CMainFrame::OnLayerListClosed() {
    CFrameWnd* frame = GetActiveFrame();
    CView* view = frame != nullptr ? frame->GetActiveView() : nullptr;
    if (view != nullptr && GetFocus() == m_pLayerCombo)
        view->SetFocus();
}

// Without an active layout the panes speak of none: the first says "Ready", the rest are blank.
void CMainFrame::UpdateStatusPanes() {
    if (!IsWindow(&m_wndStatusBar))
        return;
    CFrameWnd* frame = GetActiveFrame();
    auto* layout = frame != nullptr ? dynamic_cast<CCVNDoc*>(frame->GetActiveDocument()) : nullptr;
    std::array<CString, kStatusPaneCount> texts;
    if (layout != nullptr) {
        CPieceStatusText& status = layout->m_tool.m_status;
        status.FormatPieceStatus();
        std::copy(std::begin(status.m_strPane), std::end(status.m_strPane), texts.begin());
    }
    if (CString(texts[0]).Trim().IsEmpty())
        GetMessageString(AFX_IDS_IDLEMESSAGE, texts[0]);
    for (int pane = 0; pane < kStatusPaneCount; ++pane) {
        const CString& text = texts[pane];
        m_wndStatusBar.SetPaneInfo(pane, m_wndStatusBar.GetItemID(pane), SBPS_NORMAL,
                                   StatusPaneWidth(pane, text));
        m_wndStatusBar.SetPaneText(pane, text.IsEmpty() ? "  " : text.c_str());
    }
}

// When a menu closes, the mouse leaves a tool bar's buttons or another window comes up, the
// first pane goes back to the active layout: its own text, or the idle text when it has nothing
// to say.
void CMainFrame::ShowIdleMessage() {
    UpdateStatusPanes();
}

// ---- Commands ----

// Menus, keys and tool bars all give their commands here, so the screen shows a command's result
// the same way whichever gave it. The status bar shows the layout's status as the command left
// it; a command that changed the selection repaints the plan whole, so every handle it shows or
// takes away appears whatever the command marked for repainting.
BOOL CMainFrame::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) <= 1 && m_contextHelp.TakeCommand(LOWORD(wParam)))
        return TRUE;
    const std::vector<const CPaint*> selectedBefore = SelectionOf(ActivePlanLayout());
    const BOOL handled = CMDIFrameWnd::OnCommand(wParam, lParam);
    // A command may end the program and this window with it.
    if (IsWindow(this))
        ShowCommandResult(selectedBefore);
    return handled;
}

void CMainFrame::ShowCommandResult(const std::vector<const CPaint*>& selectedBefore) {
    CCVNDoc* layout = ActivePlanLayout();
    if (layout == nullptr)
        return;
    if (SelectionOf(layout) != selectedBefore) {
        layout->InvalidateAllViews();
        layout->m_tool.UpdateStatus();
    }
    UpdateStatusPanes();
}

std::vector<const CPaint*> CMainFrame::SelectionOf(CCVNDoc* layout) {
    if (layout == nullptr)
        return {};
    const CPaintList& selection = layout->GetSelection();
    return {selection.begin(), selection.end()};
}

int CMainFrame::StatusPaneWidth(int pane, const CString& text) {
    if (m_measuredPaneText[pane] != text) {
        CClientDC dc(&m_wndStatusBar);
        m_measuredPaneText[pane] = text;
        m_measuredPaneWidth[pane] = dc.GetTextExtent(text).cx;
    }
    return m_measuredPaneWidth[pane];
}

// ---- Printer ----

void CMainFrame::UpdatePrinterMargins() {
    m_nPrintableWidth = m_nPrintableHeight = 0;
    m_nLeftMargin = m_nTopMargin = m_nRightMargin = m_nBottomMargin = 0;
    CPrintDialog printer(FALSE);
    if (!printer.GetDefaults())
        return;
    CDC* dc = printer.CreatePrinterDC();
    if (dc == nullptr)
        return;
    const int dpiX = dc->GetDeviceCaps(LOGPIXELSX);
    const int dpiY = dc->GetDeviceCaps(LOGPIXELSY);
    const int offsetX = dc->GetDeviceCaps(PHYSICALOFFSETX);
    const int offsetY = dc->GetDeviceCaps(PHYSICALOFFSETY);
    const int physX = dc->GetDeviceCaps(PHYSICALWIDTH);
    const int physY = dc->GetDeviceCaps(PHYSICALHEIGHT);
    const int horzRes = dc->GetDeviceCaps(HORZRES);
    const int vertRes = dc->GetDeviceCaps(VERTRES);
    if (dpiX <= 0 || dpiY <= 0)
        return;
    m_nLeftMargin = Tenths(offsetX, dpiX);
    m_nTopMargin = Tenths(offsetY, dpiY);
    m_nRightMargin = Tenths(physX - horzRes - offsetX, dpiX);
    m_nBottomMargin = Tenths(physY - vertRes - offsetY, dpiY);
    m_nPrintableWidth =
        static_cast<int>(std::trunc(double(physX - offsetX) / dpiX * kTenthsPerInch - m_nRightMargin));
    m_nPrintableHeight =
        static_cast<int>(std::trunc(double(physY - offsetY) / dpiY * kTenthsPerInch - m_nBottomMargin));
}

// The printer, paper and orientation chosen hold for every print job until the program ends.
void CMainFrame::OnFilePrintSetup() {
    CPrintDialog setup(TRUE, PD_ALLPAGES, this);
    setup.DoModal();
}

LRESULT CMainFrame::OnDevModeChange(WPARAM, LPARAM) {
    UpdatePrinterMargins();
    return 0;
}

void CMainFrame::GetPrintableSize(int& width, int& height) const {
    width = m_nPrintableWidth;
    height = m_nPrintableHeight;
}

// ---- 3D View ----

CCVNDoc* CMainFrame::ActiveLayout() {
    CMDIChildWnd* child = MDIGetActive();
    return child != nullptr ? dynamic_cast<CCVNDoc*>(child->GetActiveDocument()) : nullptr;
}

CCVNDoc* CMainFrame::ActivePlanLayout() {
    CFrameWnd* frame = GetActiveFrame();
    CView* view = frame != nullptr ? frame->GetActiveView() : nullptr;
    return dynamic_cast<CPlanViewServices*>(view) != nullptr ? dynamic_cast<CCVNDoc*>(view->GetDocument())
                                                             : nullptr;
}

void CMainFrame::OnUpdateShow3DView(CCmdUI* cmdUI) {
    CCVNDoc* layout = ActiveLayout();
    const CMultiDocTemplate* template3D = layout != nullptr ? layout->Get3DTemplate() : nullptr;
    // Until the 3D window's classes are part of the program the command has nothing to open.
    const bool canOpen = template3D != nullptr && CRuntimeClass::FromName("C3DView") != nullptr;
    cmdUI->Enable(canOpen || (layout != nullptr && layout->Get3DFrame() != nullptr));
    cmdUI->SetCheck(layout != nullptr && layout->Get3DFrame() != nullptr &&
                    MDIGetActive() == layout->Get3DFrame());
}

void CMainFrame::OnShow3DView() {
    CCVNDoc* layout = ActiveLayout();
    if (layout == nullptr)
        return;
    SetTrainPause(TRUE);
    if (CFrameWnd* existing = layout->Get3DFrame(); existing != nullptr && IsWindow(existing)) {
        // Brought forward, a layout window becomes the active one, so its camera commands work.
        MDIActivate(existing);
        SetTrainPause(FALSE);
        return;
    }
    CMultiDocTemplate* template3D = layout->Get3DTemplate();
    CFrameWnd* frame = template3D != nullptr ? template3D->CreateNewFrame(layout, nullptr) : nullptr;
    if (frame == nullptr) {
        SetTrainPause(FALSE);
        return;
    }
    template3D->InitialUpdateFrame(frame, layout);
    layout->Set3DFrame(frame);
    Build3DModels(*layout);
    layout->InvalidateAllViews();
    SetTrainPause(FALSE);
}

void CMainFrame::Build3DModels(CCVNDoc& doc) {
    CGroupEditStack* stack = doc.GetGroupEditStack();
    if (stack == nullptr || stack->empty())
        return;
    const CGroupEditEntry& current = stack->front();
    const CPose world = current.m_pGroup->WorldPose(&current.m_pose);
    // A texture missing for every piece is reported once, not once per piece.
    const CMissingFileReport missingFiles;
    // One wait cursor for the whole build: each model's own would reach the display twice.
    BeginWaitCursor();
    const CTerrainPass terrains(doc.m_tool);
    doc.m_tool.ConformTerrain();
    for (CPaint* member : current.m_pGroup->m_members) {
        if (member->GetClassName() == kTerrainClass)
            continue;
        member->SetEditState(-1);
        if (doc.m_tool.m_bTerrainConformed)
            member->ConformToTerrain(0);
        member->Update3D(&world);
    }
    for (CPaint* train : doc.GetTestTrains()) train->Update3D(&world);
    EndWaitCursor();
}

// The Window menu lists nine windows; the rest are chosen here.
void CMainFrame::OnWindowMore() {
    const std::vector<CMDIChildWnd*> open = OpenWindows();
    std::vector<CString> titles;
    int current = 0;
    for (CMDIChildWnd* child : open) {
        if (child == MDIGetActive())
            current = static_cast<int>(titles.size());
        CString title;
        child->GetWindowText(title);
        titles.push_back(title);
    }
    CSelectWindowDialog dialog(std::move(titles), current, this);
    if (dialog.DoModal() != IDOK)
        return;
    const int chosen = dialog.Chosen();
    if (chosen >= 0 && chosen < static_cast<int>(open.size()) && IsWindow(open[chosen]))
        MDIActivate(open[chosen]);
}
