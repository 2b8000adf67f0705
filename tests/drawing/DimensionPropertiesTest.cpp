#include <gtest/gtest.h>

#include "drawing/C2DPropertyDialog.h"
#include "drawing/CFramesPage.h"
#include "drawing/CLinePage.h"
#include "drawing/CSizeAngle.h"
#include "drawing/CSizeLine.h"
#include "drawing/DrawingPropertiesDialog.h"
#include "model/CPropertiesDialog.h"
#include "platform/ctl/CTabCtrl.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/WindowManager.h"
#include "resources/DrawingPropertiesTemplates.h"
#include "resources/Resources.h"
#include "tests/drawing/DrawingPlan.h"

namespace {

class DimensionPropertiesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterResources();
        WindowManager::Instance().Reset();
    }
    void TearDown() override { WindowManager::Instance().Reset(); }

    HeadlessHost host;
    DrawingPlan plan;
};

}  // namespace

TEST_F(DimensionPropertiesTest, TheAngleIsEditedWithItsFirstArmPlacedAndItsLabelFlagKept) {
    CSizeAngle angle(0, &plan.tool, 0.0, 0.0);
    ASSERT_EQ(angle.m_bFirstArm, 1);
    C2DPropertyDialog dialog;
    dialog.SetObject(&angle, FALSE, nullptr);
    auto* copy = dynamic_cast<CSizeAngle*>(dialog.GetWorkingCopy());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->m_bFirstArm, 0);
    // The preview shows the label and the line's own style.
    EXPECT_EQ(copy->m_bLabel, 1);
    EXPECT_EQ(angle.m_bFirstArm, 1);
    CPaint* result = nullptr;
    int mode = -1;
    ASSERT_TRUE(dialog.GetResult(result, mode));
    EXPECT_EQ(dynamic_cast<CSizeAngle*>(result)->m_bFirstArm, 0);
    result->ReleaseData();
    delete result;
}

TEST_F(DimensionPropertiesTest, BothDimensionObjectsShowTheLineAndFramesPages) {
    RegisterDrawingPropertiesDialog();
    CSizeLine line(0, &plan.tool, 0.0, 0.0);
    CSizeAngle angle(0, &plan.tool, 0.0, 0.0);
    for (CPaint* object : {static_cast<CPaint*>(&line), static_cast<CPaint*>(&angle)}) {
        int shown = 0;
        host.WhenModal("2D Object properties", [&](CWnd& window) {
            auto& dialog = dynamic_cast<C2DPropertyDialog&>(window);
            auto& tabs = *static_cast<CTabCtrl*>(dialog.GetDlgItem(IDC_PROPERTIES_TABS));
            EXPECT_EQ(tabs.GetItemCount(), 2);
            EXPECT_NE(dynamic_cast<CLinePage*>(dialog.GetPage(0)), nullptr);
            EXPECT_NE(dynamic_cast<CFramesPage*>(dialog.GetPage(1)), nullptr);
            ++shown;
            host.ClickClient(dialog.GetDlgItem(IDCANCEL), CPoint(5, 5));
        });
        object->EditProperties(nullptr);
        EXPECT_EQ(shown, 1);
    }
    RegisterPropertiesDialog({});
}
