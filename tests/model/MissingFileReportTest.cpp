#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <vector>

#include "model/AssetLoaders.h"
#include "model/CDataFolders.h"
#include "model/CMissingFileReport.h"
#include "model/PatternFile.h"
#include "platform/base/CFolderListings.h"
#include "platform/base/CProfile.h"
#include "platform/base/CWinPath.h"
#include "platform/host/HeadlessHost.h"
#include "platform/r3d/AssetLibrary.h"
#include "tests/support/TestFolder.h"

namespace {

// A program folder whose data folders hold nothing, so that every file named is missing.
class MissingFileReport : public testing::Test {
  protected:
    void SetUp() override {
        for (const char* sub : {"PATTERNS", "TEXTURES"}) std::filesystem::create_directory(m_folder / sub);
        m_previousBase = CDataFolders::GetBaseFolder();
        m_previousProfile = CProfile::Program().GetPath();
        CProfile::Program().SetPath(m_folder / "corvane.ini");
        CDataFolders::SetBaseFolder(CWinPath::FromReal(m_folder.Path()) + "\\");
        r3d::AssetLibrary::Instance().ClearSearchFolders();
    }
    void TearDown() override {
        CDataFolders::SetBaseFolder(m_previousBase);
        CProfile::Program().SetPath(m_previousProfile);
    }
    static void LoadPattern(const char* name) {
        CString patternName = name;
        PatternFileBytes bytes;
        EXPECT_FALSE(LoadPatternFile(patternName, bytes));
    }
    static void LoadTexture(const char* name) {
        CString textureName = name;
        EXPECT_EQ(LoadTextureFile(textureName), nullptr);
    }
    std::vector<CString> Texts() const {
        std::vector<CString> texts;
        for (const auto& box : m_host.MessageBoxes()) texts.push_back(box.text);
        return texts;
    }

    HeadlessHost m_host;
    TestFolder m_folder;
    CString m_previousBase;
    std::filesystem::path m_previousProfile;
};

CString Numbered(const char* format, int number) {
    CString text;
    text.Format(format, number);
    return text;
}

}  // namespace

TEST_F(MissingFileReport, TenMessagesAreShownAndOneLastCountsTheFilesLeftUnsaid) {
    std::vector<CString> expected;
    {
        const CMissingFileReport operation;
        for (int file = 0; file < 8; ++file) {
            LoadPattern(Numbered("C:\\gone\\P%d.pat", file));
            // Another object naming the same file, in another folder, says nothing more.
            LoadPattern(Numbered("P%d.pat", file));
            expected.push_back(Numbered("Could not read file P%d.pat", file));
        }
        const CMissingFileReport nested;
        for (int file = 0; file < 5; ++file) {
            LoadTexture(Numbered("T%d.bmp", file));
            LoadTexture(Numbered("T%d.bmp", file));
        }
        expected.push_back("Could not open texture file T0.bmp");
        expected.push_back("Could not open texture file T1.bmp");
        // A picture's second message about a file already counted adds no file to the count.
        CMissingFileReport::Show("Could not create file T4.bmp", "T4.bmp");
        LoadPattern("P9.pat");
        LoadPattern("P0.pat");
        EXPECT_EQ(Texts(), expected);
    }
    expected.push_back("4 more files could not be read.");
    EXPECT_EQ(Texts(), expected);
    EXPECT_EQ(m_host.MessageBoxes().back().type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));

    // The next operation starts afresh; one file left unsaid is counted as one.
    {
        const CMissingFileReport operation;
        for (int file = 0; file <= CMissingFileReport::kShownLimit; ++file)
            LoadPattern(Numbered("P%d.pat", file));
    }
    EXPECT_EQ(m_host.MessageBoxes().size(), expected.size() + CMissingFileReport::kShownLimit + 1);
    EXPECT_EQ(m_host.MessageBoxes()[expected.size()].text, "Could not read file P0.pat");
    EXPECT_EQ(m_host.MessageBoxes().back().text, "1 more file could not be read.");

    // Outside an operation every failure is told.
    const std::size_t before = m_host.MessageBoxes().size();
    LoadPattern("P0.pat");
    LoadPattern("P0.pat");
    EXPECT_EQ(m_host.MessageBoxes().size(), before + 2);
}

