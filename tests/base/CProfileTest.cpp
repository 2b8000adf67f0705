#include "platform/base/CProfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "tests/support/TestFolder.h"

namespace {

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& file, const std::string& content) {
    std::ofstream(file, std::ios::binary) << content;
}

}  // namespace

TEST(CProfile, WritesReadsAndOverwritesValues) {
    TestFolder folder;
    CProfile profile(folder / "config" / "corvane.ini");

    EXPECT_EQ(profile.GetProfileString("Paths", "Backdrops", ".\\BACKDROPS\\"), ".\\BACKDROPS\\");
    EXPECT_EQ(profile.GetProfileInt("Install", "InstallType", 0), 0u);

    EXPECT_TRUE(profile.WriteProfileString("Paths", "Backdrops", ".\\BACKDROPS\\"));
    EXPECT_TRUE(profile.WriteProfileString("Paths", "Trains", "Corvane\\TRAINS\\"));
    EXPECT_TRUE(profile.WriteProfileInt("Install", "InstallType", 2));
    EXPECT_EQ(ReadFile(profile.GetPath()),
              "[Paths]\nBackdrops=.\\BACKDROPS\\\nTrains=Corvane\\TRAINS\\\n[Install]\nInstallType=2\n");

    EXPECT_EQ(profile.GetProfileString("Paths", "Trains"), "Corvane\\TRAINS\\");
    EXPECT_EQ(profile.GetProfileInt("Install", "InstallType", 0), 2u);

    EXPECT_TRUE(profile.WriteProfileString("Paths", "Backdrops", "D:\\Sky\\"));
    EXPECT_TRUE(profile.WriteProfileInt("Install", "InstallType", -1));
    EXPECT_EQ(profile.GetProfileString("Paths", "Backdrops"), "D:\\Sky\\");
    EXPECT_EQ(static_cast<int>(profile.GetProfileInt("Install", "InstallType", 0)), -1);
    EXPECT_EQ(ReadFile(profile.GetPath()),
              "[Paths]\nBackdrops=D:\\Sky\\\nTrains=Corvane\\TRAINS\\\n[Install]\nInstallType=-1\n");
}

TEST(CProfile, FindsSectionsAndKeysWithoutRegardToCase) {
    TestFolder folder;
    CProfile profile(folder / "corvane.ini");
    WriteFile(profile.GetPath(), "[PATHS]\r\n  3DTEXTURES = .\\3DTEXTURES\\ \r\n");

    EXPECT_EQ(profile.GetProfileString("paths", "3dTextures"), ".\\3DTEXTURES\\");
    EXPECT_TRUE(profile.WriteProfileString("Paths", "3DTextures", "X\\"));
    EXPECT_EQ(ReadFile(profile.GetPath()), "[PATHS]\r\n  3DTEXTURES =X\\\r\n");
}

TEST(CProfile, KeepsValuesAsWrittenAndOtherLinesAsTheyWere) {
    TestFolder folder;
    CProfile profile(folder / "corvane.ini");
    WriteFile(profile.GetPath(),
              "; written by hand\n"
              "[Paths]\n"
              "# a note\n"
              "Scripts=SCRIPTS\\\n"
              "no value here\n"
              "\n"
              "[Other]\n"
              "Key=\"quoted\"\n");

    EXPECT_EQ(profile.GetProfileString("Other", "Key"), "quoted");
    for (const char* value : {"  two blanks", "ends in a blank ", "\"quoted\"", "'single'", "", "a=b;c"}) {
        EXPECT_TRUE(profile.WriteProfileString("Values", "V", value));
        EXPECT_EQ(profile.GetProfileString("Values", "V", "default"), value) << value;
    }
    EXPECT_TRUE(profile.WriteProfileString("Paths", "Trains", "TRAINS\\"));
    EXPECT_TRUE(profile.WriteProfileString("Values", nullptr, nullptr));
    EXPECT_EQ(ReadFile(profile.GetPath()),
              "; written by hand\n"
              "[Paths]\n"
              "# a note\n"
              "Scripts=SCRIPTS\\\n"
              "no value here\n"
              "Trains=TRAINS\\\n"
              "\n"
              "[Other]\n"
              "Key=\"quoted\"\n");

    EXPECT_TRUE(profile.WriteProfileString("Paths", "Scripts", nullptr));
    EXPECT_EQ(profile.GetProfileString("Paths", "Scripts", "gone"), "gone");
    EXPECT_EQ(profile.GetProfileString("Paths", "Trains"), "TRAINS\\");
}

