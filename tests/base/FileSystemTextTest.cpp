#include "platform/base/FileSystemText.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/base/CFile.h"
#include "platform/base/CFileException.h"
#include "platform/base/CStdioFile.h"
#include "platform/base/CWinPath.h"
#include "tests/support/TestFolder.h"

namespace fs = std::filesystem;

namespace {

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace

TEST(FileSystemText, ConvertsBetweenTheProgramsTextAndTheDisksNames) {
    EXPECT_EQ(DiskPath("layouts/Bahnhof-S\xFC"
                       "d.cvn"),
              fs::path(u8"layouts/Bahnhof-S\u00FCd.cvn"));
    EXPECT_EQ(PathText(fs::path(u8"layouts/Stra\u00DFe-\u00E9t\u00E9\u20AC.cvn")),
              "layouts/Stra\xDF"
              "e-\xE9t\xE9\x80.cvn");
    // A letter the code page lacks, and bytes that are no UTF-8, show as '?'; a '?' names nothing.
    EXPECT_EQ(PathText(fs::path(u8"Gleis-\u03A9.cvn")), "Gleis-?.cvn");
    EXPECT_EQ(PathText(fs::path("Gleis-\xFC.cvn")), "Gleis-?.cvn");
    EXPECT_TRUE(DiskPath("Gleis-?.cvn").empty());
    EXPECT_TRUE(DiskPath(nullptr).empty());
    EXPECT_TRUE(CWinPath::Resolve("C:\\tmp\\Gleis-?.cvn").empty());
    EXPECT_EQ(CWinPath::Native("C:\\tmp\\Gleis-?.cvn"), "C:\\tmp\\Gleis-?.cvn");
}

TEST(FileSystemText, FilesNamedInTheProgramsTextAreReadAndWrittenUnderTheirUtf8Names) {
    TestFolder folder;
    const fs::path south = folder / u8"Bahnhof-S\u00FCd.cvn";
    WriteFile(south, std::string("layout\0bytes\xFF", 13));
    const CString southText = PathText(south);

    CFile read;
    ASSERT_TRUE(read.Open(southText, CFile::modeRead));
    EXPECT_EQ(read.GetFilePath(), southText);
    EXPECT_EQ(read.GetFileName(),
              "Bahnhof-S\xFC"
              "d.cvn");
    std::string bytes(13, '\0');
    EXPECT_EQ(read.Read(bytes.data(), 20), 13u);
    read.Close();

    const CString streetText = PathText(folder.Path()) +
                               "/Stra\xDF"
                               "e-\xE9t\xE9.cvn";
    CStdioFile written(streetText, CFile::modeCreate | CFile::modeWrite);
    written.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    written.Close();
    EXPECT_EQ(Contents(folder / u8"Stra\u00DFe-\u00E9t\u00E9.cvn"), bytes);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 2);

    chmod(south.c_str(), 0444);
    EXPECT_TRUE(CFile::IsReadOnly(southText));

    // The '?' of a name the code page cannot spell never opens the file that has a real '?'.
    WriteFile(folder / "Gleis-?.cvn", "other");
    WriteFile(folder / u8"Gleis-\u03A9.cvn", "meant");
    CFileException error;
    CFile refused;
    EXPECT_FALSE(refused.Open(PathText(folder / u8"Gleis-\u03A9.cvn"), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);
    EXPECT_EQ(error.m_strFileName, PathText(folder.Path()) + "/Gleis-?.cvn");
    EXPECT_FALSE(
        refused.Open(PathText(folder.Path()) + "/Gleis-?.cvn", CFile::modeCreate | CFile::modeWrite));
    EXPECT_EQ(Contents(folder / "Gleis-?.cvn"), "other");
}
