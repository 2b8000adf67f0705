#include "model/CTool.h"

#include <gtest/gtest.h>

#include "model/CParallelTrackPreview.h"
#include "tests/model/TestLayout.h"

namespace {

class CCountingPreview : public CParallelTrackPreview {
  public:
    bool IsShown() const override { return m_bShown; }
    void End() override {
        m_bShown = false;
        ++m_nEnds;
    }
    bool m_bShown = true;
    int m_nEnds = 0;
};

}  // namespace

TEST(CTool, NewEngineHasTheDefaults) {
    CTool tool;
    for (int layer = 0; layer < CTool::kLayerCount; ++layer) {
        EXPECT_TRUE(tool.IsLayerVisible(layer)) << layer;
        EXPECT_EQ(tool.m_bLayerLocked[layer], 0) << layer;
    }
    EXPECT_FALSE(tool.IsLayerVisible(8));
    EXPECT_EQ(tool.m_nActiveLayer, 0);
    EXPECT_EQ(tool.m_fHandleSize, 10.0);
    EXPECT_EQ(tool.m_fZoomNumerator, 1.0);
    EXPECT_EQ(tool.m_fZoomDenominator, 10.0);
    EXPECT_EQ(tool.m_fZoomRatio, 0.0);
    EXPECT_EQ(tool.m_fSnapDistance, 500.0);
    EXPECT_EQ(tool.m_fScaleGauge, 165.0);
    EXPECT_EQ(tool.m_nPivotMarkSize, 30);
    EXPECT_EQ(tool.m_nDragState, -1);
    EXPECT_EQ(tool.m_nDraggedHandle, -1);
    EXPECT_EQ(tool.m_nSnapMode, 0);
    EXPECT_EQ(int(tool.m_toolMode), 0);
    EXPECT_EQ(tool.m_toolMode.m_pOwner, &tool);
    EXPECT_EQ(tool.m_penDefault, (PenRecord{0, 1, 0, 0}));
    EXPECT_EQ(tool.m_brushDefault, (BrushRecord{0, 0xFFFFFF, 0}));
    EXPECT_EQ(tool.m_crPreview1, RGB(0, 200, 200));
    EXPECT_EQ(tool.m_crPreview2, RGB(0, 200, 200));
    EXPECT_EQ(tool.GetUndoCount(), 0);
    EXPECT_STREQ(tool.GetRuntimeClass()->m_lpszClassName, "CTool");
    EXPECT_EQ(tool.GetRuntimeClass()->m_wSchema, 1u);
}

TEST(CTool, ToolModeTableNamesEachToolAndWhatItCreates) {
    struct Row {
        int id;
        const char* command;
        const char* created;
        int handle;
        bool multiPoint;
    };
    const Row rows[] = {
        {0, "Selector", "", -1, false},
        {1, "Rotate Around Origin", "", -1, false},
        {2, "", "", -1, false},
        {4, "Measure Line", "CLineMeasure", 2, false},
        {5, "Measure Box", "CBoxMeasure", 7, false},
        {6, "Text", "CTextBox", 3, false},
        {7, "Sketch", "CSketch", 3, false},
        {8, "Line", "CLine", 2, false},
        {9, "Box", "CBox", 3, false},
        {10, "Round Box", "CRoundBox", 3, false},
        {11, "Arc", "CArc", 3, false},
        {12, "Oval", "CArc", 3, false},
        {13, "Polygon", "CPolygon", 2, true},
        {14, "Spline", "CSpline", 2, true},
        {15, "Draw Dimension Line", "CSizeLine", 2, false},
        {16, "Draw Dimension Angle", "CSizeAngle", 2, false},
        {17, "Set Camera Position", "CCamera", 5, false},
        {18, "2D Bitmap Picture", "CBMP", 3, false},
        {19, "3D Object", "C3D", 3, false},
        {20, "Straight Track", "CTrack", 2, false},
        {21, "Curve Track", "CCircTrack", 6, false},
        {22, "Oval Track", "CArcTrack", 3, false},
        {23, "Spline Track", "CSplineTrack", 2, true},
        {24, "3D Bitmap", "CSprite", 3, false},
        {25, "Benchwork", "CBenchwork", 2, true},
        {26, "", "CWizardLabel", -1, false},
        {27, "Terrain", "CMount", 2, true},
        {29, "Run Test Train", "", -1, false},
        {30, "Zoom In", "", -1, false},
        {31, "Zoom Out", "", -1, false},
        {32, "Connect Using Spline", "", -1, false},
        {33, "Connect Using Curve-Straight", "", -1, false},
        {34, "Set Selected Track Elevations", "", -1, false},
        {35, "Chain Track Elevations", "", -1, false},
        {36, "Cut Track", "", -1, false},
        {39, "Select Track Chain", "", -1, false},
    };
    for (const Row& row : rows) {
        const ToolModeInfo& info = GetToolModeInfo(row.id);
        EXPECT_STREQ(info.command, row.command) << row.id;
        EXPECT_STREQ(info.createdClass, row.created) << row.id;
        EXPECT_EQ(info.followingHandle, row.handle) << row.id;
        EXPECT_EQ(info.multiPoint, row.multiPoint) << row.id;
    }
    for (int unused : {3, 28, 37, 38, -1, 40}) {
        EXPECT_STREQ(GetToolModeInfo(unused).command, "") << unused;
        EXPECT_STREQ(GetToolModeInfo(unused).createdClass, "") << unused;
    }
}

