#include <algorithm>
#include <array>

#include "model/C3DViewServices.h"
#include "model/CCVNDoc.h"
#include "model/CMainFrameServices.h"
#include "model/CPlanViewServices.h"
#include "model/CRunningTrain.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CPropertyPage.h"
#include "platform/ctl/CPropertySheet.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/CMDIFrameWnd.h"
#include "platform/win/CMultiDocTemplate.h"
#include "platform/win/CScrollView.h"
#include "platform/win/CView.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WindowManager.h"

// How the document meets its windows, the main window and the track wizard. The plan view,
// the 3D windows and the wizard are made by name through their class records, since they
// are built on top of the document.

namespace {

constexpr const char* kWizardSheetClass = "CSheetWizard";
constexpr const char* kWizardCaption = "Track wizard";
constexpr std::array<const char*, CCVNDoc::kWizardPageCount> kWizardPageClasses = {
    "CPageStraightTrack", "CPageCurved",  "CPageCrossover", "CPageCrossing",
    "CPageSlipSwitch",    "CPageTurnout", "CPage3Way",      "CPageCurvedTurnout",
    "CPageTurnTable",     "CPageHelix",   "CPageSpiral"};

template <class Kind>
std::unique_ptr<Kind> CreateByName(const char* className) {
    const CRuntimeClass* record = CRuntimeClass::FromName(className);
    CObject* object = record != nullptr ? record->CreateObject() : nullptr;
    auto* made = dynamic_cast<Kind*>(object);
    if (made == nullptr)
        delete object;
    return std::unique_ptr<Kind>(made);
}

// The application's first template: the one of the plan windows.
CDocTemplate* PlanTemplate() {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return nullptr;
    POSITION position = app->GetFirstDocTemplatePosition();
    return position != nullptr ? app->GetNextDocTemplate(position) : nullptr;
}

void InvalidatePlanTemplateViews() {
    CDocTemplate* plan = PlanTemplate();
    if (plan == nullptr)
        return;
    for (CDocument* document : plan->Documents())
        for (CView* view : document->Views()) view->Invalidate(FALSE);
}

CFrameWnd* ActiveChildFrame() {
    auto* main = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    return main != nullptr ? main->MDIGetActive() : nullptr;
}

bool AnyLayoutHasTrain(const CCVNDoc* except) {
    CDocTemplate* plan = PlanTemplate();
    if (plan == nullptr)
        return false;
    for (CDocument* document : plan->Documents()) {
        auto* layout = dynamic_cast<CCVNDoc*>(document);
        if (layout != nullptr && layout != except && !layout->m_testTrains.empty())
            return true;
    }
    return false;
}

}  // namespace

// ---- The framework's close sequence ----

void CCVNDoc::OnChangedViewList() {
    // The framework may close and delete this document here: touch nothing of it after.
    CDocument::OnChangedViewList();
    InvalidatePlanTemplateViews();
}

void CCVNDoc::OnCloseDocument() {
    InvalidatePlanTemplateViews();
    CDocument::OnCloseDocument();
}

// The question is about the layout as the person sees it: an outline half entered is ended first.
BOOL CCVNDoc::SaveModified() {
    for (CPlanViewServices* plan : PlanViews()) plan->EndPointEntry();
    TakeSettingsChanges();
    SetModalDialogFlag(TRUE);
    const BOOL goOn = CDocument::SaveModified();
    if (!goOn)
        SetModalDialogFlag(FALSE);
    return goOn;
}

// ---- The main window ----

CMainFrameServices* CCVNDoc::GetMainFrameServices() {
    return dynamic_cast<CMainFrameServices*>(AfxGetMainWnd());
}

void CCVNDoc::SetModalDialogFlag(BOOL running) {
    if (CMainFrameServices* services = GetMainFrameServices())
        services->SetTrainPause(running);
    // The engine's dialogs come at the end of a gesture: the plan under them shows what the
    // gesture made, without its rubber band and label.
    if (running) {
        m_tool.m_hint.m_strText.Empty();
        m_tool.InvalidateRect(m_tool.m_hint.m_rect);
        RepaintDirtyViews();
    }
}

