#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "drawing/C2DPropertyDialog.h"
#include "drawing/CBox.h"
#include "drawing/CFillPage.h"
#include "drawing/CFramesPage.h"
#include "drawing/CLine1Page.h"
#include "drawing/CLinePage.h"
#include "drawing/DrawingPropertiesDialog.h"
#include "drawing/PropertiesClassSteps.h"
#include "model/CDataFolders.h"
#include "model/CPropertiesDialog.h"
#include "model/CToolMode.h"
#include "model/Units.h"
#include "platform/base/CWinPath.h"
#include "platform/cdlg/CFileDialog.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CTabCtrl.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/WindowManager.h"
#include "resources/DrawingPropertiesTemplates.h"
#include "resources/PatternEditTemplate.h"
#include "resources/Resources.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/support/DialogInput.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TestFolder.h"
#include "tests/support/TestPictures.h"
#include "ui/CPatternEditDialog.h"

namespace {

class PropertiesDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterResources();
        WindowManager::Instance().Reset();
        RegisterDrawingPropertiesDialog();
    }
    void TearDown() override {
        RegisterPropertiesDialog({});
        WindowManager::Instance().Reset();
    }
    CPaint* Place(int toolMode, double x1, double y1, double x3, double y3) {
        plan.tool.m_toolMode.Set(toolMode);
        plan.Drag(x1, y1, x3, y3);
        plan.tool.m_toolMode.Set(kToolSelector);
        return plan.Newest<CPaint>();
    }
    // Drops the picker's list and clicks one of its items.
    void Choose(CWnd* picker, int index) {
        auto& combo = *static_cast<CComboBox*>(picker);
        host.ClickClient(&combo, CPoint(20, 5));
        const int height = combo.GetItemHeight(0);
        host.ClickClient(&combo.DropList(), CPoint(20, index * height + height / 2));
    }
    void ClickTab(C2DPropertyDialog& dialog, int index) {
        DialogInput::ClickTab(host, dialog.GetDlgItem(IDC_PROPERTIES_TABS), index);
    }
    void Retype(CWnd* control, const CString& text) { DialogInput::Retype(host, control, text); }
    C2DPropertyDialog& Dialog(CWnd& window) { return *dynamic_cast<C2DPropertyDialog*>(&window); }

    HeadlessHost host;
    DrawingPlan plan;
};

}  // namespace

TEST_F(PropertiesDialogTest, WidthAndFillChosenOnThePagesGoToTheBoxAndOneUndoRestoresIt) {
    CPaint* box = Place(kToolBox, 100.0, 200.0, 400.0, 50.0);
    ASSERT_NE(box, nullptr);
    box->m_pen.style = 2;
    const PenRecord pen = box->m_pen;
    const BrushRecord brush = box->m_brush;
    const int fill = box->m_bFillOn;
    const int steps = plan.tool.GetUndoCount();

    host.WhenModal("2D Object properties", [&](CWnd& window) {
        C2DPropertyDialog& dialog = Dialog(window);
        ASSERT_EQ(dialog.GetPageCount(), 2);
        EXPECT_FALSE(dialog.GetDlgItem(IDC_APPLY_TO_SELECTED)->IsWindowEnabled());
        auto& line = *dynamic_cast<CLine1Page*>(dialog.GetPage(0));
        EXPECT_EQ(line.m_styleCombo.GetCurSel(), 2);
        Choose(&line.m_widthCombo, 2);
        EXPECT_EQ(line.m_styleCombo.GetCurSel(), 0);
        EXPECT_EQ(dialog.GetWorkingCopy()->m_pen.widthX, 3);
        ClickTab(dialog, 1);
        auto& fillPage = *dynamic_cast<CFillPage*>(dialog.GetPage(1));
        ASSERT_TRUE(fillPage.IsWindowVisible());
        EXPECT_FALSE(line.IsWindowVisible());
        EXPECT_FALSE(fillPage.GetDlgItem(IDC_PATTERN_ON)->IsWindowEnabled());
        host.ClickClient(fillPage.GetDlgItem(IDC_FILL_ON), CPoint(3, 3));
        EXPECT_TRUE(fillPage.GetDlgItem(IDC_PATTERN_ON)->IsWindowEnabled());
        host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(5, 5));
    });
    ASSERT_EQ(box->EditProperties(nullptr), 1);

    EXPECT_EQ(box->m_pen.widthX, 3);
    EXPECT_EQ(box->m_pen.widthY, 3);
    EXPECT_EQ(box->m_pen.style, 0);
    EXPECT_EQ(box->m_bFillOn, 1);
    EXPECT_EQ(box->m_brush.style, kBrushSolid);
    ASSERT_EQ(plan.tool.GetUndoCount(), steps + 1);
    plan.tool.Undo();
    EXPECT_EQ(box->m_pen, pen);
    EXPECT_EQ(box->m_brush, brush);
    EXPECT_EQ(box->m_bFillOn, fill);
}

