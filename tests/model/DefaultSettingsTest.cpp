#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <vector>

#include "model/CCVNDoc.h"
#include "model/CDataFolders.h"
#include "model/DefaultTrackKind.h"
#include "model/Units.h"
#include "platform/base/CArchiveException.h"
#include "platform/base/CWinPath.h"
#include "platform/host/HeadlessHost.h"
#include "tests/model/LayoutBytes.h"
#include "tests/support/DamagedFiles.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TestFolder.h"
#include "track/CParTrack.h"
#include "track/TrackPieces.h"

namespace {

using Bytes = std::vector<char>;

// A document whose error boxes are kept instead of shown, with whether its plan could have
// been painted while each was up.
class SettingsDoc : public CCVNDoc {
  public:
    void ReportError(const CString& text) override {
        m_errors.push_back(text);
        m_paintableAtError.push_back(IsPaintable());
    }
    std::vector<CString> m_errors;
    std::vector<BOOL> m_paintableAtError;
};

Bytes ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

CPaint* DefaultTrackOf(CCVNDoc& doc) {
    return DefaultTrackAsPaint(doc.m_tool.m_pDefaultTrack);
}

// The program folder is a fresh folder for each test.
class DefaultSettings : public testing::Test {
  protected:
    void SetUp() override {
        RegisterTrackPieces();
        m_previousBase = CDataFolders::GetBaseFolder();
        CDataFolders::SetBaseFolder(CWinPath::FromReal(m_folder.Path()) + "\\");
    }
    void TearDown() override { CDataFolders::SetBaseFolder(m_previousBase); }

    std::filesystem::path Preferences() const { return m_folder / "DefPref.Dat"; }
    std::filesystem::path Track() const { return m_folder / "DefTrack.Dat"; }

    // Good files written, so that a later damage is reported afresh.
    void WriteGoodFiles() {
        SettingsDoc doc;
        ASSERT_TRUE(doc.WritePreferences());
        ASSERT_TRUE(doc.WriteDefaultTrack(DefaultTrackOf(doc)));
    }

    TestFolder m_folder;
    CString m_previousBase;
};

}  // namespace

TEST_F(DefaultSettings, AFreshProgramFolderGetsAnEmptyFileAndTheBuiltInDefaults) {
    SettingsDoc doc;
    ASSERT_TRUE(std::filesystem::exists(Preferences()));
    EXPECT_EQ(std::filesystem::file_size(Preferences()), 0u);
    EXPECT_FALSE(std::filesystem::exists(Track()));
    EXPECT_EQ(doc.m_fPageWidth, 21590.0);
    EXPECT_EQ(doc.m_fPageHeight, 27940.0);
    EXPECT_EQ(doc.m_nUnitIndex, 4);
    EXPECT_EQ(doc.m_nDefaultScaleIndex, 12);
    EXPECT_EQ(doc.m_bGridShown, 0);
    EXPECT_EQ(doc.m_nGridWidth, 1270);
    EXPECT_EQ(doc.m_strLibraryFileName, "New.cvl");
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.m_errors.empty());
}

TEST_F(DefaultSettings, SavedSettingsAreThoseOfEveryNewDocument) {
    SettingsDoc doc;
    doc.m_fPageWidth = 30000.0;
    doc.m_fViewScale = 25.0;
    doc.m_nUnitIndex = 2;
    doc.m_nDefaultScaleIndex = 5;
    doc.m_bGridShown = 1;
    doc.m_nGridWidth = 500;
    doc.m_crGrid = RGB(1, 2, 3);
    doc.m_strBenchworkTexture = "oak.bmp";
    doc.m_strLibraryFileName = "Mine.cvl";
    doc.m_limits.maxGrade = 4.5;
    doc.m_bShowPageNumbers = 0;
    doc.m_tool.m_fHandleSize = 12.5;
    doc.m_tool.m_fSnapDistance = 300.0;
    ASSERT_TRUE(doc.WritePreferences());
    const Bytes first = ReadWholeFile(Preferences());
    // 31 fields of four or eight bytes and four strings of 1 + 7 bytes among them.
    EXPECT_GT(first.size(), 100u);

    SettingsDoc next;
    EXPECT_EQ(next.m_fPageWidth, 30000.0);
    EXPECT_EQ(next.m_fViewScale, 25.0);
    EXPECT_EQ(next.m_nUnitIndex, 2);
    EXPECT_EQ(next.m_nDefaultScaleIndex, 5);
    EXPECT_EQ(next.m_bGridShown, 1);
    EXPECT_EQ(next.m_nGridWidth, 500);
    EXPECT_EQ(next.m_crGrid, RGB(1, 2, 3));
    EXPECT_EQ(next.m_strBenchworkTexture, "oak.bmp");
    EXPECT_EQ(next.m_strLibraryFileName, "Mine.cvl");
    EXPECT_EQ(next.m_limits.maxGrade, 4.5);
    EXPECT_EQ(next.m_bShowPageNumbers, 0);
    EXPECT_EQ(next.m_tool.m_fHandleSize, 12.5);
    EXPECT_EQ(next.m_tool.m_fSnapDistance, 300.0);
    ASSERT_TRUE(next.WritePreferences());
    EXPECT_EQ(ReadWholeFile(Preferences()), first);
}

