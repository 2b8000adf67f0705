#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "model/CCVNDoc.h"
#include "model/CDataFolders.h"
#include "platform/base/CProfile.h"
#include "platform/base/CWinPath.h"
#include "platform/cdlg/CFileDialog.h"
#include "platform/cdlg/FolderListing.h"
#include "platform/ctl/CComboBox.h"
#include "tests/cdlg/CommonDialogFixture.h"
#include "tests/model/TestLayout.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ReadOnlyMedium.h"
#include "tests/support/TestFolder.h"
#include "tests/support/WithoutPermissionOverride.h"
#include "tools/datagen/DefaultLibrary.h"
#include "track/TrackPieces.h"

namespace fs = std::filesystem;

namespace {

// A document whose error boxes are kept, and whose library dialog only counts.
class BrowsingDoc : public CCVNDoc {
  public:
    void ReportError(const CString& text) override { m_errors.push_back(text); }
    BOOL RunLibraryDialog() override {
        ++m_nLibraryDialogs;
        return TRUE;
    }
    BOOL Send(UINT id) { return OnCmdMsg(id, CN_COMMAND, nullptr, nullptr); }

    std::vector<CString> m_errors;
    int m_nLibraryDialogs = 0;
};

std::vector<CString> MemberNames(const CGroup& group) {
    std::vector<CString> names;
    for (const CPaint* member : group.m_members) names.push_back(member->m_strName);
    return names;
}

// The program folder, and the profile, are fresh for each test.
class LibraryBrowse : public CommonDialogTest {
  protected:
    void SetUp() override {
        CommonDialogTest::SetUp();
        RegisterTrackPieces();
        m_previousBase = CDataFolders::GetBaseFolder();
        m_previousProfile = CProfile::Program().GetPath();
        CDataFolders::SetBaseFolder(CWinPath::FromReal(m_folder.Path()) + "\\");
        CProfile::Program().SetPath(m_folder / "corvane.ini");
        fs::create_directory(m_folder / "LIBRARIES");
    }
    void TearDown() override {
        CProfile::Program().SetPath(m_previousProfile);
        CDataFolders::SetBaseFolder(m_previousBase);
        CommonDialogTest::TearDown();
    }

    // A library file holding one shape of the given name.
    static void WriteLibraryFile(const fs::path& path, const CString& name) {
        BrowsingDoc writer;
        writer.m_strLibraryPath = CWinPath::FromReal(path);
        AddToGroup(&writer.m_libraryGroup, new CTestShape(&writer.m_tool))->m_strName = name;
        ASSERT_TRUE(writer.WriteLibrary());
    }
    static void SetProfileFolder(const fs::path& folder) {
        CProfile::Program().WriteProfileString("Paths", "Libraries", CWinPath::FromReal(folder) + "\\");
    }
    // The next file prompt chooses the typed name; the folder it opened in is noted.
    void ChooseWhenAsked(const CString& typed) {
        host.WhenModal("Open", [this, typed](CWnd& modal) {
            m_shownFolder = dynamic_cast<CFileDialog&>(modal).GetFolderPath();
            Retype(modal, edt1, typed);
            host.PressKey(VK_RETURN);
        });
    }
    void CancelWhenAsked() {
        host.WhenModal("Open", [this](CWnd& modal) {
            m_shownFolder = dynamic_cast<CFileDialog&>(modal).GetFolderPath();
            Click(modal, IDCANCEL);
        });
    }
    CString Shown(const fs::path& folder) const { return PathText(folder); }
    // A changed library open from a file of the folder "Medium" that holds the shape "old".
    void OpenChangedLibrary(BrowsingDoc& doc) {
        fs::create_directory(m_folder / "Medium");
        WriteLibraryFile(m_folder / "Medium" / "Rails.cvl", "old");
        WriteLibraryFile(m_folder / "LIBRARIES" / "Next.cvl", "signal");
        doc.m_strLibraryPath = CWinPath::FromReal(m_folder / "Medium" / "Rails.cvl");
        AddToGroup(&doc.m_libraryGroup, new CTestShape(&doc.m_tool))->m_strName = "unsaved";
        doc.m_bLibraryModified = 1;
    }
    // Choosing another library fails while the open one cannot be written: it stays open with
    // its changes and its modified mark, its file as it was, and the user is told.
    void ExpectTheLibraryKept(BrowsingDoc& doc) {
        ChooseWhenAsked(PathText(m_folder / "LIBRARIES" / "Next.cvl"));
        EXPECT_FALSE(doc.BrowseLibrary());
        EXPECT_EQ(doc.m_strLibraryPath, CWinPath::FromReal(m_folder / "Medium" / "Rails.cvl"));
        EXPECT_EQ(MemberNames(doc.m_libraryGroup), std::vector<CString>{"unsaved"});
        EXPECT_EQ(doc.m_bLibraryModified, 1);
        // The message names the file as this system writes it.
        EXPECT_EQ(doc.m_errors, std::vector<CString>{"Can't write library. " +
                                                     PathText(m_folder / "Medium" / "Rails.cvl")});
        BrowsingDoc reader;
        reader.m_strLibraryPath = doc.m_strLibraryPath;
        ASSERT_TRUE(reader.ReadLibrary());
        EXPECT_EQ(MemberNames(reader.m_libraryGroup), std::vector<CString>{"old"});
    }

