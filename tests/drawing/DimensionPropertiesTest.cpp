#include <gtest/gtest.h>

#include "drawing/C2DPropertyDialog.h"
#include "drawing/CFramesPage.h"
#include "drawing/CLinePage.h"
#include "drawing/CSizeAngle.h"
#include "drawing/CSizeLine.h"
#include "drawing/DrawingPropertiesDialog.h"
#include "model/CPropertiesDialog.h"
#include "model/CToolMode.h"
#include "platform/ctl/CTabCtrl.h"
#include "platform/gdi/PixelSurface.h"
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

// The pixels of one colour in the dialog's preview pane.
int PreviewPixelsOf(CWnd& dialog, COLORREF colour) {
    CWnd* preview = dialog.GetDlgItem(IDC_PROPERTIES_PREVIEW);
    CRect client, frame;
    preview->GetClientRect(&client);
    preview->ClientToScreen(&client);
    dialog.GetWindowRect(&frame);
    const PixelSurface& pixels = *dialog.Surface();
    int count = 0;
    for (int y = client.top; y < client.bottom; ++y)
        for (int x = client.left; x < client.right; ++x)
            count += ColorFromPixel(pixels.At(x - frame.left, y - frame.top)) == colour ? 1 : 0;
    return count;
}

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

TEST_F(DimensionPropertiesTest, TheDimensionLineIsPreviewedPlainAndHandedBackWithItsLabel) {
    RegisterDrawingPropertiesDialog();
    constexpr COLORREF kRed = RGB(255, 0, 0);
    plan.tool.m_toolMode.Set(kToolDimensionLine);
    plan.Drag(0.0, 0.0, 0.0, 2000.0);
    plan.tool.m_toolMode.Set(kToolSelector);
    auto* line = plan.Newest<CSizeLine>();
    ASSERT_NE(line, nullptr);
    line->m_pen.color = kRed;
    line->m_pen.widthX = line->m_pen.widthY = 3;
    int red = -1, black = -1, label = -1;
    host.WhenModal("2D Object properties", [&](CWnd& window) {
        auto& dialog = dynamic_cast<C2DPropertyDialog&>(window);
        host.RunUntilIdle();
        red = PreviewPixelsOf(dialog, kRed);
        black = PreviewPixelsOf(dialog, RGB(0, 0, 0));
        label = dynamic_cast<CSizeLine*>(dialog.GetWorkingCopy())->m_bLabel;
        host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(5, 5));
    });
    ASSERT_EQ(line->EditProperties(nullptr), 1);
    // Frames and line in black, one pixel wide: nothing of the red pen shows.
    EXPECT_EQ(label, 0);
    EXPECT_EQ(red, 0);
    EXPECT_GT(black, 0);
    EXPECT_EQ(line->m_bLabel, 1);
    EXPECT_EQ(line->m_pen.color, kRed);
    RegisterPropertiesDialog({});
}