TEST_F(PropertiesDialogTest, ANegativePriceIsRefusedAndCancelChangesNothing) {
    CPaint* line = Place(kToolLine, 100.0, 100.0, 300.0, 100.0);
    ASSERT_NE(line, nullptr);
    line->m_fPrice = 2.5;
    const int steps = plan.tool.GetUndoCount();
    host.WhenModal("2D Object properties", [&](CWnd& window) {
        C2DPropertyDialog& dialog = Dialog(window);
        EXPECT_EQ(dialog.GetPageCount(), 1);
        CString price;
        dialog.GetDlgItem(IDC_PROPERTIES_PRICE)->GetWindowText(price);
        EXPECT_EQ(price, "2.50");
        Retype(dialog.GetDlgItem(IDC_PROPERTIES_PRICE), "-1");
        host.AnswerMessageBox(IDOK);
        host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(5, 5));
        ASSERT_EQ(host.MessageBoxes().size(), 1U);
        EXPECT_EQ(host.MessageBoxes().back().text, "Please enter a price between 0.00 and 1000000000.00.");
        EXPECT_EQ(host.MessageBoxes().back().caption, "Corvane");
        EXPECT_EQ(CWnd::GetFocus(), dialog.GetDlgItem(IDC_PROPERTIES_PRICE));
        EXPECT_TRUE(dialog.IsWindowVisible());
        host.ClickClient(dialog.GetDlgItem(IDCANCEL), CPoint(5, 5));
    });
    EXPECT_EQ(line->EditProperties(nullptr), 0);
    EXPECT_EQ(line->m_fPrice, 2.5);
    EXPECT_EQ(plan.tool.GetUndoCount(), steps);
}

TEST_F(PropertiesDialogTest, WithAClickPoseAndASelectionTheSettingsGoToEverySelectedObject) {
    CPaint* first = Place(kToolBox, 0.0, 100.0, 100.0, 0.0);
    CPaint* second = Place(kToolBox, 200.0, 100.0, 300.0, 0.0);
    first->m_strName = "first";
    first->Select();
    second->Select();
    const PenRecord pen = second->m_pen;
    host.WhenModal("2D Object properties", [&](CWnd& window) {
        C2DPropertyDialog& dialog = Dialog(window);
        EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_APPLY_TO_SELECTED), 1U);
        EXPECT_FALSE(dialog.GetDlgItem(IDC_PROPERTIES_CATEGORY)->IsWindowEnabled());
        Choose(&dynamic_cast<CLine1Page*>(dialog.GetPage(0))->m_widthCombo, 4);
        host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(5, 5));
    });
    const CPose click{10.0, 10.0, 0.0};
    ASSERT_EQ(first->EditProperties(&click), 1);
    EXPECT_EQ(second->m_pen.widthX, 5);
    EXPECT_EQ(first->m_pen.widthX, 5);
    EXPECT_EQ(first->m_strName, "first");
    plan.tool.Undo();
    EXPECT_EQ(second->m_pen, pen);
}

