#include <filesystem>
#include <fstream>
#include <memory>

#include "model/CCVNDoc.h"
#include "model/CDataFolders.h"
#include "model/Units.h"
#include "platform/base/CProfile.h"
#include "platform/base/CWinPath.h"
#include "platform/cdlg/CColorDialog.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/cdlg/FolderListing.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CListCtrl.h"
#include "platform/ctl/CTabCtrl.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CMultiDocTemplate.h"
#include "platform/win/CView.h"
#include "platform/win/CWinApp.h"
#include "resources/CommandIds.h"
#include "resources/PreferencePagesTemplates.h"
#include "shell/CPreferenceSheet.h"
#include "shell/PlanDialogs.h"
#include "tests/shell/DialogDriving.h"
#include "tests/support/TestFolder.h"
#include "tests/support/WorkingFolderKept.h"
#include "track/TrackPieces.h"

namespace {
constexpr int kInchesDecimal = 4;
constexpr int kMillimetres = 8;
constexpr UINT kLayoutTemplate = 2;

// Two open layouts under the program's layout template, with the program folder and the
// profile in the test's own folder.
class PreferenceSheetTest : public DialogDriving {
  protected:
    void SetUp() override {
        DialogDriving::SetUp();
        RegisterTrackPieces();
        m_previousBase = CDataFolders::GetBaseFolder();
        CDataFolders::SetBaseFolder(CWinPath::FromReal(m_folder.Path()) + "\\");
        m_previousProfile = CProfile::Program().GetPath();
        CProfile::Program().SetPath(m_folder / "corvane.ini");
        InstallPlanDialogs();
        layouts = new CMultiDocTemplate(kLayoutTemplate, RUNTIME_CLASS(CCVNDoc), RUNTIME_CLASS(CFrameWnd),
                                        RUNTIME_CLASS(CView));
        app.AddDocTemplate(layouts);
        for (auto* document : {&first, &second}) {
            *document = std::make_unique<CCVNDoc>();
            (*document)->m_bAutoDelete = false;
            layouts->AddDocument(document->get());
        }
        first->m_nUnitIndex = kMillimetres;
        first->m_bGridShown = 1;
    }
    void TearDown() override {
        for (auto* document : {&first, &second}) layouts->RemoveDocument(document->get());
        CCVNDoc::InstallDialogs({});
        CProfile::Program().SetPath(m_previousProfile);
        CDataFolders::SetBaseFolder(m_previousBase);
        DialogDriving::TearDown();
    }

    // The Preferences command of the first layout, with the sheet driven by action.
    void RunPreferences(std::function<void(CPreferenceSheet&)> action) {
        host.WhenModal("Preferences",
                       [action](CWnd& modal) { action(static_cast<CPreferenceSheet&>(modal)); });
        first->OnCmdMsg(ID_PREFERENCES, CN_COMMAND, nullptr, nullptr);
    }
    // Turns to another page and answers the message box that a refusal shows, if any.
    CString TurnRefused(CPreferenceSheet& sheet, int page) {
        const size_t boxes = host.MessageBoxes().size();
        host.AnswerMessageBox(IDOK);
        EXPECT_FALSE(sheet.SetActivePage(page));
        return host.MessageBoxes().size() > boxes ? host.MessageBoxes().back().text : CString();
    }
    CString Length(double length) const {
        CString text;
        first->FormatLength(text, length);
        return text;
    }

    CWinApp app{"Layouts"};
    CMultiDocTemplate* layouts = nullptr;
    std::unique_ptr<CCVNDoc> first;
    std::unique_ptr<CCVNDoc> second;
    TestFolder m_folder;
    WorkingFolderKept m_workingFolder;
    CString m_previousBase;
    std::filesystem::path m_previousProfile;
};
}  // namespace

