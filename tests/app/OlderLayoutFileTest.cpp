#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "drawing/CArc.h"
#include "drawing/CBMP.h"
#include "drawing/CBoxMeasure.h"
#include "drawing/CLine.h"
#include "drawing/CLineMeasure.h"
#include "drawing/CPolygon.h"
#include "drawing/CRoundBox.h"
#include "drawing/CSizeAngle.h"
#include "drawing/CSizeLine.h"
#include "drawing/CSpline.h"
#include "drawing/CTextBox.h"
#include "model/CCVNDoc.h"
#include "model/CGroup.h"
#include "platform/base/CStringTable.h"
#include "resources/StringTable.h"
#include "terrain/CMount.h"
#include "tests/app/PlanInProgram.h"
#include "tests/model/OlderLayoutFile.h"
#include "tests/model/OlderLayoutFileRecords.h"
#include "tests/support/FileBytes.h"
#include "track/CArcTrack.h"
#include "track/CCircTrack.h"
#include "track/CSplineTrack.h"
#include "track/CTrack.h"
#include "view3d/C3D.h"
#include "view3d/CCamera.h"
#include "view3d/CSprite.h"

// Layouts saved by the first versions, built byte by byte: every object reads its own fields,
// with the outline points those versions did not yet keep in the point array added as zeros,
// and the objects after it read theirs.

