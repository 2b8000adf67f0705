#include <gtest/gtest.h>

#include <vector>

#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/CLengthFormat.h"
#include "model/CTool.h"
#include "tests/gdi/Canvas.h"
#include "tests/model/EnginePlan.h"
#include "tests/model/TestLayout.h"

namespace {

// A box that rescales about the origin of its parent frame, as the drawing objects do.
class CScalableBox : public CTestBox {
  public:
    using CTestBox::CTestBox;
    void TrackCreate(const CPose* pose, int handle) override {
        CTestBox::TrackCreate(pose, handle);
        if (handle == -1) {
            SavePose();
            m_saved.Copy(m_points);
        }
    }
    int Rescale(CEditStep* step) override {
        const RescalePayload* rescale = step->GetPayload<RescalePayload>();
        m_factors.push_back(rescale->factor);
        m_pose.x = rescale->saved.x * rescale->factor;
        m_pose.y = rescale->saved.y * rescale->factor;
        for (int i = 1; i < m_points.GetSize(); ++i)
            m_points[i] = {m_saved[i].x * rescale->factor, m_saved[i].y * rescale->factor};
        return 1;
    }
    CPointArray m_saved;
    std::vector<double> m_factors;
};

// A member that notes when it is drawn.
class CDrawRecorder : public CTestBox {
  public:
    CDrawRecorder(CTool* tool, std::vector<CPaint*>& order)
        : CTestBox(tool, 0, 0, 100, 100), m_order(order) {}
    int Draw(const CPose*) override {
        m_order.push_back(this);
        return 1;
    }
    std::vector<CPaint*>& m_order;
};

struct Plan : EnginePlan {
    // A group at the origin holding one box of the given size, its frame fitted.
    CGroup* AddGroupOfBox(double x, double y, double width, double height) {
        CGroup* group = AddToLayout(host, NewGroup(&tool));
        box = AddToGroup(group, new CScalableBox(&tool, 0.0, 0.0, width, height));
        group->m_pose = CPose(x, y, 0.0);
        group->RecalcFrame();
        group->ComputeExtent(nullptr);
        return group;
    }
    CScalableBox* box = nullptr;
    const CPose identity;
};

}  // namespace

TEST(GroupGeometry, NestedGroupsComposeTheirPlacements) {
    Plan plan;
    CGroup* outer = AddToLayout(plan.host, NewGroup(&plan.tool));
    CGroup* inner = AddToGroup(outer, NewGroup(&plan.tool));
    auto* leaf = AddToGroup(inner, new CTestBox(&plan.tool, 10.0, 0.0, 20.0, 5.0));
    outer->m_pose = CPose(1000.0, 0.0, kPi / 2.0);
    inner->m_pose = CPose(100.0, 0.0, kPi / 2.0);
    outer->SetParentPose(&plan.identity);
    // The inner group lies at (1000, 100) turned a half turn: local (10, 0) is (990, 100).
    EXPECT_NEAR(leaf->m_parentPose.x, 1000.0, 1e-6);
    EXPECT_NEAR(leaf->m_parentPose.y, 100.0, 1e-6);
    EXPECT_NEAR(leaf->m_parentPose.angle, kPi, 1e-9);
    const CDoublePoint world = leaf->LocalToWorld(10.0, 0.0);
    EXPECT_NEAR(world.x, 990.0, 1e-6);
    EXPECT_NEAR(world.y, 100.0, 1e-6);

    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    outer->GetBounds(&plan.identity, minX, minY, maxX, maxY);
    EXPECT_NEAR(minX, 980.0, 1e-6);
    EXPECT_NEAR(maxX, 990.0, 1e-6);
    EXPECT_NEAR(minY, 95.0, 1e-6);
    EXPECT_NEAR(maxY, 100.0, 1e-6);

    // An empty group leaves a bounds output as it was and answers neutrally.
    CGroup* empty = AddToLayout(plan.host, NewGroup(&plan.tool));
    minX = 7.0;
    empty->GetBounds(&plan.identity, minX, minY, maxX, maxY);
    EXPECT_EQ(minX, 7.0);
    int found = 0;
    EXPECT_EQ(empty->HitTestEnd(nullptr, 0, 0, 0), -1);
    EXPECT_EQ(empty->MatchEndAt(nullptr, 0, 0, 0, 0, found), 0);
    EXPECT_EQ(empty->ReleaseEndAt(0, 0, 0), 1);
    EXPECT_EQ(empty->Update3D(nullptr), 1);
    EXPECT_EQ(empty->IsInvalid(0), 0);
}