TEST_F(PreferenceSheetTest, PagesLoadRefuseBadNumbersAndApplyToEveryOpenLayout) {
    std::vector<CString> refusals;
    CString gridShown, gradeShown, angleShown, bendShown, handleShown;
    int unitShown = -1;
    RunPreferences([&](CPreferenceSheet& sheet) {
        CMetricPage& metric = sheet.m_metricPage;
        EXPECT_EQ(sheet.GetActivePage(), &metric);
        unitShown = static_cast<CComboBox*>(metric.GetDlgItem(IDC_METRIC_UNITS))->GetCurSel();
        gridShown = TextOf(metric.GetDlgItem(IDC_METRIC_GRID_WIDTH));
        // A grid step of nothing would never end the grid.
        Retype(metric.GetDlgItem(IDC_METRIC_GRID_WIDTH), "0");
        refusals.push_back(TurnRefused(sheet, 2));
        EXPECT_EQ(CWnd::GetFocus(), metric.GetDlgItem(IDC_METRIC_GRID_WIDTH));
        Retype(metric.GetDlgItem(IDC_METRIC_GRID_WIDTH), "-5");
        refusals.push_back(TurnRefused(sheet, 2));
        Retype(metric.GetDlgItem(IDC_METRIC_GRID_WIDTH), "50");

        ASSERT_TRUE(sheet.SetActivePage(2));
        CTrainPage& train = sheet.m_trainPage;
        gradeShown = TextOf(train.GetDlgItem(IDC_TRAIN_GRADE));
        angleShown = TextOf(train.GetDlgItem(IDC_TRAIN_ANGLE));
        bendShown = TextOf(train.GetDlgItem(IDC_TRAIN_BEND_DEFORMATION));
        Retype(train.GetDlgItem(IDC_TRAIN_BEND_DEFORMATION), "1.5");
        refusals.push_back(TurnRefused(sheet, 3));
        EXPECT_EQ(CWnd::GetFocus(), train.GetDlgItem(IDC_TRAIN_BEND_DEFORMATION));
        Retype(train.GetDlgItem(IDC_TRAIN_BEND_DEFORMATION), "0.25");
        Retype(train.GetDlgItem(IDC_TRAIN_GRADE), "steep");
        refusals.push_back(TurnRefused(sheet, 3));
        Retype(train.GetDlgItem(IDC_TRAIN_GRADE), "4");

        ASSERT_TRUE(sheet.SetActivePage(3));
        COtherPage& other = sheet.m_otherPage;
        handleShown = TextOf(other.GetDlgItem(IDC_OTHER_HANDLE_SIZE));
        for (const char* typed : {"4.9", "50.5"}) {
            Retype(other.GetDlgItem(IDC_OTHER_HANDLE_SIZE), typed);
            host.AnswerMessageBox(IDOK);
            host.PressKey(VK_RETURN);
            refusals.push_back(host.MessageBoxes().back().text);
            EXPECT_EQ(CWnd::GetFocus(), other.GetDlgItem(IDC_OTHER_HANDLE_SIZE));
        }
        Retype(other.GetDlgItem(IDC_OTHER_HANDLE_SIZE), "20");
        Retype(other.GetDlgItem(IDC_OTHER_SNAP_RANGE), "100");
        host.PressKey(VK_RETURN);
    });
    EXPECT_TRUE(host.UnansweredModals().empty());
    EXPECT_EQ(unitShown, kMillimetres);
    EXPECT_EQ(gridShown, Length(1270.0));
    EXPECT_EQ(gradeShown, "10");
    EXPECT_EQ(angleShown, "10");
    EXPECT_EQ(bendShown, "0.1");
    EXPECT_EQ(handleShown, "10");
    EXPECT_EQ(refusals,
              (std::vector<CString>{
                  "Please enter a grid size between 0.100 and 64000.000.",
                  "Please enter a grid size between 0.100 and 64000.000.",
                  "Please enter a number between 0 and 1.", "Please enter a number between 0 and 100.",
                  "Please enter a number between 5 and 50.", "Please enter a number between 5 and 50."}));

    EXPECT_EQ(first->m_nGridWidth, 500);
    EXPECT_EQ(first->m_nGridHeight, 1270);
    EXPECT_EQ(first->m_limits.bendLimit, 0.75);
    EXPECT_EQ(first->m_limits.maxGrade, 4.0);
    // The angle was not touched: it stays as the layout had it, not as the field rounds it.
    EXPECT_EQ(first->m_limits.maxAngle, TrackLimits().maxAngle);
    // Snap range and handle size reach every open layout; the rest stays with the first.
    for (CCVNDoc* document : {first.get(), second.get()}) {
        EXPECT_EQ(document->m_tool.m_fHandleSize, 20.0);
        EXPECT_EQ(document->m_tool.m_fSnapDistance, 1000.0);
    }
    EXPECT_EQ(second->m_limits.bendLimit, 0.9);
    EXPECT_EQ(second->m_nGridWidth, 1270);
    EXPECT_FALSE(std::filesystem::exists(m_folder / "DefTrack.Dat"));
}

