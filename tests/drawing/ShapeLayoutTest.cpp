#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "drawing/CArc.h"
#include "drawing/CBMP.h"
#include "drawing/CBox.h"
#include "drawing/CBoxMeasure.h"
#include "drawing/CLine.h"
#include "drawing/CLineMeasure.h"
#include "drawing/CPolygon.h"
#include "drawing/CRoundBox.h"
#include "drawing/CSizeAngle.h"
#include "drawing/CSizeLine.h"
#include "drawing/CSketch.h"
#include "drawing/CSpline.h"
#include "drawing/CTextBox.h"
#include "drawing/DrawingObjects.h"
#include "model/CCVNDoc.h"
#include "tests/gdi/Canvas.h"
#include "tests/model/TestLayout.h"
#include "tests/support/TestFolder.h"
#include "track/TrackPieces.h"

namespace {

// A document whose file errors are kept instead of shown.
class RecordingDoc : public CCVNDoc {
  public:
    void ReportSaveLoadException(LPCTSTR, const CString& message, BOOL) override {
        m_errors.push_back(message);
    }
    std::vector<CString> m_errors;
};

std::vector<BYTE> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The library and parts names come back as "New.CVL" and "New.CVP" whatever was stored.
std::vector<BYTE> WithReadNames(std::vector<BYTE> bytes) {
    for (const auto& [from, to] : {std::pair{"New.cvl", "New.CVL"}, std::pair{"New.cvp", "New.CVP"}}) {
        auto at = std::search(bytes.begin(), bytes.end(), from, from + 7);
        if (at != bytes.end())
            std::copy(to, to + 7, at);
    }
    return bytes;
}

void AddEveryShape(CCVNDoc& doc) {
    CTool* tool = &doc.m_tool;
    CGroup* root = &doc.m_rootGroup;
    auto* box = AddToGroup(root, new CBox(0, tool, 100.0, 100.0));
    box->MoveBoxCorner(3, 400.0, -300.0, nullptr);
    auto* line = AddToGroup(root, new CLine(0, tool, 500.0, 0.0));
    line->m_ptEnd = {300.0, 200.0};
    auto* round = AddToGroup(root, new CRoundBox(0, tool, 0.0, 1000.0));
    round->MoveBoxCorner(3, 600.0, 400.0, nullptr);
    round->m_fRadius = 50.0;
    auto* arc = AddToGroup(root, new CArc(0, tool, 0.0, 0.0, 0));
    arc->SetArc(2000.0, 2000.0, 300.0, 200.0, 0.5, 2.0, 0, 0, 0);
    auto* polygon = AddToGroup(root, new CPolygon(0, tool, 0.0, 0.0));
    for (const CDoublePoint& p :
         {CDoublePoint{0.0, 0.0}, CDoublePoint{300.0, 100.0}, CDoublePoint{100.0, 400.0}})
        polygon->m_points.Add(p.x, p.y);
    polygon->m_fPerimeter = 700.0;
    polygon->Normalize(CPose());
    auto* sketch = AddToGroup(root, new CSketch(0, tool, 50.0, 50.0));
    sketch->m_points.Add(1.0, 2.0);
    auto* spline = AddToGroup(root, new CSpline(0, tool, 0.0, 0.0));
    for (int i = 0; i < 3; ++i) spline->m_points.Add(100.0 * i, 50.0 * i);
    spline->m_fLength = 123.0;
}

void AddEveryAnnotation(CCVNDoc& doc, const CString& pictureFile) {
    CTool* tool = &doc.m_tool;
    CGroup* root = &doc.m_rootGroup;
    AddToGroup(root, new CSizeLine(0, tool, 100.0, 100.0))
        ->SetPoints(100.0, 100.0, 100.0, 900.0, 400.0, 0.0, 1, 0, 0);
    auto* angle = AddToGroup(root, new CSizeAngle(0, tool, 0.0, 0.0));
    angle->SetPoints(500.0, 0.0, 0.0, 500.0, 0.0, 0.0, 300.0, 300.0, 1, 0, 0);
    AddToGroup(root, new CLineMeasure(0, tool, 0.0, 0.0))->m_points[2] = {700.0, 100.0};
    AddToGroup(root, new CBoxMeasure(0, tool, 0.0, 0.0))->MoveBoxCorner(3, 900.0, 400.0, nullptr);
    auto* text = AddToGroup(root, new CTextBox(0, tool, 0.0, 2000.0));
    text->MoveBoxCorner(3, 3000.0, -1000.0, nullptr);
    text->m_strText = "Goods shed";
    auto* picture = AddToGroup(root, new CBMP(0, tool, 4000.0, 0.0));
    picture->MoveBoxCorner(3, 2000.0, 1000.0, nullptr);
    picture->m_strFile = pictureFile;
    picture->LoadPicture();
}

}  // namespace

