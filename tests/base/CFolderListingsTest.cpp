#include "platform/base/CFolderListings.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/base/CWinPath.h"
#include "platform/base/FolderOnDisk.h"
#include "tests/support/TestFolder.h"

namespace fs = std::filesystem;

namespace {

// Names reaching a few folders in different ways; how many of them name an entry, and how many
// listings their look-ups in one operation make.
struct Spellings {
    std::vector<const char*> names;
    int found;
    unsigned long listings;
};

// As an archive made on a clock far ahead leaves a folder: stamped in the year 2100.
void StampAhead(const fs::path& folder) {
    const timespec times[2] = {{4102444800, 0}, {4102444800, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, folder.c_str(), times, 0), 0);
}

}  // namespace

// However a path to a folder is written, and whatever the folder's stamp says, one operation
// lists it at most once; a ".." step after a link leaves the folder the link leads to.
TEST(CFolderListings, ListEachRealFolderOnceWhateverThePathSays) {
    TestFolder folder;
    // Links lead to their folders' real paths; the names start from the real one too.
    const fs::path root = fs::canonical(folder.Path());
    for (const char* sub : {"s1", "s2"}) fs::create_directories(root / "big" / sub);
    fs::create_directory_symlink(root / "big", root / "alias");
    fs::create_directory_symlink(root / "big" / "s1", root / "inner");
    fs::create_directory(root / "ahead");
    for (const char* file : {"p0.pat", "p1.pat"}) std::ofstream(root / "ahead" / file) << "x";
    StampAhead(root / "ahead");
    const Spellings table[] = {
        {{"big\\S1\\..\\S2\\..\\S1", "big\\s2\\..\\S1\\..\\Missing"}, 1, 1},
        {{"big\\.\\S1", "big\\S2", "big\\.\\.\\missing"}, 2, 1},
        {{"BIG\\S1", "Big\\S2", "big\\S1\\..\\..\\BIG\\S2"}, 3, 2},
        {{"alias\\S1", "big\\S2", "alias\\..\\big\\missing", "inner\\..\\S2"}, 3, 1},
        {{"ahead\\P0.pat", "ahead\\missing1.pat", "ahead\\missing2.pat", "ahead\\.\\missing3.pat"}, 1, 1},
    };
    for (const Spellings& row : table) {
        CFolderListings::Keep(true);
        const unsigned long before = CFolderListings::ListingsMade();
        int found = 0;
        for (const char* name : row.names) found += CWinPath::ResolveExisting(name, root).empty() ? 0 : 1;
        EXPECT_EQ(found, row.found) << row.names.front();
        EXPECT_EQ(CFolderListings::ListingsMade() - before, row.listings) << row.names.front();
    }
    CFolderListings::Keep(false);
}

// A name that passes through a link hundreds of times, deep in the folders, follows it once in
// one operation and still finds its file as the disk spells it; a link looping on itself leads nowhere.
TEST(CFolderListings, FollowEachLinkOnceHoweverOftenANamePassesThroughIt) {
    TestFolder folder;
    fs::path deep = fs::canonical(folder.Path());
    for (int level = 0; level < 60; ++level) deep /= "level";
    fs::create_directories(deep / "sub");
    std::ofstream(deep / "sub" / "x.pat") << "x";
    fs::create_directory_symlink(".", deep / "here");
    fs::create_directory_symlink("loop", deep / "loop");
    std::string name;
    for (int step = 0; step < 300; ++step) name += "here\\";
    CFolderListings::Keep(true);
    const unsigned long before = CFolderListings::LinksFollowed();
    EXPECT_EQ(CWinPath::ResolveExisting((name + "SUB\\X.PAT").c_str(), deep).filename(), "x.pat");
    EXPECT_EQ(CFolderListings::LinksFollowed() - before, 1u);
    EXPECT_TRUE(CWinPath::ResolveExisting("loop\\x.pat", deep).empty());
    CFolderListings::Keep(false);
}

