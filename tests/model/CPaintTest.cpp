#include "model/CPaint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "model/CEditStep.h"
#include "platform/r3d/Clump.h"
#include "tests/model/TestLayout.h"

namespace {

// A class that overrides nothing: it answers every slot with the root answer.
class CPlainObject : public CPaint {
  public:
    using CPaint::CPaint;
};

}  // namespace

TEST(CPaint, DefaultConstructedObjectHasTheCatalogueAndDrawingDefaults) {
    CPaint paint;
    EXPECT_EQ(paint.m_fQuantity, 1.0);
    EXPECT_EQ(paint.m_fPrice, 0.0);
    EXPECT_EQ(paint.m_strPartNo, "0");
    EXPECT_EQ(paint.m_strCategory, "Miscellaneous");
    EXPECT_EQ(paint.m_strManufacturer, "User");
    EXPECT_EQ(paint.m_strType, "Other");
    EXPECT_EQ(paint.m_strScale, "HO");
    EXPECT_TRUE(paint.m_strName.IsEmpty());
    EXPECT_EQ(paint.m_nLayer, 0);
    EXPECT_EQ(paint.m_nEditState, -1);
    EXPECT_EQ(paint.m_bScaleWithDocument, 1);
    EXPECT_EQ(paint.m_brush, (BrushRecord{2, 0, 4}));
    EXPECT_EQ(paint.m_pen, (PenRecord{0, 0, 0, 0}));
    EXPECT_EQ(paint.m_nArrowStyle, 1);
    EXPECT_EQ(paint.m_nArrowLength, 1);
    EXPECT_EQ(paint.m_nArrowWidth, 1);
    EXPECT_EQ(paint.m_nFrameStyle, 0);
    EXPECT_EQ(paint.m_nFrameWidth, 1);
    EXPECT_EQ(paint.m_pTool, nullptr);
    EXPECT_EQ(paint.m_pOwnerGroup, nullptr);
    EXPECT_EQ(paint.m_pPatternBitmap, nullptr);
    EXPECT_EQ(paint.m_hModel, nullptr);
    EXPECT_TRUE(paint.m_rcBounds.IsEmpty());
    EXPECT_STREQ(paint.GetRuntimeClass()->m_lpszClassName, "CPaint");
    EXPECT_EQ(paint.GetRuntimeClass()->m_wSchema, 1u);
    std::unique_ptr<CObject> byName(CRuntimeClass::FromName("CPaint")->CreateObject());
    EXPECT_EQ(dynamic_cast<CPaint*>(byName.get())->m_strCategory, "Miscellaneous");
}

TEST(CPaint, EngineMadeObjectCopiesTheEngineDrawingDefaults) {
    CTool tool;
    tool.m_penDefault = PenRecord{2, 3, 0, RGB(1, 2, 3)};
    tool.m_brushDefault = BrushRecord{0, RGB(9, 8, 7), 5};
    tool.m_bFillOnDefault = 1;
    tool.m_bPatternOnDefault = 1;
    tool.m_crFillDefault = RGB(4, 5, 6);
    CPlainObject made(1, &tool, 10.0, 20.0);
    EXPECT_EQ(made.m_pen, tool.m_penDefault);
    EXPECT_EQ(made.m_brush, tool.m_brushDefault);
    EXPECT_EQ(made.m_bFillOn, 1);
    EXPECT_EQ(made.m_bPatternOn, 1);
    EXPECT_EQ(made.m_crFill, RGB(4, 5, 6));
    EXPECT_EQ(made.m_bSelected, 1);
    EXPECT_EQ(made.m_pTool, &tool);
    EXPECT_EQ(made.m_fQuantity, 1.0);
    EXPECT_EQ(made.m_pose.x, 10.0);
    EXPECT_EQ(made.m_pose.y, 20.0);
}

TEST(CPaint, EngineMadeObjectTakesTheDocumentScaleAndPlacementsCopy) {
    CTool tool;
    CTestHost host(tool);
    host.m_nDefaultScale = 15;
    CPlainObject made(0, &tool, 0.0, 0.0);
    EXPECT_EQ(made.m_strScale, "N");
    made.m_pose.angle = std::nan("");
    EXPECT_EQ(made.IsInvalid(0), 1);
    made.m_pose.angle = 1.0;
    EXPECT_EQ(made.IsInvalid(0), 0);
    made.SavePose();
    EXPECT_EQ(made.m_savedPose.angle, 1.0);
    made.m_points.Add(1.0, 2.0);
    made.m_points.Add(3.0, 4.0);
    CPlainObject copy(0, &tool, 0.0, 0.0);
    copy.m_points.Add(9.0, 9.0);
    copy.m_points.Add(9.0, 9.0);
    copy.m_points.Add(9.0, 9.0);
    copy.m_fQuantity = 5.0;
    copy.CopyFrom(&made);
    EXPECT_EQ(copy.m_points.GetSize(), 2);
    EXPECT_EQ(copy.m_points[1].y, 4.0);
    EXPECT_EQ(copy.m_pose.angle, 1.0);
    EXPECT_EQ(copy.m_fQuantity, 5.0);  // quantity is not copied
    copy.ReleaseData();
    EXPECT_EQ(copy.m_points.GetSize(), 0);
    EXPECT_EQ(copy.m_points.GetCapacity(), 0);
}