TEST(ShapeLayout, EveryShapeSurvivesSaveAndOpenByteForByte) {
    RegisterDrawingObjects();
    RegisterTrackPieces();
    TestFolder folder;
    const std::string first = (folder / "first.cvn").string();
    const std::string second = (folder / "second.cvn").string();
    CCVNDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    AddEveryShape(doc);
    ASSERT_TRUE(doc.OnSaveDocument(first.c_str()));
    RecordingDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(first.c_str()))
        << (reopened.m_errors.empty() ? "" : reopened.m_errors[0].c_str());
    ASSERT_EQ(reopened.m_rootGroup.m_members.size(), 7u);
    const std::vector<CString> expected = {"CSpline",   "CSketch", "CPolygon", "CArc",
                                           "CRoundBox", "CLine",   "CBox"};
    size_t index = 0;
    for (CPaint* member : reopened.m_rootGroup.m_members)
        EXPECT_EQ(member->GetClassName(), expected[index++]);
    ASSERT_TRUE(reopened.OnSaveDocument(second.c_str()));
    const std::vector<BYTE> firstBytes = ReadWholeFile(first);
    const std::vector<BYTE> secondBytes = ReadWholeFile(second);
    EXPECT_EQ(WithReadNames(firstBytes), secondBytes);
}

TEST(ShapeLayout, EveryAnnotationSurvivesSaveAndOpenByteForByteWithItsPicture) {
    RegisterDrawingObjects();
    RegisterTrackPieces();
    TestFolder folder;
    Canvas bitmap(8, 4, RGB(10, 20, 30));
    const std::string picture = (folder / "shed.bmp").string();
    ASSERT_TRUE(bitmap.bitmap.SaveBmpFile(picture.c_str(), 24));
    const std::string first = (folder / "first.cvn").string();
    const std::string second = (folder / "second.cvn").string();
    CCVNDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    AddEveryAnnotation(doc, picture.c_str());
    ASSERT_TRUE(doc.OnSaveDocument(first.c_str()));
    CCVNDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(first.c_str()));
    const std::vector<CString> expected = {"CBMP",         "CTextBox",   "CBoxMeasure",
                                           "CLineMeasure", "CSizeAngle", "CSizeLine"};
    ASSERT_EQ(reopened.m_rootGroup.m_members.size(), expected.size());
    size_t index = 0;
    for (CPaint* member : reopened.m_rootGroup.m_members)
        EXPECT_EQ(member->GetClassName(), expected[index++]);
    auto* read = dynamic_cast<CBMP*>(reopened.m_rootGroup.m_members.front());
    ASSERT_NE(read->GetPicture(), nullptr);
    EXPECT_EQ(read->GetPicture()->GetBitmapDimension(), CSize(8, 4));
    ASSERT_TRUE(reopened.OnSaveDocument(second.c_str()));
    EXPECT_EQ(WithReadNames(ReadWholeFile(first)), ReadWholeFile(second));
}

// Each shape and annotation alone in a group turned 30 degrees in a group turned 25 degrees:
// the outer frame read is the one a refit measuring the shape through both turns gives.
TEST(ShapeLayout, EveryShapeInTurnedGroupsOpensWithTheFrameOfItsOutline) {
    RegisterDrawingObjects();
    RegisterTrackPieces();
    TestFolder folder;
    Canvas bitmap(8, 4, RGB(10, 20, 30));
    const std::string picture = (folder / "shed.bmp").string();
    ASSERT_TRUE(bitmap.bitmap.SaveBmpFile(picture.c_str(), 24));
    const std::string path = (folder / "turned.cvn").string();
    CCVNDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    AddEveryShape(doc);
    AddEveryAnnotation(doc, picture.c_str());
    const std::vector<CPaint*> shapes(doc.m_rootGroup.m_members.begin(), doc.m_rootGroup.m_members.end());
    for (CPaint* shape : shapes) {
        CGroup::DetachFromOwner(shape);
        CGroup* outer = AddToGroup(&doc.m_rootGroup, NewGroup(&doc.m_tool));
        outer->m_pose.angle = 25.0 * kPi / 180.0;
        CGroup* inner = AddToGroup(outer, NewGroup(&doc.m_tool));
        inner->m_pose.angle = 30.0 * kPi / 180.0;
        AddToGroup(inner, shape);
    }
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    CCVNDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path.c_str()));
    for (CPaint* member : reopened.m_rootGroup.m_members) {
        auto* outer = static_cast<CGroup*>(member);
        auto* inner = static_cast<CGroup*>(outer->m_members.front());
        const double width = outer->m_fFrameWidth, height = outer->m_fFrameHeight;
        inner->RecalcFrame();
        outer->RecalcFrame();
        EXPECT_NEAR(outer->m_fFrameWidth, width, 1e-6) << inner->m_members.front()->GetClassName().c_str();
        EXPECT_NEAR(outer->m_fFrameHeight, height, 1e-6) << inner->m_members.front()->GetClassName().c_str();
    }
}
