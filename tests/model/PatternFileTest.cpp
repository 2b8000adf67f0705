#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

#include "model/CCVNDoc.h"
#include "model/CDataFolders.h"
#include "model/CMissingFileReport.h"
#include "model/PatternFile.h"
#include "platform/base/CProfile.h"
#include "platform/base/CWinPath.h"
#include "platform/base/WholeFile.h"
#include "platform/cdlg/FolderListing.h"
#include "platform/host/HeadlessHost.h"
#include "tests/model/LayoutBytes.h"
#include "tests/model/TestLayout.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TestFolder.h"
#include "track/TrackPieces.h"

namespace {

using Bytes = FileBytes;

Bytes BitmapBytes(const CBitmap& bitmap) {
    Bytes bytes(kPatternFileSize);
    bitmap.GetBitmapBits(kPatternFileSize, bytes.data());
    return bytes;
}

class PatternFile : public testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directory(m_folder / "PATTERNS");
        m_previousBase = CDataFolders::GetBaseFolder();
        m_previousProfile = CProfile::Program().GetPath();
        CProfile::Program().SetPath(m_folder / "corvane.ini");
        CDataFolders::SetBaseFolder(CWinPath::FromReal(m_folder.Path()) + "\\");
    }
    void TearDown() override {
        CDataFolders::SetBaseFolder(m_previousBase);
        CProfile::Program().SetPath(m_previousProfile);
    }

    HeadlessHost m_host;
    TestFolder m_folder;
    CString m_previousBase;
    std::filesystem::path m_previousProfile;
};

}  // namespace

TEST_F(PatternFile, StripesLoadFromThePatternsFolderAndTheFullPathIsKept) {
    Bytes stripes;
    for (int row = 0; row < 8; ++row) stripes.insert(stripes.end(), {0xAA, 0x00});
    WriteFileBytes(m_folder / "PATTERNS" / "Stripes.pat", stripes);
    CString name = "C:\\gone\\Stripes.pat";
    std::unique_ptr<CBitmap> bitmap;
    ASSERT_TRUE(LoadPatternFile(name, bitmap, 0));
    EXPECT_EQ(name, CWinPath::FromReal(m_folder / "PATTERNS" / "Stripes.pat"));
    ASSERT_NE(bitmap, nullptr);
    // Every other column set, in every row.
    const Bytes bits = BitmapBytes(*bitmap);
    for (int row = 0; row < 8; ++row) EXPECT_EQ(bits[2 * row], 0xAA) << row;

    EXPECT_TRUE(m_host.MessageBoxes().empty());

    // A file shorter than a pattern is no pattern: the bitmap becomes blank, the name stays.
    WriteFileBytes(m_folder / "PATTERNS" / "Short.pat", {0xAA, 0x00, 0xAA});
    CString shortName = "Short.pat";
    EXPECT_FALSE(LoadPatternFile(shortName, bitmap, 0));
    EXPECT_EQ(shortName, "Short.pat");
    ASSERT_NE(bitmap, nullptr);
    for (int row = 0; row < 8; ++row) EXPECT_EQ(BitmapBytes(*bitmap)[2 * row], 0xFF) << row;
    ASSERT_EQ(m_host.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_host.MessageBoxes()[0].text, "Could not read file Short.pat");

    // A missing one too, named by its file name; the bytes asked for are blank as well.
    CString missing = "C:\\gone\\Missing.pat";
    PatternFileBytes bytes;
    bytes.fill(0x00);
    EXPECT_FALSE(LoadPatternFile(missing, bytes));
    EXPECT_EQ(missing, "C:\\gone\\Missing.pat");
    EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), Bytes(16, 0xFF));
    ASSERT_EQ(m_host.MessageBoxes().size(), 2u);
    EXPECT_EQ(m_host.MessageBoxes()[1].text, "Could not read file Missing.pat");
    EXPECT_EQ(m_host.MessageBoxes()[1].type & MB_ICONEXCLAMATION, static_cast<UINT>(MB_ICONEXCLAMATION));

    // A damaged name that holds only a folder is still named.
    CString folderOnly = "C:\\PATTERNS\\";
    EXPECT_FALSE(LoadPatternFile(folderOnly, bytes));
    ASSERT_EQ(m_host.MessageBoxes().size(), 3u);
    EXPECT_EQ(m_host.MessageBoxes()[2].text, "Could not read file /PATTERNS/");

    // An empty name is no file: nothing is said and the bitmap stays.
    CBitmap* kept = bitmap.get();
    CString empty;
    EXPECT_FALSE(LoadPatternFile(empty, bitmap, 0));
    EXPECT_EQ(bitmap.get(), kept);
    EXPECT_EQ(m_host.MessageBoxes().size(), 3u);
}

TEST_F(PatternFile, OneOperationReportsEachUnreadableFileOnce) {
    std::unique_ptr<CBitmap> bitmap;
    {
        const CMissingFileReport operation;
        for (int object = 0; object < 3; ++object) {
            CString name = "Missing.pat";
            EXPECT_FALSE(LoadPatternFile(name, bitmap, 0));
            const CMissingFileReport nested;
            CString other = "C:\\elsewhere\\Other.pat";
            EXPECT_FALSE(LoadPatternFile(other, bitmap, 0));
        }
        EXPECT_EQ(m_host.MessageBoxes().size(), 2u);
    }
    // The next operation reports again.
    CString name = "Missing.pat";
    EXPECT_FALSE(LoadPatternFile(name, bitmap, 0));
    std::vector<CString> texts;
    for (const auto& box : m_host.MessageBoxes()) texts.push_back(box.text);
    EXPECT_EQ(texts, (std::vector<CString>{"Could not read file Missing.pat", "Could not read file Other.pat",
                                           "Could not read file Missing.pat"}));
}