TEST(GroupGeometry, DrawingWalksTailToHeadAndHitTestsHeadFirst) {
    Plan plan;
    std::vector<CPaint*> order;
    CGroup* group = AddToLayout(plan.host, NewGroup(&plan.tool));
    auto* third = AddToGroup(group, new CDrawRecorder(&plan.tool, order));
    auto* second = AddToGroup(group, new CDrawRecorder(&plan.tool, order));
    auto* first = AddToGroup(group, new CDrawRecorder(&plan.tool, order));
    group->ComputeExtent(nullptr);
    group->Draw(&plan.identity);
    EXPECT_EQ(order, (std::vector<CPaint*>{third, second, first}));

    plan.tool.m_fCurrentX = 50.0;
    plan.tool.m_fCurrentY = 50.0;
    EXPECT_EQ(group->HitTest(), first);
    first->m_nLayer = 3;
    plan.tool.m_bLayerShown[3] = 0;
    EXPECT_EQ(group->HitTest(), second);  // a hidden member is passed over
}

TEST(GroupGeometry, SelectedGroupDrawsItsBorderAndHandles) {
    Plan plan;
    Canvas canvas(300, 300);
    canvas.dc.EnableTrace(true);
    plan.tool.SetTargetDC(&canvas.dc, nullptr);
    plan.tool.m_rcUpdate = DeviceRect{-1000, -1000, 1000, 1000};
    CGroup* group = plan.AddGroupOfBox(100.0, 100.0, 1000.0, 500.0);
    plan.box->RecalcDeviceBounds();
    auto lines = [&canvas] {
        int count = 0;
        for (const CDCTraceEntry& entry : canvas.dc.GetTrace()) count += entry.primitive == "LineTo";
        return count;
    };
    auto rectangles = [&canvas] {
        int count = 0;
        for (const CDCTraceEntry& entry : canvas.dc.GetTrace()) count += entry.primitive == "Rectangle";
        return count;
    };
    EXPECT_EQ(group->Draw(&plan.identity), 1);
    EXPECT_EQ(lines(), 0);  // unselected: only its member

    group->Select();
    canvas.dc.ClearTrace();
    group->Draw(&plan.identity);
    EXPECT_EQ(lines(), 4 + 2);                           // the border and the rotation cross
    EXPECT_EQ(rectangles(), 1);                          // the corner handle
    EXPECT_NEAR(group->HandlePoint(0).x, -200.0, 1e-6);  // two handle sizes out, in layout units

    plan.tool.m_bButtonDown = 1;
    plan.tool.m_bMoved = 1;
    canvas.dc.ClearTrace();
    group->Draw(&plan.identity);
    EXPECT_EQ(lines(), 4);  // a drag shows the border but no handles
    EXPECT_EQ(rectangles(), 0);

    group->m_bUseBorder = 0;
    group->EnterEdit();
    canvas.dc.ClearTrace();
    group->Draw(&plan.identity);
    EXPECT_EQ(lines(), 4 + 4 * 2);  // the edit frame with a slanted cross at each corner
    ASSERT_FALSE(canvas.dc.GetTrace().empty());
    EXPECT_EQ(canvas.dc.GetTrace().front().pen.lopnColor, RGB(255, 0, 0));

    plan.box->m_nLayer = 2;
    plan.tool.m_bLayerShown[2] = 0;
    canvas.dc.ClearTrace();
    plan.box->RecalcDeviceBounds();
    plan.tool.m_bLayerShown[2] = 0;
    group->m_bBeingEdited = 0;
    EXPECT_EQ(group->Draw(&plan.identity), 0);  // nothing of it shows, no handles either
    EXPECT_TRUE(canvas.dc.GetTrace().empty());
    plan.tool.SetTargetDC(nullptr, nullptr);
}

