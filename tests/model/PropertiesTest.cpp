#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <fstream>

#include "model/CEditStep.h"
#include "model/CPaint.h"
#include "model/CPropertiesDialog.h"
#include "model/CTool.h"
#include "platform/base/CWinPath.h"
#include "platform/r3d/Clump.h"
#include "platform/r3d/Scene.h"
#include "tests/model/TestLayout.h"
#include "tests/support/TestFolder.h"

namespace {

// An object that answers to the class name it is given, as the layout classes do.
class CNamed : public CTestObject {
  public:
    CNamed(CTool* tool, const char* name) : CTestObject(0, tool, 0.0, 0.0), m_name(name) {}
    CString GetClassName() override { return m_name; }
    CPaint* Clone() override {
        auto* copy = new CNamed(m_pTool, m_name.c_str());
        copy->CopyFrom(this);
        return copy;
    }
    CString m_name;
};

// An object with a one-triangle model and a child model.
class CModelled : public CTestObject {
  public:
    using CTestObject::CTestObject;
    std::unique_ptr<r3d::Clump> Build3D(const CPose*) override {
        ++m_nBuilds;
        auto model = std::make_unique<r3d::Clump>();
        const int corners[] = {model->AddVertex({1, 0, 0}), model->AddVertex({2, 0, 0}),
                               model->AddVertex({1, 1, 0})};
        model->AddPolygon(corners, r3d::Material{});
        auto child = std::make_unique<r3d::Clump>();
        const int childCorners[] = {child->AddVertex({0, 0, 0}), child->AddVertex({1, 0, 0}),
                                    child->AddVertex({0, 1, 0})};
        child->AddPolygon(childCorners, r3d::Material{});
        model->AddChild(std::move(child));
        return model;
    }
    void DetachFromTerrain() override { ++m_nDetaches; }
    int Update3D(const CPose* pose) override { return CPaint::Update3D(pose); }
    int m_nBuilds = 0;
    int m_nDetaches = 0;
};

// The properties dialog as a test scripts it.
class CScriptedDialog : public CPropertiesDialog {
  public:
    CScriptedDialog(CPaint* object, int answer, int mode)
        : m_pObject(object), m_nAnswer(answer), m_nMode(mode) {}
    int DoModal() override { return m_nAnswer; }
    std::unique_ptr<CPaint> TakeResult(int& mode) override {
        mode = m_nMode;
        std::unique_ptr<CPaint> result(m_pObject->Clone());
        result->m_strName = "Edited";
        result->m_pen.color = RGB(1, 2, 3);
        return result;
    }
    CPaint* m_pObject;
    int m_nAnswer;
    int m_nMode;
};

struct DialogScript {
    DialogScript(int answer, int mode) {
        RegisterPropertiesDialog([answer, mode](CPaint* object, BOOL, const CPose*) {
            return std::make_unique<CScriptedDialog>(object, answer, mode);
        });
    }
    ~DialogScript() { RegisterPropertiesDialog({}); }
};

}  // namespace

TEST(Properties, CompareSetsOneFlagPerDifferingProperty) {
    CTool tool;
    CTestHost host(tool);
    CNamed a(&tool, "CLine"), b(&tool, "CLine");
    std::fill(std::begin(host.m_propertyFlags), std::end(host.m_propertyFlags), 7);
    b.m_fQuantity = 9.0;  // not compared
    b.m_brush.style = 1;  // not compared
    a.CompareProperties(&b);
    for (int flag : host.m_propertyFlags) EXPECT_EQ(flag, 0);
    b.m_strName = "x";
    b.m_pen.widthY = 3;
    b.m_brush.hatch = 1;
    b.m_bScaleWithDocument = 0;
    b.m_crFrame = 5;
    a.CompareProperties(&b);
    for (int i = 0; i < kPropertyFlagCount; ++i) {
        const bool expected = i == 4 || i == 10 || i == 13 || i == 19 || i == 24;
        EXPECT_EQ(host.m_propertyFlags[i], expected ? 1 : 0) << i;
    }
}

