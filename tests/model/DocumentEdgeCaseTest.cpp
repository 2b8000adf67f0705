#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/CCVNDoc.h"
#include "model/CDataFolders.h"
#include "platform/base/CArchive.h"
#include "platform/base/CMemFile.h"
#include "platform/base/CWinPath.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/SystemColors.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/WindowManager.h"
#include "tests/model/OlderLayoutFile.h"
#include "tests/model/TestLayout.h"
#include "tests/support/TestFolder.h"
#include "track/CParTrack.h"
#include "track/CTrack.h"
#include "track/TrackPieces.h"

namespace {

using Bytes = std::vector<BYTE>;

// The engine record's font: five ints, eight bytes, a length byte and 32 face-name bytes.
constexpr size_t kFontRecordSize = 5 * 4 + 8 + 1 + 32;

Bytes ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

Bytes Save(CCVNDoc& doc) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    doc.Serialize(ar);
    ar.Close();
    return file.Detach();
}

void Load(CCVNDoc& doc, const Bytes& bytes) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    doc.Serialize(ar);
}

// The object record of one object, as the first object of a stream.
Bytes ObjectRecord(const CObject* object) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.WriteObject(object);
    ar.Close();
    return file.Detach();
}

// The length of a saved document record: the fields of a current file, strings included.
size_t DocumentRecordSize(const Bytes& bytes) {
    size_t at = 0;
    const auto ints = [&at](int count) { at += 4 * static_cast<size_t>(count); };
    const auto doubles = [&at](int count) { at += 8 * static_cast<size_t>(count); };
    const auto text = [&at, &bytes] { at += 1 + bytes.at(at); };
    ints(2);
    doubles(4);
    ints(8);
    text();
    ints(1);
    text();
    ints(1);
    text();
    ints(2);
    doubles(1);
    for (int i = 0; i < 4; ++i) text();
    doubles(5);
    ints(4);
    return at;
}

// Where the engine record's font and shown-layers fields lie in a saved layout.
struct EngineOffsets {
    size_t font;
    size_t layers;
};

EngineOffsets FindEngineFields(const Bytes& bytes, CCVNDoc& doc) {
    const size_t trackRecord = DocumentRecordSize(bytes);
    const size_t trackSize = ObjectRecord(doc.m_tool.m_pDefaultTrack).size();
    // Pen (4 ints), brush (3 ints) and the tool mode come before the font.
    const size_t font = trackRecord + trackSize + 8 * 4;
    // Fill colour, fill on, pattern on, pivot mark, snap mode; then zoom and handle doubles.
    const size_t layers = font + kFontRecordSize + 5 * 4 + 4 * 8;
    return {font, layers};
}

int IntAt(const Bytes& bytes, size_t at) {
    int value = 0;
    std::memcpy(&value, &bytes.at(at), sizeof value);
    return value;
}

// The record of a track piece as a version-14 file holds it: without the tie and rail line
// widths, which later versions put first in the piece's own fields.
Bytes Version14TrackRecord(CParTrack& track) {
    Bytes record = ObjectRecord(&track);
    CMemFile common;
    {
        CArchive ar(&common, CArchive::store);
        track.CPaint::Serialize(ar);
        ar.Close();
    }
    const size_t header = 2 + 2 + 2 + std::strlen("CParTrack");
    const auto widths = record.begin() + static_cast<std::ptrdiff_t>(header + common.Detach().size());
    record.erase(widths, widths + 8);
    return record;
}

// A layout object that answers to the class name it is given.
class CNamedObject : public CTestObject {
  public:
    CNamedObject(CTool* tool, const char* name) : CTestObject(0, tool, 0.0, 0.0), m_name(name) {}
    CString GetClassName() override { return m_name; }
    CString m_name;
};

template <class T>
T* Append(CGroup& group, T* object) {
    group.m_members.push_back(object);
    object->SetOwnerGroup(&group);
    return object;
}

class DocumentEdgeCase : public testing::Test {
  protected:
    void SetUp() override { RegisterTrackPieces(); }
};

class DocumentLibrary : public DocumentEdgeCase {
  protected:
    void SetUp() override {
        DocumentEdgeCase::SetUp();
        m_previousBase = CDataFolders::GetBaseFolder();
        CDataFolders::SetBaseFolder(CWinPath::FromReal(m_folder.Path()) + "\\");
    }
    void TearDown() override { CDataFolders::SetBaseFolder(m_previousBase); }

