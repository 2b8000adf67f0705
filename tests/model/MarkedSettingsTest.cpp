#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <tuple>
#include <vector>

#include "model/CCVNDoc.h"
#include "platform/base/FileSystemText.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "tests/cdlg/CommonDialogFixture.h"
#include "tests/model/LayoutBytes.h"
#include "tests/model/TestLayout.h"
#include "tests/support/TestFolder.h"
#include "track/TrackPieces.h"

// Every command of the layout's own command table, answered as a person would and cancelled:
// what a save writes marks the layout when it changes, and only then. The state of the work
// (the rulers, tool, snapping, zoom, active layer and conformed flag) marks nothing.

namespace {

class WalkedDoc : public CCVNDoc {
  public:
    std::vector<UINT> Commands() const {
        std::vector<UINT> ids;
        for (const CommandEntry* entry = GetCommandMap()->entries; entry->kind != CommandEntry::End; ++entry)
            if (entry->kind == CommandEntry::Command)
                for (UINT id = entry->firstId; id <= entry->lastId; ++id) ids.push_back(id);
        return ids;
    }
    BOOL Send(UINT id) { return OnCmdMsg(id, CN_COMMAND, nullptr, nullptr); }
    void ReportError(const CString&) override {}
};

// What a save writes, the state of the work held fixed.
std::vector<BYTE> LayoutBytesBeyondTheWork(CCVNDoc& doc) {
    CTool& tool = doc.m_tool;
    auto work = std::tie(doc.m_fViewScaleCopy, doc.m_nUnitIndexCopy, tool.m_toolMode.m_nMode,
                         tool.m_nSnapMode, tool.m_fZoomNumerator, tool.m_fZoomDenominator, tool.m_fZoomRatio,
                         tool.m_nActiveLayer, tool.m_bTerrainConformed);
    const std::tuple<double, int, int, int, double, double, double, int, int> kept = work;
    work = decltype(kept){};
    std::vector<BYTE> bytes = SaveLayoutBytes(doc);
    work = kept;
    return bytes;
}

// The dialogs the commands run. Answered, the setup, the preferences and the parts list change a
// setting the file keeps and the others are confirmed; cancelled, none changes anything.
CCVNDoc::DocumentDialogs Answering(bool change, const std::filesystem::path& partsFile) {
    const auto answer = [change](auto set) {
        return [change, set](CCVNDoc& doc) {
            if (change)
                set(doc);
            return change ? TRUE : FALSE;
        };
    };
    CCVNDoc::DocumentDialogs dialogs;
    dialogs.documentSetup = answer([](CCVNDoc& doc) { doc.m_fPageWidth += 100.0; });
    dialogs.preferences = answer([](CCVNDoc& doc) { doc.m_bGridShown = !doc.m_bGridShown; });
    dialogs.library = dialogs.libraryNotice = dialogs.materialsReport = answer([](CCVNDoc&) {});
    dialogs.partsList = answer([partsFile](CCVNDoc& doc) {
        doc.m_strPartsPath = PathText(partsFile);
        doc.m_strPartsFileName = PathText(partsFile.filename());
    });
    return dialogs;
}

class MarkedSettings : public CommonDialogTest {
  protected:
    void SetUp() override {
        CommonDialogTest::SetUp();
        RegisterTrackPieces();
    }
    void TearDown() override {
        CCVNDoc::InstallDialogs({});
        CommonDialogTest::TearDown();
    }
    TestFolder m_folder;
};

}  // namespace

TEST_F(MarkedSettings, EveryLayoutCommandMarksTheLayoutExactlyWhenWhatASaveWritesChanges) {
    const std::filesystem::path library = m_folder / "Rails.cvl";
    const std::filesystem::path parts = m_folder / "Rails.cvp";
    std::ofstream(library).close();
    // Conforming and restoring the terrain mark the layout whatever they changed.
    const std::set<UINT> alwaysMarking = {ID_CONFORM_TERRAIN, ID_RESTORE_TERRAIN};
    std::set<UINT> marked;
    for (const bool change : {false, true}) {
        CCVNDoc::InstallDialogs(Answering(change, parts));
        for (const UINT command : WalkedDoc().Commands()) {
            SCOPED_TRACE(testing::Message()
                         << "command " << command << (change ? " answered" : " cancelled"));
            WalkedDoc doc;
            AddToGroup(&doc.m_rootGroup, new CTestShape(&doc.m_tool))->Select();
            doc.SetModifiedFlag(FALSE);
            const std::vector<BYTE> before = LayoutBytesBeyondTheWork(doc);
            const int steps = doc.m_tool.GetUndoCount();
            if (change)
                host.WhenModal("Open", [&](CWnd& prompt) {
                    Retype(prompt, edt1, PathText(library));
                    host.PressKey(VK_RETURN);
                });
            doc.Send(command);
            // What the program does when it idles after a command.
            doc.TakeSettingsChanges();
            if (LayoutBytesBeyondTheWork(doc) != before) {
                EXPECT_TRUE(doc.IsModified());
                marked.insert(command);
            } else if (doc.m_tool.GetUndoCount() == steps && alwaysMarking.count(command) == 0) {
                EXPECT_FALSE(doc.IsModified());
            }
        }
    }
    // The walk reached the choices of a library and of a parts list among the settings.
    const std::set<UINT> settings = {ID_LIBRARY_GET_OBJECT, ID_LIBRARY_PUT_SELECTION,
                                     ID_PARTS_LIST,         ID_DOCUMENT_SETUP,
                                     ID_PREFERENCES,        ID_LAYER_SHOW_HIDE_0 + 2};
    EXPECT_TRUE(std::includes(marked.begin(), marked.end(), settings.begin(), settings.end()));
}
