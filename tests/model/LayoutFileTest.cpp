#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include <fstream>
#include <iterator>
#include "model/CCVNDoc.h"
#include "model/RecordReading.h"
#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"
#include "platform/base/CMemFile.h"
#include "tests/gdi/Canvas.h"
#include "tests/model/LayoutBytes.h"
#include "tests/model/OlderLayoutFile.h"
#include "tests/model/RecordingDoc.h"
#include "tests/model/TestLayout.h"
#include "tests/support/TestFolder.h"
#include "track/CTrack.h"
#include "track/TrackPieces.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteWholeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

class LayoutFile : public testing::Test {
  protected:
    void SetUp() override { RegisterTrackPieces(); }

    static Bytes Save(CCVNDoc& doc) { return SaveLayoutBytes(doc); }

    // Reads the bytes into the document; the archive's failure comes out as it is.
    static void Load(CCVNDoc& doc, const Bytes& bytes) { LoadLayoutBytes(doc, bytes); }

    template <class T>
    static T* Add(CGroup* group, T* object) {
        return AddToGroup(group, object);
    }

    // Groups, a nested group three levels deep, track, layers and a locked object.
    static void BuildLayout(CCVNDoc& doc) {
        CTool* tool = &doc.m_tool;
        CTestShape* shape = Add(&doc.m_rootGroup, new CTestShape(tool));
        shape->m_nLayer = 5;
        shape->m_bLocked = 1;
        shape->m_pose = CPose(100.0, 200.0, 0.5);
        shape->m_pen = PenRecord{0, 7, 3, RGB(1, 2, 3)};
        shape->m_strNote = "a note";
        CTrack* track = Add(&doc.m_rootGroup, new CTrack(0, tool, 10.0, 20.0));
        track->m_nLayer = 2;
        CGroup* outer = Add(&doc.m_rootGroup, NewGroup(tool));
        CGroup* middle = Add(outer, NewGroup(tool));
        CGroup* inner = Add(middle, NewGroup(tool));
        Add(inner, new CTestShape(tool))->m_strName = "deepest";
        Add(outer, new CTestShape(tool))->m_strName = "second";
        Add(&doc.m_rootGroup, NewGroup(tool));  // an empty group
        doc.m_tool.m_bLayerShown[1] = 0;
        doc.m_tool.m_bLayerShown[3] = 0;
    }

    // The library and parts names come back as "New.CVL" and "New.CVP" whatever was stored.
    static Bytes WithReadNames(Bytes bytes) {
        for (const auto& [from, to] : {std::pair{"New.cvl", "New.CVL"}, std::pair{"New.cvp", "New.CVP"}}) {
            auto at = std::search(bytes.begin(), bytes.end(), from, from + 7);
            if (at != bytes.end())
                std::copy(to, to + 7, at);
        }
        return bytes;
    }
};

struct Reader {
    explicit Reader(const Bytes& bytes) : data(bytes) {}
    int Int() { return Take<int>(); }
    double Double() { return Take<double>(); }
    std::string Text() {
        const BYTE length = data[at++];
        std::string text(reinterpret_cast<const char*>(&data[at]), length);
        at += length;
        return text;
    }
    template <class T>
    T Take() {
        T value;
        std::memcpy(&value, &data[at], sizeof(T));
        at += sizeof(T);
        return value;
    }
    const Bytes& data;
    size_t at = 0;
};