CPaintList* CCVNDoc::GetClipboard() {
    CMainFrameServices* services = GetMainFrameServices();
    return services != nullptr ? services->GetClipboardList() : nullptr;
}

void CCVNDoc::GetPrintableSize(int& width, int& height) const {
    width = 0;
    height = 0;
    if (const CMainFrameServices* services = GetMainFrameServices())
        services->GetPrintableSize(width, height);
}

void CCVNDoc::ReadKeyboardState(BYTE (&state)[256]) {
    ::GetKeyboardState(state);
}

void CCVNDoc::ShowStatusPanes(CPieceStatusText&) {
    if (CMainFrameServices* services = GetMainFrameServices())
        services->UpdateStatusPanes();
}

void CCVNDoc::ReleaseTestTrains() {
    while (!m_testTrains.empty()) {
        CPaint* train = m_testTrains.front();
        m_testTrains.pop_front();
        train->ReleaseData();
        delete train;
    }
    CMainFrameServices* services = GetMainFrameServices();
    if (services == nullptr)
        return;
    if (!AnyLayoutHasTrain(this))
        services->StopTrainTimer();
    // The save question paused the trains; with this layout gone nothing holds them any more.
    services->SetTrainPause(FALSE);
}

void CCVNDoc::DeleteTestTrain(CPaint* train) {
    const auto found = std::find(m_testTrains.begin(), m_testTrains.end(), train);
    if (found == m_testTrains.end())
        return;
    m_testTrains.erase(found);
    train->ReleaseData();
    train->Remove3D();
    delete train;
    CMainFrameServices* services = GetMainFrameServices();
    if (services != nullptr && !AnyLayoutHasTrain(nullptr))
        services->StopTrainTimer();
}

void CCVNDoc::StepTrains(int ticks) {
    for (CPaint* train : m_testTrains) {
        CRunningTrain* running = CRunningTrain::Of(train);
        if (running == nullptr)
            continue;
        const bool wasRunning = running->IsRunning();
        running->StepTrain(ticks);
        if (wasRunning && !running->IsRunning())
            m_tool.ShowTrainStatus(*running);
    }
}

void CCVNDoc::StopTrainsOn(CPaint* piece) {
    for (CPaint* train : m_testTrains)
        if (CRunningTrain* running = CRunningTrain::Of(train))
            running->ForgetPiece(piece);
}

BOOL CCVNDoc::AnyDocumentHasTrain() const {
    return AnyLayoutHasTrain(nullptr) || !m_testTrains.empty();
}

void CCVNDoc::StartTrainTimer() {
    if (CMainFrameServices* services = GetMainFrameServices())
        services->StartTrainTimer();
}

BOOL CCVNDoc::IsTrainTimerRunning() const {
    const CMainFrameServices* services = GetMainFrameServices();
    return services != nullptr && services->IsTrainTimerRunning();
}

// ---- Views and frames ----

void CCVNDoc::InvalidateAllViews() {
    for (CView* view : Views()) {
        view->Invalidate(FALSE);
        view->UpdateWindow();
    }
}

std::vector<CPlanViewServices*> CCVNDoc::PlanViews() const {
    std::vector<CPlanViewServices*> plans;
    for (CView* view : Views())
        if (auto* plan = dynamic_cast<CPlanViewServices*>(view))
            plans.push_back(plan);
    return plans;
}

CView* CCVNDoc::FindPlanView() const {
    const std::vector<CPlanViewServices*> plans = PlanViews();
    return plans.empty() ? nullptr : dynamic_cast<CView*>(plans.front());
}

CView* CCVNDoc::ActivePlanView() const {
    CFrameWnd* child = ActiveChildFrame();
    CView* active = child != nullptr ? child->GetActiveView() : nullptr;
    if (active != nullptr && active->GetDocument() == this &&
        dynamic_cast<CPlanViewServices*>(active) != nullptr)
        return active;
    return FindPlanView();
}

BOOL CCVNDoc::GetPlanViewCentre(int& centreX, int& centreY) const {
    auto* plan = dynamic_cast<CPlanViewServices*>(ActivePlanView());
    const CPoint centre = plan != nullptr ? plan->GetCenterPoint() : CPoint(0, 0);
    centreX = centre.x;
    centreY = centre.y;
    return plan != nullptr;
}

