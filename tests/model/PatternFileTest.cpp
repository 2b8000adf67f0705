#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "model/CDataFolders.h"
#include "model/PatternFile.h"
#include "platform/base/CProfile.h"
#include "platform/base/CWinPath.h"
#include "platform/host/HeadlessHost.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TestFolder.h"

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

    // A file shorter than a pattern is no pattern: the bitmap becomes blank, the name stays.
    WriteFileBytes(m_folder / "PATTERNS" / "Short.pat", {0xAA, 0x00, 0xAA});
    CString shortName = "Short.pat";
    EXPECT_FALSE(LoadPatternFile(shortName, bitmap, 0));
    EXPECT_EQ(shortName, "Short.pat");
    ASSERT_NE(bitmap, nullptr);
    for (int row = 0; row < 8; ++row) EXPECT_EQ(BitmapBytes(*bitmap)[2 * row], 0xFF) << row;
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
    EXPECT_EQ(m_host.MessageBoxes()[0].text, "Could not create file " + unwritable);
}
