#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "model/CCVNDoc.h"
#include "model/CDataFolders.h"
#include "platform/base/CFolderListings.h"
#include "platform/base/CProfile.h"
#include "platform/base/CWinPath.h"
#include "tests/model/TestLayout.h"
#include "tests/support/DamagedFiles.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TestFolder.h"
#include "track/CTrack.h"
#include "track/TrackPieces.h"

namespace {

using Bytes = std::vector<char>;

class LibraryDoc : public CCVNDoc {
  public:
    void ReportError(const CString& text) override { m_errors.push_back(text); }
    std::vector<CString> m_errors;
};

Bytes ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class LibraryFile : public testing::Test {
  protected:
    void SetUp() override {
        RegisterTrackPieces();
        m_previousBase = CDataFolders::GetBaseFolder();
        CDataFolders::SetBaseFolder(CWinPath::FromReal(m_folder.Path()) + "\\");
    }
    void TearDown() override { CDataFolders::SetBaseFolder(m_previousBase); }

    // A library of a shape and a group holding another shape, marked modified.
    static void Fill(CCVNDoc& doc, const std::filesystem::path& path) {
        doc.m_strLibraryPath = CWinPath::FromReal(path);
        CTestShape* shape = AddToGroup(&doc.m_libraryGroup, new CTestShape(&doc.m_tool));
        shape->m_strName = "signal";
        CGroup* group = AddToGroup(&doc.m_libraryGroup, NewGroup(&doc.m_tool));
        AddToGroup(group, new CTestShape(&doc.m_tool))->m_strName = "inside";
        doc.m_bLibraryModified = 1;
    }

    TestFolder m_folder;
    CString m_previousBase;
};

}  // namespace

TEST_F(LibraryFile, ALibraryIsWrittenAndReadBackTheSame) {
    const std::filesystem::path path = m_folder / "Mine.cvl";
    LibraryDoc doc;
    doc.m_nFileVersion = 14;
    Fill(doc, path);
    ASSERT_TRUE(doc.WriteLibrary());
    EXPECT_EQ(doc.m_bLibraryModified, 0);
    EXPECT_EQ(doc.m_nFileVersion, 14);
    const Bytes first = ReadWholeFile(path);
    ASSERT_GE(first.size(), 4u);
    EXPECT_EQ(first[0], 17);

    LibraryDoc reader;
    reader.m_strLibraryPath = CWinPath::FromReal(path);
    ASSERT_TRUE(reader.ReadLibrary());
    ASSERT_EQ(reader.m_libraryGroup.m_members.size(), 2u);
    EXPECT_EQ(reader.m_libraryGroup.m_members.back()->m_strName, "signal");
    EXPECT_EQ(reader.m_libraryGroup.m_members.front()->m_pTool, &reader.m_tool);
    ASSERT_TRUE(reader.WriteLibrary());
    EXPECT_EQ(ReadWholeFile(path), first);
    EXPECT_TRUE(reader.m_errors.empty());
}

TEST_F(LibraryFile, ALibraryIsFoundInTheProgramsLibraryFolderAndAnEmptyFileIsAnEmptyLibrary) {
    std::filesystem::create_directory(m_folder / "LIBRARIES");
    std::ofstream(m_folder / "LIBRARIES" / "Empty.cvl");
    LibraryDoc doc;
    doc.m_strLibraryPath = "C:\\gone\\Empty.cvl";
    EXPECT_TRUE(doc.ReadLibrary());
    EXPECT_TRUE(doc.m_libraryGroup.m_members.empty());

    doc.m_strLibraryPath = "C:\\gone\\Missing.cvl";
    EXPECT_FALSE(doc.ReadLibrary());
    ASSERT_EQ(doc.m_errors.size(), 1u);
    // The message names the file as this system writes it.
    EXPECT_EQ(doc.m_errors[0], "Can't read library /gone/Missing.cvl");
}

TEST_F(LibraryFile, AFailedWriteKeepsTheLibraryAndItsModifiedMark) {
    const std::filesystem::path path = m_folder / "Mine.cvl";
    LibraryDoc doc;
    Fill(doc, path);
    {
        FileSizeLimit limit(8);
        EXPECT_FALSE(doc.WriteLibrary());
    }
    EXPECT_EQ(doc.m_bLibraryModified, 1);
    EXPECT_EQ(doc.m_libraryGroup.m_members.size(), 2u);
    ASSERT_EQ(doc.m_errors.size(), 1u);
    EXPECT_EQ(doc.m_errors[0], "Can't write library. " + CString(path.c_str()));
    EXPECT_FALSE(std::filesystem::exists(path));

    // A damaged library is reported, not read.
    std::ofstream(path, std::ios::binary) << "\x11\x00\x00\x00garbage";
    LibraryDoc reader;
    reader.m_strLibraryPath = CWinPath::FromReal(path);
    EXPECT_FALSE(reader.ReadLibrary());
    EXPECT_EQ(reader.m_errors.size(), 1u);
    ASSERT_TRUE(doc.WriteLibrary());
}

