#include <gtest/gtest.h>

#include "model/CCVNDoc.h"
#include "model/CMainFrameServices.h"
#include "model/CPlanViewServices.h"
#include "model/CRunningTrain.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CPropertyPage.h"
#include "platform/ctl/CPropertySheet.h"
#include "platform/ctl/DataExchange.h"
#include "platform/ctl/DialogTemplate.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/CMDIFrameWnd.h"
#include "platform/win/CMultiDocTemplate.h"
#include "platform/win/CScrollView.h"
#include "platform/win/CView.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WindowManager.h"
#include "resources/StringTable.h"
#include "tests/model/TestLayout.h"
#include "track/TrackPieces.h"

// The layout document among windows: a small program with plan and 3D windows of the names
// the document looks for, and a main window that gives the document its services.

class CCVNView : public CScrollView, public CPlanViewServices {
    DECLARE_DYNCREATE(CCVNView)
  public:
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override {
        SetScrollSizes(MM_LOMETRIC, CSize(20000, 10000));
        CScrollView::OnInitialUpdate();
    }
    void SetZoom(double zoom) override { m_fZoom = zoom; }
    bool RepaintMarkedArea() override {
        ++m_nDirtyRepaints;
        return true;
    }
    CPoint GetCenterPoint() override { return CPoint(4000, -3000); }
    void EndPointEntry() override {}

    double m_fZoom = 2.0;
    int m_nDirtyRepaints = 0;
};
IMPLEMENT_DYNCREATE(CCVNView, CScrollView)

// A layout whose Document Setup is confirmed at once.
class CConfirmingDoc : public CCVNDoc {
    DECLARE_DYNCREATE(CConfirmingDoc)

  protected:
    BOOL RunDocumentSetupDialog() override { return TRUE; }
};
IMPLEMENT_DYNCREATE(CConfirmingDoc, CCVNDoc)

class C3DView : public CView {
    DECLARE_DYNCREATE(C3DView)
  public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(C3DView, CView)

class CPlanChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CPlanChildFrame)
};
IMPLEMENT_DYNCREATE(CPlanChildFrame, CMDIChildWnd)

class C3DChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(C3DChildFrame)
};
IMPLEMENT_DYNCREATE(C3DChildFrame, CMDIChildWnd)

// A wizard of eleven pages, each holding one number typed into its field.
constexpr UINT kWizardPageTemplate = 9400;
constexpr UINT kWizardField = 2001;

class CTestWizardPage : public CPropertyPage {
    DECLARE_DYNAMIC(CTestWizardPage)

  public:
    CTestWizardPage() : CPropertyPage(kWizardPageTemplate) {}
    int m_nValue = 1;

  protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, kWizardField, m_nValue); }
};

IMPLEMENT_DYNAMIC(CTestWizardPage, CPropertyPage)

class CSheetWizard : public CPropertySheet {
    DECLARE_DYNCREATE(CSheetWizard)
};
IMPLEMENT_DYNCREATE(CSheetWizard, CPropertySheet)

#define WIZARD_PAGE(name)                              \
    class name : public CTestWizardPage {              \
        DECLARE_DYNCREATE(name)                        \
    };                                                 \
    IMPLEMENT_DYNCREATE(name, CTestWizardPage)
WIZARD_PAGE(CPageStraightTrack)
WIZARD_PAGE(CPageCurved)
WIZARD_PAGE(CPageCrossover)
WIZARD_PAGE(CPageCrossing)
WIZARD_PAGE(CPageSlipSwitch)
WIZARD_PAGE(CPageTurnout)
WIZARD_PAGE(CPage3Way)
WIZARD_PAGE(CPageCurvedTurnout)
WIZARD_PAGE(CPageTurnTable)
WIZARD_PAGE(CPageHelix)
WIZARD_PAGE(CPageSpiral)