TEST(Properties, StyleFromATrackTemplateChangesOnlyTheScale) {
    CTool tool;
    CTestHost host(tool);
    CNamed line(&tool, "CLine"), track(&tool, "CTrack");
    track.m_strScale = "N";
    track.m_bScaleWithDocument = 0;
    track.m_pen = PenRecord{2, 5, 5, RGB(9, 9, 9)};
    track.m_bFillOn = 1;
    line.CompareProperties(&track);
    const PenRecord pen = line.m_pen;
    line.ApplyStyle(nullptr, &track, 1);
    EXPECT_EQ(line.m_strScale, "N");
    EXPECT_EQ(line.m_bScaleWithDocument, 0);
    EXPECT_EQ(line.m_pen, pen);
    EXPECT_EQ(line.m_bFillOn, 0);
    EXPECT_EQ(line.m_n3DUpdates, 1);
}

TEST(Properties, StyleFromALineCopiesThePenAndFromABoxTheFill) {
    CTool tool;
    CTestHost host(tool);
    CNamed target(&tool, "CBox"), line(&tool, "CLine"), box(&tool, "CBox");
    line.m_pen = box.m_pen = PenRecord{2, 5, 5, RGB(9, 9, 9)};
    line.m_bFillOn = box.m_bFillOn = 1;
    line.m_crFill = box.m_crFill = RGB(0, 0, 255);
    line.m_brush = box.m_brush = BrushRecord{0, RGB(0, 255, 0), 3};
    line.m_nFrameWidth = 4;
    target.CompareProperties(&line);
    target.ApplyStyle(nullptr, &line, 1);
    EXPECT_EQ(target.m_pen, line.m_pen);
    EXPECT_EQ(target.m_nFrameWidth, 4);
    EXPECT_EQ(target.m_brush, line.m_brush);  // the fill differed, so the brush came along
    EXPECT_EQ(target.m_bFillOn, 0);           // but a line carries no fill switches

    CNamed other(&tool, "CBox");
    host.m_propertyFlags[kDiffersFill] = 0;
    host.m_propertyFlags[kDiffersPattern] = 0;
    other.ApplyStyle(nullptr, &line, 1);  // no fill flag: the brush stays
    EXPECT_NE(other.m_brush, line.m_brush);
    other.CompareProperties(&box);
    other.ApplyStyle(nullptr, &box, 1);
    EXPECT_EQ(other.m_bFillOn, 1);
    EXPECT_EQ(other.m_crFill, RGB(0, 0, 255));
    EXPECT_EQ(other.m_brush, box.m_brush);
}

TEST(Properties, EditPropertiesAppliesTheResultWithOneUndoStep) {
    CTool tool;
    CTestHost host(tool);
    CNamed* box = AddToLayout(host, new CNamed(&tool, "CBox"));
    box->m_strName = "Siding";
    {
        DialogScript cancel(2, 0);
        EXPECT_EQ(box->EditProperties(nullptr), 0);
        EXPECT_EQ(tool.GetUndoCount(), 0);
    }
    {
        DialogScript ok(CPropertiesDialog::kResultOk, CPropertiesDialog::kApplyToObject);
        EXPECT_EQ(box->EditProperties(nullptr), 1);
    }
    EXPECT_EQ(box->m_strName, "Edited");
    EXPECT_EQ(box->m_pen.color, RGB(1, 2, 3));
    ASSERT_EQ(tool.GetUndoCount(), 1);
    EXPECT_EQ(tool.GetUndoStep(0)->m_nKind, kStepRestoreProperties);
    box->Select();
    tool.Undo();
    EXPECT_EQ(box->m_pen.color, 0u);  // restored from the backup, catalogue fields too
    EXPECT_EQ(box->m_strName, "Siding");
    EXPECT_TRUE(box->IsSelected());
    for (int mode : {1, 2}) {
        DialogScript ok(CPropertiesDialog::kResultOk, mode);
        EXPECT_EQ(box->EditProperties(nullptr), 1);
        ASSERT_EQ(tool.GetUndoCount(), 1);
        EXPECT_EQ(tool.GetUndoStep(0)->m_nKind,
                  mode == 1 ? kStepRestoreSelectionProperties : kStepRestoreAllProperties);
        EXPECT_EQ(tool.GetUndoStep(0)->m_pObject, nullptr);
        tool.ClearUndoList();
    }
    EXPECT_EQ(box->EditProperties(nullptr), 0);  // no dialog registered
}