    TestFolder m_folder;
    CString m_previousBase;
    fs::path m_previousProfile;
    CString m_shownFolder;
};

}  // namespace

TEST_F(LibraryBrowse, ChoosingAFileReadsItFromTheProfilesLibraryFolder) {
    fs::create_directory(m_folder / "Mine");
    WriteLibraryFile(m_folder / "Mine" / "Rails.cvl", "signal");
    SetProfileFolder(m_folder / "Mine");
    const fs::path workingFolder = fs::current_path();

    BrowsingDoc doc;
    host.WhenModal("Open", [this](CWnd& modal) {
        EXPECT_EQ(dynamic_cast<CFileDialog&>(modal).GetFolderPath(), Shown(m_folder / "Mine"));
        EXPECT_EQ(TextOf(modal, edt1), "New.cvl");
        EXPECT_EQ(Item(modal, chx1), nullptr);
        auto* types = static_cast<CComboBox*>(Item(modal, cmb1));
        ASSERT_EQ(types->GetCount(), 1);
        CString type;
        types->GetLBText(0, type);
        EXPECT_EQ(type, "Library Files (*.cvl)");
        // The default extension completes the typed name.
        Retype(modal, edt1, "Rails");
        host.PressKey(VK_RETURN);
    });
    ASSERT_TRUE(doc.BrowseLibrary());
    EXPECT_EQ(doc.m_strLibraryPath, CWinPath::FromReal(m_folder / "Mine" / "Rails.CVL"));
    EXPECT_EQ(doc.m_strLibraryFileName, "Rails.CVL");
    EXPECT_EQ(MemberNames(doc.m_libraryGroup), std::vector<CString>{"signal"});
    EXPECT_EQ(doc.m_libraryGroup.m_members.front()->m_pTool, &doc.m_tool);
    EXPECT_EQ(doc.m_bLibraryModified, 0);
    EXPECT_TRUE(doc.m_errors.empty());
    EXPECT_EQ(fs::current_path(), workingFolder);
    EXPECT_TRUE(host.UnansweredModals().empty());
}

TEST_F(LibraryBrowse, ThePromptOpensInTheProgramsFolderOrTheOpenLibrarysAndCancelChangesNothing) {
    // The profile names a folder that is gone: the program's library folder is shown.
    SetProfileFolder(m_folder / "gone");
    BrowsingDoc doc;
    CancelWhenAsked();
    EXPECT_FALSE(doc.BrowseLibrary());
    EXPECT_EQ(m_shownFolder, Shown(m_folder / "LIBRARIES"));
    EXPECT_TRUE(doc.m_strLibraryPath.IsEmpty());
    EXPECT_EQ(doc.m_strLibraryFileName, "New.cvl");

    // Without a profile entry the program's library folder is the default.
    CProfile::Program().WriteProfileString("Paths", "Libraries", nullptr);
    CancelWhenAsked();
    EXPECT_FALSE(doc.BrowseLibrary());
    EXPECT_EQ(m_shownFolder, Shown(m_folder / "LIBRARIES"));

    // An open library: its own folder, and a cancel keeps it, modified and unwritten.
    fs::create_directory(m_folder / "Other");
    const fs::path open = m_folder / "Other" / "Open.cvl";
    doc.m_strLibraryPath = CWinPath::FromReal(open);
    doc.m_strLibraryFileName = "Open.cvl";
    AddToGroup(&doc.m_libraryGroup, new CTestShape(&doc.m_tool))->m_strName = "unsaved";
    doc.m_bLibraryModified = 1;
    CancelWhenAsked();
    EXPECT_FALSE(doc.BrowseLibrary());
    EXPECT_EQ(m_shownFolder, Shown(m_folder / "Other"));
    EXPECT_EQ(doc.m_strLibraryPath, CWinPath::FromReal(open));
    EXPECT_EQ(MemberNames(doc.m_libraryGroup), std::vector<CString>{"unsaved"});
    EXPECT_EQ(doc.m_bLibraryModified, 1);
    EXPECT_FALSE(fs::exists(open));
    EXPECT_TRUE(doc.m_errors.empty());
}