TEST_F(LibraryFile, ALibraryUnderAPathThatIsGoneIsReadFromTheProgramsLibraryFolder) {
    std::filesystem::create_directory(m_folder / "LIBRARIES");
    {
        LibraryDoc writer;
        Fill(writer, m_folder / "LIBRARIES" / "Rails.cvl");
        ASSERT_TRUE(writer.WriteLibrary());
    }
    LibraryDoc doc;
    doc.m_strLibraryPath = "C:\\gone\\Rails.cvl";
    ASSERT_TRUE(doc.ReadLibrary());
    ASSERT_EQ(doc.m_libraryGroup.m_members.size(), 2u);
    EXPECT_EQ(doc.m_libraryGroup.m_members.back()->m_strName, "signal");
    EXPECT_EQ(doc.m_strLibraryPath, "C:\\gone\\Rails.cvl");
    EXPECT_TRUE(doc.m_errors.empty());

    // The third place is the library folder of the profile, even while the program has a
    // library folder of its own.
    std::filesystem::create_directory(m_folder / "mine");
    std::filesystem::rename(m_folder / "LIBRARIES" / "Rails.cvl", m_folder / "mine" / "Rails.cvl");
    CProfile::Program().SetPath(m_folder / "corvane.ini");
    CProfile::Program().WriteProfileString("Paths", "Libraries",
                                           CWinPath::FromReal(m_folder / "mine") + "\\");
    LibraryDoc fromProfile;
    fromProfile.m_strLibraryPath = "C:\\gone\\Rails.cvl";
    EXPECT_TRUE(fromProfile.ReadLibrary());
    EXPECT_EQ(fromProfile.m_libraryGroup.m_members.size(), 2u);
    CProfile::Program().SetPath(CProfile::DefaultPath());
}

TEST_F(LibraryFile, EveryDamagedPrefixLeavesTheLibraryGroupAsItWas) {
    const std::filesystem::path path = m_folder / "Whole.cvl";
    {
        LibraryDoc writer;
        Fill(writer, path);
        writer.m_libraryGroup.m_strName = "Signals";
        writer.m_libraryGroup.m_fFrameWidth = 500.0;
        ASSERT_TRUE(writer.WriteLibrary());
    }
    const Bytes whole = ReadWholeFile(path);

    LibraryDoc doc;
    doc.m_nFileVersion = 14;
    AddToGroup(&doc.m_libraryGroup, new CTestShape(&doc.m_tool))->m_strName = "kept";
    // The library group's record as the writer stores it: members and own fields alike.
    const auto snapshot = [&doc, this] {
        const CString own = doc.m_strLibraryPath;
        doc.m_strLibraryPath = CWinPath::FromReal(m_folder / "Snapshot.cvl");
        EXPECT_TRUE(doc.WriteLibrary());
        doc.m_strLibraryPath = own;
        return ReadWholeFile(m_folder / "Snapshot.cvl");
    };
    const Bytes before = snapshot();

    const std::filesystem::path damaged = m_folder / "Damaged.cvl";
    doc.m_strLibraryPath = CWinPath::FromReal(damaged);
    for (std::size_t length = 1; length < whole.size(); ++length) {
        std::ofstream(damaged, std::ios::binary).write(whole.data(), static_cast<std::streamsize>(length));
        EXPECT_FALSE(doc.ReadLibrary()) << length;
        ASSERT_EQ(snapshot(), before) << length;
        EXPECT_EQ(doc.m_nFileVersion, 14);
    }
    ASSERT_EQ(doc.m_errors.size(), whole.size() - 1);
    EXPECT_EQ(doc.m_errors.back(), "Can't read library " + CWinPath::Native(doc.m_strLibraryPath));

    // The whole file appends its members and gives the group its own fields.
    std::ofstream(damaged, std::ios::binary).write(whole.data(), static_cast<std::streamsize>(whole.size()));
    ASSERT_TRUE(doc.ReadLibrary());
    ASSERT_EQ(doc.m_libraryGroup.m_members.size(), 3u);
    EXPECT_EQ(doc.m_libraryGroup.m_members.front()->m_strName, "kept");
    EXPECT_EQ(doc.m_libraryGroup.m_members.back()->m_strName, "signal");
    EXPECT_EQ(doc.m_libraryGroup.m_members.back()->m_pOwnerGroup, &doc.m_libraryGroup);
    EXPECT_EQ(doc.m_libraryGroup.m_strName, "Signals");
    EXPECT_EQ(doc.m_libraryGroup.m_fFrameWidth, 500.0);
}