    // A document whose library holds one named shape, under the given path.
    static void FillLibrary(CCVNDoc& doc, const CString& path, int modified) {
        doc.m_strLibraryPath = path;
        doc.m_strLibraryFileName = "Mine.cvl";
        AddToGroup(&doc.m_libraryGroup, new CTestShape(&doc.m_tool))->m_strName = "signal box";
        doc.m_bLibraryModified = modified;
    }

    TestFolder m_folder;
    CString m_previousBase;
};

}  // namespace

TEST_F(DocumentLibrary, AChangedLibraryWithAPathIsWrittenWhenTheDocumentGoes) {
    // A write that was tried and failed would show its error box here.
    WindowManager::Instance().Reset();
    HeadlessHost host;
    const std::filesystem::path changed = m_folder / "Changed.cvl";
    {
        CCVNDoc doc;
        FillLibrary(doc, CWinPath::FromReal(changed), 1);
        ASSERT_FALSE(std::filesystem::exists(changed));
    }
    ASSERT_TRUE(std::filesystem::exists(changed));
    CCVNDoc reader;
    reader.m_strLibraryPath = CWinPath::FromReal(changed);
    ASSERT_TRUE(reader.ReadLibrary());
    ASSERT_EQ(reader.m_libraryGroup.m_members.size(), 1u);
    EXPECT_EQ(reader.m_libraryGroup.m_members.front()->m_strName, "signal box");

    // An unchanged library leaves its file as it was.
    const std::filesystem::path unchanged = m_folder / "Unchanged.cvl";
    WriteWholeFile(unchanged, "left alone");
    {
        CCVNDoc doc;
        FillLibrary(doc, CWinPath::FromReal(unchanged), 0);
    }
    const Bytes kept = ReadWholeFile(unchanged);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "left alone");

    // A changed library that was never given a path writes nothing anywhere.
    const auto entriesBefore = std::distance(std::filesystem::directory_iterator(m_folder.Path()),
                                             std::filesystem::directory_iterator());
    {
        CCVNDoc doc;
        FillLibrary(doc, CString(), 1);
    }
    const auto entriesAfter = std::distance(std::filesystem::directory_iterator(m_folder.Path()),
                                            std::filesystem::directory_iterator());
    EXPECT_EQ(entriesAfter, entriesBefore);
    EXPECT_FALSE(std::filesystem::exists(m_folder / "Mine.cvl"));
    EXPECT_TRUE(host.MessageBoxes().empty());
}

TEST_F(DocumentEdgeCase, HiddenLayersAreStoredAsBitsAndLocksAreNotStored) {
    TestFolder folder;
    const std::string path = (folder / "layers.cvn").string();
    CCVNDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetLayerVisible(1, 0);
    doc.SetLayerVisible(3, 0);
    for (int layer : {0, 2, 6}) doc.SetLayerLocked(layer, 1);
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));

    const Bytes bytes = ReadWholeFile(path);
    const EngineOffsets engine = FindEngineFields(bytes, doc);
    EXPECT_EQ(IntAt(bytes, engine.layers), 245);
    EXPECT_EQ(bytes.at(engine.layers), 0xF5);

    CCVNDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path.c_str()));
    for (int layer = 0; layer < CTool::kLayerCount; ++layer) {
        SCOPED_TRACE(layer);
        EXPECT_EQ(reopened.m_tool.m_bLayerShown[layer], layer == 1 || layer == 3 ? 0 : 1);
        EXPECT_EQ(reopened.m_tool.m_bLayerLocked[layer], 0);
        EXPECT_FALSE(reopened.IsLayerLocked(layer));
    }
}