// However deep a name's folders lie and however long a link's target is, a look-up hands the
// system a few steps for each step of the name: the system follows a link whole.
TEST(CFolderListings, AskTheSystemInProportionToTheNameAlone) {
    struct Row {
        const char* what;
        std::string name;
        int steps;
    };
    TestFolder folder;
    const fs::path root = fs::canonical(folder.Path());
    fs::path deep = root;
    for (int level = 0; level < 200; ++level) fs::create_directory(deep /= "d");
    fs::create_directory(root / "in");
    std::string back;
    for (int step = 0; step < 200; ++step) back += "in/../";
    fs::create_directory_symlink(back, root / "back");
    const std::string start = CWinPath::FromReal(root).c_str();
    std::string down, passes;
    for (int level = 0; level < 200; ++level) down += "\\D";
    for (int pass = 0; pass < 200; ++pass) passes += "\\BACK";
    const Row table[] = {
        {"folders 200 deep", start + down + "\\missing.pat", 200},
        {"a link 200 steps long", start + "\\BACK\\missing.pat", 1},
        {"a link passed 200 times", start + passes + "\\missing.pat", 200},
    };
    for (const Row& row : table) {
        CFolderListings::Keep(true);
        const unsigned long before = FolderOnDisk::StepsAsked();
        EXPECT_EQ(CWinPath::Resolve(row.name.c_str()).filename(), "missing.pat") << row.what;
        EXPECT_LE(FolderOnDisk::StepsAsked() - before, 4u * (row.steps + 20)) << row.what;
    }
    CFolderListings::Keep(false);
}

// A link another program turns elsewhere during an operation leads to its new folder in the
// next look-up that passes through it.
TEST(CFolderListings, FollowALinkAgainOnceItChanged) {
    TestFolder folder;
    const fs::path root = fs::canonical(folder.Path());
    for (const char* sub : {"a", "bb"}) fs::create_directory(root / sub);
    std::ofstream(root / "a" / "x.pat") << "x";
    std::ofstream(root / "bb" / "y.pat") << "y";
    fs::create_directory_symlink("a", root / "link");
    CFolderListings::Keep(true);
    EXPECT_FALSE(CWinPath::ResolveExisting("link\\X.PAT", root).empty());
    fs::remove(root / "link");
    fs::create_directory_symlink("bb", root / "link");
    EXPECT_FALSE(CWinPath::ResolveExisting("link\\Y.PAT", root).empty());
    EXPECT_TRUE(CWinPath::ResolveExisting("link\\X.PAT", root).empty());
    CFolderListings::Keep(false);
}

// Outside an operation a look-up holds no folder open once it is done, so the disk it read stays
// free to unmount.
TEST(CFolderListings, HoldNoFolderOpenAfterALookUp) {
    TestFolder folder;
    fs::create_directory(folder / "sub");
    const auto openFiles = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); };
    const auto before = openFiles();
    EXPECT_EQ(CWinPath::Resolve("SUB\\x.pat", folder.Path()), folder / "sub" / "x.pat");
    EXPECT_EQ(openFiles(), before);
}

// A name found in a folder is opened from that folder, even when a link took the folder's place
// since: the file found is the file read.
TEST(CFolderListings, OpenANameFromTheFolderItWasFoundIn) {
    TestFolder folder;
    const fs::path root = fs::canonical(folder.Path());
    for (const char* sub : {"pats", "empty"}) fs::create_directory(root / sub);
    std::ofstream(root / "pats" / "x.pat") << "x";
    CFolderListings::Keep(true);
    EXPECT_FALSE(CWinPath::ResolveExisting("PATS\\X.PAT", root).empty());
    fs::rename(root / "pats", root / "old");
    fs::create_directory_symlink("empty", root / "pats");
    const int descriptor = CWinPath::OpenExisting("PATS\\X.PAT", O_RDONLY, root);
    CFolderListings::Keep(false);
    ASSERT_GE(descriptor, 0);
    char read = 0;
    EXPECT_EQ(::read(descriptor, &read, 1), 1);
    EXPECT_EQ(read, 'x');
    close(descriptor);
    EXPECT_LT(CWinPath::OpenExisting("PATS\\X.PAT", O_RDONLY, root), 0);
}