TEST(GroupGeometry, FrameFitsTheMembersWithTheExtentMargin) {
    Plan plan;
    CGroup* group = AddToLayout(plan.host, NewGroup(&plan.tool));
    auto* box = AddToGroup(group, new CTestBox(&plan.tool, 50.0, 50.0, 250.0, 150.0));
    group->RecalcFrame();
    EXPECT_EQ(group->m_pose.x, 50.0);
    EXPECT_EQ(group->m_pose.y, 50.0);
    EXPECT_EQ(group->m_fFrameWidth, 200.0);
    EXPECT_EQ(group->m_fFrameHeight, 100.0);
    EXPECT_EQ(box->m_pose.x, -50.0);
    EXPECT_EQ(box->LocalToWorld(50.0, 50.0), (CDoublePoint{50.0, 50.0}));  // it stays on the plan

    group->ComputeExtent(nullptr);
    EXPECT_NEAR(group->m_fMinX, 50.0 - 134.94525, 1e-6);
    EXPECT_NEAR(group->m_fMaxY, 150.0 + 134.94525, 1e-6);

    // A turned group keeps its frame along its own axes.
    group->m_pose.angle = kPi / 6.0;
    group->SetParentPose(&plan.identity);
    const CDoublePoint before = box->LocalToWorld(50.0, 50.0);
    group->RecalcFrame();
    EXPECT_NEAR(group->m_fFrameWidth, 200.0, 1e-6);
    EXPECT_NEAR(group->m_fFrameHeight, 100.0, 1e-6);
    const CDoublePoint after = box->LocalToWorld(50.0, 50.0);
    EXPECT_NEAR(after.x, before.x, 1e-6);
    EXPECT_NEAR(after.y, before.y, 1e-6);
}

TEST(GroupGeometry, CornerHandleRescalesByTheLargerRatio) {
    struct Case {
        double width, height, x, y, factor;
    };
    const Case cases[] = {
        {200, 100, 400, 150, 2.0},  {200, 100, 100, 200, 2.0}, {200, 0, 300, 0, 1.5},
        {1000, 500, 50, 40, 0.165}, {1000, 500, 40, 50, 0.33},
    };
    for (const Case& c : cases) {
        Plan plan;
        CGroup* group = plan.AddGroupOfBox(1000.0, 1000.0, c.width, c.height);
        group->Select();
        group->TrackCreate(&plan.identity, 3);
        EXPECT_EQ(group->m_fRescaleAX, c.width);
        plan.tool.m_fCurrentX = 1000.0 + c.x;
        plan.tool.m_fCurrentY = 1000.0 + c.y;
        group->DragHandle(&plan.identity, 3);
        ASSERT_EQ(plan.box->m_factors.size(), 1u);
        EXPECT_NEAR(plan.box->m_factors[0], c.factor, 1e-9) << c.x << ", " << c.y;
        EXPECT_EQ(group->m_pose.x, 1000.0);  // the lower-left corner stays
        EXPECT_NEAR(group->m_fFrameWidth, c.width * c.factor, 1e-6);
        EXPECT_EQ(plan.tool.GetUndoCount(), 0);
    }
}

