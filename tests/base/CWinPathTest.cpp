#include "platform/base/CWinPath.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/base/CFolderListings.h"
#include "platform/base/Windows1252.h"
#include "tests/support/TestFolder.h"
#include "tests/support/WorkingFolderKept.h"

namespace {

void Touch(const std::filesystem::path& file) {
    std::ofstream(file) << "x";
}

// A real path in the program's code page.
CString PathTextOf(const std::filesystem::path& path) {
    std::string ansi;
    Utf8ToAnsi(path.string(), ansi);
    return CString(ansi.c_str());
}

struct SplitParts {
    CString drive, folder, name, extension;
};

SplitParts SplitAll(const char* path) {
    SplitParts parts;
    CWinPath::Split(path, &parts.drive, &parts.folder, &parts.name, &parts.extension);
    return parts;
}

}  // namespace

TEST(CWinPath, SplitsAndJoinsLikeTheRuntime) {
    SplitParts full = SplitAll("C:\\DATA\\x.bmp");
    EXPECT_EQ(full.drive, "C:");
    EXPECT_EQ(full.folder, "\\DATA\\");
    EXPECT_EQ(full.name, "x");
    EXPECT_EQ(full.extension, ".bmp");

    SplitParts relative = SplitAll(".\\BACKDROPS\\");
    EXPECT_EQ(relative.drive, "");
    EXPECT_EQ(relative.folder, ".\\BACKDROPS\\");
    EXPECT_EQ(relative.name, "");
    EXPECT_EQ(relative.extension, "");

    SplitParts dotted = SplitAll("TRAINS/cvn.loco.3ds");
    EXPECT_EQ(dotted.folder, "TRAINS/");
    EXPECT_EQ(dotted.name, "cvn.loco");
    EXPECT_EQ(dotted.extension, ".3ds");

    SplitParts bare = SplitAll("New");
    EXPECT_EQ(bare.name, "New");
    EXPECT_EQ(bare.extension, "");

    CString nameOnly;
    CWinPath::Split("D:\\a\\b.c\\file", nullptr, nullptr, &nameOnly, nullptr);
    EXPECT_EQ(nameOnly, "file");

    // A message names the file, or the whole path, as this system writes it, where there is
    // no file in it.
    EXPECT_EQ(CWinPath::ShownName("C:\\DATA\\x.bmp"), "x.bmp");
    EXPECT_EQ(CWinPath::ShownName("TRAINS/cvn.loco.3ds"), "cvn.loco.3ds");
    EXPECT_EQ(CWinPath::ShownName("C:\\PATTERNS\\"), "/PATTERNS/");

    EXPECT_EQ(CWinPath::Make("C", "\\DATA", "x", "bmp"), "C:\\DATA\\x.bmp");
    EXPECT_EQ(CWinPath::Make("", "SCRIPTS\\", "a", ".rwx"), "SCRIPTS\\a.rwx");
    EXPECT_EQ(CWinPath::Make(nullptr, nullptr, "DefPref", "Dat"), "DefPref.Dat");

    for (const char* path : {"C:\\DATA\\x.bmp", ".\\BACKDROPS\\", "New.cvl", "D:x", "\\a.b\\c.d.e", ""}) {
        SplitParts parts = SplitAll(path);
        EXPECT_EQ(CWinPath::Make(parts.drive, parts.folder, parts.name, parts.extension), path) << path;
    }
}