TEST(CPaint, EverySlotGivesItsRootAnswer) {
    CTool tool;
    CTestHost host(tool);
    CPlainObject plain(0, &tool, 0.0, 0.0);
    CPaint* p = &plain;
    CEditStep step(kStepRescale, p, 0);
    double a = 1.5, b = 2.5, c = 3.5, d = 4.5;
    int found = 7;

    struct IntSlot {
        const char* name;
        int answer;
        int expected;
    };
    const IntSlot intSlots[] = {
        {"ApplyShapeStep", p->ApplyShapeStep(&step), 0},
        {"HitTestEnd", p->HitTestEnd(nullptr, 1.0, 2.0, 0), -1},
        {"IsSelected", p->IsSelected(), 0},
        {"MatchProbe", p->MatchProbe(nullptr, 0), 0},
        {"FindConnection", p->FindConnection(nullptr), 0},
        {"ReleaseEndAt", p->ReleaseEndAt(1.0, 2.0, 0), 0},
        {"MatchEndAt", p->MatchEndAt(nullptr, 1.0, 2.0, 0.0, 0.0, found), 0},
        {"JoinEndAt", p->JoinEndAt(nullptr, 1.0, 2.0, 0.0, 1, 0.0), 0},
        {"SnapEndAt", p->SnapEndAt(nullptr, 1.0, 2.0, a, found, 0), 0},
        {"TestConnection", p->TestConnection(nullptr, nullptr, 0), 0},
        {"ChangeEndElevation", p->ChangeEndElevation(0, 1.0, 0, 0), 0},
        {"ApplyElevationStep", p->ApplyElevationStep(&step), 0},
        {"DissolveInto", p->DissolveInto(nullptr), 0},
        {"HitTestEndMarker", p->HitTestEndMarker(nullptr), 0},
        {"HitTestHandle", p->HitTestHandle(nullptr, 0.0, 0.0), -1},
        {"Rescale", p->Rescale(&step), 0},
        {"Edit3DProperties", p->Edit3DProperties(0), 0},
        {"Update3D", p->Update3D(nullptr), 0},
        {"Remove3D", p->Remove3D(), 0},
        {"IsInvalid", p->IsInvalid(0), 0},
        {"ApplyHeightStep", p->ApplyHeightStep(&step), 0},
        {"SetHeight of a plain object", p->SetHeight(0, 5.0, 0, 1, 1), 0},
        {"ApplyEditStep of an unknown kind",
         [&] {
             CEditStep unknown(kStepCutTrack, p, 0);
             return p->ApplyEditStep(&unknown);
         }(),
         0},
        {"GetEditState", p->GetEditState(), -1},
        {"ProbeConnection", p->ProbeConnection(nullptr, 0), 0},
    };
    for (const IntSlot& slot : intSlots) EXPECT_EQ(slot.answer, slot.expected) << slot.name;

    EXPECT_EQ(p->Find3DMember(), nullptr);
    EXPECT_EQ(p->Build3D(nullptr), nullptr);
    EXPECT_EQ(tool.GetUndoCount(), 0);  // SetHeight of a 2D object builds no step

    p->GetSnapPoint(a, b, nullptr, 1.0, 1.0);
    EXPECT_EQ(a, 99999.0);
    EXPECT_EQ(b, 99999.0);
    a = b = 0.0;
    p->NearestEndPoint(a, b, nullptr);
    EXPECT_EQ(a, 99999.0);
    EXPECT_EQ(b, 99999.0);
    a = 1.5, b = 2.5;
    p->GetBounds(nullptr, a, b, c, d);
    p->GetFrameBounds(nullptr, a, b, c, d);
    EXPECT_EQ(a, 1.5);
    EXPECT_EQ(b, 2.5);
    EXPECT_EQ(c, 3.5);
    EXPECT_EQ(d, 4.5);

    plain.m_strNote = "a\r\nb";
    EXPECT_EQ(p->GetNoteText(), "a  b");
    plain.m_fPrice = 12.5;
    EXPECT_EQ(p->GetReportPrice(511), 0.0);
    plain.m_bShowInReport = 1;
    EXPECT_EQ(p->GetReportPrice(511), 12.5);
    plain.m_fQuantity = 3.0;
    EXPECT_EQ(p->GetQuantity(), 3.0);
    plain.m_strName = "Name";
    EXPECT_EQ(p->GetName(), "Name");
    EXPECT_EQ(p->GetCategory(), "Miscellaneous");
    EXPECT_EQ(p->GetManufacturer(), "User");
    EXPECT_EQ(p->GetType(), "Other");
    EXPECT_EQ(p->GetPartNo(), "0");
    p->SetScale("N");
    EXPECT_EQ(p->GetScale(), "N");
    EXPECT_EQ(p->GetClassName(), "CPaint");

    CTool other;
    EXPECT_EQ(p->SetTool(&other), &tool);
    EXPECT_EQ(p->SetTool(&tool), &other);

    plain.m_bChanged = 1;
    p->SetChanged(1);
    EXPECT_EQ(plain.m_bChanged, 1);
    p->SetChanged(0);
    EXPECT_EQ(plain.m_bChanged, 0);

    plain.m_nDrawState = 5;
    p->ResetDrawState();
    EXPECT_EQ(plain.m_nDrawState, 0);
    p->SetLayer(3);
    EXPECT_EQ(plain.m_nLayer, 3);
    p->SetEditState(2);
    EXPECT_EQ(p->GetEditState(), 2);

    p->UpdateSizeInfo(nullptr);
    EXPECT_EQ(tool.m_strStatusText, "Name");
    EXPECT_EQ(tool.m_bStatusRefresh, 1);

    // Not selected, so nothing is drawn by the selected pass; nothing is drawn without an
    // update rectangle either.
    EXPECT_EQ(p->DrawIfSelected(nullptr), 0);
    EXPECT_EQ(p->DrawIfUnselected(nullptr), 0);
    EXPECT_EQ(p->Draw(nullptr), 0);
}