namespace {

constexpr int kOutlineVersion = 7;

class OlderLayoutFileInProgram : public PlanInProgram {
  protected:
    // The layout read from the bytes by the document's reader, every byte of them.
    std::unique_ptr<CCVNDoc> Read(const std::vector<BYTE>& bytes) {
        auto layout = std::make_unique<CCVNDoc>();
        CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
        CArchive ar(&file, CArchive::load);
        ar.m_pDocument = layout.get();
        layout->Serialize(ar);
        EXPECT_EQ(ar.BytesRemaining(), 0u);
        return layout;
    }
};

bool RepeatsOutline(const std::string& className) {
    return className == "CTextBox" || className == "CBMP" || className == "CLineMeasure" ||
           className == "CBoxMeasure" || className == "CSizeLine" || className == "CSizeAngle" ||
           className == "CSprite" || className == "CCamera";
}

std::vector<int> RecordOrder(const std::string& className) {
    if (className == "CLineMeasure")
        return {1, 2};
    if (className == "CBoxMeasure" || className == "CSizeLine")
        return {1, 2, 3, 4};
    if (className == "CCamera")
        return {0, 1, 2, 3, 4, 5};
    return {0, 1, 2, 3, 4};
}

// The point array once read: an older outline class has its two own points, then five zero
// points (six for a camera), and its record's points over them.
std::vector<CDoublePoint> ExpectedPoints(const std::string& className, int number, int version) {
    const int count = OlderPointCount(className, version);
    std::vector<CDoublePoint> points;
    for (int index = 0; index < count; ++index) points.push_back(OlderPoint(number, index));
    if (version < kOutlineVersion && RepeatsOutline(className)) {
        points = {OlderPoint(number, 10), OlderPoint(number, 11)};
        points.resize(points.size() + (className == "CCamera" ? 6 : 5));
        for (int index : RecordOrder(className)) points[index] = OlderPoint(number, index);
    }
    if (version < kOutlineVersion && className == "C3D")
        for (int index = 1; index <= 4; ++index) points[index] = points[index + 4];
    if (className == "CBox" || className == "CRoundBox") {
        const CDoublePoint a = OlderCornerA(number), b = OlderCornerB(number);
        points[1] = a;
        points[2] = {a.x, b.y};
        points[3] = b;
        points[4] = {b.x, a.y};
    }
    if (className == "CSketch" || className == "CPolygon" || className == "CBenchwork" ||
        className == "CMount") {
        const double left = -OlderValue(number, 20), top = -OlderValue(number, 21);
        const double right = OlderValue(number, 22), bottom = OlderValue(number, 23);
        points[5] = {left, top};
        points[6] = {right, top};
        points[7] = {right, bottom};
        points[8] = {left, bottom};
    }
    return points;
}

void ExpectFont(const LOGFONT& font, int number) {
    EXPECT_EQ(font.lfHeight, -OlderInt(number, 29));
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_STREQ(font.lfFaceName, "Arial");
}

void ExpectTrackPart(CParTrack& track, int number, int version) {
    EXPECT_EQ(track.m_fGauge, OlderValue(number, 30));
    EXPECT_EQ(track.m_fRoadbedHeight, OlderValue(number, 34));
    EXPECT_EQ(track.m_crRail, static_cast<COLORREF>(OlderInt(number, 35)));
    EXPECT_EQ(track.m_bBeginConnected, 1);
    EXPECT_EQ(track.m_fEndElevation, OlderValue(number, 39));
    EXPECT_EQ(track.m_ptBegin, (CDoublePoint{OlderValue(number, 40), OlderValue(number, 41)}));
    EXPECT_EQ(track.m_ptEndMarker, (CDoublePoint{OlderValue(number, 46), OlderValue(number, 47)}));
    EXPECT_EQ(track.m_strRoadbedTexture, ("Roadbed " + std::to_string(number) + ".bmp").c_str());
    EXPECT_EQ(track.m_nStyle, 1);
    // No arc or spline has the stored marker for its length: theirs are measured again.
    if (track.IsKindOf(RUNTIME_CLASS(CArcTrack)) || track.IsKindOf(RUNTIME_CLASS(CSplineTrack))) {
        const double read = track.m_fLength;
        track.RecomputeLength();
        EXPECT_EQ(read, track.m_fLength);
        EXPECT_NE(read, OlderValue(number, 48));
    } else {
        EXPECT_EQ(track.m_fLength, OlderValue(number, 48));
    }
    if (version < 8) {
        EXPECT_EQ(track.m_fTunnelWidth, 2.0 * OlderValue(number, 30));
    }
}

void ExpectDrawingFields(CPaint& object, int number) {
    if (auto* line = dynamic_cast<CLine*>(&object)) {
        EXPECT_EQ(line->m_ptStart, (CDoublePoint{OlderValue(number, 20), OlderValue(number, 21)}));
        EXPECT_EQ(line->m_ptEnd, (CDoublePoint{OlderValue(number, 22), OlderValue(number, 23)}));
    } else if (auto* round = dynamic_cast<CRoundBox*>(&object)) {
        EXPECT_EQ(round->m_fRadius, OlderValue(number, 20));
        EXPECT_EQ(round->m_fReferenceY3, OlderValue(number, 24));
    } else if (auto* arc = dynamic_cast<CArc*>(&object)) {
        EXPECT_EQ(arc->m_ptCentre, (CDoublePoint{OlderValue(number, 20), OlderValue(number, 21)}));
        EXPECT_EQ(arc->m_fRadiusY, OlderValue(number, 23));
        EXPECT_EQ(arc->m_fSweep, OlderAngle(number, 24));
        EXPECT_EQ(arc->m_fStartAngle, OlderAngle(number, 25));
        EXPECT_EQ(arc->m_bOval, 1);
    } else if (auto* sketch = dynamic_cast<CSketch*>(&object)) {
        EXPECT_EQ(sketch->m_fReferenceX1, -OlderValue(number, 20));
        EXPECT_EQ(sketch->m_fReferenceY2, OlderValue(number, 23));
        if (auto* polygon = dynamic_cast<CPolygon*>(&object)) {
            EXPECT_EQ(polygon->m_fPerimeter, OlderValue(number, 24));
        }
    } else if (auto* spline = dynamic_cast<CSpline*>(&object)) {
        EXPECT_EQ(spline->m_fReferenceX1, OlderValue(number, 20));
        EXPECT_EQ(spline->m_fLength, OlderValue(number, 24));
    } else if (auto* text = dynamic_cast<CTextBox*>(&object)) {
        EXPECT_EQ(text->m_strText, ("Text " + std::to_string(number)).c_str());
        EXPECT_EQ(text->m_crText, static_cast<COLORREF>(OlderInt(number, 20)));
        ExpectFont(text->m_fontRecord, number);
    } else if (auto* sprite = dynamic_cast<CSprite*>(&object)) {
        EXPECT_EQ(sprite->m_strImage, ("Tree " + std::to_string(number) + ".bmp").c_str());
        EXPECT_EQ(sprite->m_strMask, ("Tree " + std::to_string(number) + ".msk").c_str());
        EXPECT_EQ(sprite->m_fElevation, OlderValue(number, 20));
        EXPECT_EQ(sprite->m_bGrouped, 1);
    } else if (auto* picture = dynamic_cast<CBMP*>(&object)) {
        EXPECT_EQ(picture->m_strFile, ("Picture " + std::to_string(number) + ".bmp").c_str());
    } else if (auto* measure = dynamic_cast<CLineMeasure*>(&object)) {
        ExpectFont(measure->m_labelFont.Description(), number);
    } else if (auto* area = dynamic_cast<CBoxMeasure*>(&object)) {
        ExpectFont(area->m_labelFont.Description(), number);
    } else if (auto* size = dynamic_cast<CSizeLine*>(&object)) {
        ExpectFont(size->m_labelFont.Description(), number);
    } else if (auto* angle = dynamic_cast<CSizeAngle*>(&object)) {
        ExpectFont(angle->m_labelFont.Description(), number);
    }
}

void ExpectTrackFields(CPaint& object, int number, int version) {
    auto* track = dynamic_cast<CParTrack*>(&object);
    if (track == nullptr)
        return;
    ExpectTrackPart(*track, number, version);
    if (auto* straight = dynamic_cast<CTrack*>(&object)) {
        EXPECT_EQ(straight->m_ptFirst, (CDoublePoint{OlderValue(number, 20), OlderValue(number, 21)}));
        EXPECT_EQ(straight->m_ptSecond, (CDoublePoint{OlderValue(number, 22), OlderValue(number, 23)}));
    } else if (auto* arc = dynamic_cast<CArcTrack*>(&object)) {
        EXPECT_EQ(arc->m_fRadiusX, OlderValue(number, 22));
        EXPECT_EQ(arc->m_fStartAngle, OlderAngle(number, 25));
    } else if (auto* curve = dynamic_cast<CCircTrack*>(&object)) {
        EXPECT_EQ(curve->m_ptCentre, (CDoublePoint{OlderValue(number, 20), OlderValue(number, 21)}));
        EXPECT_EQ(curve->m_fRadius, OlderValue(number, 22));
        EXPECT_EQ(curve->m_fStartAngle, OlderAngle(number, 24));
    } else if (auto* spline = dynamic_cast<CSplineTrack*>(&object)) {
        EXPECT_EQ(spline->m_fBoundsMinX, OlderValue(number, 20));
        EXPECT_EQ(spline->m_fBoundsMinY, OlderValue(number, 23));
    }
}

void ExpectSceneryFields(CPaint& object, int number, int version) {
    if (auto* shape = dynamic_cast<C3D*>(&object)) {
        EXPECT_EQ(shape->m_strModelFile, ("Model " + std::to_string(number) + ".3ds").c_str());
        EXPECT_EQ(shape->m_fHeight, OlderValue(number, 20));
        EXPECT_EQ(shape->m_fElevation, OlderValue(number, 21));
        EXPECT_EQ(shape->m_bGrouped, 1);
        EXPECT_EQ(shape->GetOrientation().m[3][3], static_cast<float>(number) + 0.25f * 15);
        EXPECT_EQ(shape->m_bExcludeFromConforming, 0);
    } else if (auto* camera = dynamic_cast<CCamera*>(&object)) {
        EXPECT_EQ(camera->m_nReserved1, OlderInt(number, 20));
        EXPECT_EQ(camera->m_nReserved2, OlderInt(number, 21));
        ExpectFont(camera->m_labelFont.Description(), number);
        EXPECT_EQ(camera->m_fHeight, version >= 3 ? OlderValue(number, 22) : CCamera::kDefaultHeight);
    } else if (auto* bench = dynamic_cast<CBenchwork*>(&object)) {
        EXPECT_EQ(bench->m_strTexture, ("Bench " + std::to_string(number) + ".bmp").c_str());
        EXPECT_EQ(bench->m_fElevation, OlderValue(number, 25));
        EXPECT_EQ(bench->m_fThickness, OlderValue(number, 26));
        EXPECT_EQ(bench->m_bUncheckedOutline, 1);
    }
    if (auto* terrain = dynamic_cast<CMount*>(&object)) {
        // The stored spacing lies beyond what the properties page allows, and is held to it.
        EXPECT_EQ(terrain->m_fGridSpacing, std::min(OlderValue(number, 27), CMount::kLargestSpacing));
        EXPECT_EQ(terrain->m_fElastic, 0.5);
        EXPECT_EQ(terrain->m_crGrid, static_cast<COLORREF>(OlderInt(number, 28)));
        EXPECT_EQ(terrain->m_fTextureScale, 20.0);
        EXPECT_EQ(terrain->m_bFixedBorder, 1);
        ASSERT_EQ(terrain->m_loadedEdits.GetCount(), 2);
        EXPECT_EQ(terrain->m_loadedEdits[1].dz, 50.0f);
    }
}

void ExpectOlderObject(CPaint* object, const std::string& className, int number, int version);

void ExpectGroupFields(CPaint& object, int number, int version) {
    auto* group = dynamic_cast<CGroup*>(&object);
    if (group == nullptr)
        return;
    EXPECT_EQ(group->m_fFrameWidth, OlderValue(number, 20));
    EXPECT_EQ(group->m_fFrameHeight, OlderValue(number, 21));
    EXPECT_EQ(group->m_nPriceMode, CGroup::kPriceFixed);
    ASSERT_EQ(group->m_members.size(), 1u);
    ExpectOlderObject(group->m_members.front(), "CLine", 100 + number, version);
}

void ExpectOlderObject(CPaint* object, const std::string& className, int number, int version) {
    SCOPED_TRACE(className + " " + std::to_string(number));
    ASSERT_NE(object, nullptr);
    ASSERT_EQ(object->GetClassName(), className.c_str());
    EXPECT_EQ(object->m_strName, OlderName(number).c_str());
    EXPECT_EQ(object->m_strNote, ("Note " + std::to_string(number)).c_str());
    EXPECT_EQ(object->m_fQuantity, OlderValue(number, 6));
    EXPECT_EQ(object->m_nLayer, OlderLayer(number));
    EXPECT_EQ(object->m_pen.color, static_cast<COLORREF>(OlderInt(number, 10)));
    EXPECT_EQ(object->m_pose.y, OlderValue(number, 13));
    EXPECT_EQ(object->m_pose.angle, OlderAngle(number, 14));
    EXPECT_EQ(object->m_fMaxY, OlderValue(number, 18));
    EXPECT_EQ(object->m_crFill, static_cast<COLORREF>(OlderInt(number, 19)));
    const std::vector<CDoublePoint> points = ExpectedPoints(className, number, version);
    ASSERT_EQ(object->m_points.GetSize(), static_cast<int>(points.size()));
    for (int index = 0; index < object->m_points.GetSize(); ++index)
        EXPECT_EQ(object->m_points[index], points[static_cast<size_t>(index)]) << "point " << index;
    ExpectDrawingFields(*object, number);
    ExpectTrackFields(*object, number, version);
    ExpectSceneryFields(*object, number, version);
    ExpectGroupFields(*object, number, version);
}

}  // namespace