TEST_F(DefaultSettings, TheDocumentsOwnDefaultTrackIsSavedAsDefault) {
    SettingsDoc doc;
    CPaint* own = DefaultTrackOf(doc);
    ASSERT_NE(own, nullptr);
    own->m_strName = "Flex 914";
    own->m_strPartNo = "P-42";
    ASSERT_TRUE(doc.WriteDefaultTrack(own));
    CPaint* replaced = DefaultTrackOf(doc);
    ASSERT_NE(replaced, nullptr);
    EXPECT_EQ(replaced->m_strName, "Flex 914");
    const Bytes first = ReadWholeFile(Track());
    ASSERT_GE(first.size(), 4u);
    EXPECT_EQ(first[0], 17);

    SettingsDoc next;
    ASSERT_NE(DefaultTrackOf(next), nullptr);
    EXPECT_EQ(DefaultTrackOf(next)->m_strName, "Flex 914");
    EXPECT_EQ(DefaultTrackOf(next)->m_strPartNo, "P-42");
    ASSERT_TRUE(next.WriteDefaultTrack(DefaultTrackOf(next)));
    EXPECT_EQ(ReadWholeFile(Track()), first);
    ASSERT_TRUE(next.OnNewDocument());
    EXPECT_TRUE(next.m_errors.empty());
}

TEST_F(DefaultSettings, DamagedFilesGiveTheBuiltInDefaultsAndAreReportedOnce) {
    {
        SettingsDoc doc;
        doc.m_fPageWidth = 30000.0;
        DefaultTrackOf(doc)->m_strName = "Stored";
        ASSERT_TRUE(doc.WritePreferences());
        ASSERT_TRUE(doc.WriteDefaultTrack(DefaultTrackOf(doc)));
    }
    const Bytes preferences = ReadWholeFile(Preferences());
    const Bytes track = ReadWholeFile(Track());
    WriteWholeFile(Preferences(), Bytes(preferences.begin(), preferences.begin() + 40));
    WriteWholeFile(Track(), Bytes(track.begin(), track.begin() + track.size() / 2));

    SettingsDoc first;
    EXPECT_EQ(first.m_fPageWidth, 21590.0);
    ASSERT_NE(DefaultTrackOf(first), nullptr);
    EXPECT_NE(DefaultTrackOf(first)->m_strName, "Stored");
    EXPECT_EQ(first.m_nFileVersion, 17);
    ASSERT_TRUE(first.OnNewDocument());
    ASSERT_EQ(first.m_errors.size(), 1u);
    EXPECT_NE(first.m_errors[0].Find("DefPref.Dat"), -1);
    EXPECT_NE(first.m_errors[0].Find("DefTrack.Dat"), -1);

    SettingsDoc second;
    EXPECT_EQ(second.m_fPageWidth, 21590.0);
    ASSERT_TRUE(second.OnNewDocument());
    EXPECT_TRUE(second.m_errors.empty());

    // Garbage that reads as impossible values: the values take their defaults.
    WriteGoodFiles();
    Bytes corrupt(preferences.size(), '\xFF');
    WriteWholeFile(Preferences(), corrupt);
    SettingsDoc third;
    EXPECT_EQ(third.m_fPageWidth, 21590.0);
    EXPECT_EQ(third.m_nUnitIndex, 4);
    EXPECT_EQ(third.m_nGridWidth, 1270);
    EXPECT_EQ(third.m_nGridHeight, 1270);
    ASSERT_TRUE(third.OnNewDocument());
}