namespace {

constexpr UINT kMainFrameResource = 9300;

class TestMainFrame : public CMDIFrameWnd, public CMainFrameServices {
  public:
    void SetTrainPause(BOOL paused) override { pauses.push_back(paused); }
    void StartTrainTimer() override { timerRunning = TRUE; }
    void StopTrainTimer() override {
        ++timerStops;
        timerRunning = FALSE;
    }
    BOOL IsTrainTimerRunning() const override { return timerRunning; }
    CPaintList* GetClipboardList() override { return &clipboard; }
    void ShowActiveLayer(int layer) override { shownLayer = layer; }
    void UpdateStatusPanes() override { ++statusUpdates; }
    void GetPrintableSize(int& width, int& height) const override {
        width = 19000;
        height = 26000;
    }

    std::vector<BOOL> pauses;
    int timerStops = 0;
    BOOL timerRunning = FALSE;
    int shownLayer = -1;
    int statusUpdates = 0;
    CPaintList clipboard;
};

class LayoutApp : public CWinApp {
  public:
    LayoutApp() : CWinApp("Layouts") {}
    BOOL InitInstance() override {
        AddDocTemplate(new CMultiDocTemplate(IDR_CVNTYPE, RUNTIME_CLASS(CConfirmingDoc), RUNTIME_CLASS(CPlanChildFrame),
                                             RUNTIME_CLASS(CCVNView)));
        auto* main = new TestMainFrame;
        if (!main->LoadFrame(kMainFrameResource, WS_OVERLAPPEDWINDOW))
            return FALSE;
        m_pMainWnd = main;
        main->MoveWindow(0, 0, 900, 700);
        main->ShowWindow(SW_SHOW);
        return TRUE;
    }
    TestMainFrame& Main() const { return *static_cast<TestMainFrame*>(m_pMainWnd); }
};

class RecordingCmdUI : public CCmdUI {
  public:
    explicit RecordingCmdUI(UINT id, CWnd* other = nullptr) {
        m_nID = id;
        m_pOther = other;
    }
    void SetCheck(int check) override { m_nCheck = check; }
    int m_nCheck = -1;
};

class DocumentWindows : public testing::Test {
  protected:
    void SetUp() override {
        RegisterTrackPieces();
        RegisterDialogTemplate(DialogTemplate(
            kWizardPageTemplate, "Piece", WS_CHILD, CRect(0, 0, 120, 40),
            {{kWizardField, WC_EDIT, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, CRect(7, 7, 80, 21)}}));
        WindowManager::Instance().Reset();
        ASSERT_TRUE(app.InitInstance());
        host.RunUntilIdle();
    }
    void TearDown() override {
        for (CDocTemplate* docTemplate : app.Templates())
            for (CDocument* document : docTemplate->Documents()) document->SetModifiedFlag(FALSE);
        if (IsWindow(app.m_pMainWnd))
            app.m_pMainWnd->SendMessage(WM_CLOSE);
        EXPECT_TRUE(host.UnansweredModals().empty());
    }

    CCVNDoc* NewLayout() {
        app.m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_NEW);
        host.RunUntilIdle();
        CMDIChildWnd* child = app.Main().MDIGetActive();
        return child != nullptr ? dynamic_cast<CCVNDoc*>(child->GetActiveDocument()) : nullptr;
    }
    CFrameWnd* Open3DWindow(CCVNDoc& doc) {
        CFrameWnd* frame = doc.Get3DTemplate()->CreateNewFrame(&doc, nullptr);
        if (frame == nullptr)
            return nullptr;
        doc.Get3DTemplate()->InitialUpdateFrame(frame, &doc);
        doc.Set3DFrame(frame);
        host.RunUntilIdle();
        return frame;
    }
    int Open2DViewCheck(CCVNDoc& doc) {
        RecordingCmdUI cmdUI(ID_OPEN_2D_VIEW);
        EXPECT_TRUE(doc.OnCmdMsg(ID_OPEN_2D_VIEW, CN_UPDATE_COMMAND_UI, &cmdUI, nullptr));
        return cmdUI.m_nCheck;
    }
    static int PlanViews(const CCVNDoc& doc) {
        int count = 0;
        for (CView* view : doc.Views()) count += dynamic_cast<CCVNView*>(view) != nullptr ? 1 : 0;
        return count;
    }
    static bool NeedsPainting(CWnd* window) {
        CRect rect;
        return window->GetUpdateRect(&rect) != FALSE;
    }

    HeadlessHost host;
    LayoutApp app;
};

}  // namespace