TEST(CPaint, SelectionWithUndoPushesTheInverseOnce) {
    CTool tool;
    CTestHost host(tool);
    CTestShape* shape = TestCommands::CreateAndPlace(tool);
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->IsSelected(), 1);  // placing selects
    const int before = tool.GetUndoCount();
    shape->SelectWithUndo(1, 1);
    EXPECT_EQ(tool.GetUndoCount(), before);  // already selected: nothing pushed
    shape->DeselectWithUndo(1, 1);
    EXPECT_EQ(shape->IsSelected(), 0);
    ASSERT_EQ(tool.GetUndoCount(), before + 1);
    EXPECT_EQ(tool.GetUndoStep(0)->m_nKind, kStepSelect);
    tool.Undo();
    EXPECT_EQ(shape->IsSelected(), 1);

    shape->DeselectWithUndo(0, 0);
    shape->m_nLayer = 2;
    host.m_nLockedLayer = 2;
    const int count = tool.GetUndoCount();
    shape->SelectWithUndo(1, 1);
    EXPECT_EQ(shape->IsSelected(), 0);  // a locked layer keeps it unselected
    EXPECT_EQ(tool.GetUndoCount(), count);  // the refused selection leaves no step to undo
    CEditStep select(kStepSelect, shape, 1);
    EXPECT_EQ(tool.Execute(&select), 0);
}

TEST(CPaint, ChangeGeometryWithRecordPushesAnUnrunStep) {
    CTool tool;
    CTestHost host(tool);
    CTestShape* shape = TestCommands::CreateAndPlace(tool);
    const int before = tool.GetUndoCount();
    EXPECT_EQ(shape->ChangeGeometry(5.0, 6.0, 2, 0, 1, 1), 1);
    ASSERT_EQ(tool.GetUndoCount(), before + 1);
    CEditStep* step = tool.GetUndoStep(0);
    EXPECT_EQ(step->m_nKind, kStepChangeGeometry);
    ASSERT_NE(step->GetPayload<GeometryPayload>(), nullptr);
    EXPECT_EQ(step->GetPayload<GeometryPayload>()->handle, 2);
    EXPECT_EQ(step->GetPayload<GeometryPayload>()->x, 5.0);
}

TEST(CPaint, OwnsItsPatternBitmap) {
    static const WORD kCross[8] = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
    CPaint paint;
    paint.m_pPatternBitmap = std::make_unique<CBitmap>();
    ASSERT_TRUE(paint.m_pPatternBitmap->CreateBitmap(8, 8, 1, 1, kCross));
    paint.RecreateResources(0);
    EXPECT_EQ(paint.m_pPatternBitmap, nullptr);

    // Destroying an object with a loaded pattern frees it (the sanitizer build checks leaks).
    auto patterned = std::make_unique<CPaint>();
    patterned->m_pPatternBitmap = std::make_unique<CBitmap>();
    ASSERT_TRUE(patterned->m_pPatternBitmap->CreateBitmap(8, 8, 1, 1, kCross));
    patterned.reset();
}