TEST_F(PropertiesDialogTest, TheFillPageMapsItsTwoColoursByThePatternFlag) {
    CPaint* box = Place(kToolBox, 0.0, 100.0, 100.0, 0.0);
    box->m_bFillOn = 1;
    box->m_bPatternOn = 1;
    box->m_brush = BrushRecord{kBrushHatched, RGB(255, 0, 0), 1};
    box->m_crFill = RGB(0, 0, 255);
    host.WhenModal("2D Object properties", [&](CWnd& window) {
        C2DPropertyDialog& dialog = Dialog(window);
        ClickTab(dialog, 1);
        auto& fill = *dynamic_cast<CFillPage*>(dialog.GetPage(1));
        EXPECT_EQ(fill.m_patternColorButton.GetColor(), RGB(255, 0, 0));
        EXPECT_EQ(fill.m_fillColorButton.GetColor(), RGB(0, 0, 255));
        EXPECT_EQ(fill.m_hatchCombo.GetCurSel(), 1);
        EXPECT_TRUE(fill.GetDlgItem(IDC_HATCH)->IsWindowEnabled());
        host.ClickClient(fill.GetDlgItem(IDC_PATTERN_ON), CPoint(3, 3));
        EXPECT_FALSE(fill.GetDlgItem(IDC_HATCH)->IsWindowEnabled());
        EXPECT_EQ(dialog.GetWorkingCopy()->m_brush.color, RGB(0, 0, 255));
        EXPECT_EQ(dialog.GetWorkingCopy()->m_crFill, RGB(255, 0, 0));
        host.ClickClient(fill.GetDlgItem(IDC_PATTERN_ON), CPoint(3, 3));
        EXPECT_EQ(fill.m_patternColorButton.GetColor(), RGB(255, 0, 0));
        EXPECT_EQ(dialog.GetWorkingCopy()->m_brush.color, RGB(255, 0, 0));
        host.ClickClient(fill.GetDlgItem(IDC_FILL_ON), CPoint(3, 3));
        EXPECT_EQ(fill.IsDlgButtonChecked(IDC_PATTERN_ON), 0U);
        EXPECT_FALSE(fill.GetDlgItem(IDC_HATCH)->IsWindowEnabled());
        EXPECT_FALSE(fill.GetDlgItem(IDC_FILL_COLOR)->IsWindowEnabled());
        host.ClickClient(fill.GetDlgItem(IDC_FILL_ON), CPoint(3, 3));
        EXPECT_EQ(fill.IsDlgButtonChecked(IDC_PATTERN_ON), 0U);
        host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(5, 5));
    });
    ASSERT_EQ(box->EditProperties(nullptr), 1);
    EXPECT_EQ(box->m_bPatternOn, 0);
    EXPECT_EQ(box->m_brush.style, kBrushSolid);
    EXPECT_EQ(box->m_brush.color, RGB(0, 0, 255));
    EXPECT_EQ(box->m_crFill, RGB(255, 0, 0));
}

TEST_F(PropertiesDialogTest, ApplyingToAllChangesEveryObjectAndOneUndoRestoresThem) {
    CPaint* boxes[] = {Place(kToolBox, 0.0, 100.0, 100.0, 0.0), Place(kToolBox, 200.0, 100.0, 300.0, 0.0),
                       Place(kToolBox, 400.0, 100.0, 500.0, 0.0)};
    const PenRecord pen = boxes[2]->m_pen;
    host.WhenModal("2D Object properties", [&](CWnd& window) {
        C2DPropertyDialog& dialog = Dialog(window);
        EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_APPLY_TO_CLICKED), 1U);
        EXPECT_TRUE(dialog.GetDlgItem(IDC_PROPERTIES_CATEGORY)->IsWindowEnabled());
        host.ClickClient(dialog.GetDlgItem(IDC_APPLY_TO_ALL), CPoint(3, 3));
        EXPECT_FALSE(dialog.GetDlgItem(IDC_PROPERTIES_CATEGORY)->IsWindowEnabled());
        Choose(&dynamic_cast<CLine1Page*>(dialog.GetPage(0))->m_widthCombo, 1);
        host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(5, 5));
    });
    const CPose click{10.0, 10.0, 0.0};
    ASSERT_EQ(boxes[0]->EditProperties(&click), 1);
    for (CPaint* box : boxes) EXPECT_EQ(box->m_pen.widthX, 2);
    plan.tool.Undo();
    for (CPaint* box : boxes) EXPECT_EQ(box->m_pen, pen);
}

TEST_F(PropertiesDialogTest, AClassPreparesItsWorkingCopyAndResultThroughItsRegisteredSteps) {
    CPaint* box = Place(kToolBox, 0.0, 100.0, 100.0, 0.0);
    PropertiesClassSteps steps;
    steps.prepareCopy = [](CPaint& copy) { copy.m_strNote = "working"; };
    steps.prepareResult = [](CPaint& copy) { copy.m_strType = "result"; };
    RegisterPropertiesClassSteps("CBox", std::move(steps));
    C2DPropertyDialog dialog;
    dialog.SetObject(box, FALSE, nullptr);
    EXPECT_EQ(dialog.GetWorkingCopy()->m_strNote, "working");
    CPaint* result = nullptr;
    int mode = -2;
    ASSERT_TRUE(dialog.GetResult(result, mode));
    EXPECT_EQ(mode, 0);
    EXPECT_EQ(result->m_strType, "result");
    EXPECT_EQ(box->m_strNote, "");
    result->ReleaseData();
    delete result;
    RemovePropertiesClassSteps("CBox");

    C2DPropertyDialog empty;
    empty.SetObject(nullptr, FALSE, nullptr);
    EXPECT_FALSE(empty.GetResult(result, mode));
    EXPECT_EQ(mode, -1);
}