TEST_F(DocumentEdgeCase, TheStoredDefaultTrackReplacesTheConstructedOneFromVersion14) {
    // The piece a file stores: distinguished by its colour, texture and rail line width.
    CCVNDoc writer;
    CParTrack& stored = *writer.m_tool.m_pDefaultTrack;
    stored.m_crRail = RGB(10, 20, 30);
    stored.m_strTrackTexture = "stored.bmp";
    stored.m_nRailLineWidth = 4;

    CCVNDoc version13;
    CParTrack* constructed = version13.m_tool.m_pDefaultTrack;
    ASSERT_NE(constructed, nullptr);
    constructed->m_crRail = RGB(1, 2, 3);
    Load(version13, OlderLayoutFile(13));
    EXPECT_EQ(version13.m_nFileVersion, 13);
    EXPECT_EQ(version13.m_tool.m_pDefaultTrack, constructed);
    EXPECT_EQ(constructed->m_crRail, RGB(1, 2, 3));
    EXPECT_EQ(constructed->m_strTrackTexture, "track1.bmp");

    CCVNDoc version14;
    version14.m_tool.m_pDefaultTrack->m_crRail = RGB(1, 2, 3);
    Load(version14, OlderLayoutFile(14, Version14TrackRecord(stored)));
    EXPECT_EQ(version14.m_nFileVersion, 14);
    const CParTrack* read14 = version14.m_tool.m_pDefaultTrack;
    ASSERT_NE(read14, nullptr);
    EXPECT_EQ(read14->m_crRail, RGB(10, 20, 30));
    EXPECT_EQ(read14->m_strTrackTexture, "stored.bmp");
    // The rail line width came only with a later version: the piece keeps its own.
    EXPECT_EQ(read14->m_nRailLineWidth, 1);
    EXPECT_EQ(read14->m_pTool, &version14.m_tool);
    // What follows the piece was read in step with it.
    EXPECT_EQ(version14.m_tool.m_nActiveLayer, 6);
    EXPECT_EQ(version14.m_tool.m_bTerrainConformed, 1);

    CCVNDoc current;
    current.m_tool.m_pDefaultTrack->m_crRail = RGB(1, 2, 3);
    Load(current, Save(writer));
    const CParTrack* read17 = current.m_tool.m_pDefaultTrack;
    ASSERT_NE(read17, nullptr);
    EXPECT_EQ(read17->m_crRail, RGB(10, 20, 30));
    EXPECT_EQ(read17->m_strTrackTexture, "stored.bmp");
    EXPECT_EQ(read17->m_nRailLineWidth, 4);
}

TEST_F(DocumentEdgeCase, TheEngineRecordsFontIsWrittenEmptyAndIgnoredWhenRead) {
    CCVNDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    AddToGroup(&doc.m_rootGroup, new CTrack(0, &doc.m_tool, 10.0, 20.0));
    const Bytes saved = Save(doc);
    const size_t font = FindEngineFields(saved, doc).font;
    for (size_t i = 0; i < 28; ++i) EXPECT_EQ(saved.at(font + i), 0) << i;
    EXPECT_EQ(saved.at(font + 28), 32);
    for (size_t i = 29; i < kFontRecordSize; ++i) EXPECT_EQ(saved.at(font + i), 0) << i;

    Bytes withFont = saved;
    for (int i = 0; i < 5; ++i) {
        const int value = -27 + 100 * i;
        std::memcpy(&withFont[font + 4 * static_cast<size_t>(i)], &value, sizeof value);
    }
    for (size_t i = 20; i < 28; ++i) withFont[font + i] = static_cast<BYTE>(0x11 * (i - 19));
    const char face[] = "Times New Roman";
    std::memcpy(&withFont[font + 29], face, std::strlen(face));

    CCVNDoc plain;
    Load(plain, saved);
    CCVNDoc fonted;
    Load(fonted, withFont);
    EXPECT_EQ(Save(fonted), Save(plain));
}

TEST_F(DocumentEdgeCase, AVersion4FileKeepsTheConstructedBackgroundColour) {
    CCVNDoc version4;
    const COLORREF constructed = version4.m_crBackground;
    EXPECT_EQ(constructed, GetSysColor(COLOR_WINDOW));
    Load(version4, OlderLayoutFile(4));
    EXPECT_EQ(version4.m_nFileVersion, 4);
    EXPECT_EQ(version4.m_crBackground, constructed);
    EXPECT_EQ(version4.m_nProductMarker, CCVNDoc::kProductMarker);
    // The engine record that follows was read from the right place.
    EXPECT_EQ(version4.m_tool.m_nActiveLayer, 6);
    EXPECT_EQ(version4.m_tool.m_nPivotMarkSize, 30);

    CCVNDoc version5;
    Load(version5, OlderLayoutFile(5));
    EXPECT_EQ(version5.m_crBackground, 0x222222u);
    EXPECT_EQ(version5.m_nProductMarker, 7);
}