TEST(Properties, UndoGivesEveryObjectOfASelectionOrLayoutItsOwnStyleBack) {
    CTool tool;
    CTestHost host(tool);
    CNamed* red = AddToLayout(host, new CNamed(&tool, "CBox"));
    CNamed* blue = AddToLayout(host, new CNamed(&tool, "CLine"));
    CGroup* group = AddToLayout(host, NewGroup(&tool));
    CNamed* inner = AddToGroup(group, new CNamed(&tool, "CLine"));
    red->m_pen.color = RGB(255, 0, 0);
    blue->m_pen.color = RGB(0, 0, 255);
    inner->m_pen.color = RGB(0, 128, 0);

    red->Select();
    blue->Select();
    {
        DialogScript ok(CPropertiesDialog::kResultOk, CPropertiesDialog::kApplyToSelection);
        ASSERT_EQ(red->EditProperties(nullptr), 1);
    }
    EXPECT_EQ(red->m_pen.color, RGB(1, 2, 3));
    EXPECT_EQ(blue->m_pen.color, RGB(1, 2, 3));
    EXPECT_EQ(inner->m_pen.color, RGB(0, 128, 0));  // not selected
    tool.Undo();
    EXPECT_EQ(red->m_pen.color, RGB(255, 0, 0));
    EXPECT_EQ(blue->m_pen.color, RGB(0, 0, 255));
    EXPECT_TRUE(red->IsSelected());

    {
        DialogScript ok(CPropertiesDialog::kResultOk, CPropertiesDialog::kApplyToAll);
        ASSERT_EQ(red->EditProperties(nullptr), 1);
    }
    EXPECT_EQ(inner->m_pen.color, RGB(1, 2, 3));
    // An object destroyed while the undo step waits is simply left out of the restore.
    group->m_members.remove(inner);
    delete inner;
    tool.Undo();
    EXPECT_EQ(red->m_pen.color, RGB(255, 0, 0));
    EXPECT_EQ(blue->m_pen.color, RGB(0, 0, 255));
}

TEST(Properties, CopyAndClone) {
    CTool tool;
    CTestHost host(tool);
    CPaint source;
    source.m_points.Add(1.0, 2.0);
    source.m_fQuantity = 4.0;
    source.m_bSelected = 1;
    source.m_strNote = "note";
    CPaint target;
    for (int i = 0; i < 5; ++i) target.m_points.Add(9.0, 9.0);
    target.CopyFrom(&source);
    ASSERT_EQ(target.m_points.GetSize(), 1);
    EXPECT_EQ(target.m_points[0], (CDoublePoint{1.0, 2.0}));
    std::unique_ptr<CPaint> clone(source.Clone());
    EXPECT_EQ(clone->m_fQuantity, 1.0);
    EXPECT_EQ(clone->m_bSelected, 0);
    EXPECT_EQ(clone->m_strNote, "note");
}