TEST_F(DefaultSettings, AMendedDefaultTrackIsReportedOnceWithTheFirstDocumentStarted) {
    HeadlessHost host;
    {
        SettingsDoc doc;
        doc.m_tool.m_pDefaultTrack->m_fLength = std::numeric_limits<double>::quiet_NaN();
        ASSERT_TRUE(doc.WriteDefaultTrack(DefaultTrackOf(doc)));
    }
    SettingsDoc first;
    EXPECT_EQ(first.m_tool.m_pDefaultTrack->m_fLength, 0.0);
    EXPECT_TRUE(host.MessageBoxes().empty());
    ASSERT_TRUE(first.OnNewDocument());
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text,
              "Values that could not be used as stored were mended:\n"
              "Default track: a length no track can have was cleared");
    SettingsDoc second;
    ASSERT_TRUE(second.OnNewDocument());
    EXPECT_EQ(host.MessageBoxes().size(), 1u);
}

TEST_F(DefaultSettings, AFailedWriteIsReportedAndKeepsTheOldFile) {
    SettingsDoc doc;
    doc.m_fPageWidth = 30000.0;
    ASSERT_TRUE(doc.WritePreferences());
    const Bytes before = ReadWholeFile(Preferences());
    doc.m_fPageWidth = 40000.0;
    {
        FileSizeLimit limit(16);
        EXPECT_FALSE(doc.WritePreferences());
        EXPECT_FALSE(doc.WriteDefaultTrack(DefaultTrackOf(doc)));
    }
    ASSERT_EQ(doc.m_errors.size(), 2u);
    EXPECT_EQ(doc.m_errors[0], "Could not create file DefPref.Dat");
    EXPECT_EQ(doc.m_errors[1], "Could not create file DefTrack.Dat");
    EXPECT_EQ(ReadWholeFile(Preferences()), before);
    EXPECT_NE(DefaultTrackOf(doc), nullptr);
}

TEST_F(DefaultSettings, TheBackupIsSharedAndKeepsTheHandleSizeWhole) {
    SettingsDoc doc;
    doc.m_fPageWidth = 30000.0;
    doc.m_strLibraryFileName = "Mine.cvl";
    doc.m_nDefaultScaleIndex = 5;
    doc.m_tool.m_fHandleSize = 12.5;
    doc.m_tool.m_fSnapDistance = 300.0;
    doc.SaveSettingsBackup(1);

    doc.m_fPageWidth = 1000.0;
    doc.m_strLibraryFileName = "Other.cvl";
    doc.m_nDefaultScaleIndex = 7;
    doc.m_tool.m_fHandleSize = 3.0;
    doc.m_tool.m_fSnapDistance = 10.0;
    doc.SaveSettingsBackup(0);
    EXPECT_EQ(doc.m_fPageWidth, 30000.0);
    EXPECT_EQ(doc.m_strLibraryFileName, "Mine.cvl");
    EXPECT_EQ(doc.m_nDefaultScaleIndex, 5);
    EXPECT_EQ(doc.m_tool.m_fHandleSize, 12.0);
    EXPECT_EQ(doc.m_tool.m_fSnapDistance, 300.0);

    // Another document gets the same copy.
    SettingsDoc other;
    EXPECT_EQ(other.m_fPageWidth, 21590.0);
    other.SaveSettingsBackup(0);
    EXPECT_EQ(other.m_fPageWidth, 30000.0);
    EXPECT_EQ(other.m_tool.m_fHandleSize, 12.0);
}