TEST(CWinPath, ResolvesStoredNamesOntoTheDiskWithoutRegardToCase) {
    TestFolder root;
    std::filesystem::create_directories(root / "DATA" / "Sub");
    Touch(root / "DATA" / "x.bmp");

    EXPECT_EQ(CWinPath::Resolve("data\\X.BMP", root.Path()), root / "DATA" / "x.bmp");
    EXPECT_EQ(CWinPath::Resolve("Data\\SUB\\", root.Path()), root / "DATA" / "Sub" / "");
    EXPECT_EQ(CWinPath::Resolve(".\\data\\sub", root.Path()), root / "." / "DATA" / "Sub");

    // What does not exist stays as written, so that a file can be made there.
    EXPECT_EQ(CWinPath::Resolve("DATA\\New.cvn", root.Path()), root / "DATA" / "New.cvn");
    EXPECT_EQ(CWinPath::Resolve("Missing\\data\\X.BMP", root.Path()), root / "Missing" / "data" / "X.BMP");

    // A drive stands for the root: the test root in stored form resolves onto itself.
    CString stored = CWinPath::FromReal(root.Path()) + "\\data\\X.BMP";
    EXPECT_EQ(stored.Left(3), "C:\\");
    EXPECT_EQ(CWinPath::Resolve(stored), root / "DATA" / "x.bmp");
    EXPECT_EQ(CWinPath::Resolve("c:\\"), std::filesystem::path("/"));
}

// Names through links, "." and ".." steps and missing folders, looked up one at a time and
// while listings are kept: the real path each gives, and whether it names an entry.
TEST(CWinPath, ResolvesNamesThroughLinksAndStepsAlike) {
    struct Row {
        const char* stored;
        const char* real;
        bool exists;
    };
    TestFolder root;
    std::filesystem::create_directories(root / "DATA" / "Sub");
    Touch(root / "DATA" / "Sub" / "x.bmp");
    std::filesystem::create_directory_symlink("DATA/Sub", root / "toSub");
    std::filesystem::create_directory_symlink("..", root / "DATA" / "Sub" / "up");
    std::filesystem::create_symlink("DATA/Sub/x.bmp", root / "file");
    std::filesystem::create_symlink("nowhere", root / "dangling");
    std::filesystem::create_symlink("loop", root / "loop");
    const Row table[] = {
        {"TOSUB\\X.BMP", "toSub/x.bmp", true},
        {"toSub\\..\\SUB\\x.bmp", "toSub/../Sub/x.bmp", true},
        {"toSub\\..\\DATA\\SUB\\X.BMP", "toSub/../DATA/SUB/X.BMP", false},
        {"data\\sub\\UP\\SUB\\X.BMP", "DATA/Sub/up/Sub/x.bmp", true},
        {"FILE", "file", true},
        {"file\\x.bmp", "file/x.bmp", false},
        {"DANGLING\\x.bmp", "dangling/x.bmp", false},
        {"loop\\x.bmp", "loop/x.bmp", false},
        {"DATA\\.\\..\\data\\", "DATA/./../DATA/", true},
        {"missing\\..\\DATA", "missing/../DATA", false},
    };
    for (const bool keep : {false, true}) {
        CFolderListings::Keep(keep);
        for (const Row& row : table) {
            EXPECT_EQ(CWinPath::Resolve(row.stored, root.Path()), root / row.real) << row.stored;
            EXPECT_EQ(CWinPath::ResolveExisting(row.stored, root.Path()).empty(), !row.exists) << row.stored;
        }
    }
    CFolderListings::Keep(false);
}

TEST(CWinPath, PrefersTheExactNameThenTheFirstInByteOrder) {
    TestFolder root;
    Touch(root / "readme.TXT");
    Touch(root / "README.txt");
    Touch(root / "ReadMe.txt");

    EXPECT_EQ(CWinPath::Resolve("ReadMe.txt", root.Path()), root / "ReadMe.txt");
    EXPECT_EQ(CWinPath::Resolve("readme.txt", root.Path()), root / "README.txt");
}

TEST(CWinPath, ConvertsNamesBetweenTheCodePageAndTheDisk) {
    TestFolder root;
    std::filesystem::create_directories(root / "Gel\xC3\xA4nde");  // UTF-8 on disk

    // The stored name is Windows-1252; its upper-case form finds the folder.
    EXPECT_EQ(CWinPath::Resolve("GEL\xC4NDE\\", root.Path()), root / "Gel\xC3\xA4nde" / "");
    EXPECT_EQ(CWinPath::FromReal(root / "Gel\xC3\xA4nde"), CWinPath::FromReal(root.Path()) + "\\Gel\xE4nde");
}