TEST_F(LayoutFile, ANewLayoutBeginsWithTheDocumentRecordAndItsDefaultTrack) {
    CCVNDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_DOUBLE_EQ(doc.m_f3DScaleDivisor, 1746.25);
    const Bytes bytes = Save(doc);
    Reader r(bytes);
    EXPECT_EQ(r.Int(), 17);
    EXPECT_EQ(r.Int(), 3);
    EXPECT_EQ(r.Double(), 21590.0);
    EXPECT_EQ(r.Double(), 27940.0);
    EXPECT_EQ(r.Double(), 10.0);
    EXPECT_EQ(r.Double(), 10.0);
    EXPECT_EQ(r.Int(), 0);
    EXPECT_EQ(r.Int(), 4);
    EXPECT_EQ(r.Int(), 12);
    EXPECT_EQ(r.Int(), 4);
    EXPECT_EQ(r.Int(), 0);
    EXPECT_EQ(r.Int(), 1270);
    EXPECT_EQ(r.Int(), 1270);
    EXPECT_EQ(r.Int(), 0xC0C0C0);
    EXPECT_EQ(r.Text(), "");
    EXPECT_EQ(r.Int(), 1);
    EXPECT_EQ(r.Text(), "rcgrass.bmp");
    EXPECT_EQ(r.Int(), 1);
    EXPECT_EQ(r.Text(), "summits.bmp");
    EXPECT_EQ(r.Int(), 0);
    EXPECT_EQ(r.Int(), 0);
    EXPECT_EQ(r.Double(), 1.0);
    EXPECT_EQ(r.Text(), "");
    EXPECT_EQ(r.Text(), "New.cvl");
    EXPECT_EQ(r.Text(), "");
    EXPECT_EQ(r.Text(), "New.cvp");
    EXPECT_EQ(r.Double(), 60.0);
    EXPECT_EQ(r.Double(), 30.0);
    EXPECT_EQ(r.Double(), 10.0);
    EXPECT_EQ(r.Double(), 0.17453292519444444);
    EXPECT_EQ(r.Double(), 0.9);
    EXPECT_EQ(r.Int(), 1);
    EXPECT_EQ(r.Int(), 1);
    r.Int();  // the system window colour
    EXPECT_EQ(r.Int(), 3);
    // The default track is the first object record: a new class, schema 2, "CParTrack".
    EXPECT_EQ(r.Take<WORD>(), 0xFFFF);
    EXPECT_EQ(r.Take<WORD>(), 2);
    EXPECT_EQ(r.Take<WORD>(), 9);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[r.at]), 9), "CParTrack");
}

TEST_F(LayoutFile, ALayoutSavedAndReopenedSavesTheSameBytes) {
    TestFolder folder;
    const std::string first = (folder / "first.cvn").string();
    const std::string second = (folder / "second.cvn").string();
    const std::string third = (folder / "third.cvn").string();
    CCVNDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    BuildLayout(doc);
    ASSERT_TRUE(doc.OnSaveDocument(first.c_str()));

    RecordingDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(first.c_str()));
    ASSERT_TRUE(reopened.OnSaveDocument(second.c_str()));
    RecordingDoc again;
    ASSERT_TRUE(again.OnOpenDocument(second.c_str()));
    ASSERT_TRUE(again.OnSaveDocument(third.c_str()));

    const Bytes firstBytes = ReadWholeFile(first);
    const Bytes secondBytes = ReadWholeFile(second);
    const Bytes expected = WithReadNames(firstBytes);
    ASSERT_EQ(expected.size(), secondBytes.size());
    const auto differs = std::mismatch(expected.begin(), expected.end(), secondBytes.begin());
    EXPECT_EQ(differs.first - expected.begin(), static_cast<std::ptrdiff_t>(expected.size()));
    EXPECT_EQ(secondBytes, ReadWholeFile(third));
    EXPECT_TRUE(reopened.m_errors.empty());

    // What came back: layers, locks, nesting, order, the shown layers and the tool.
    const CPaintList& members = reopened.m_rootGroup.m_members;
    ASSERT_EQ(members.size(), 4u);
    auto* shape = dynamic_cast<CTestShape*>(members.back());
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->m_nLayer, 5);
    EXPECT_EQ(shape->m_bLocked, 1);
    EXPECT_EQ(shape->m_pen, (PenRecord{0, 7, 3, RGB(1, 2, 3)}));
    EXPECT_EQ(shape->m_pTool, &reopened.m_tool);
    EXPECT_EQ(shape->m_pOwnerGroup, &reopened.m_rootGroup);
    auto* outer = dynamic_cast<CGroup*>(*std::next(members.begin()));
    ASSERT_NE(outer, nullptr);
    ASSERT_EQ(outer->m_members.size(), 2u);
    EXPECT_EQ(outer->m_members.front()->m_strName, "second");
    auto* middle = dynamic_cast<CGroup*>(outer->m_members.back());
    ASSERT_NE(middle, nullptr);
    auto* inner = dynamic_cast<CGroup*>(middle->m_members.front());
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->m_members.front()->m_strName, "deepest");
    EXPECT_TRUE(dynamic_cast<CGroup*>(members.front())->m_members.empty());
    EXPECT_EQ(reopened.m_tool.m_bLayerShown[1], 0);
    EXPECT_EQ(reopened.m_tool.m_bLayerShown[3], 0);
    EXPECT_EQ(reopened.m_tool.m_bLayerShown[2], 1);
    ASSERT_NE(reopened.m_tool.m_pDefaultTrack, nullptr);
    EXPECT_EQ(reopened.m_strLibraryFileName, "New.CVL");
    EXPECT_EQ(reopened.m_strPartsFileName, "New.CVP");
}

