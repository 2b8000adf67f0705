#include "model/CDataFolders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "platform/base/CWinPath.h"
#include "tests/support/TestFolder.h"

namespace {

// Sets the program folder for one test and puts the previous one back.
class BaseFolderScope {
  public:
    explicit BaseFolderScope(const CString& folder) : m_previous(CDataFolders::GetBaseFolder()) {
        CDataFolders::SetBaseFolder(folder);
    }
    ~BaseFolderScope() { CDataFolders::SetBaseFolder(m_previous); }

  private:
    CString m_previous;
};

CString Stored(const std::filesystem::path& real) {
    return CWinPath::FromReal(real);
}

}  // namespace

TEST(CDataFolders, ListsTheTenFoldersInOrder) {
    ASSERT_EQ(CDataFolders::Table().size(), 10u);
    EXPECT_STREQ(CDataFolders::Table()[CDataFolders::Backdrops].key, "Backdrops");
    EXPECT_STREQ(CDataFolders::Table()[CDataFolders::Backdrops].subFolder, "BACKDROPS\\");
    EXPECT_STREQ(CDataFolders::Table()[CDataFolders::Bitmaps3D].key, "3DBitmaps");
    EXPECT_STREQ(CDataFolders::Table()[CDataFolders::Textures3D].subFolder, "3DTEXTURES\\");
    EXPECT_STREQ(CDataFolders::Table()[CDataFolders::Trains].key, "Trains");
}

TEST(CDataFolders, FolderExistsAddsTheBackslashAndKeepsTheWorkingFolder) {
    TestFolder root;
    std::filesystem::create_directories(root / "DATA");
    std::ofstream(root / "file.txt") << "x";
    std::filesystem::path workingFolder = std::filesystem::current_path();

    CString folder = Stored(root / "data");
    EXPECT_EQ(CDataFolders::FolderExists(folder), 1);
    EXPECT_EQ(folder, Stored(root / "data") + "\\");
    EXPECT_EQ(CDataFolders::FolderExists(folder), 1);
    EXPECT_EQ(folder, Stored(root / "data") + "\\");  // no second backslash

    CString missing = Stored(root / "missing");
    EXPECT_EQ(CDataFolders::FolderExists(missing), 0);
    EXPECT_EQ(missing.Right(1), "\\");

    CString file = Stored(root / "file.txt");
    EXPECT_EQ(CDataFolders::FolderExists(file), 0);

    CString empty;
    EXPECT_EQ(CDataFolders::FolderExists(empty), 0);
    EXPECT_EQ(empty, "");

    EXPECT_EQ(std::filesystem::current_path(), workingFolder);
}

TEST(CDataFolders, FolderExistsTakesRelativeFoldersFromTheWorkingFolder) {
    TestFolder root;
    std::filesystem::create_directories(root / "Scripts");
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(root.Path());
    CString relative(".\\SCRIPTS");
    CString absent("TRAINS\\");
    int relativeAnswer = CDataFolders::FolderExists(relative);
    int absentAnswer = CDataFolders::FolderExists(absent);
    std::filesystem::path after = std::filesystem::current_path();
    std::filesystem::current_path(previous);

    EXPECT_EQ(relativeAnswer, 1);
    EXPECT_EQ(relative, ".\\SCRIPTS\\");
    EXPECT_EQ(absentAnswer, 0);
    EXPECT_EQ(after, std::filesystem::canonical(root.Path()));
}

TEST(CDataFolders, FolderExistsRefusesAFolderThatCannotBeEntered) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "the superuser enters every folder";
    }
    TestFolder root;
    std::filesystem::create_directories(root / "Locked");
    chmod((root / "Locked").c_str(), 0600);
    CString locked = Stored(root / "Locked");
    EXPECT_EQ(CDataFolders::FolderExists(locked), 0);
    chmod((root / "Locked").c_str(), 0700);
    EXPECT_EQ(CDataFolders::FolderExists(locked), 1);
}

TEST(CDataFolders, PrefersTheProgramsSubFolderThenTheProfile) {
    TestFolder root;
    std::filesystem::create_directories(root / "program" / "Backdrops");
    std::filesystem::create_directories(root / "elsewhere" / "trains");
    BaseFolderScope base(Stored(root / "program") + "\\");
    CProfile profile(root / "corvane.ini");

    // The program folder's own sub-folder wins, whatever the profile says.
    profile.WriteProfileString("Paths", "Backdrops", "X:\\nowhere\\");
    EXPECT_EQ(CDataFolders::GetDataFolder(CDataFolders::Backdrops, profile),
              Stored(root / "program") + "\\BACKDROPS\\");

    // Else the profile's folder, given its trailing backslash.
    profile.WriteProfileString("Paths", "TRAINS", Stored(root / "elsewhere" / "TRAINS"));
    EXPECT_EQ(CDataFolders::GetDataFolder(CDataFolders::Trains, profile),
              Stored(root / "elsewhere" / "TRAINS") + "\\");
    EXPECT_EQ(CDataFolders::GetDataFolder("trains", profile), Stored(root / "elsewhere" / "TRAINS") + "\\");

    // Neither: the sub-folder text stands, though it does not exist.
    EXPECT_EQ(CDataFolders::GetDataFolder(CDataFolders::Scripts, profile),
              Stored(root / "program") + "\\SCRIPTS\\");
    // A profile value that does not exist still gets its backslash; an empty one stays empty.
    profile.WriteProfileString("Paths", "Patterns", "D:\\Patterns");
    EXPECT_EQ(CDataFolders::GetDataFolder(CDataFolders::Patterns, profile), "D:\\Patterns\\");
    profile.WriteProfileString("Paths", "Bitmaps", "");
    EXPECT_EQ(CDataFolders::GetDataFolder(CDataFolders::Bitmaps, profile), "");

    EXPECT_EQ(CDataFolders::GetDataFolder("Unknown", profile), "");
    EXPECT_EQ(CDataFolders::GetDataFolder(CDataFolders::FolderCount, profile), "");
}