namespace {
// How many pixels of the colour the preview window shows, read from the dialog's picture.
int PreviewPixelsOf(C2DPropertyDialog& dialog, COLORREF colour) {
    CWnd* preview = dialog.GetDlgItem(IDC_PROPERTIES_PREVIEW);
    CRect area, frame;
    preview->GetWindowRect(&area);
    dialog.GetWindowRect(&frame);
    const PixelSurface& surface = *dialog.Surface();
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += ColorFromPixel(surface.At(x - frame.left, y - frame.top)) == colour ? 1 : 0;
    return count;
}
}  // namespace

TEST_F(PropertiesDialogTest, ThePreviewDrawsTheWorkingCopyAndKeepsTheValuesOfALeftTab) {
    CPaint* box = Place(kToolBox, 0.0, 1000.0, 3000.0, 0.0);
    box->m_pen = PenRecord{0, 3, 3, RGB(255, 0, 0)};
    box->m_strScale = "no such scale";
    box->m_strCategory = "track";
    host.WhenModal("2D Object properties", [&](CWnd& window) {
        C2DPropertyDialog& dialog = Dialog(window);
        host.RunUntilIdle();
        const int red = PreviewPixelsOf(dialog, RGB(255, 0, 0));
        EXPECT_GT(red, 400);
        Choose(&dynamic_cast<CLine1Page*>(dialog.GetPage(0))->m_widthCombo, 0);
        host.RunUntilIdle();
        EXPECT_LT(PreviewPixelsOf(dialog, RGB(255, 0, 0)), red);
        auto* category = static_cast<CComboBox*>(dialog.GetDlgItem(IDC_PROPERTIES_CATEGORY));
        EXPECT_EQ(category->GetCurSel(), -1);
        EXPECT_EQ(static_cast<CComboBox*>(dialog.GetDlgItem(IDC_PROPERTIES_SCALE))->GetCurSel(), 0);

        ClickTab(dialog, 1);
        host.ClickClient(dialog.GetPage(1)->GetDlgItem(IDC_FILL_ON), CPoint(3, 3));
        ClickTab(dialog, 0);
        ClickTab(dialog, 1);
        EXPECT_EQ(dialog.GetPage(1)->IsDlgButtonChecked(IDC_FILL_ON), 1U);
        const CString picture = TestPicturePath("properties-box.png");
        if (!picture.IsEmpty()) {
            EXPECT_TRUE(dialog.Surface()->WritePng(picture));
        }
        host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(5, 5));
    });
    ASSERT_EQ(box->EditProperties(nullptr), 1);
    EXPECT_EQ(box->m_pen.widthX, 1);
    EXPECT_EQ(box->m_bFillOn, 1);
    EXPECT_EQ(box->m_strCategory, "");
    EXPECT_EQ(box->m_strScale, ScaleTable[0].name);
}