TEST(GroupGeometry, RotationHandleTurnsAboutTheFrameCentre) {
    Plan plan;
    plan.tool.SetViewScale(1.0, 1.0);  // handles of 10 layout units
    CGroup* group = plan.AddGroupOfBox(1000.0, 1000.0, 200.0, 100.0);
    group->Select();
    plan.tool.m_fCurrentX = 990.0;
    plan.tool.m_fCurrentY = 980.0;
    plan.tool.m_fRotationAngle = 1.0;
    group->TrackCreate(&plan.identity, 0);
    EXPECT_EQ(plan.tool.m_fPivotX, 1100.0);
    EXPECT_EQ(plan.tool.m_fPivotY, 1050.0);
    EXPECT_EQ(plan.tool.m_nDragState, 0);
    EXPECT_EQ(plan.tool.m_fReferenceX, 990.0);
    EXPECT_EQ(plan.tool.m_fRotationAngle, 0.0);
    EXPECT_EQ(group->GetSavedPose().x, 1000.0);

    // The handles: corners and the rotation cross, -1 elsewhere and when unselected.
    group->m_points[0] = {-20.0, -20.0};  // where drawing puts the rotation handle
    EXPECT_EQ(group->HitTestHandle(&plan.identity, 1200.0, 1100.0), 3);
    EXPECT_EQ(group->HitTestHandle(&plan.identity, 1000.0, 1100.0), 2);
    EXPECT_EQ(group->HitTestHandle(&plan.identity, 1209.9, 1000.0), 4);
    EXPECT_EQ(group->HitTestHandle(&plan.identity, 1210.0, 1000.0), -1);  // upper edge is outside
    EXPECT_EQ(group->HitTestHandle(&plan.identity, 1000.0, 1000.0), 1);
    EXPECT_EQ(group->HitTestHandle(&plan.identity, 980.0, 980.0), 0);
    EXPECT_EQ(group->HitTestHandle(&plan.identity, 1100.0, 1050.0), -1);
    group->Deselect();
    EXPECT_EQ(group->HitTestHandle(&plan.identity, 1200.0, 1100.0), -1);
}

TEST(GroupGeometry, SnapTurnsBringTheMembersAlong) {
    for (int half : {0, 1}) {
        Plan plan;
        CGroup* group = plan.AddGroupOfBox(100.0, 0.0, 50.0, 50.0);
        plan.tool.m_fSnapAngle = kPi / 2.0;
        plan.tool.m_fSnapPivotX = 0.0;
        plan.tool.m_fSnapPivotY = 0.0;
        plan.tool.m_fSnapOffsetX = 5.0;
        if (half)
            group->RotateWithPivotHalfTurn(&plan.identity);
        else
            group->RotateWithPivot(&plan.identity);
        const double turn = kPi / 2.0 + (half ? kPi : 0.0);
        EXPECT_NEAR(group->m_pose.angle, turn, 1e-9);
        EXPECT_NEAR(group->m_pose.x, 5.0, 1e-6);
        EXPECT_NEAR(group->m_pose.y, half ? -100.0 : 100.0, 1e-6);
        // The member is drawn and hit where the group now lies.
        EXPECT_NEAR(plan.box->m_parentPose.angle, turn, 1e-9);
        EXPECT_NEAR(plan.box->m_parentPose.x, group->m_pose.x, 1e-9);
    }
}

TEST(GroupGeometry, MirrorsTurnTheGroupAndMirrorTheMembers) {
    Plan plan;
    CGroup* group = plan.AddGroupOfBox(100.0, 200.0, 40.0, 20.0);
    group->m_pose.angle = kPi / 6.0;
    group->SetParentPose(&plan.identity);
    const CDoublePoint corner = plan.box->LocalToWorld(40.0, 20.0);
    EXPECT_EQ(group->MirrorY(0.0), 1);
    EXPECT_NEAR(group->m_pose.angle * 180.0 / kPi, 330.0, 1e-6);
    EXPECT_EQ(plan.box->m_points[4].y, -20.0);  // mirrored in its own frame
    const CDoublePoint mirrored = plan.box->LocalToWorld(40.0, -20.0);
    EXPECT_NEAR(mirrored.x, corner.x, 1e-6);
    EXPECT_NEAR(mirrored.y, -corner.y, 1e-6);
    EXPECT_NEAR(group->m_fFrameHeight, 20.0, 1e-6);  // refitted: the origin on the lower left
    EXPECT_NEAR(plan.box->m_pose.y, 20.0, 1e-6);

    EXPECT_EQ(group->MirrorX(50.0), 1);
    EXPECT_NEAR(group->m_pose.angle, kPi / 6.0, 1e-6);
    const CDoublePoint back = plan.box->LocalToWorld(-40.0, -20.0);
    EXPECT_NEAR(back.x, 100.0 - corner.x, 1e-6);
    EXPECT_NEAR(back.y, -corner.y, 1e-6);
}