TEST_F(DefaultSettings, MakingATrackTheDefaultRewritesTheFilesAndKeepsTheDocumentsSettings) {
    {
        SettingsDoc stored;
        stored.m_fPageWidth = 30000.0;
        stored.m_nUnitIndex = 2;
        stored.m_nDefaultScaleIndex = 5;
        stored.m_strLibraryFileName = "Stored.cvl";
        stored.m_tool.m_fHandleSize = 12.5;
        ASSERT_TRUE(stored.WritePreferences());
    }
    const Bytes preferences = ReadWholeFile(Preferences());

    SettingsDoc doc;
    doc.m_fPageWidth = 40000.0;
    doc.m_nUnitIndex = 3;
    doc.m_strLibraryFileName = "Own.cvl";
    doc.m_tool.m_fHandleSize = 8.0;
    std::unique_ptr<CPaint> track(DefaultTrackAsPaint(GetDefaultTrackKind().make(&doc.m_tool)));
    track->m_strName = "Flex 914";
    track->m_strScale = "N";
    ASSERT_TRUE(doc.MakeDefaultTrack(track.get()));
    const int scaleN = FindScale("N");
    EXPECT_EQ(doc.m_fPageWidth, 40000.0);
    EXPECT_EQ(doc.m_nUnitIndex, 3);
    EXPECT_EQ(doc.m_strLibraryFileName, "Own.cvl");
    EXPECT_EQ(doc.m_tool.m_fHandleSize, 8.0);
    EXPECT_EQ(doc.m_nDefaultScaleIndex, scaleN);
    EXPECT_EQ(DefaultTrackOf(doc)->m_strName, "Flex 914");
    EXPECT_TRUE(doc.m_errors.empty());

    // The stored fields stay, the train scale excepted; the track is the new default.
    SettingsDoc next;
    EXPECT_EQ(next.m_nDefaultScaleIndex, scaleN);
    EXPECT_EQ(next.m_fPageWidth, 30000.0);
    EXPECT_EQ(next.m_tool.m_fHandleSize, 12.5);
    EXPECT_EQ(DefaultTrackOf(next)->m_strName, "Flex 914");
    EXPECT_EQ(DefaultTrackOf(next)->m_strScale, "N");
    next.m_nDefaultScaleIndex = 5;
    ASSERT_TRUE(next.WritePreferences());
    EXPECT_EQ(ReadWholeFile(Preferences()), preferences);

    // A scale the table does not know keeps the train scales as they are.
    track->m_strScale = "Gn15";
    doc.m_nDefaultScaleIndex = 7;
    ASSERT_TRUE(doc.MakeDefaultTrack(track.get()));
    EXPECT_EQ(doc.m_nDefaultScaleIndex, 7);
    EXPECT_EQ(SettingsDoc().m_nDefaultScaleIndex, 5);

    // Files that cannot be written are reported; the document's settings still come back.
    {
        FileSizeLimit limit(16);
        EXPECT_FALSE(doc.MakeDefaultTrack(track.get()));
    }
    EXPECT_EQ(doc.m_errors.size(), 2u);
    EXPECT_EQ(doc.m_fPageWidth, 40000.0);
    EXPECT_EQ(doc.m_strLibraryFileName, "Own.cvl");
}

// Text and random bytes under either name: a new layout starts from the built-in settings or
// the constructed default track and hears of the file once; the layout already open keeps
// its own settings, also when it makes a track the default over a damaged settings file, and
// its plan is not painted from the file's settings while an error is shown.
TEST_F(DefaultSettings, TextAndRandomBytesAreReportedAndTheOpenLayoutKeepsItsSettings) {
    SettingsDoc constructed;
    const CString constructedTrack = DefaultTrackOf(constructed)->m_strName;
    SettingsDoc open;
    open.m_fPageWidth = 30000.0;
    open.m_fViewScale = 25.0;
    open.m_bGridShown = 1;
    DefaultTrackOf(open)->m_strName = "Mine";
    const std::vector<BYTE> before = SaveLayoutBytes(open);
    for (const FileBytes& content : DamagedContents()) {
        WriteGoodFiles();
        WriteFileBytes(Preferences(), content);
        SettingsDoc fromText;
        EXPECT_EQ(fromText.m_fPageWidth, CCVNDoc::kDefaultPageWidth);
        EXPECT_EQ(fromText.m_fViewScale, 10.0);
        EXPECT_EQ(fromText.m_nGridWidth, CCVNDoc::kDefaultGridSize);
        ASSERT_TRUE(fromText.OnNewDocument());
        EXPECT_EQ(fromText.m_errors, std::vector<CString>{"Could not read file DefPref.Dat"});

        WriteGoodFiles();
        WriteFileBytes(Track(), content);
        SettingsDoc withTrack;
        EXPECT_EQ(DefaultTrackOf(withTrack)->m_strName, constructedTrack);
        ASSERT_TRUE(withTrack.OnNewDocument());
        EXPECT_EQ(withTrack.m_errors, std::vector<CString>{"Could not read file DefTrack.Dat"});

        WriteFileBytes(Preferences(), content);
        {
            // The default track cannot be written: its error comes while the open layout holds
            // the stored settings.
            FileSizeLimit limit(16);
            EXPECT_FALSE(open.MakeDefaultTrack(DefaultTrackOf(open)));
        }
        ASSERT_FALSE(open.m_errors.empty());
        EXPECT_EQ(open.m_errors.front(), "Could not create file DefTrack.Dat");
        EXPECT_EQ(open.m_paintableAtError, std::vector<BOOL>(open.m_errors.size(), FALSE));
        EXPECT_TRUE(open.IsPaintable());
        EXPECT_EQ(SaveLayoutBytes(open), before);
        open.m_errors.clear();
        open.m_paintableAtError.clear();
    }
}
