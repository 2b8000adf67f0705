#include "platform/base/CFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/base/CFileException.h"
#include "platform/base/CStdioFile.h"
#include "tests/support/Deadline.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TestFolder.h"
#include "tests/support/WithoutPermissionOverride.h"

namespace fs = std::filesystem;

namespace {

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

int EntryCount(const fs::path& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

void WriteText(CFile& file, const std::string& text) {
    file.Write(text.data(), static_cast<UINT>(text.size()));
}

template <class Action>
int FileFailure(Action action) {
    try {
        action();
    } catch (const CFileException& e) {
        return e.m_cause;
    }
    return -1;
}

// Without the override capabilities even the superuser must respect folder permissions.
}  // namespace

TEST(CFile, ReadSeekAndLength) {
    TestFolder folder;
    fs::path path = folder / "track.bin";
    WriteFile(path, "0123456789");
    CFile file(path.c_str(), CFile::modeRead | CFile::typeBinary);
    EXPECT_EQ(file.GetLength(), 10u);
    EXPECT_EQ(file.GetFileName(), "track.bin");
    EXPECT_EQ(file.GetFilePath(), path.c_str());
    char buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    EXPECT_EQ(file.GetPosition(), 4u);
    EXPECT_EQ(file.Seek(-3, CFile::end), 7u);
    EXPECT_EQ(file.Read(buffer, 8), 3u);
    EXPECT_EQ(std::string(buffer, 3), "789");
    EXPECT_EQ(FileFailure([&] { file.Seek(-1, CFile::begin); }), CFileException::badSeek);
    EXPECT_EQ(FileFailure([&] { WriteText(file, "x"); }), CFileException::invalidFile);
    file.Close();
    EXPECT_FALSE(file.IsOpen());

    // Read and write in turn on one file.
    CFile both(path.c_str(), CFile::modeReadWrite);
    EXPECT_EQ(both.Read(buffer, 2), 2u);
    WriteText(both, "ab");
    EXPECT_EQ(both.Read(buffer, 1), 1u);
    EXPECT_EQ(buffer[0], '4');
    both.SetLength(6);
    EXPECT_EQ(both.GetLength(), 6u);
    both.Close();
    EXPECT_EQ(Contents(path), "01ab45");
}

TEST(CFile, OpenFailuresNameTheFile) {
    TestFolder folder;
    CFileException error;
    CFile file;
    fs::path missing = folder / "Missing.cvn";
    EXPECT_FALSE(file.Open(missing.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_strFileName, missing.c_str());
    EXPECT_EQ(error.GetErrorMessage().str(), "The file \"" + missing.string() + "\" was not found.");

    WriteFile(folder / "plain", "x");
    EXPECT_FALSE(
        file.Open((folder / "plain" / "x.cvn").c_str(), CFile::modeCreate | CFile::modeWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);
    // A folder is named as a folder, whether read or written over.
    EXPECT_FALSE(file.Open(folder.Path().c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::isFolder);
    EXPECT_EQ(error.GetErrorMessage().str(), "\"" + folder.Path().string() + "\" is a folder, not a file.");
    EXPECT_FALSE(file.Open(folder.Path().c_str(), CFile::modeCreate | CFile::modeWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::isFolder);

    try {
        CFile thrown((folder / "nowhere" / "a.cvn").c_str(), CFile::modeCreate | CFile::modeWrite);
        FAIL() << "opened a file in a missing folder";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    }
    EXPECT_EQ(EntryCount(folder.Path()), 1);
}

// A FIFO, a device or a socket named like a layout is refused in every mode, at once: opening a
// FIFO for reading would wait for a writer, and reading a device might never end. A save over
// one leaves it in place.
TEST(CFile, OnlyRegularFilesOpen) {
    TestFolder folder;
    const fs::path pipe = folder / "x.cvn";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const Deadline deadline(std::chrono::seconds(20), "Opening a FIFO");
    for (const fs::path& path : {pipe, fs::path("/dev/zero")})
        for (const UINT mode :
             {UINT{CFile::modeRead}, UINT{CFile::modeReadWrite},
              UINT{CFile::modeReadWrite | CFile::modeCreate}, UINT{CFile::modeCreate | CFile::modeWrite}}) {
            CFileException error;
            CFile file;
            EXPECT_FALSE(file.Open(path.c_str(), mode, &error)) << path << " " << mode;
            EXPECT_FALSE(file.IsOpen());
            EXPECT_EQ(error.m_cause, CFileException::accessDenied) << path << " " << mode;
            EXPECT_EQ(error.GetErrorMessage().str(),
                      "Access to the file \"" + path.string() + "\" was denied.");
        }
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(EntryCount(folder.Path()), 1);
    // A regular file still opens for reading, and one made new for reading and writing.
    WriteFile(folder / "plain.cvn", "layout");
    CFile plain;
    EXPECT_TRUE(plain.Open((folder / "plain.cvn").c_str(), CFile::modeRead));
    char byte = 0;
    EXPECT_EQ(plain.Read(&byte, 1), 1u);
    EXPECT_EQ(byte, 'l');
    CFile made;
    ASSERT_TRUE(made.Open((folder / "made.cvn").c_str(), CFile::modeReadWrite | CFile::modeCreate));
    WriteText(made, "new");
    made.Close();
    EXPECT_EQ(Contents(folder / "made.cvn"), "new");
}

TEST(CFile, SavingReplacesTheOldFileOnlyOnClose) {
    TestFolder folder;
    fs::path path = folder / "Layout.cvn";
    WriteFile(path, "old layout");
    chmod(path.c_str(), 0640);

    {
        CFile aborted(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        WriteText(aborted, "half a new layout");
        EXPECT_EQ(Contents(path), "old layout");
        EXPECT_EQ(EntryCount(folder.Path()), 2);  // the temporary neighbour
        aborted.Abort();
    }
    EXPECT_EQ(Contents(path), "old layout");
    EXPECT_EQ(EntryCount(folder.Path()), 1);

    {
        CFile dropped(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        WriteText(dropped, "never closed");
    }
    EXPECT_EQ(Contents(path), "old layout");
    EXPECT_EQ(EntryCount(folder.Path()), 1);

    CFile saved(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    WriteText(saved, "new layout");
    EXPECT_EQ(saved.GetLength(), 10u);
    saved.Close();
    EXPECT_EQ(Contents(path), "new layout");
    EXPECT_EQ(EntryCount(folder.Path()), 1);
    struct stat status {};
    stat(path.c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0640u);

    // Saving through a link replaces the linked file and keeps the link.
    fs::create_symlink(path, folder / "Link.cvn");
    CFile linked((folder / "Link.cvn").c_str(), CFile::modeCreate | CFile::modeWrite);
    WriteText(linked, "through the link");
    linked.Close();
    EXPECT_TRUE(fs::is_symlink(folder / "Link.cvn"));
    EXPECT_EQ(Contents(path), "through the link");
}

TEST(CFile, FailedWritesReportFailureAndKeepTheOldFile) {
    TestFolder folder;
    fs::path path = folder / "Layout.cvn";
    WriteFile(path, "old layout");
    {
        FileSizeLimit limit(4096);
        // A write larger than the room left fails at once...
        CFile big(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(FileFailure([&] { WriteText(big, std::string(20000, 'x')); }), CFileException::diskFull);
        big.Abort();
        // ...a small one when Close pushes it out.
        CFile small(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        WriteText(small, std::string(3000, 'x'));
        WriteText(small, std::string(3000, 'y'));
        EXPECT_EQ(FileFailure([&] { small.Close(); }), CFileException::diskFull);
    }
    EXPECT_EQ(Contents(path), "old layout");
    EXPECT_EQ(EntryCount(folder.Path()), 1);

    // A file written in place reports the full disk when its buffer is flushed.
    FileSizeLimit limit(4096);
    CFile full(path.c_str(), CFile::modeWrite);
    WriteText(full, std::string(3000, 'x'));
    WriteText(full, std::string(3000, 'y'));
    EXPECT_EQ(FileFailure([&] { full.Flush(); }), CFileException::diskFull);
}

TEST(CFile, WritingIntoReadOnlyFolderFails) {
    TestFolder folder;
    fs::path path = folder / "Layout.cvn";
    WriteFile(path, "old layout");
    chmod(folder.Path().c_str(), 0555);
    {
        WithoutPermissionOverride ordinaryUser;
        fs::path probe = folder / "probe";
        int descriptor = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (descriptor >= 0) {
            close(descriptor);
            unlink(probe.c_str());
            chmod(folder.Path().c_str(), 0755);
            GTEST_SKIP() << "this process may write into read-only folders";
        }
        CFileException error;
        CFile file;
        BOOL opened = file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite, &error);
        EXPECT_FALSE(opened);
        EXPECT_EQ(error.m_cause, CFileException::accessDenied);
        EXPECT_EQ(error.GetErrorMessage().str(), "Access to the file \"" + path.string() + "\" was denied.");
    }
    chmod(folder.Path().c_str(), 0755);
    EXPECT_EQ(Contents(path), "old layout");
    EXPECT_EQ(EntryCount(folder.Path()), 1);
}

TEST(CStdioFile, LinesWithEitherEnding) {
    TestFolder folder;
    fs::path path = folder / "list.txt";
    {
        CStdioFile out(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        out.WriteString("first\nsecond\r\n\nlast");
        out.Close();
    }
    CStdioFile in(path.c_str(), CFile::modeRead | CFile::typeText);
    CString line;
    const char* expected[] = {"first", "second", "", "last"};
    for (const char* text : expected) {
        ASSERT_TRUE(in.ReadString(line));
        EXPECT_EQ(line, text);
    }
    EXPECT_FALSE(in.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());
}

TEST(CFile, AReadOnlyFileIsNeitherReplacedNorWrittenEvenByTheSuperuser) {
    TestFolder folder;
    fs::path path = folder / "Layout.cvn";
    WriteFile(path, "old layout");
    EXPECT_FALSE(CFile::IsReadOnly(path.c_str()));
    chmod(path.c_str(), 0444);
    EXPECT_TRUE(CFile::IsReadOnly(path.c_str()));
    EXPECT_FALSE(CFile::IsReadOnly((folder / "Missing.cvn").c_str()));
    EXPECT_FALSE(CFile::IsReadOnly(folder.Path().c_str()));

    CFileException error;
    CFile file;
    for (const UINT mode : {CFile::modeCreate | CFile::modeWrite, UINT{CFile::modeReadWrite}}) {
        EXPECT_FALSE(file.Open(path.c_str(), mode, &error));
        EXPECT_EQ(error.m_cause, CFileException::readOnlyFile);
        EXPECT_EQ(error.GetErrorMessage().str(), "The file \"" + path.string() + "\" is read-only.");
    }
    EXPECT_TRUE(file.Open(path.c_str(), CFile::modeRead, &error));
    file.Close();
    EXPECT_EQ(Contents(path), "old layout");
    EXPECT_EQ(EntryCount(folder.Path()), 1);

    // Writable by its permissions, but not by this user: read-only to this user too.
    chmod(path.c_str(), 0644);
    if (chown(path.c_str(), 65534, 65534) != 0)
        GTEST_SKIP() << "files cannot be given away here";
    EXPECT_FALSE(CFile::IsReadOnly(path.c_str()));
    WithoutPermissionOverride ordinaryUser;
    if (faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0)
        GTEST_SKIP() << "this process may write others' files";
    EXPECT_TRUE(CFile::IsReadOnly(path.c_str()));
}

// A read-only disk refuses a new file and an existing one in the same words; a file that only
// its permissions make read-only keeps its own.
TEST(CFileException, AReadOnlyDiskIsToldAlikeForNewAndExistingFiles) {
    const CString name = "/media/stick/Layout.cvn";
    const CFileException refusedNew(CFileException::ErrnoToCause(EROFS), EROFS, name);
    EXPECT_EQ(refusedNew.GetErrorMessage().str(),
              "The file \"" + name.str() + "\" cannot be written: its disk is read-only.");
    EXPECT_EQ(refusedNew.m_cause, CFileException::readOnlyDisk);

    TestFolder folder;
    const fs::path path = folder / "Layout.cvn";
    WriteFile(path, "old layout");
    chmod(path.c_str(), 0444);
    EXPECT_EQ(CFile::ReadOnlyCause(path), CFileException::readOnlyFile);
}