TEST_F(PropertiesDialogTest, AClassMayRegisterItsCaptionSecondPageInsideControlsAndCancelStep) {
    CPaint* box = Place(kToolBox, 0.0, 100.0, 100.0, 0.0);
    box->m_crFrame = RGB(0, 200, 0);
    box->m_bFillOn = 0;
    int cancels = 0;
    PropertiesClassSteps steps;
    steps.caption = "Terrain properties";
    steps.secondTabLabel = "Terrain";
    steps.makeSecondPage = [] { return std::make_unique<CFramesPage>(); };
    steps.pointsColor = [](CPaint& copy) { return &copy.m_crFrame; };
    steps.onCancel = [&](CPaint&) { ++cancels; };
    RegisterPropertiesClassSteps("CBox", steps);
    host.WhenModal("Terrain properties", [&](CWnd& window) {
        C2DPropertyDialog& dialog = Dialog(window);
        ASSERT_EQ(dialog.GetPageCount(), 2);
        EXPECT_NE(dynamic_cast<CFramesPage*>(dialog.GetPage(1)), nullptr);
        auto& line = *dynamic_cast<CLine1Page*>(dialog.GetPage(0));
        EXPECT_TRUE(line.GetDlgItem(IDC_POINTS_COLOR)->IsWindowVisible());
        EXPECT_EQ(line.m_pointsColorButton.GetColor(), RGB(0, 200, 0));
        EXPECT_FALSE(line.GetDlgItem(IDC_FILL_COLOR)->IsWindowEnabled());
        host.ClickClient(line.GetDlgItem(IDC_FILL_ON), CPoint(3, 3));
        EXPECT_TRUE(line.GetDlgItem(IDC_FILL_COLOR)->IsWindowEnabled());
        EXPECT_EQ(dialog.GetWorkingCopy()->m_bFillOn, 1);
        host.ClickClient(dialog.GetDlgItem(IDCANCEL), CPoint(5, 5));
    });
    EXPECT_EQ(box->EditProperties(nullptr), 0);
    EXPECT_EQ(cancels, 1);
    EXPECT_EQ(box->m_bFillOn, 0);
    RemovePropertiesClassSteps("CBox");
}

namespace {

// The pixel rows of a pattern bitmap; the odd bytes only pad each row to a word.
std::vector<BYTE> PatternRows(const CBitmap* bitmap) {
    std::vector<BYTE> bytes(16), rows;
    if (bitmap == nullptr)
        return rows;
    bitmap->GetBitmapBits(16, bytes.data());
    for (size_t i = 0; i < bytes.size(); i += 2) rows.push_back(bytes[i]);
    return rows;
}

// A program folder of the test's own with a "PATTERNS" folder holding a striped pattern;
// the working folder is put back afterwards.
class FillPatternTest : public PropertiesDialogTest {
  protected:
    void SetUp() override {
        PropertiesDialogTest::SetUp();
        m_previousBase = CDataFolders::GetBaseFolder();
        m_previousWorkingFolder = std::filesystem::current_path();
        CDataFolders::SetBaseFolder(CWinPath::FromReal(folder.Path()) + "\\");
        std::filesystem::create_directory(folder / "PATTERNS");
        std::vector<BYTE> stripes;
        for (int row = 0; row < 8; ++row) stripes.insert(stripes.end(), {0xAA, 0x00});
        WriteFileBytes(Patterns() / "Stripes.pat", stripes);
        std::filesystem::create_directory(folder / "elsewhere");
        std::filesystem::current_path(folder / "elsewhere");
    }
    void TearDown() override {
        std::filesystem::current_path(m_previousWorkingFolder);
        CDataFolders::SetBaseFolder(m_previousBase);
        PropertiesDialogTest::TearDown();
    }
    std::filesystem::path Patterns() const { return folder / "PATTERNS"; }
    // Types a full path into the file dialog of that caption and accepts it.
    void ChooseFile(const CString& caption, const std::filesystem::path& path) {
        host.WhenModal(caption, [this, path](CWnd& modal) {
            startFolders.push_back(dynamic_cast<CFileDialog&>(modal).GetFolderPath());
            modal.GetDlgItem(edt1)->SetWindowText(path.string().c_str());
            host.PressKey(VK_RETURN);
        });
    }
    bool InProgramFolder() const {
        return std::filesystem::equivalent(std::filesystem::current_path(), folder.Path());
    }

    TestFolder folder;
    std::vector<CString> startFolders;
    CString m_previousBase;
    std::filesystem::path m_previousWorkingFolder;
};

}  // namespace