TEST_F(PreferenceSheetTest, SaveAsDefaultWritesTheTrackAndTheSettingsThatNewLayoutsStartWith) {
    RunPreferences([&](CPreferenceSheet& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(3));
        Retype(sheet.m_otherPage.GetDlgItem(IDC_OTHER_HANDLE_SIZE), "25");
        ASSERT_TRUE(sheet.SetActivePage(2));
        Retype(sheet.m_trainPage.GetDlgItem(IDC_TRAIN_BEND_DEFORMATION), "0.5");
        host.ClickClient(&sheet.m_saveAsDefaultCheck, CPoint(3, 3));
        EXPECT_EQ(sheet.m_saveAsDefaultCheck.GetCheck(), 1);
        host.ClickClient(sheet.GetDlgItem(IDOK), CPoint(3, 3));
    });
    ASSERT_TRUE(std::filesystem::exists(m_folder / "DefTrack.Dat"));
    ASSERT_TRUE(std::filesystem::exists(m_folder / "DefPref.Dat"));
    EXPECT_GT(std::filesystem::file_size(m_folder / "DefTrack.Dat"), 0U);
    EXPECT_GT(std::filesystem::file_size(m_folder / "DefPref.Dat"), 0U);
    // The default track goes first.
    EXPECT_LE(std::filesystem::last_write_time(m_folder / "DefTrack.Dat"),
              std::filesystem::last_write_time(m_folder / "DefPref.Dat"));

    CCVNDoc fresh;
    fresh.m_bAutoDelete = false;
    EXPECT_EQ(fresh.m_limits.bendLimit, 0.5);
    EXPECT_EQ(fresh.m_nUnitIndex, kMillimetres);
    EXPECT_TRUE(fresh.m_strSettingsWarning.IsEmpty());
}

TEST_F(PreferenceSheetTest, CancelKeepsTheSettingsButLeavingTheMetricsPageSetsTheGauge) {
    const int scale = first->m_nDefaultScaleIndex;
    RunPreferences([&](CPreferenceSheet& sheet) {
        auto* scales = static_cast<CComboBox*>(sheet.m_metricPage.GetDlgItem(IDC_METRIC_TRAIN_SCALE));
        scales->SetCurSel(15);
        Retype(sheet.m_metricPage.GetDlgItem(IDC_METRIC_GRID_HEIGHT), "10");
        ASSERT_TRUE(sheet.SetActivePage(3));
        Retype(sheet.m_otherPage.GetDlgItem(IDC_OTHER_HANDLE_SIZE), "30");
        host.ClickClient(&sheet.m_saveAsDefaultCheck, CPoint(3, 3));
        host.PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(first->m_nDefaultScaleIndex, scale);
    EXPECT_EQ(first->m_nGridHeight, 1270);
    EXPECT_EQ(first->m_tool.m_fHandleSize, 10.0);
    EXPECT_EQ(first->m_tool.m_fScaleGauge, ScaleTable[15].gauge);
    EXPECT_EQ(second->m_tool.m_fScaleGauge, 165.0);
    EXPECT_FALSE(std::filesystem::exists(m_folder / "DefTrack.Dat"));
}

TEST_F(PreferenceSheetTest, TheUnitChangeConvertsTheGridTextsAndRestoreShowsTheFactoryValues) {
    first->m_nUnitIndex = kInchesDecimal;
    first->m_nGridWidth = 127;
    first->m_limits.maxGrade = 3.0;
    CString inches, millimetres, back, restoredGrade, restoredAngle, restoredBend;
    bool disabledAtOpen = false, enabledWhenShown = false;
    first->m_bGridShown = 0;
    RunPreferences([&](CPreferenceSheet& sheet) {
        CMetricPage& metric = sheet.m_metricPage;
        disabledAtOpen = !metric.GetDlgItem(IDC_METRIC_GRID_WIDTH)->IsWindowEnabled() &&
                         !metric.GetDlgItem(IDC_METRIC_GRID_COLOR)->IsWindowEnabled();
        host.ClickClient(metric.GetDlgItem(IDC_METRIC_GRID_SHOWN), CPoint(3, 3));
        enabledWhenShown = metric.GetDlgItem(IDC_METRIC_GRID_WIDTH)->IsWindowEnabled() &&
                           metric.GetDlgItem(IDC_METRIC_WIDTH_LABEL)->IsWindowEnabled();
        inches = TextOf(metric.GetDlgItem(IDC_METRIC_GRID_WIDTH));
        auto* units = static_cast<CComboBox*>(metric.GetDlgItem(IDC_METRIC_UNITS));
        units->SetCurSel(kMillimetres);
        metric.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_METRIC_UNITS, CBN_SELENDOK),
                           reinterpret_cast<LPARAM>(units));
        millimetres = TextOf(metric.GetDlgItem(IDC_METRIC_GRID_WIDTH));
        units->SetCurSel(kInchesDecimal);
        metric.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_METRIC_UNITS, CBN_SELENDOK),
                           reinterpret_cast<LPARAM>(units));
        back = TextOf(metric.GetDlgItem(IDC_METRIC_GRID_WIDTH));
        units->SetCurSel(kMillimetres);
        metric.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_METRIC_UNITS, CBN_SELENDOK),
                           reinterpret_cast<LPARAM>(units));

        ASSERT_TRUE(sheet.SetActivePage(2));
        Retype(sheet.m_trainPage.GetDlgItem(IDC_TRAIN_CONNECTION_DISTANCE), "1");
        host.PressKey(VK_RETURN);
    });
    // Restore shows the factory values of the page on show; Cancel keeps them out.
    RunPreferences([&](CPreferenceSheet& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(2));
        host.ClickClient(&sheet.m_restoreButton, CPoint(3, 3));
        restoredGrade = TextOf(sheet.m_trainPage.GetDlgItem(IDC_TRAIN_GRADE));
        restoredAngle = TextOf(sheet.m_trainPage.GetDlgItem(IDC_TRAIN_ANGLE));
        restoredBend = TextOf(sheet.m_trainPage.GetDlgItem(IDC_TRAIN_BEND_DEFORMATION));
        host.PressKey(VK_ESCAPE);
    });
    EXPECT_TRUE(disabledAtOpen);
    EXPECT_TRUE(enabledWhenShown);
    EXPECT_EQ(inches, "0.500");
    EXPECT_EQ(millimetres, "12.700");
    EXPECT_EQ(back, "0.500");
    EXPECT_EQ(restoredGrade, "10");
    EXPECT_EQ(restoredAngle, "10");
    EXPECT_EQ(restoredBend, "0.1");
    // The grid is read in the new unit, the train page's lengths in the old one.
    EXPECT_EQ(first->m_nUnitIndex, kMillimetres);
    EXPECT_EQ(first->m_nGridWidth, 127);
    EXPECT_EQ(first->m_limits.maxConnectionDistance, 254.0);
    EXPECT_EQ(first->m_limits.maxGrade, 3.0);
    EXPECT_EQ(first->m_bGridShown, 1);
}