TEST(GroupGeometry, SnapPointsAreTheFrameCorners) {
    Plan plan;
    CGroup* group = plan.AddGroupOfBox(1000.0, 1000.0, 200.0, 100.0);
    double vx = 0, vy = 0;
    group->GetSnapPoint(vx, vy, &plan.identity, 1190.0, 990.0);
    EXPECT_EQ(vx, 10.0);
    EXPECT_EQ(vy, 10.0);

    // A selected group snaps by the corner nearest to the grid.
    plan.tool.m_nSnapMode = 2;
    group->Select();
    group->NearestEndPoint(vx, vy, &plan.identity);
    EXPECT_EQ(vx, 70.0);
    EXPECT_EQ(vy, 170.0);
    // Unselected, it asks its selected members; with none the answer is no correction.
    group->Deselect();
    group->NearestEndPoint(vx, vy, &plan.identity);
    EXPECT_EQ(vx, 0.0);
    EXPECT_EQ(vy, 0.0);
}

TEST(GroupGeometry, MembersMovedInGroupEditLeaveOneUndoStep) {
    Plan plan;
    CGroup* group = plan.AddGroupOfBox(1000.0, 1000.0, 200.0, 100.0);
    auto* second = AddToGroup(group, new CTestBox(&plan.tool, 0.0, 0.0, 10.0, 10.0));
    plan.host.OpenGroup(dynamic_cast<CGroup*>(group));
    plan.box->Select();
    second->Select();
    group->SavePose();
    group->MoveSelectedMembers(&plan.identity, 50.0, 0.0);
    EXPECT_EQ(plan.tool.GetUndoCount(), 1);
    EXPECT_EQ(group->m_pose.x, 1050.0);  // the frame followed, with the origin on its corner
    EXPECT_EQ(plan.box->LocalToWorld(0.0, 0.0).x, 1050.0);
    plan.tool.Undo();
    EXPECT_EQ(plan.box->LocalToWorld(0.0, 0.0).x, 1000.0);  // back once, not twice
    group->MoveSelectedMembers(&plan.identity, CPaint::kNone, 0.0);
    EXPECT_EQ(plan.tool.GetUndoCount(), 0);
}

TEST(GroupGeometry, StatusTextsShowTheFrameAndTheAngle) {
    Plan plan;
    CGroup* group = plan.AddGroupOfBox(0.0, 0.0, 2540.0, 1270.0);
    group->m_pose.angle = -kPi / 2.0;
    group->m_strCategory = "Scenery";
    group->UpdateSizeInfo(&plan.identity);
    const CPieceStatusText& status = plan.tool.m_status;
    EXPECT_NEAR(status.m_fRotation, 270.0, 1e-6);
    EXPECT_EQ(status.m_nKind, 6);
    const CLengthFormat inches(kDefaultUnitIndex);
    CString width, height;
    inches.FormatLength(width, 2540.0);
    inches.FormatLength(height, 1270.0);
    EXPECT_EQ(status.m_strMeasure[3], width);
    EXPECT_EQ(status.m_strMeasure[2], height);
    EXPECT_EQ(status.m_strMeasure[8], "Scenery");

    CString hint = "before";
    group->AppendStatusText(hint);
    EXPECT_EQ(hint, "before");
    plan.tool.m_nDraggedHandle = 3;
    group->AppendStatusText(hint);
    EXPECT_EQ(hint, width + "; " + height);
}