TEST_F(FillPatternTest, NewDrawsAPatternBrowsePicksOneAndACancelledEditorKeepsTheKindOfPattern) {
    CPaint* box = Place(kToolBox, 0.0, 100.0, 100.0, 0.0);
    box->m_bFillOn = 1;
    box->m_bPatternOn = 1;
    box->m_nPatternKind = 0;
    const int steps = plan.tool.GetUndoCount();
    std::vector<BYTE> drawnRows, browsedRows, editorRowsAtCancel;
    CString drawnName, browsedName;
    int kindAfterNew = -1, customAfterCancel = -1, patternsAfterCancel = -1;
    bool programFolderAfterNew = false, programFolderAfterBrowse = false;
    host.WhenModal("2D Object properties", [&](CWnd& window) {
        C2DPropertyDialog& dialog = Dialog(window);
        ClickTab(dialog, 1);
        CPages& fill = *dialog.GetPage(1);
        EXPECT_TRUE(fill.GetDlgItem(IDC_PATTERN_NEW)->IsWindowEnabled());

        // "New": one cell drawn, saved under a name asked for.
        host.WhenModal("Edit pattern", [&](CWnd& editor) {
            host.ClickClient(editor.GetDlgItem(IDC_PATTERN_BITS), CPoint(1, 1));
            ChooseFile("Save As", Patterns() / "Drawn.pat");
            host.ClickClient(editor.GetDlgItem(IDOK), CPoint(3, 3));
        });
        host.ClickClient(fill.GetDlgItem(IDC_PATTERN_NEW), CPoint(3, 3));
        programFolderAfterNew = InProgramFolder();
        std::filesystem::current_path(folder / "elsewhere");
        drawnName = dialog.GetWorkingCopy()->m_strPatternFile;
        drawnRows = PatternRows(dialog.GetWorkingCopy()->m_pPatternBitmap.get());
        kindAfterNew = dialog.GetWorkingCopy()->m_nPatternKind;

        // "Browse": an existing file chosen in the pattern file dialog.
        ChooseFile("Open", Patterns() / "Stripes.pat");
        host.ClickClient(fill.GetDlgItem(IDC_PATTERN_BROWSE), CPoint(3, 3));
        programFolderAfterBrowse = InProgramFolder();
        browsedName = dialog.GetWorkingCopy()->m_strPatternFile;
        browsedRows = PatternRows(dialog.GetWorkingCopy()->m_pPatternBitmap.get());
        if (const CString png = TestPicturePath("properties-fill-page.png"); !png.IsEmpty()) {
            host.RunUntilIdle();
            EXPECT_TRUE(dialog.Surface()->WritePng(png));
        }

        // A hatch chosen, then "New" cancelled: the hatch kind stays.
        host.ClickClient(fill.GetDlgItem(IDC_PATTERNS), CPoint(3, 3));
        host.WhenModal("Edit pattern", [&](CWnd& editor) {
            editorRowsAtCancel = PatternRows(dynamic_cast<CPatternEditDialog&>(editor).Grid().Bitmap());
            host.ClickClient(editor.GetDlgItem(IDCANCEL), CPoint(3, 3));
        });
        host.ClickClient(fill.GetDlgItem(IDC_PATTERN_NEW), CPoint(3, 3));
        patternsAfterCancel = static_cast<int>(fill.IsDlgButtonChecked(IDC_PATTERNS));
        customAfterCancel = static_cast<int>(fill.IsDlgButtonChecked(IDC_CUSTOM));
        host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(5, 5));
    });
    ASSERT_EQ(box->EditProperties(nullptr), 1);

    std::vector<BYTE> drawn(8, 0xFF);
    drawn[0] = 0x7F;
    const std::vector<BYTE> stripes(8, 0xAA);
    EXPECT_EQ(drawnName, CWinPath::FromReal(Patterns() / "Drawn.pat"));
    EXPECT_EQ(drawnRows, drawn);
    EXPECT_EQ(kindAfterNew, 1);
    EXPECT_EQ(browsedName, CWinPath::FromReal(Patterns() / "Stripes.pat"));
    EXPECT_EQ(browsedRows, stripes);
    EXPECT_EQ(editorRowsAtCancel, stripes);
    EXPECT_EQ(patternsAfterCancel, 1);
    EXPECT_EQ(customAfterCancel, 0);
    EXPECT_TRUE(programFolderAfterNew);
    EXPECT_TRUE(programFolderAfterBrowse);
    ASSERT_EQ(startFolders.size(), 2u);
    for (const CString& start : startFolders)
        EXPECT_TRUE(std::filesystem::equivalent(start.c_str(), Patterns()));

    EXPECT_EQ(box->m_strPatternFile, browsedName);
    EXPECT_EQ(box->m_nPatternKind, 0);
    EXPECT_EQ(PatternRows(box->m_pPatternBitmap.get()), stripes);
    EXPECT_TRUE(host.MessageBoxes().empty());
    EXPECT_TRUE(host.UnansweredModals().empty());
    ASSERT_EQ(plan.tool.GetUndoCount(), steps + 1);
    plan.tool.Undo();
    EXPECT_EQ(box->m_strPatternFile, "");
    EXPECT_EQ(box->m_pPatternBitmap, nullptr);
}