TEST_F(PreferenceSheetTest, DirectoriesAreCheckedInOrderAndWrittenToTheProfile) {
    std::filesystem::create_directory(m_folder / "BACKDROPS");
    std::filesystem::create_directory(m_folder / "TRAINS");
    const CString programFolder = CDataFolders::GetBaseFolder();
    const CString nativeFolder = PathText(m_folder.Path());
    // A relative folder of the profile is taken from the working folder, the program folder.
    CProfile::Program().WriteProfileString("Paths", "Trains", ".\\trains\\");
    const std::filesystem::path workingFolder = std::filesystem::current_path();
    std::filesystem::current_path(m_folder.Path());
    CString backdropsShown;
    CString trainsShown;
    RunPreferences([&](CPreferenceSheet& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(4));
        CDirectoryPage& page = sheet.m_directoryPage;
        backdropsShown = TextOf(page.GetDlgItem(IDC_DIR_BACKDROPS));
        trainsShown = TextOf(page.GetDlgItem(IDC_DIR_TRAINS));
        // Every other folder is missing; two are typed afresh, one without its separator.
        for (UINT id : {IDC_DIR_3D_OBJECTS, IDC_DIR_TEXTURES, IDC_DIR_3D_TEXTURES, IDC_DIR_3D_BITMAPS,
                        IDC_DIR_DATABASES, IDC_DIR_LIBRARIES, IDC_DIR_PATTERNS})
            Retype(page.GetDlgItem(id), nativeFolder + "/BACKDROPS/");
        Retype(page.GetDlgItem(IDC_DIR_BACKDROPS), nativeFolder + "/BACKDROPS");
        Retype(page.GetDlgItem(IDC_DIR_BITMAPS), "Z:\\NOWHERE\\");
        Retype(page.GetDlgItem(IDC_DIR_PATTERNS), nativeFolder + "/ELSEWHERE");
        host.AnswerMessageBox(IDOK);
        host.AnswerMessageBox(IDOK);
        // The page may be left all the same; it shows the folders with their separators.
        EXPECT_TRUE(sheet.SetActivePage(0));
        EXPECT_EQ(TextOf(page.GetDlgItem(IDC_DIR_BACKDROPS)), nativeFolder + "/BACKDROPS/");
        EXPECT_EQ(TextOf(page.GetDlgItem(IDC_DIR_PATTERNS)), nativeFolder + "/ELSEWHERE/");
        host.PressKey(VK_RETURN);
    });
    std::filesystem::current_path(workingFolder);
    EXPECT_EQ(backdropsShown, nativeFolder + "/BACKDROPS/");
    EXPECT_EQ(trainsShown, PathText(std::filesystem::canonical(m_folder.Path())) + "/TRAINS/");
    ASSERT_EQ(host.MessageBoxes().size(), 2U);
    EXPECT_EQ(host.MessageBoxes()[0].text, "Invalid path: /NOWHERE/");
    EXPECT_EQ(host.MessageBoxes()[0].type & MB_ICONMASK, MB_ICONSTOP);
    EXPECT_EQ(host.MessageBoxes()[1].text, "Invalid path: " + nativeFolder + "/ELSEWHERE/");
    // The profile keeps the stored form; a folder left as shown keeps its own text.
    const CProfile& profile = CProfile::Program();
    EXPECT_EQ(profile.GetProfileString("Paths", "Backdrops"), programFolder + "BACKDROPS\\");
    EXPECT_EQ(profile.GetProfileString("Paths", "Scripts"), programFolder + "BACKDROPS\\");
    EXPECT_EQ(profile.GetProfileString("Paths", "Trains"), ".\\trains\\");
    EXPECT_EQ(profile.GetProfileString("Paths", "Patterns"), programFolder + "ELSEWHERE\\");
    EXPECT_EQ(profile.GetProfileString("Paths", "Bitmaps"), "Z:\\NOWHERE\\");
}