// Many objects naming different missing patterns list each folder once in one operation; a
// name in another case is still found, and so is a file that came meanwhile.
TEST_F(MissingFileReport, AnOperationListsEachFolderOnce) {
    const std::filesystem::path elsewhere = m_folder / "elsewhere";
    std::filesystem::create_directory(elsewhere);
    for (int entry = 0; entry < 20; ++entry) std::ofstream(elsewhere / Numbered("E%d", entry).c_str()) << "x";
    std::ofstream(m_folder / "PATTERNS" / "Brick.PAT") << "0123456789abcdef";
    // Folders changed within the clock tick of their listing would be listed again.
    const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    for (const auto& folder : {elsewhere, m_folder / "PATTERNS", m_folder.Path()})
        std::filesystem::last_write_time(folder, past);
    const CString stored = CWinPath::FromReal(elsewhere) + "\\";
    PatternFileBytes bytes;
    const CMissingFileReport operation;
    LoadPattern(stored + "P0.pat");
    const unsigned long listed = CFolderListings::ListingsMade();
    for (int file = 1; file < 100; ++file) LoadPattern(stored + Numbered("P%d.pat", file));
    CString found = stored + "brick.pat";
    EXPECT_TRUE(LoadPatternFile(found, bytes));
    EXPECT_EQ(CFolderListings::ListingsMade(), listed);
    std::ofstream(elsewhere / "Later.pat") << "0123456789abcdef";
    CString later = stored + "LATER.PAT";
    EXPECT_TRUE(LoadPatternFile(later, bytes));
}

namespace {

std::vector<CString> g_lookedUp;

std::string CountedLookUp(const CString& stored) {
    g_lookedUp.push_back(stored);
    return std::string("/real/") + stored.c_str();
}

}  // namespace

// While an operation runs, each stored name is looked up on the disk once; outside one, and
// in the next one, afresh.
TEST(MissingFileLookUp, AnOperationLooksEachNameUpOnce) {
    g_lookedUp.clear();
    EXPECT_EQ(CDataFileOperation::LookUp("a.bmp", CountedLookUp), "/real/a.bmp");
    EXPECT_EQ(CDataFileOperation::LookUp("a.bmp", CountedLookUp), "/real/a.bmp");
    {
        const CMissingFileReport operation;
        for (int piece = 0; piece < 50; ++piece) {
            EXPECT_EQ(CDataFileOperation::LookUp("a.bmp", CountedLookUp), "/real/a.bmp");
            EXPECT_EQ(CDataFileOperation::LookUp("b.bmp", CountedLookUp), "/real/b.bmp");
        }
    }
    {
        const CMissingFileReport next;
        EXPECT_EQ(CDataFileOperation::LookUp("a.bmp", CountedLookUp), "/real/a.bmp");
    }
    EXPECT_EQ(g_lookedUp, (std::vector<CString>{"a.bmp", "a.bmp", "a.bmp", "b.bmp", "a.bmp"}));
}

namespace {

struct CountedWork {
    int done = 0;
};

}  // namespace

// What an operation keeps lasts through its nested operations and no longer; outside one each
// use starts afresh. A file's message ends with the file's name after one space.
TEST(MissingFileKept, AnOperationKeepsItsOwnAndTheNextStartsAfresh) {
    HeadlessHost host;
    ++CDataFileOperation::KeptByOperation<CountedWork>().done;
    EXPECT_EQ(CDataFileOperation::KeptByOperation<CountedWork>().done, 0);
    {
        const CMissingFileReport operation;
        ++CDataFileOperation::KeptByOperation<CountedWork>().done;
        {
            const CMissingFileReport nested;
            ++CDataFileOperation::KeptByOperation<CountedWork>().done;
        }
        EXPECT_EQ(CDataFileOperation::KeptByOperation<CountedWork>().done, 2);
        CMissingFileReport::ShowFile("Could not read file", "P1.pat");
    }
    {
        const CMissingFileReport next;
        EXPECT_EQ(CDataFileOperation::KeptByOperation<CountedWork>().done, 0);
    }
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, "Could not read file P1.pat");
}

// The 3D library looks a name up on the disk once per operation and set of search folders; a
// file that appears meanwhile is found by the next operation.
TEST(MissingFileLookUp, TheThreeDLibraryLooksEachNameUpOncePerOperation) {
    TestFolder folder;
    for (const char* sub : {"A", "B"}) std::filesystem::create_directory(folder / sub);
    r3d::AssetLibrary& library = r3d::AssetLibrary::Instance();
    library.ClearSearchFolders();
    library.AddSearchFolder(folder / "A");
    const unsigned before = library.DiskLookUps();
    {
        const CMissingFileReport operation;
        for (int piece = 0; piece < 50; ++piece) EXPECT_FALSE(library.Find("grass.bmp"));
        std::ofstream(folder / "B" / "grass.bmp") << "picture";
        EXPECT_FALSE(library.Find("grass.bmp"));
        library.ClearSearchFolders();
        library.AddSearchFolder(folder / "B");
        for (int piece = 0; piece < 50; ++piece)
            EXPECT_EQ(library.Find("grass.bmp"), folder / "B" / "grass.bmp");
        library.ClearSearchFolders();
        library.AddSearchFolder(folder / "A");
        std::ofstream(folder / "A" / "grass.bmp") << "picture";
        EXPECT_FALSE(library.Find("grass.bmp"));
    }
    EXPECT_EQ(library.DiskLookUps() - before, 2u);
    {
        const CMissingFileReport next;
        EXPECT_EQ(library.Find("grass.bmp"), folder / "A" / "grass.bmp");
    }
    library.ClearSearchFolders();
}