TEST(CTool, SettingAModeEndsTheParallelTrackPreview) {
    CTool tool;
    auto* preview = new CCountingPreview;
    tool.m_pParallelPreview.reset(preview);
    tool.m_bParallelToolActive = 1;
    tool.m_bChainToolActive = 1;
    tool.m_toolMode.Set(kToolLine);
    EXPECT_EQ(int(tool.m_toolMode), kToolLine);
    EXPECT_EQ(preview->m_nEnds, 1);
    EXPECT_EQ(tool.m_bParallelToolActive, 0);
    EXPECT_EQ(tool.m_bChainToolActive, 0);
    tool.m_toolMode.Set(kToolSelector);
    EXPECT_EQ(preview->m_nEnds, 1);  // no preview shown any more

    // A record without an owner only stores the mode.
    CToolMode unowned;
    unowned.Set(kToolBox);
    EXPECT_EQ(int(unowned), kToolBox);
    EXPECT_EQ(unowned.m_bFlag, 1);
}

TEST(CTool, ArrowKeyReleaseRefreshesTheEditedGroupAndTheSelection) {
    CTool tool;
    CTestHost host(tool);
    EXPECT_EQ(tool.OnKeyUp(65), 0);
    CTestShape* shape = TestCommands::CreateAndPlace(tool);
    tool.m_bRedraw = 0;
    EXPECT_EQ(tool.OnKeyUp(37), 1);
    EXPECT_EQ(tool.m_bRedraw, 1);
    EXPECT_EQ(shape->m_n3DUpdates, 1);

    shape->Deselect();
    CTestBox* box = AddToLayout(host, new CTestBox(&tool, 0.0, 0.0, 100.0, 50.0));
    EXPECT_EQ(tool.OnKeyUp(38), 1);
    EXPECT_EQ(host.m_pRoot->m_fFrameWidth, 0.0);  // the root group's frame is left alone

    box->Select();
    auto* group = dynamic_cast<CGroup*>(TestCommands::GroupSelection(tool));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->m_fFrameWidth, 100.0);
    host.OpenGroup(dynamic_cast<CGroup*>(group));
    box->m_pose.x += 30.0;  // an arrow key moved the member
    EXPECT_EQ(tool.OnKeyUp(40), 1);
    EXPECT_EQ(group->m_pose.x, 30.0);  // the frame follows its member
    EXPECT_EQ(box->m_pose.x, 0.0);
    EXPECT_EQ(tool.OnKeyUp(41), 0);
}

TEST(CTool, SelectionHelpers) {
    CTool tool;
    CTestHost host(tool);
    CTestShape* first = TestCommands::CreateAndPlace(tool);
    CTestShape* second = TestCommands::CreateAndPlace(tool);
    first->SelectWithUndo(0, 0);
    EXPECT_EQ(tool.CountVisibleSelected(), 2);
    second->m_nLayer = 5;
    tool.m_bLayerShown[5] = 0;
    EXPECT_EQ(tool.CountVisibleSelected(), 1);
    tool.SetSelectionEditState(4);
    EXPECT_EQ(first->GetEditState(), 4);
    EXPECT_EQ(second->GetEditState(), 4);
    EXPECT_TRUE(tool.IsRootGroup(host.m_pRoot));
    EXPECT_FALSE(tool.IsRootGroup(first));
}