TEST(Properties, PatternFileIsLoadedAgainOrDropped) {
    TestFolder folder;
    {
        std::ofstream file(folder / "cross.pat", std::ios::binary);
        const char bytes[16] = {char(0x81), 0, 0x42, 0, 0x24, 0, 0x18,       0,
                                0x18,       0, 0x24, 0, 0x42, 0, char(0x81), 0};
        file.write(bytes, 16);
        std::ofstream(folder / "short.pat", std::ios::binary) << "abc";
    }
    CPaint paint;
    paint.m_strPatternFile = CWinPath::FromReal(folder / "cross.pat");
    paint.RecreateResources(1);
    ASSERT_NE(paint.m_pPatternBitmap, nullptr);
    BITMAP info{};
    paint.m_pPatternBitmap->GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 8);
    EXPECT_EQ(info.bmBitsPixel, 1);
    CPaint copy;
    copy.CopyFrom(&paint);
    EXPECT_NE(copy.m_pPatternBitmap, nullptr);
    paint.m_strPatternFile = CWinPath::FromReal(folder / "short.pat");
    paint.RecreateResources(1);
    EXPECT_EQ(paint.m_pPatternBitmap, nullptr);
    paint.m_strPatternFile.Empty();
    paint.RecreateResources(1);
    EXPECT_EQ(paint.m_pPatternBitmap, nullptr);

    // A name of a pipe or a device reads nothing (and does not wait for bytes to arrive).
    ASSERT_EQ(mkfifo((folder / "pipe.pat").c_str(), 0600), 0);
    for (const char* name : {"pipe.pat", "/dev/zero"}) {
        paint.m_strPatternFile = CWinPath::FromReal(folder / name);
        paint.RecreateResources(1);
        EXPECT_EQ(paint.m_pPatternBitmap, nullptr) << name;
    }
}

TEST(Properties, ModelsLiveInTheDocumentScene) {
    CTool tool;
    CTestHost host(tool);
    r3d::Scene scene;
    host.m_pScene = &scene;
    CModelled* object = AddToLayout(host, new CModelled(0, &tool, 0.0, 0.0));
    EXPECT_EQ(object->Update3D(nullptr), 0);  // no 3D window: nothing built
    EXPECT_EQ(object->m_nBuilds, 0);
    host.m_b3DWindow = TRUE;
    EXPECT_EQ(object->Update3D(nullptr), 1);
    EXPECT_EQ(object->Update3D(nullptr), 1);
    EXPECT_EQ(scene.Clumps().size(), 1u);  // the old model went
    EXPECT_EQ(host.m_nRenders, 2);

    object->Translate3D(0.0f, 0.0f, 5.0f);
    EXPECT_FLOAT_EQ(object->m_hModel->WorldMatrix().Translation().z, 5.0f);
    object->m_hModel->ResetTransform();
    object->Rotate3D(1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 90.0f);  // about z through (1, 0, 0)
    const r3d::Matrix world = object->m_hModel->WorldMatrix();
    const r3d::Vec3 pivot = world.TransformPoint({1, 0, 0});
    const r3d::Vec3 turned = world.TransformPoint({2, 0, 0});
    EXPECT_NEAR(pivot.x, 1.0f, 1e-5);
    EXPECT_NEAR(pivot.y, 0.0f, 1e-5);
    EXPECT_NEAR(turned.x, 1.0f, 1e-5);
    EXPECT_NEAR(std::fabs(turned.y), 1.0f, 1e-5);

    host.m_n3DDrawStyle = 2;
    object->ApplyRenderMode();
    EXPECT_EQ(object->m_hModel->Polygons()[0].material.style, r3d::DrawStyle::Wireframe);
    EXPECT_EQ(object->m_hModel->Children()[0]->Polygons()[0].material.style, r3d::DrawStyle::Wireframe);

    tool.m_bLayerShown[0] = 0;
    EXPECT_EQ(object->Update3D(nullptr), 0);  // a hidden layer loses its model
    EXPECT_TRUE(scene.Clumps().empty());
    tool.m_bLayerShown[0] = 1;
    EXPECT_EQ(object->Remove3D(), 0);
    EXPECT_EQ(object->m_nDetaches, 1);
    object->Update3DByLayer();
    EXPECT_EQ(scene.Clumps().size(), 1u);
    EXPECT_EQ(object->Remove3D(), 1);
    EXPECT_EQ(object->m_nDetaches, 2);
    EXPECT_EQ(host.m_nViewUpdates, 1);
    EXPECT_TRUE(scene.Clumps().empty());
    object->Update3D(nullptr);
    EXPECT_EQ(scene.Clumps().size(), 1u);
    host.DetachFromGroup(object);
    delete object;  // destroying the object takes its model out of the scene
    EXPECT_TRUE(scene.Clumps().empty());
}