TEST_F(LibraryFile, TextAndRandomBytesAreReportedAndLeaveTheLibraryAsItWas) {
    LibraryDoc doc;
    AddToGroup(&doc.m_libraryGroup, new CTestShape(&doc.m_tool))->m_strName = "kept";
    doc.m_libraryGroup.m_strName = "Signals";
    const std::filesystem::path damaged = m_folder / "Damaged.cvl";
    doc.m_strLibraryPath = CWinPath::FromReal(damaged);
    for (const FileBytes& content : DamagedContents()) {
        WriteFileBytes(damaged, content);
        EXPECT_FALSE(doc.ReadLibrary());
        ASSERT_EQ(doc.m_errors.size(), 1u);
        EXPECT_EQ(doc.m_errors[0], "Can't read library " + CWinPath::Native(doc.m_strLibraryPath));
        doc.m_errors.clear();
        ASSERT_EQ(doc.m_libraryGroup.m_members.size(), 1u);
        EXPECT_EQ(doc.m_libraryGroup.m_members.front()->m_strName, "kept");
        EXPECT_EQ(doc.m_libraryGroup.m_strName, "Signals");
        EXPECT_EQ(doc.m_nFileVersion, kLayoutFileVersion);
    }
}

TEST_F(LibraryFile, ATrackPieceWhoseLengthIsBelowZeroOrNotFiniteIsMeasuredAgain) {
    constexpr double kMarker = 1234.0625;
    const std::filesystem::path path = m_folder / "Track.cvl";
    {
        LibraryDoc writer;
        writer.m_strLibraryPath = CWinPath::FromReal(path);
        CTrack* piece = AddToGroup(&writer.m_libraryGroup, new CTrack(0, &writer.m_tool, 0.0, 0.0));
        piece->m_ptSecond = {300.0, 400.0};
        piece->m_fLength = kMarker;
        ASSERT_TRUE(writer.WriteLibrary());
    }
    const Bytes whole = ReadWholeFile(path);
    char marker[sizeof kMarker];
    std::memcpy(marker, &kMarker, sizeof marker);
    const auto at = std::search(whole.begin(), whole.end(), std::begin(marker), std::end(marker));
    ASSERT_NE(at, whole.end());

    for (const double length : {-5e301, -1.0, std::nan(""), HUGE_VAL}) {
        SCOPED_TRACE(length);
        LibraryDoc doc;
        doc.m_strLibraryPath = CWinPath::FromReal(path);
        Bytes bytes = whole;
        std::memcpy(bytes.data() + (at - whole.begin()), &length, sizeof length);
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        EXPECT_TRUE(doc.ReadLibrary());
        EXPECT_TRUE(doc.m_errors.empty());
        ASSERT_EQ(doc.m_libraryGroup.m_members.size(), 1u);
        EXPECT_EQ(dynamic_cast<CTrack*>(doc.m_libraryGroup.m_members.back())->m_fLength, 500.0);
    }
}

// Reading a library keeps the folders' listings as opening a layout does: names of missing
// patterns that all need a folder's listing list it once, not once a name.
TEST_F(LibraryFile, ReadingALibraryListsEachFolderOnce) {
    std::filesystem::create_directory(m_folder / "big");
    const auto listingsToRead = [&](int shapes) {
        LibraryDoc doc;
        doc.m_strLibraryPath = CWinPath::FromReal(m_folder / "Patterns.cvl");
        for (int index = 0; index < shapes; ++index)
            AddToGroup(&doc.m_libraryGroup, new CTestShape(&doc.m_tool))
                ->m_strPatternFile.Format("%s\\BIG\\MISSING%d.PAT",
                                          CWinPath::FromReal(m_folder.Path()).c_str(), index);
        EXPECT_TRUE(doc.WriteLibrary());
        LibraryDoc reader;
        reader.m_strLibraryPath = doc.m_strLibraryPath;
        const unsigned long before = CFolderListings::ListingsMade();
        EXPECT_TRUE(reader.ReadLibrary());
        return CFolderListings::ListingsMade() - before;
    };
    EXPECT_EQ(listingsToRead(20), listingsToRead(1));
}
