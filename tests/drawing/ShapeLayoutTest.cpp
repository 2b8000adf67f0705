#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "drawing/CArc.h"
#include "drawing/CBox.h"
#include "drawing/CLine.h"
#include "drawing/CPolygon.h"
#include "drawing/CRoundBox.h"
#include "drawing/CSketch.h"
#include "drawing/CSpline.h"
#include "drawing/DrawingObjects.h"
#include "model/CCVNDoc.h"
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