TEST_F(DocumentWindows, Open2DViewRaisesThePlanWindowOrMakesOne) {
    CCVNDoc* doc = NewLayout();
    ASSERT_NE(doc, nullptr);
    CFrameWnd* plan = app.Main().MDIGetActive();
    EXPECT_EQ(Open2DViewCheck(*doc), 1);

    CFrameWnd* window3D = Open3DWindow(*doc);
    ASSERT_NE(window3D, nullptr);
    EXPECT_EQ(doc->Get3DFrame(), window3D);
    EXPECT_TRUE(doc->Has3DWindow());
    app.Main().MDIActivate(window3D);
    EXPECT_EQ(Open2DViewCheck(*doc), 0);

    // The plan window is raised, not doubled.
    doc->OnCmdMsg(ID_OPEN_2D_VIEW, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(PlanViews(*doc), 1);
    EXPECT_EQ(plan->GetParent()->Children().back(), plan);
    app.Main().MDIActivate(plan);
    EXPECT_EQ(Open2DViewCheck(*doc), 1);

    // With only the 3D window left, the layout stays open and gets a new plan window.
    plan->DestroyWindow();
    host.RunUntilIdle();
    ASSERT_EQ(app.Templates().front()->Documents().size(), 1u);
    EXPECT_EQ(PlanViews(*doc), 0);
    doc->OnCmdMsg(ID_OPEN_2D_VIEW, CN_COMMAND, nullptr, nullptr);
    host.RunUntilIdle();
    EXPECT_EQ(PlanViews(*doc), 1);
    EXPECT_EQ(doc->FrameCount(), 2);

    // A closed 3D window is forgotten.
    window3D->DestroyWindow();
    host.RunUntilIdle();
    EXPECT_EQ(doc->Get3DFrame(), nullptr);
    EXPECT_EQ(Open2DViewCheck(*doc), 1);
}

TEST_F(DocumentWindows, TheLayerSelectorFollowsTheActiveLayer) {
    CCVNDoc* doc = NewLayout();
    ASSERT_NE(doc, nullptr);
    CComboBox selector;
    ASSERT_TRUE(selector.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(10, 10, 90, 110),
                                &app.Main(), ID_CHOOSE_ACTIVE_LAYER));
    for (int layer = 0; layer < 8; ++layer) selector.AddString(CString("Layer ") + char('0' + layer));
    selector.SetCurSel(0);

    doc->SetActiveLayer(3);
    RecordingCmdUI cmdUI(ID_CHOOSE_ACTIVE_LAYER, &selector);
    EXPECT_TRUE(doc->OnCmdMsg(ID_CHOOSE_ACTIVE_LAYER, CN_UPDATE_COMMAND_UI, &cmdUI, nullptr));
    EXPECT_EQ(selector.GetCurSel(), 3);

    // While the user has the list open the selector is left alone.
    selector.ShowDropDown(TRUE);
    doc->SetActiveLayer(5);
    doc->OnCmdMsg(ID_CHOOSE_ACTIVE_LAYER, CN_UPDATE_COMMAND_UI, &cmdUI, nullptr);
    EXPECT_EQ(selector.GetCurSel(), 3);
    selector.ShowDropDown(FALSE);

    // A hidden layer chosen as active is shown, and the main window's selector told.
    doc->SetLayerVisible(6, 0);
    doc->SetActiveLayer(6);
    doc->OnActiveLayerChanged();
    EXPECT_EQ(app.Main().shownLayer, 6);
    EXPECT_EQ(doc->m_tool.m_bLayerShown[6], 1);
    selector.DestroyWindow();
}