TEST_F(OlderLayoutFileInProgram, EveryClassReadsItsRecordInVersionsOneSixAndSeven) {
    std::vector<std::string> classes = OlderRecordClasses();
    // A line after them all: the last record must end where the next begins too.
    classes.push_back("CLine");
    for (int version : {1, 6, 7}) {
        SCOPED_TRACE(version);
        // The picture and the 3D bitmap name files that are not there; the terrain's spacing
        // is held.
        const std::size_t boxesBefore = host.MessageBoxes().size();
        for (int box = 0; box < 4; ++box) host.AnswerMessageBox(IDOK);
        const std::unique_ptr<CCVNDoc> layout = Read(OlderLayoutFile(version, {}, classes));
        std::vector<CString> texts;
        for (std::size_t box = boxesBefore; box < host.MessageBoxes().size(); ++box)
            texts.push_back(host.MessageBoxes()[box].text);
        EXPECT_EQ(texts,
                  (std::vector<CString>{
                      "Could not read file Picture 10.bmp", "Could not create file Picture 10.bmp",
                      "Could not read file Tree 19.bmp", CStringTable::Text(IDS_TERRAIN_SPACING_HELD)}));
        EXPECT_EQ(layout->m_nFileVersion, version);
        EXPECT_EQ(layout->m_rootGroup.m_fFrameWidth, 0.0);
        EXPECT_EQ(layout->m_rootGroup.m_nPriceMode, CGroup::kPriceAutomatic);
        ASSERT_EQ(layout->m_rootGroup.m_members.size(), classes.size());
        int number = 1;
        for (CPaint* member : layout->m_rootGroup.m_members) {
            ExpectOlderObject(member, classes[static_cast<size_t>(number - 1)], number, version);
            ++number;
        }
    }
}