TEST_F(FillPatternTest, AMissingPatternIsReportedOnceForTheWholeEditAndApply) {
    CPaint* boxes[] = {Place(kToolBox, 0.0, 100.0, 100.0, 0.0), Place(kToolBox, 200.0, 100.0, 300.0, 0.0),
                       Place(kToolBox, 400.0, 100.0, 500.0, 0.0)};
    for (CPaint* box : boxes) {
        box->m_bFillOn = 1;
        box->m_bPatternOn = 1;
        box->m_nPatternKind = 1;
        box->m_strPatternFile = "Gone.pat";
    }
    const int hatchBefore = boxes[0]->m_brush.hatch;
    int chosenHatch = -1;
    host.WhenModal("2D Object properties", [&](CWnd& window) {
        C2DPropertyDialog& dialog = Dialog(window);
        host.ClickClient(dialog.GetDlgItem(IDC_APPLY_TO_ALL), CPoint(3, 3));
        ClickTab(dialog, 1);
        Choose(&dynamic_cast<CFillPage*>(dialog.GetPage(1))->m_hatchCombo, 3);
        chosenHatch = dialog.GetWorkingCopy()->m_brush.hatch;
        host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(5, 5));
    });
    const CPose click{10.0, 10.0, 0.0};
    ASSERT_EQ(boxes[0]->EditProperties(&click), 1);
    EXPECT_NE(chosenHatch, hatchBefore);
    for (CPaint* box : boxes) {
        EXPECT_EQ(box->m_brush.hatch, chosenHatch);
        EXPECT_EQ(box->m_strPatternFile, "Gone.pat");
    }
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, "Could not read file Gone.pat");
    // Undo is an operation of its own.
    plan.tool.Undo();
    EXPECT_EQ(host.MessageBoxes().size(), 2u);
}

namespace {

// A box that answers another class's name, for the classes whose own code comes elsewhere.
class CNamedBox : public CBox {
  public:
    explicit CNamedBox(const CString& name) : m_name(name) {}
    CString GetClassName() override { return m_name; }
    CPaint* Clone() override {
        auto* copy = new CNamedBox(m_name);
        copy->CopyFrom(this);
        return copy;
    }
    CString m_name;
};

CString TabText(CTabCtrl& tabs, int index) {
    char text[64] = {};
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    tabs.GetItem(index, &item);
    return text;
}

}  // namespace

TEST_F(PropertiesDialogTest, TheClassOfTheObjectChoosesTheTabsAndPages) {
    struct Expected {
        const char* className;
        std::vector<CString> tabs;
        bool dimensionPages;
    };
    const Expected cases[] = {{"CSizeLine", {"Line", "Frames"}, true},
                              {"CSizeAngle", {"Line", "Frames"}, true},
                              {"CCamera", {"Line"}, false},
                              {"CLine", {"Line"}, false},
                              {"CPolygon", {"Line", "Fill"}, false}};
    for (const Expected& expected : cases) {
        CNamedBox object(expected.className);
        object.SetTool(&plan.tool);
        C2DPropertyDialog dialog;
        dialog.SetObject(&object, FALSE, nullptr);
        std::vector<CString> tabs;
        bool dimensionPages = false, fillPage = false;
        host.WhenModal("2D Object properties", [&](CWnd& window) {
            auto& control = *static_cast<CTabCtrl*>(window.GetDlgItem(IDC_PROPERTIES_TABS));
            for (int index = 0; index < control.GetItemCount(); ++index)
                tabs.push_back(TabText(control, index));
            dimensionPages = dynamic_cast<CLinePage*>(dialog.GetPage(0)) != nullptr &&
                             dialog.GetPageCount() == 2 &&
                             dynamic_cast<CFramesPage*>(dialog.GetPage(1)) != nullptr;
            fillPage = dialog.GetPageCount() == 2 && dynamic_cast<CFillPage*>(dialog.GetPage(1)) != nullptr;
            host.ClickClient(window.GetDlgItem(IDCANCEL), CPoint(5, 5));
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(tabs, expected.tabs) << expected.className;
        EXPECT_EQ(dimensionPages, expected.dimensionPages) << expected.className;
        EXPECT_EQ(fillPage, expected.tabs.size() == 2 && !expected.dimensionPages) << expected.className;
        object.ReleaseData();
    }
}