TEST_F(DocumentWindows, TheSaveQuestionPausesTheTrainsAndClosingLetsThemGo) {
    CCVNDoc* doc = NewLayout();
    ASSERT_NE(doc, nullptr);
    doc->SetModifiedFlag();
    CFrameWnd* plan = app.Main().MDIGetActive();

    host.AnswerMessageBox(IDCANCEL);
    plan->SendMessage(WM_CLOSE);
    host.RunUntilIdle();
    EXPECT_EQ(app.Main().pauses, (std::vector<BOOL>{TRUE, FALSE}));
    ASSERT_TRUE(IsWindow(plan));

    // A second layout holding a train keeps the timer: the first one's close only ends the pause.
    CCVNDoc* other = NewLayout();
    ASSERT_NE(other, nullptr);
    other->m_testTrains.push_back(new CTestShape(&other->m_tool));
    doc->m_testTrains.push_back(new CTestShape(&doc->m_tool));
    app.Main().pauses.clear();
    host.AnswerMessageBox(IDNO);
    plan->SendMessage(WM_CLOSE);
    host.RunUntilIdle();
    EXPECT_FALSE(IsWindow(plan));
    EXPECT_EQ(app.Main().pauses, (std::vector<BOOL>{TRUE, FALSE}));
    EXPECT_EQ(app.Main().timerStops, 0);

    // The last layout with trains stops the timer as it goes.
    app.Main().pauses.clear();
    app.Main().MDIGetActive()->SendMessage(WM_CLOSE);
    host.RunUntilIdle();
    EXPECT_TRUE(app.Templates().front()->Documents().empty());
    EXPECT_EQ(app.Main().timerStops, 1);
    EXPECT_EQ(app.Main().pauses, (std::vector<BOOL>{TRUE, FALSE}));
}

TEST_F(DocumentWindows, ClosingAWindowRepaintsEveryPlanWindow) {
    CCVNDoc* first = NewLayout();
    CCVNDoc* second = NewLayout();
    ASSERT_TRUE(first != nullptr && second != nullptr);
    app.m_pMainWnd->SendMessage(WM_COMMAND, ID_WINDOW_NEW);
    host.RunUntilIdle();
    CFrameWnd* extra = app.Main().MDIGetActive();
    ASSERT_EQ(extra->GetActiveDocument(), second);
    CView* firstView = first->Views().front();
    ASSERT_FALSE(NeedsPainting(firstView));

    extra->DestroyWindow();
    EXPECT_TRUE(NeedsPainting(firstView));
    host.RunUntilIdle();
    EXPECT_FALSE(NeedsPainting(firstView));

    second->OnCloseDocument();
    EXPECT_TRUE(NeedsPainting(firstView));
    EXPECT_EQ(app.Templates().front()->Documents().size(), 1u);
}

TEST_F(DocumentWindows, TheMainWindowsServicesReachTheEngine) {
    CCVNDoc* doc = NewLayout();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetClipboard(), &app.Main().clipboard);

    auto* shape = new CTestShape(&doc->m_tool);
    doc->m_rootGroup.m_members.push_back(shape);
    shape->Select();
    doc->m_tool.CopySelection();
    EXPECT_EQ(app.Main().clipboard.size(), 1u);

    const int before = app.Main().statusUpdates;
    doc->m_tool.UpdateStatus();
    EXPECT_GT(app.Main().statusUpdates, before);

    // Closing the layout leaves the clipboard, which every layout shares, as it was.
    doc->OnCloseDocument();
    ASSERT_EQ(app.Main().clipboard.size(), 1u);
    CPaint* copy = app.Main().clipboard.front();
    app.Main().clipboard.clear();
    copy->ReleaseData();
    delete copy;
}