TEST_F(OlderLayoutFileInProgram, AVersionSixLayoutOpensWithItsObjectsAndSavesThem) {
    const std::vector<std::string> classes = {"CCamera", "CBox", "CTextBox"};
    const std::filesystem::path older = folder / "older.cvn";
    WriteFileBytes(older, OlderLayoutFile(6, {}, classes));
    auto* opened = dynamic_cast<CCVNDoc*>(app.OpenDocumentFile(older.c_str()));
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(host.MessageBoxes().empty());
    ASSERT_EQ(opened->m_rootGroup.m_members.size(), 3u);
    auto* camera = dynamic_cast<CCamera*>(opened->m_rootGroup.m_members.front());
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->m_strName, OlderName(1).c_str());
    EXPECT_EQ(camera->m_points[2], OlderPoint(1, 2));
    EXPECT_EQ(camera->m_fHeight, OlderValue(1, 22));

    const std::filesystem::path saved = folder / "saved.cvn";
    ASSERT_TRUE(opened->OnSaveDocument(saved.c_str()));
    opened->OnCloseDocument();
    host.RunUntilIdle();
    auto* reopened = dynamic_cast<CCVNDoc*>(app.OpenDocumentFile(saved.c_str()));
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->m_nFileVersion, 17);
    std::vector<CString> names;
    for (CPaint* member : reopened->m_rootGroup.m_members) names.push_back(member->GetClassName());
    EXPECT_EQ(names, (std::vector<CString>{"CCamera", "CBox", "CTextBox"}));
    auto* text = dynamic_cast<CTextBox*>(reopened->m_rootGroup.m_members.back());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->m_strText, "Text 3");
    EXPECT_EQ(text->m_points[4], OlderPoint(3, 4));
}