BOOL CCVNDoc::GetPlanScrollSize(int& width, int& height) const {
    auto* plan = dynamic_cast<CScrollView*>(ActivePlanView());
    const CSize size = plan != nullptr ? plan->GetTotalSize() : CSize(0, 0);
    width = size.cx;
    height = size.cy;
    return plan != nullptr;
}

BOOL CCVNDoc::InvalidatePlanView(int& centreX, int& centreY) {
    if (CView* plan = ActivePlanView())
        plan->Invalidate(FALSE);
    return GetPlanViewCentre(centreX, centreY);
}

// Every plan view repaints the same change, each at its own zoom, before the area is emptied.
void CCVNDoc::RepaintDirtyViews() {
    const std::vector<CPlanViewServices*> plans = PlanViews();
    bool held = plans.empty();
    for (CPlanViewServices* plan : plans) held = !plan->RepaintMarkedArea() || held;
    if (!held)
        m_tool.ForgetDirtyArea();
}

CFrameWnd* CCVNDoc::Get3DFrame() const {
    // The frame counts only while it still shows this layout, so a closed one is never used.
    for (CFrameWnd* frame : Frames())
        if (frame == m_p3DFrame)
            return frame;
    return nullptr;
}

C3DViewServices* CCVNDoc::Active3DView() const {
    CFrameWnd* frame = Get3DFrame();
    return frame != nullptr ? dynamic_cast<C3DViewServices*>(frame->GetActiveView()) : nullptr;
}

void CCVNDoc::RenderActive3DView() {
    if (C3DViewServices* view = Active3DView())
        view->MarkForRender();
}

void CCVNDoc::OnOpen2DView() {
    if (CView* plan = FindPlanView()) {
        if (CFrameWnd* frame = plan->GetParentFrame())
            frame->BringWindowToTop();
        return;
    }
    CDocTemplate* plan = PlanTemplate();
    if (plan == nullptr)
        return;
    CFrameWnd* frame = plan->CreateNewFrame(this, Get3DFrame());
    if (frame != nullptr)
        plan->InitialUpdateFrame(frame, this);
}

void CCVNDoc::OnUpdateOpen2DView(CCmdUI* cmdUI) {
    if (CFrameWnd* frame3D = Get3DFrame()) {
        cmdUI->SetCheck(ActiveChildFrame() != frame3D ? 1 : 0);
        return;
    }
    if (FindPlanView() != nullptr)
        cmdUI->SetCheck(1);
}

void CCVNDoc::OnUpdateChooseActiveLayer(CCmdUI* cmdUI) {
    auto* selector = dynamic_cast<CComboBox*>(cmdUI->m_pOther);
    if (selector == nullptr || selector->GetDroppedState())
        return;
    if (selector->GetCurSel() != GetActiveLayer())
        selector->SetCurSel(GetActiveLayer());
}

// ---- The track wizard ----

bool CCVNDoc::CreateWizardPages() {
    if (m_wizardPages.front() != nullptr)
        return true;
    std::array<std::unique_ptr<CPropertyPage>, kWizardPageCount> pages;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        pages[i] = CreateByName<CPropertyPage>(kWizardPageClasses[i]);
        if (pages[i] == nullptr)
            return false;
    }
    m_wizardPages = std::move(pages);
    return true;
}

void CCVNDoc::OnTrackWizard() {
    std::unique_ptr<CPropertySheet> sheet = CreateByName<CPropertySheet>(kWizardSheetClass);
    if (sheet == nullptr || !CreateWizardPages())
        return;
    sheet->SetTitle(kWizardCaption);
    for (const std::unique_ptr<CPropertyPage>& page : m_wizardPages) sheet->AddPage(page.get());
    sheet->SetActivePage(m_nWizardPage);
    if (sheet->DoModal() != IDOK)
        return;
    CFrameWnd* child = ActiveChildFrame();
    if (CView* view = child != nullptr ? child->GetActiveView() : nullptr)
        view->Invalidate(FALSE);
}