TEST_F(DocumentEdgeCase, ASelectedObjectReopensOnItsLayerUnselected) {
    TestFolder folder;
    const std::string path = (folder / "selected.cvn").string();
    CCVNDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CTrack* track = AddToGroup(&doc.m_rootGroup, new CTrack(0, &doc.m_tool, 10.0, 20.0));
    track->m_nLayer = 5;
    CTestShape* shape = AddToGroup(&doc.m_rootGroup, new CTestShape(&doc.m_tool));
    shape->m_nLayer = 2;
    track->Select();
    shape->Select();
    ASSERT_EQ(doc.m_selection.size(), 2u);
    ASSERT_EQ(track->m_bSelected, 1);
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));

    CCVNDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path.c_str()));
    ASSERT_EQ(reopened.m_rootGroup.m_members.size(), 2u);
    auto* readShape = dynamic_cast<CTestShape*>(reopened.m_rootGroup.m_members.front());
    auto* readTrack = dynamic_cast<CTrack*>(reopened.m_rootGroup.m_members.back());
    ASSERT_NE(readTrack, nullptr);
    ASSERT_NE(readShape, nullptr);
    EXPECT_EQ(readTrack->m_nLayer, 5);
    EXPECT_EQ(readShape->m_nLayer, 2);
    EXPECT_EQ(readTrack->m_bSelected, 0);
    EXPECT_EQ(readShape->m_bSelected, 0);
    EXPECT_FALSE(readTrack->IsSelected());
    EXPECT_TRUE(reopened.m_selection.empty());
}

TEST_F(DocumentEdgeCase, CollectingByClassSearchesGroupsAndTakes3DObjectsOnlyWhenAsked) {
    CCVNDoc doc;
    CTool* tool = &doc.m_tool;
    CGroup& root = doc.m_rootGroup;
    CGroup* outer = Append(root, NewGroup(tool));
    CGroup* inner = Append(*outer, NewGroup(tool));
    CTrack* track = Append(*inner, new CTrack(0, tool, 0.0, 0.0));
    CPaint* model = Append(*outer, new CNamedObject(tool, "C3D"));
    CPaint* sprite = Append(root, new CNamedObject(tool, "CSprite"));
    Append(root, new CNamedObject(tool, "CBenchwork"));
    Append(root, new CNamedObject(tool, "CMount"));
    CPaint* camera = Append(root, new CNamedObject(tool, "CCamera"));
    Append(root, new CTestShape(tool));
    // Something not a group that calls itself one has no members to search.
    Append(root, new CNamedObject(tool, "CGroup"));
    CTestShape already(tool);

    CPaintList flat = {&already};
    CCVNDoc::CollectObjectsByClass(flat, root.m_members, FALSE);
    EXPECT_EQ(flat, (CPaintList{&already, track, camera}));

    CPaintList with3D = {&already};
    CCVNDoc::CollectObjectsByClass(with3D, root.m_members, TRUE);
    EXPECT_EQ(with3D, (CPaintList{&already, track, model, sprite, camera}));

    // A visit stops where it is told to, from inside a group too, and says so.
    CPaintList visited;
    const auto upTo = [&visited](CPaint* last) {
        return [&visited, last](CPaint* object) {
            visited.push_back(object);
            return object != last;
        };
    };
    EXPECT_TRUE(CCVNDoc::VisitObjectsByClass(root.m_members, TRUE, upTo(model)));
    EXPECT_EQ(visited, (CPaintList{track, model}));
    visited.clear();
    EXPECT_FALSE(CCVNDoc::VisitObjectsByClass(root.m_members, FALSE, upTo(nullptr)));
    EXPECT_EQ(visited, (CPaintList{track, camera}));
}

TEST_F(DocumentEdgeCase, TheSelectedMountIsTheOnlySelectedObjectWhenItIsTerrain) {
    CCVNDoc doc;
    CPaint* terrain = AddToGroup(&doc.m_rootGroup, new CNamedObject(&doc.m_tool, "CMount"));
    CPaint* shape = AddToGroup(&doc.m_rootGroup, new CTestShape(&doc.m_tool));
    EXPECT_EQ(doc.GetSelectedMount(), nullptr);

    terrain->Select();
    shape->Select();
    ASSERT_EQ(doc.m_selection.size(), 2u);
    EXPECT_EQ(doc.GetSelectedMount(), nullptr);

    shape->Deselect();
    EXPECT_EQ(doc.GetSelectedMount(), terrain);

    terrain->Deselect();
    shape->Select();
    EXPECT_EQ(doc.GetSelectedMount(), nullptr);
}