TEST_F(PatternFile, OpeningALayoutReportsAMissingPatternOnceAndKeepsItsName) {
    RegisterTrackPieces();
    CCVNDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    for (const char* name : {"Bricks.pat", "Bricks.pat", "Bricks.pat", "Tiles.pat"})
        AddToGroup(&doc.m_rootGroup, new CTestShape(&doc.m_tool))->m_strPatternFile = name;
    const Bytes bytes = SaveLayoutBytes(doc);

    CCVNDoc reader;
    ASSERT_TRUE(reader.OnNewDocument());
    LoadLayoutBytes(reader, bytes);
    std::set<CString> texts;
    for (const auto& box : m_host.MessageBoxes()) texts.insert(box.text);
    EXPECT_EQ(m_host.MessageBoxes().size(), 2u);
    EXPECT_EQ(texts, (std::set<CString>{"Could not read file Bricks.pat", "Could not read file Tiles.pat"}));
    ASSERT_EQ(reader.m_rootGroup.m_members.size(), 4u);
    for (CPaint* object : reader.m_rootGroup.m_members) {
        EXPECT_EQ(object->m_pPatternBitmap, nullptr);
        EXPECT_TRUE(object->m_strPatternFile == "Bricks.pat" || object->m_strPatternFile == "Tiles.pat");
    }
}

// One operation looks each name up once, found or missing: a file that appears or goes during
// it changes nothing until the next operation, and a layout of 20,000 objects naming one
// missing pattern opens at once.
TEST_F(PatternFile, OneOperationLooksEachNameUpOnce) {
    Bytes stripes;
    for (int row = 0; row < 8; ++row) stripes.insert(stripes.end(), {0x0F, 0xF0});
    const std::filesystem::path later = m_folder / "PATTERNS" / "Later.pat";
    const std::filesystem::path gone = m_folder / "PATTERNS" / "Gone.pat";
    WriteFileBytes(gone, stripes);
    PatternFileBytes bytes{};
    {
        const CMissingFileReport operation;
        CString missing = "Later.pat", found = "Gone.pat";
        EXPECT_FALSE(LoadPatternFile(missing, bytes));
        EXPECT_TRUE(LoadPatternFile(found, bytes));
        WriteFileBytes(later, stripes);
        std::filesystem::remove(gone);
        CString again = "Later.pat", stillFound = "Gone.pat";
        EXPECT_FALSE(LoadPatternFile(again, bytes));
        EXPECT_TRUE(LoadPatternFile(stillFound, bytes));
        // The name found is the one the first lookup found it under.
        EXPECT_EQ(stillFound, found);
        EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), stripes);
    }
    {
        const CMissingFileReport operation;
        CString appeared = "Later.pat", went = "Gone.pat";
        EXPECT_TRUE(LoadPatternFile(appeared, bytes));
        EXPECT_FALSE(LoadPatternFile(went, bytes));
        // A pattern saved during an operation is read as saved.
        CString saved = CWinPath::FromReal(m_folder / "PATTERNS" / "Gone.pat");
        EXPECT_TRUE(SavePatternFile(saved, nullptr));
        EXPECT_TRUE(LoadPatternFile(went, bytes));
    }
    // Outside an operation every lookup reads the folders.
    std::filesystem::remove(later);
    CString outside = "Later.pat";
    EXPECT_FALSE(LoadPatternFile(outside, bytes));

    RegisterTrackPieces();
    CCVNDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    for (int object = 0; object < 20000; ++object)
        AddToGroup(&doc.m_rootGroup, new CTestShape(&doc.m_tool))->m_strPatternFile = "Bricks.pat";
    const Bytes layout = SaveLayoutBytes(doc);
    CCVNDoc reader;
    ASSERT_TRUE(reader.OnNewDocument());
    const std::size_t boxes = m_host.MessageBoxes().size();
    const std::size_t openings = RegularFileOpenings();
    LoadLayoutBytes(reader, layout);
    // The stored name and the two pattern folders, once for all the objects.
    EXPECT_LE(RegularFileOpenings() - openings, 3u);
    EXPECT_EQ(reader.m_rootGroup.m_members.size(), 20000u);
    EXPECT_EQ(m_host.MessageBoxes().size(), boxes + 1);
}

TEST_F(PatternFile, SavingKeepsEveryByteAndNoBitmapSavesAllOnes) {
    const Bytes pattern = {0x81, 0x00, 0x42, 0x00, 0x24, 0x00, 0x18, 0x00,
                           0x18, 0x00, 0x24, 0x00, 0x42, 0x00, 0x81, 0x00};
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(8, 8, 1, 1, pattern.data()));
    const std::filesystem::path saved = m_folder / "Cross.pat";
    CString name = CWinPath::FromReal(saved);
    ASSERT_TRUE(SavePatternFile(name, &bitmap));
    EXPECT_EQ(ReadFileBytes(saved), pattern);
    std::unique_ptr<CBitmap> loaded;
    ASSERT_TRUE(LoadPatternFile(name, loaded, 0));
    EXPECT_EQ(BitmapBytes(*loaded), pattern);

    ASSERT_TRUE(SavePatternFile(name, nullptr));
    EXPECT_EQ(ReadFileBytes(saved), Bytes(16, 0xFF));

    EXPECT_FALSE(SavePatternFile("", &bitmap));
    EXPECT_TRUE(m_host.MessageBoxes().empty());
    const CString unwritable = CWinPath::FromReal(m_folder / "no such folder" / "x.pat");
    EXPECT_FALSE(SavePatternFile(unwritable, &bitmap));
    ASSERT_EQ(m_host.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_host.MessageBoxes()[0].text,
              "Could not create file " + PathText(m_folder / "no such folder" / "x.pat"));
}