TEST(CProfile, RefusesWhatTheFileCannotHoldAndLeavesItWhole) {
    TestFolder folder;
    CProfile profile(folder / "corvane.ini");
    ASSERT_TRUE(profile.WriteProfileString("Paths", "Bitmaps", "BITMAPS\\"));
    std::string before = ReadFile(profile.GetPath());

    EXPECT_FALSE(profile.WriteProfileString("Paths", "Bitmaps", "two\nlines"));
    EXPECT_FALSE(profile.WriteProfileString("Paths", "a=b", "x"));
    EXPECT_FALSE(profile.WriteProfileString("Pa]ths", "Bitmaps", "x"));
    EXPECT_FALSE(profile.WriteProfileString("", "Bitmaps", "x"));
    EXPECT_EQ(ReadFile(profile.GetPath()), before);

    // A folder in the way of the file: the write fails and leaves no temporary file behind.
    CProfile blocked(folder / "blocked.ini");
    std::filesystem::create_directories(folder / "blocked.ini" / "inside");
    EXPECT_FALSE(blocked.WriteProfileString("Paths", "Bitmaps", "x"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              2);
}

TEST(CProfile, RewritesTheFileThroughARename) {
    TestFolder folder;
    CProfile profile(folder / "corvane.ini");
    ASSERT_TRUE(profile.WriteProfileString("Paths", "Patterns", "PATTERNS\\"));
    chmod(profile.GetPath().c_str(), 0640);
    struct stat before {};
    stat(profile.GetPath().c_str(), &before);

    ASSERT_TRUE(profile.WriteProfileString("Paths", "Patterns", "P\\"));
    struct stat after {};
    stat(profile.GetPath().c_str(), &after);
    EXPECT_NE(before.st_ino, after.st_ino);  // a new file took the old one's place
    EXPECT_EQ(after.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

// The program reads its profile for every piece of a layout it builds: the file is parsed once
// and read again only after another program changed it, whether in place or through a rename,
// and even when two writes of the same size follow each other at once.
TEST(CProfile, ReadsTheFileAgainOnlyWhenItChangedOnDisk) {
    TestFolder folder;
    CProfile profile(folder / "corvane.ini");
    EXPECT_EQ(profile.GetProfileString("Paths", "Trains", "none"), "none");
    EXPECT_EQ(profile.GetProfileString("Paths", "Trains", "none"), "none");
    EXPECT_EQ(profile.DiskReads(), 1u);

    // The program's own writes are seen at once, without reading the file.
    ASSERT_TRUE(profile.WriteProfileString("Paths", "Trains", "TRAINS\\"));
    for (int piece = 0; piece < 100; ++piece)
        EXPECT_EQ(profile.GetProfileString("Paths", "Trains"), "TRAINS\\");
    ASSERT_TRUE(profile.WriteProfileInt("Install", "InstallType", 2));
    EXPECT_EQ(profile.GetProfileInt("Install", "InstallType", 0), 2u);
    EXPECT_EQ(profile.DiskReads(), 1u);

    // Another program rewrites the file in place, then replaces it with one of the same size.
    WriteFile(profile.GetPath(), "[Paths]\nTrains=D:\\Trains\\\n");
    EXPECT_EQ(profile.GetProfileString("Paths", "Trains"), "D:\\Trains\\");
    EXPECT_EQ(profile.GetProfileInt("Install", "InstallType", 0), 0u);
    const std::filesystem::path replacement = folder / "replacement.ini";
    WriteFile(replacement, "[Paths]\nTrains=E:\\Trains\\\n");
    std::filesystem::rename(replacement, profile.GetPath());
    EXPECT_EQ(profile.GetProfileString("Paths", "Trains"), "E:\\Trains\\");

    // Rewritten in place with the same size straight after each read.
    for (const char drive : {'F', 'G', 'H'}) {
        WriteFile(profile.GetPath(), std::string("[Paths]\nTrains=") + drive + ":\\Trains\\\n");
        EXPECT_EQ(profile.GetProfileString("Paths", "Trains"), CString(drive) + ":\\Trains\\");
    }

    // A write keeps what another program wrote before it.
    WriteFile(profile.GetPath(), "[Paths]\nScripts=S\\\n");
    ASSERT_TRUE(profile.WriteProfileString("Paths", "Trains", "T\\"));
    EXPECT_EQ(ReadFile(profile.GetPath()), "[Paths]\nScripts=S\\\nTrains=T\\\n");

    std::filesystem::remove(profile.GetPath());
    EXPECT_EQ(profile.GetProfileString("Paths", "Trains", "gone"), "gone");
}

TEST(CProfile, LivesInTheConfigurationFolder) {
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    std::string previous = saved ? saved : "";
    setenv("XDG_CONFIG_HOME", "/tmp/config-home", 1);
    EXPECT_EQ(CProfile::DefaultPath(), std::filesystem::path("/tmp/config-home/corvane/corvane.ini"));
    setenv("XDG_CONFIG_HOME", "relative", 1);
    EXPECT_EQ(CProfile::DefaultPath().filename(), "corvane.ini");
    EXPECT_EQ(CProfile::DefaultPath().parent_path().parent_path().filename(), ".config");
    if (saved) {
        setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
}