TEST_F(LayoutFile, OlderVersionsReadTheFieldsOfTheirVersion) {
    for (int version : {1, 4, 13, 14}) {
        SCOPED_TRACE(version);
        CCVNDoc doc;
        CParTrack* constructed = doc.m_tool.m_pDefaultTrack;
        try {
            Load(doc, OlderLayoutFile(version));
        } catch (const CException& failure) {
            FAIL() << failure.GetErrorMessage().c_str();
        }
        EXPECT_EQ(doc.m_nFileVersion, version);
        EXPECT_EQ(doc.m_fPageWidth, 30000.0);
        EXPECT_EQ(doc.m_nUnitIndex, 2);
        EXPECT_EQ(doc.m_nDefaultScaleIndex, 5);
        EXPECT_EQ(doc.m_strBackdrop, "sky.bmp");
        EXPECT_EQ(doc.m_fPrintScale, version >= 2 ? 48.0 : 1.0);
        EXPECT_EQ(doc.m_limits.maxGrade, version >= 2 ? 12.0 : 10.0);
        EXPECT_EQ(doc.m_strLibraryFileName, version >= 2 ? "New.CVL" : "New.cvl");
        EXPECT_EQ(doc.m_nProductMarker, version >= 5 ? 7 : 3);
        EXPECT_EQ(doc.m_tool.m_nActiveLayer, version >= 4 ? 6 : 0);
        EXPECT_EQ(doc.m_tool.m_bTerrainConformed, version >= 13 ? 1 : 0);
        EXPECT_EQ(doc.m_tool.m_bLayerShown[1], 0);
        EXPECT_EQ(doc.m_tool.m_bLayerShown[3], 0);
        // A null default track in the file keeps the one the document was made with.
        EXPECT_EQ(doc.m_tool.m_pDefaultTrack, constructed);
    }
}

TEST_F(LayoutFile, EveryPrefixAndFlippedByteFailsCleanly) {
    CCVNDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    BuildLayout(doc);
    const Bytes bytes = Save(doc);
    for (size_t length = 0; length < bytes.size(); ++length) {
        CCVNDoc reader;
        const Bytes prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_THROW(Load(reader, prefix), CArchiveException) << length;
    }
    for (size_t at = 0; at < bytes.size(); ++at) {
        Bytes flipped = bytes;
        flipped[at] ^= 0xFF;
        CCVNDoc reader;
        try {
            Load(reader, flipped);
        } catch (const CException&) {
        }
        EXPECT_EQ(reader.m_groupEditStack.size(), 1u);
        ASSERT_GE(reader.m_nUnitIndex, 0);
        ASSERT_LT(reader.m_nUnitIndex, kUnitCount);
        ASSERT_GT(reader.m_fViewScale, 0.0);
    }
}

TEST_F(LayoutFile, AnUnreadableFileFailsTheOpenWithTheFileError) {
    TestFolder folder;
    const std::string path = (folder / "short.cvn").string();
    CCVNDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    Bytes bytes = Save(doc);
    bytes.resize(bytes.size() / 2);
    ASSERT_TRUE(WriteWholeFile(path, bytes));
    RecordingDoc reader;
    EXPECT_FALSE(reader.OnOpenDocument(path.c_str()));
    ASSERT_EQ(reader.m_errors.size(), 1u);
    EXPECT_NE(reader.m_errors[0].Find("unexpectedly"), -1);
}

