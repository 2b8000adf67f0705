#include <gtest/gtest.h>

#include "drawing/CBox.h"
#include "drawing/CFramesPage.h"
#include "drawing/CLine1Page.h"
#include "drawing/CLinePage.h"
#include "drawing/CPagesOwner.h"
#include "model/CToolMode.h"
#include "platform/ctl/CComboBox.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/WindowManager.h"
#include "resources/DrawingPropertiesTemplates.h"
#include "resources/Resources.h"
#include "tests/drawing/DrawingPlan.h"

namespace {

// A dialog stand-in that holds a tab stand-in, the page's parent, and counts the pushes.
class COwnerWindow : public CWnd, public CPagesOwner {
  public:
    CPaint* GetWorkingCopy() override { return copy; }
    void RepaintPreview() override { ++repaints; }
    CPaint* copy = nullptr;
    int repaints = 0;
};

class PropertyPagesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterResources();
        WindowManager::Instance().Reset();
        ASSERT_TRUE(
            owner.CreateEx(0, nullptr, "Pages", WS_POPUP | WS_VISIBLE, CRect(0, 0, 500, 400), nullptr, 0));
        ASSERT_TRUE(tabs.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 480, 380), &owner, 1));
        plan.tool.m_toolMode.Set(kToolBox);
        plan.Drag(0.0, 100.0, 100.0, 0.0);
        plan.tool.m_toolMode.Set(kToolSelector);
        box = plan.Newest<CPaint>();
        ownerCopy.reset(box->Clone());
        owner.copy = ownerCopy.get();
    }
    void TearDown() override {
        ownerCopy->ReleaseData();
        owner.DestroyWindow();
        WindowManager::Instance().Reset();
    }
    void Choose(CComboBox& combo, int index) {
        host.ClickClient(&combo, CPoint(20, 5));
        const int height = combo.GetItemHeight(0);
        host.ClickClient(&combo.DropList(), CPoint(20, index * height + height / 2));
    }

    HeadlessHost host;
    DrawingPlan plan;
    COwnerWindow owner;
    CWnd tabs;
    CPaint* box = nullptr;
    std::unique_ptr<CPaint> ownerCopy;
};

}  // namespace

TEST_F(PropertyPagesTest, TheDimensionLinePageKeepsStyleAndWidthApartAndPushesEveryChoice) {
    box->m_pen = PenRecord{2, 1, 1, RGB(0, 128, 0)};
    box->m_nArrowStyle = 2;
    box->m_nArrowLength = 0;
    box->m_nArrowWidth = 2;
    CLinePage page;
    ASSERT_TRUE(page.CreatePage(&tabs));
    page.ShowWindow(SW_SHOW);
    page.SetObject(box);
    ASSERT_NE(page.GetObject(), box);
    EXPECT_EQ(page.m_arrowStyleCombo.GetCurSel(), 2);
    EXPECT_EQ(page.m_arrowLengthCombo.GetCurSel(), 0);
    EXPECT_EQ(page.m_arrowWidthCombo.GetCurSel(), 2);
    EXPECT_EQ(page.m_lineColorButton.GetColor(), RGB(0, 128, 0));

    Choose(page.m_widthCombo, 2);
    EXPECT_EQ(page.m_styleCombo.GetCurSel(), 2);
    EXPECT_EQ(page.GetObject()->m_pen, (PenRecord{2, 3, 3, RGB(0, 128, 0)}));
    EXPECT_EQ(ownerCopy->m_pen.widthX, 3);
    EXPECT_EQ(owner.repaints, 1);
    Choose(page.m_arrowLengthCombo, 1);
    EXPECT_EQ(ownerCopy->m_nArrowLength, 1);
    EXPECT_EQ(box->m_pen.widthX, 1);

    page.SetObject(nullptr);
    EXPECT_EQ(page.GetObject(), nullptr);
    page.DestroyWindow();
}

TEST_F(PropertyPagesTest, TheFramesPageShowsAndKeepsAFrameWidthOfThree) {
    box->m_nFrameWidth = 3;
    box->m_nFrameStyle = 0;
    box->m_crFrame = RGB(0, 0, 200);
    CFramesPage page;
    ASSERT_TRUE(page.CreatePage(&tabs));
    page.ShowWindow(SW_SHOW);
    page.SetObject(box);
    EXPECT_EQ(page.m_widthCombo.GetCurSel(), 2);
    EXPECT_EQ(page.m_colorButton.GetColor(), RGB(0, 0, 200));
    page.ApplyControls();
    EXPECT_EQ(ownerCopy->m_nFrameWidth, 3);
    Choose(page.m_styleCombo, 1);
    EXPECT_EQ(page.m_widthCombo.GetCurSel(), 2);
    EXPECT_EQ(ownerCopy->m_nFrameStyle, 1);
    EXPECT_EQ(ownerCopy->m_crFrame, RGB(0, 0, 200));
    page.DestroyWindow();
}

TEST_F(PropertyPagesTest, TheLinePageOfShapesKeepsAStyledLineOnePixelWide) {
    box->m_pen = PenRecord{0, 3, 3, RGB(0, 0, 0)};
    CLine1Page page;
    ASSERT_TRUE(page.CreatePage(&tabs));
    page.ShowWindow(SW_SHOW);
    page.SetObject(box);
    EXPECT_EQ(page.m_widthCombo.GetCurSel(), 2);
    EXPECT_FALSE(page.GetDlgItem(IDC_POINTS_COLOR)->IsWindowVisible());
    Choose(page.m_styleCombo, 1);
    EXPECT_EQ(page.m_widthCombo.GetCurSel(), 0);
    EXPECT_EQ(ownerCopy->m_pen, (PenRecord{1, 1, 1, RGB(0, 0, 0)}));
    Choose(page.m_widthCombo, 3);
    EXPECT_EQ(page.m_styleCombo.GetCurSel(), 0);
    EXPECT_EQ(ownerCopy->m_pen, (PenRecord{0, 4, 4, RGB(0, 0, 0)}));
    EXPECT_EQ(owner.repaints, 2);
    page.DestroyWindow();
}