TEST_F(DocumentWindows, TheTrackWizardKeepsItsPagesBetweenUses) {
    CCVNDoc* doc = NewLayout();
    ASSERT_NE(doc, nullptr);
    doc->m_nWizardPage = 2;
    int activeIndex = -1;
    host.WhenModal("Track wizard", [&](CWnd& modal) {
        auto& sheet = dynamic_cast<CPropertySheet&>(modal);
        activeIndex = sheet.GetActiveIndex();
        sheet.GetActivePage()->GetDlgItem(kWizardField)->SetWindowText("42");
        sheet.PressButton(PSBTN_OK);
    });
    // The plan window sits in a corner, away from the sheet, so only the wizard's own
    // repaint can leave it needing paint.
    CView* view = doc->Views().front();
    view->GetParentFrame()->MoveWindow(0, 0, 160, 110);
    host.RunUntilIdle();
    doc->OnCmdMsg(ID_TRACK_WIZARD, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(activeIndex, 2);
    EXPECT_TRUE(NeedsPainting(view));
    CPropertyPage* third = doc->m_wizardPages[2].get();
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(CString(third->GetRuntimeClass()->m_lpszClassName), "CPageCrossover");
    EXPECT_EQ(static_cast<CTestWizardPage*>(third)->m_nValue, 42);

    // The second use shows the same pages with what was typed the first time.
    CString shown;
    host.WhenModal("Track wizard", [&](CWnd& modal) {
        auto& sheet = dynamic_cast<CPropertySheet&>(modal);
        sheet.GetActivePage()->GetDlgItem(kWizardField)->GetWindowText(shown);
        sheet.PressButton(PSBTN_CANCEL);
    });
    doc->OnCmdMsg(ID_TRACK_WIZARD, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(shown, "42");
    EXPECT_EQ(doc->m_wizardPages[2].get(), third);
}

namespace {

class CStepCountingTrain : public CTestShape, public CRunningTrain {
  public:
    CStepCountingTrain(CTool* tool, std::vector<std::pair<int, int>>& log, int name)
        : CTestShape(tool), m_log(log), m_nName(name) {}
    void StepTrain(int ticks) override { m_log.emplace_back(m_nName, ticks); }

  private:
    std::vector<std::pair<int, int>>& m_log;
    int m_nName;
};

}  // namespace

TEST_F(DocumentWindows, TrainsStepInListOrderAndTheLastOneGoneStopsTheTimer) {
    CCVNDoc* doc = NewLayout();
    ASSERT_NE(doc, nullptr);
    std::vector<std::pair<int, int>> steps;
    auto* first = new CStepCountingTrain(&doc->m_tool, steps, 1);
    auto* second = new CStepCountingTrain(&doc->m_tool, steps, 2);
    doc->m_testTrains = {first, second};
    doc->StepTrains(3);
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}}));

    doc->DeleteTestTrain(first);
    EXPECT_EQ(app.Main().timerStops, 0);
    doc->DeleteTestTrain(second);
    EXPECT_TRUE(doc->m_testTrains.empty());
    EXPECT_EQ(app.Main().timerStops, 1);
}

TEST_F(DocumentWindows, TheEngineWorksInTheActivePlanView) {
    CCVNDoc* doc = NewLayout();
    ASSERT_NE(doc, nullptr);
    auto* view = dynamic_cast<CCVNView*>(doc->Views().front());
    ASSERT_NE(view, nullptr);

    // Zooming is bounded by the plan view's scroll size: 20000 doubled passes 32000.
    EXPECT_EQ(doc->m_tool.CanZoomIn(), 0);
    EXPECT_EQ(doc->m_tool.CanZoomOut(), 1);

    // Pasted objects land in the middle of the plan window (the shape has no extent: its
    // placement is its middle).
    auto* shape = new CTestShape(&doc->m_tool);
    doc->m_rootGroup.m_members.push_back(shape);
    shape->Select();
    doc->m_tool.CopySelection();
    doc->m_tool.Paste();
    ASSERT_EQ(doc->m_rootGroup.m_members.size(), 2u);
    const CPaint* pasted = doc->m_rootGroup.m_members.front() == shape ? doc->m_rootGroup.m_members.back()
                                                                        : doc->m_rootGroup.m_members.front();
    const CDoublePoint centre = doc->m_tool.DeviceToLayout(4000, -3000);
    EXPECT_NEAR(pasted->m_pose.x, centre.x, 1e-6);
    EXPECT_NEAR(pasted->m_pose.y, centre.y, 1e-6);
    for (CPaint* copy : app.Main().clipboard) {
        copy->ReleaseData();
        delete copy;
    }
    app.Main().clipboard.clear();

    // A confirmed Document Setup takes every plan view back to zoom 1.
    doc->OnCmdMsg(ID_DOCUMENT_SETUP, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(view->m_fZoom, 1.0);

    doc->m_tool.RepaintAllViews();
    EXPECT_EQ(view->m_nDirtyRepaints, 1);

    int width = 0, height = 0;
    doc->GetPrintableSize(width, height);
    EXPECT_EQ(width, 19000);
    EXPECT_EQ(height, 26000);
}