TEST(CWinPath, GivesTheStoredFormOfRealPaths) {
    EXPECT_EQ(CWinPath::FromReal("/opt/corvane/"), "C:\\opt\\corvane\\");
    EXPECT_EQ(CWinPath::FromReal("BACKDROPS/sky.bmp"), "BACKDROPS\\sky.bmp");
    EXPECT_EQ(CWinPath::FromReal("/"), "C:\\");
}

TEST(CWinPath, ResolvesRelativeNamesFromTheWorkingFolder) {
    TestFolder root;
    std::filesystem::create_directories(root / "Scripts");
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(root.Path());
    std::filesystem::path resolved = CWinPath::Resolve("SCRIPTS\\");
    std::filesystem::current_path(previous);
    EXPECT_EQ(resolved, std::filesystem::canonical(root.Path()) / "Scripts" / "");
}

TEST(CWinPath, ShowsPathsAsThisSystemWritesThemAndTakesThemBack) {
    TestFolder root;
    std::filesystem::create_directories(root / "Gel\xC3\xA4nde" / "TRAINS");
    Touch(root / "Gel\xC3\xA4nde" / "TRAINS" / "cvnloco.3ds");
    const CString native = PathTextOf(root.Path());
    const CString stored = CWinPath::FromReal(root.Path());

    // The real file, in the program's code page, whatever case the stored name has.
    EXPECT_EQ(CWinPath::Native(stored + "\\GEL\xC4NDE\\trains\\CVNLOCO.3DS"),
              native + "/Gel\xE4nde/TRAINS/cvnloco.3ds");
    EXPECT_EQ(CWinPath::Native(stored + "\\Gel\xE4nde\\.\\TRAINS\\..\\TRAINS\\"),
              native + "/Gel\xE4nde/TRAINS/");
    // A native path is its own native form; a bare name and an empty text stay as they are.
    EXPECT_EQ(CWinPath::Native(native + "/Gel\xE4nde/TRAINS/cvnloco.3ds"),
              native + "/Gel\xE4nde/TRAINS/cvnloco.3ds");
    EXPECT_EQ(CWinPath::Native("rcgrass.bmp"), "rcgrass.bmp");
    EXPECT_EQ(CWinPath::Native("*.3ds"), "*.3ds");
    EXPECT_EQ(CWinPath::Native(""), "");

    // A relative stored folder is taken from the working folder.
    const WorkingFolderKept workingFolder;
    std::filesystem::current_path(root / "Gel\xC3\xA4nde");
    EXPECT_EQ(CWinPath::Native(".\\trains\\"),
              PathTextOf(std::filesystem::canonical(root.Path())) + "/Gel\xE4nde/TRAINS/");

    // Back: what the user typed natively is stored Windows-style; a stored text stays.
    EXPECT_EQ(CWinPath::Stored(native + "/Gel\xE4nde/TRAINS/"), stored + "\\Gel\xE4nde\\TRAINS\\");
    EXPECT_EQ(CWinPath::Stored("/opt/corvane/SCRIPTS"), "C:\\opt\\corvane\\SCRIPTS");
    EXPECT_EQ(CWinPath::Stored("SCRIPTS/"), "SCRIPTS\\");
    EXPECT_EQ(CWinPath::Stored(".\\SCRIPTS\\"), ".\\SCRIPTS\\");
    EXPECT_EQ(CWinPath::Stored("D:\\LIBRARIES\\New.cvl"), "D:\\LIBRARIES\\New.cvl");
    EXPECT_EQ(CWinPath::Stored("New.cvl"), "New.cvl");
    EXPECT_EQ(CWinPath::Stored(CWinPath::Native(stored + "\\Gel\xE4nde\\TRAINS\\cvnloco.3ds")),
              stored + "\\Gel\xE4nde\\TRAINS\\cvnloco.3ds");
}