TEST_F(OlderLayoutFileInProgram, BoxesAndSplinesWithNoPointsGetThemBackAsTheOtherClassesDo) {
    const std::vector<std::string> classes = {"CBox", "CRoundBox", "CSpline", "CSplineTrack", "CLine"};
    const std::filesystem::path path = folder / "pointless.cvn";
    WriteFileBytes(
        path, OlderLayoutFileWithoutPoints(17, classes, {"CBox", "CRoundBox", "CSpline", "CSplineTrack"}));
    host.AnswerMessageBox(IDOK);
    auto* opened = dynamic_cast<CCVNDoc*>(app.OpenDocumentFile(path.c_str()));
    ASSERT_NE(opened, nullptr);
    // A spline track with no segment has no length, whatever its record says.
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes().front().text,
              ("Values that could not be used as stored were mended:\nTrack \"" + OlderName(4) +
               "\": length measured again from its shape")
                  .c_str());
    const std::vector<CPaint*> members(opened->m_rootGroup.m_members.begin(),
                                       opened->m_rootGroup.m_members.end());
    ASSERT_EQ(members.size(), classes.size());
    // The corners come from the two stored corner points.
    for (int box : {0, 1}) {
        EXPECT_EQ(members[box]->m_points[1], OlderCornerA(box + 1));
        EXPECT_EQ(members[box]->m_points[3], OlderCornerB(box + 1));
    }
    EXPECT_EQ(members[0]->m_points.GetSize(), CBox::kPointCount);
    EXPECT_EQ(members[1]->m_points.GetSize(), CRoundBox::kRoundPointCount);
    EXPECT_EQ(dynamic_cast<CRoundBox&>(*members[1]).m_fRadius, OlderValue(2, 20));
    // The curves start again without a segment, as new ones do.
    EXPECT_EQ(members[2]->m_points.GetSize(), CSpline::kFirstNode + 1);
    EXPECT_EQ(dynamic_cast<CSpline&>(*members[2]).m_fLength, OlderValue(3, 24));
    EXPECT_EQ(members[3]->m_points.GetSize(), CSplineTrack::kFirstKnot + 1);
    EXPECT_EQ(dynamic_cast<CSplineTrack&>(*members[3]).m_fBoundsMaxX, OlderValue(4, 22));
    EXPECT_EQ(dynamic_cast<CSplineTrack&>(*members[3]).m_fLength, 0.0);
    EXPECT_EQ(dynamic_cast<CLine&>(*members[4]).m_ptEnd,
              (CDoublePoint{OlderValue(5, 22), OlderValue(5, 23)}));
}