TEST_F(LibraryBrowse, SwitchingAwayFromAModifiedLibraryWritesItFirst) {
    WriteLibraryFile(m_folder / "LIBRARIES" / "Next.cvl", "signal");
    const fs::path current = m_folder / "Current.cvl";
    BrowsingDoc doc;
    doc.m_strLibraryPath = CWinPath::FromReal(current);
    AddToGroup(&doc.m_libraryGroup, new CTestShape(&doc.m_tool))->m_strName = "unsaved";
    doc.m_bLibraryModified = 1;

    // A library that cannot be written stays open: nothing of it is lost.
    ChooseWhenAsked("Next.cvl");
    {
        FileSizeLimit limit(8);
        EXPECT_FALSE(doc.BrowseLibrary());
    }
    EXPECT_EQ(doc.m_strLibraryPath, CWinPath::FromReal(current));
    EXPECT_EQ(MemberNames(doc.m_libraryGroup), std::vector<CString>{"unsaved"});
    EXPECT_EQ(doc.m_bLibraryModified, 1);
    EXPECT_EQ(doc.m_errors, std::vector<CString>{"Can't write library. " + PathText(current)});

    ChooseWhenAsked(PathText(m_folder / "LIBRARIES" / "Next.cvl"));
    ASSERT_TRUE(doc.BrowseLibrary());
    EXPECT_EQ(doc.m_strLibraryFileName, "Next.cvl");
    EXPECT_EQ(MemberNames(doc.m_libraryGroup), std::vector<CString>{"signal"});
    EXPECT_EQ(doc.m_bLibraryModified, 0);

    BrowsingDoc reader;
    reader.m_strLibraryPath = CWinPath::FromReal(current);
    ASSERT_TRUE(reader.ReadLibrary());
    EXPECT_EQ(MemberNames(reader.m_libraryGroup), std::vector<CString>{"unsaved"});
}

TEST_F(LibraryBrowse, ALibraryInAFolderTheUserCannotWriteStaysOpenWithItsChanges) {
    BrowsingDoc doc;
    OpenChangedLibrary(doc);
    const fs::path folder = m_folder / "Medium";
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    {
        WithoutPermissionOverride ordinaryUser;
        ExpectTheLibraryKept(doc);
    }
    fs::permissions(folder, fs::perms::owner_all);
}

TEST_F(LibraryBrowse, ALibraryOnAReadOnlyMediumStaysOpenWithItsChanges) {
    BrowsingDoc doc;
    OpenChangedLibrary(doc);
    ReadOnlyMedium medium(m_folder / "Medium");
    if (!medium.Mounted())
        GTEST_SKIP() << "no read-only medium can be mounted here";
    ExpectTheLibraryKept(doc);
    EXPECT_TRUE(host.UnansweredModals().empty());
}

TEST_F(LibraryBrowse, TheLibraryCommandAsksOnceThenRunsTheLibraryDialog) {
    WriteLibraryFile(m_folder / "LIBRARIES" / "Rails.cvl", "signal");
    BrowsingDoc doc;
    ChooseWhenAsked("Rails.cvl");
    doc.Send(ID_LIBRARY_GET_OBJECT);
    EXPECT_EQ(m_shownFolder, Shown(m_folder / "LIBRARIES"));
    EXPECT_EQ(doc.m_nLibraryDialogs, 1);
    EXPECT_EQ(MemberNames(doc.m_libraryGroup), std::vector<CString>{"signal"});

    // With a library open the command asks no more.
    doc.Send(ID_LIBRARY_GET_OBJECT);
    EXPECT_EQ(doc.m_nLibraryDialogs, 2);
    EXPECT_TRUE(host.UnansweredModals().empty());
}

TEST_F(LibraryBrowse, TheFirstGetObjectFromLibraryOpensTheDefaultLibraryTheProgramShips) {
    // The program folder as the build lays it out, with its empty default library.
    ASSERT_TRUE(DefaultLibrary::WriteIfMissing(m_folder.Path()));
    BrowsingDoc doc;
    CString offered;
    host.WhenModal("Open", [&](CWnd& modal) {
        m_shownFolder = dynamic_cast<CFileDialog&>(modal).GetFolderPath();
        offered = TextOf(modal, edt1);
        host.PressKey(VK_RETURN);
    });
    doc.Send(ID_LIBRARY_GET_OBJECT);
    EXPECT_EQ(m_shownFolder, Shown(m_folder / "LIBRARIES"));
    EXPECT_EQ(offered, "New.cvl");
    EXPECT_TRUE(doc.m_errors.empty());
    EXPECT_EQ(doc.m_strLibraryPath, CWinPath::FromReal(m_folder / "LIBRARIES" / "New.cvl"));
    EXPECT_TRUE(doc.m_libraryGroup.m_members.empty());
    EXPECT_EQ(doc.m_nLibraryDialogs, 1);

    // What is put into it is written there and found again by the next layout.
    AddToGroup(&doc.m_libraryGroup, new CTestShape(&doc.m_tool))->m_strName = "signal";
    ASSERT_TRUE(doc.WriteLibrary());
    BrowsingDoc next;
    host.WhenModal("Open", [&](CWnd&) { host.PressKey(VK_RETURN); });
    next.Send(ID_LIBRARY_GET_OBJECT);
    EXPECT_EQ(MemberNames(next.m_libraryGroup), std::vector<CString>{"signal"});
    EXPECT_TRUE(next.m_errors.empty());
    EXPECT_TRUE(host.UnansweredModals().empty());
}