TEST_F(PreferenceSheetTest, BrowsePicksABackdropFromTheProgramsBackdropFolder) {
    std::filesystem::create_directory(m_folder / "BACKDROPS");
    std::ofstream(m_folder / "BACKDROPS" / "hills.bmp") << "BM";
    first->m_strBackdrop = "";
    CString picked;
    RunPreferences([&](CPreferenceSheet& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(1));
        host.WhenModal("Open", [&](CWnd& open) {
            auto* files = static_cast<CListCtrl*>(open.GetDlgItem(lst1));
            ASSERT_EQ(files->GetItemCount(), 1);
            EXPECT_EQ(files->GetItemText(0, 0), "hills.bmp");
            EXPECT_EQ(TextOf(open.GetDlgItem(edt1)), "*.bmp");
            CRect item;
            files->GetItemRect(0, &item, LVIR_LABEL);
            host.ClickClient(files, item.CenterPoint());
            host.PressKey(VK_RETURN);
        });
        host.ClickClient(sheet.m_3DViewPage.GetDlgItem(IDC_3D_BROWSE_BACKDROP), CPoint(3, 3));
        picked = TextOf(sheet.m_3DViewPage.GetDlgItem(IDC_3D_BACKDROP));
        sheet.PressButton(PSBTN_OK);
    });
    // The edit shows the file as this system writes it; the layout keeps the stored form.
    EXPECT_EQ(picked, PathText(m_folder / "BACKDROPS" / "hills.bmp"));
    EXPECT_EQ(first->m_strBackdrop, CWinPath::FromReal(m_folder / "BACKDROPS" / "hills.bmp"));
    EXPECT_TRUE(host.UnansweredModals().empty());
}

TEST_F(PreferenceSheetTest, ColoursChosenOnThePagesReachTheLayoutAndCancelledOnesDoNot) {
    first->m_crGrid = RGB(1, 1, 1);
    first->m_crBackground = RGB(2, 2, 2);
    first->m_cr3DBackground = RGB(3, 3, 3);
    auto choose = [&](CWnd* button, COLORREF colour) {
        host.WhenModal("Color", [&, colour](CWnd& modal) {
            static_cast<CColorDialog&>(modal).SetCurrentColor(colour);
            host.PressKey(colour == RGB(0, 0, 0) ? VK_ESCAPE : VK_RETURN);
        });
        host.ClickClient(button, CPoint(3, 3));
    };
    RunPreferences([&](CPreferenceSheet& sheet) {
        choose(sheet.m_metricPage.GetDlgItem(IDC_METRIC_GRID_COLOR), RGB(10, 200, 30));
        choose(sheet.m_metricPage.GetDlgItem(IDC_METRIC_BACK_COLOR), RGB(0, 0, 0));
        ASSERT_TRUE(sheet.SetActivePage(1));
        choose(sheet.m_3DViewPage.GetDlgItem(IDC_3D_BACKGROUND), RGB(40, 50, 60));
        sheet.PressButton(PSBTN_OK);
    });
    EXPECT_EQ(first->m_crGrid, RGB(10, 200, 30));
    EXPECT_EQ(first->m_crBackground, RGB(2, 2, 2));
    EXPECT_EQ(first->m_cr3DBackground, RGB(40, 50, 60));
    EXPECT_TRUE(host.UnansweredModals().empty());
}
