#include <gtest/gtest.h>

#include "drawing/C2DPropertyDialog.h"
#include "drawing/CBox.h"
#include "drawing/CFillPage.h"
#include "drawing/CLine1Page.h"
#include "drawing/DrawingPropertiesDialog.h"
#include "drawing/PropertiesClassSteps.h"
#include "model/CPropertiesDialog.h"
#include "model/CToolMode.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CTabCtrl.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/WindowManager.h"
#include "resources/DrawingPropertiesTemplates.h"
#include "resources/Resources.h"
#include "tests/drawing/DrawingPlan.h"

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
        auto& tabs = *static_cast<CTabCtrl*>(dialog.GetDlgItem(IDC_PROPERTIES_TABS));
        CRect item;
        tabs.GetItemRect(index, &item);
        host.ClickClient(&tabs, item.CenterPoint());
    }
    void Retype(CWnd* control, const CString& text) {
        host.ClickClient(control, CPoint(3, 3));
        host.KeyDown(VK_CONTROL);
        host.PressKey('A');
        host.KeyUp(VK_CONTROL);
        host.Type(text);
    }
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
        EXPECT_EQ(host.MessageBoxes().back().text, "Please enter a positive number ");
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
    RegisterPropertiesClassSteps("CBox", {[](CPaint& copy) { copy.m_strNote = "working"; },
                                          [](CPaint& copy) { copy.m_strType = "result"; }});
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
    RegisterPropertiesClassSteps("CBox", {});

    C2DPropertyDialog empty;
    empty.SetObject(nullptr, FALSE, nullptr);
    EXPECT_FALSE(empty.GetResult(result, mode));
    EXPECT_EQ(mode, -1);
}