TEST_F(LayoutFile, HugeAndNonFiniteCoordinatesAndSizesAreKeptInRange) {
    CCVNDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CTestShape* shape = Add(&doc.m_rootGroup, new CTestShape(&doc.m_tool));
    shape->m_fMinX = -1e300;
    shape->m_fMaxX = 1e300;
    shape->m_fMinY = std::nan("");
    shape->m_fMaxY = std::numeric_limits<double>::infinity();
    shape->m_pose = CPose(1e300, -1e300, std::nan(""));
    shape->m_fCornerX2 = 1e200;
    shape->m_points.Add(-1e300, std::nan(""));
    CGroup* group = Add(&doc.m_rootGroup, NewGroup(&doc.m_tool));
    group->m_fFrameWidth = 1e300;
    group->m_fFrameHeight = -std::numeric_limits<double>::infinity();
    doc.m_tool.m_fHandleSize = 1e171;
    const Bytes bytes = Save(doc);
    shape->m_fMaxX = 0.0;

    CCVNDoc reader;
    ASSERT_TRUE(reader.OnNewDocument());
    Load(reader, bytes);
    EXPECT_EQ(reader.m_tool.m_fHandleSize, 10.0);  // the built-in size
    ASSERT_EQ(reader.m_rootGroup.m_members.size(), 2u);
    const auto* readGroup = dynamic_cast<const CGroup*>(reader.m_rootGroup.m_members.front());
    ASSERT_NE(readGroup, nullptr);
    EXPECT_EQ(readGroup->m_fFrameWidth, kLargestCoordinate);
    EXPECT_EQ(readGroup->m_fFrameHeight, 0.0);
    const CPaint* read = reader.m_rootGroup.m_members.back();
    ASSERT_EQ(read->m_points.GetSize(), 1);
    EXPECT_EQ(read->m_points[0], (CDoublePoint{-kLargestCoordinate, 0.0}));
    EXPECT_EQ(read->m_fMinX, -kLargestCoordinate);
    EXPECT_EQ(read->m_fMaxX, kLargestCoordinate);
    EXPECT_EQ(read->m_fMinY, 0.0);
    EXPECT_EQ(read->m_fMaxY, 0.0);
    EXPECT_EQ(read->m_pose.x, kLargestCoordinate);
    EXPECT_EQ(read->m_pose.y, -kLargestCoordinate);
    EXPECT_EQ(read->m_pose.angle, 0.0);
    EXPECT_EQ(read->m_fCornerX2, kLargestCoordinate);
    reader.m_tool.UpdateDeviceBounds();
    EXPECT_EQ(read->m_rcPaintBounds.right, reader.m_tool.LayoutToDevice(kLargestCoordinate) + 10);
}

TEST_F(LayoutFile, AGroupStoredWithoutItsPointsReadsWithThemAndDrawsSelected) {
    CCVNDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CGroup* group = Add(&doc.m_rootGroup, NewGroup(&doc.m_tool));
    Add(group, new CTestShape(&doc.m_tool));
    group->m_points.SetSize(0);
    const Bytes bytes = Save(doc);

    CCVNDoc reader;
    ASSERT_TRUE(reader.OnNewDocument());
    Load(reader, bytes);
    ASSERT_EQ(reader.m_rootGroup.m_members.size(), 1u);
    CPaint* read = reader.m_rootGroup.m_members.front();
    EXPECT_EQ(read->m_points.GetSize(), 5);
    read->Select();
    Canvas canvas(50, 50);
    reader.m_tool.SetTargetDC(&canvas.dc, nullptr);
    EXPECT_NO_THROW(reader.m_tool.DrawLayout());
    reader.m_tool.SetTargetDC(nullptr, nullptr);
}

TEST_F(LayoutFile, AGroupRefusesAMemberReadTwice) {
    CCVNDoc doc;
    CTestShape shape(&doc.m_tool);
    CGroup group;
    // Storing the same member twice writes a back reference the second time.
    group.m_members.push_back(&shape);
    group.m_members.push_back(&shape);
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.WriteObject(&group);
    ar.Close();
    group.m_members.clear();
    Bytes bytes = file.Detach();
    CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive lar(&in, CArchive::load);
    lar.m_pDocument = &doc;
    EXPECT_THROW(lar.ReadObject(RUNTIME_CLASS(CGroup)), CArchiveException);
}

}  // namespace
