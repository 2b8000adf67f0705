#pragma once

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "model/CDataFolders.h"
#include "model/CPaint.h"
#include "platform/cdlg/CFileDialog.h"
#include "platform/ctl/CMessageBoxWnd.h"
#include "platform/ctl/CTabCtrl.h"
#include "tests/app/DialogsInProgram.h"
#include "tools/datagen/DataPictures.h"
#include "tools/datagen/TrainModels.h"

// Every dialog the menu bar opens, with nothing selected and, for Properties and the commands
// that are grey then, with an object of each stored class selected: found by walking the menus
// and the class records, no dialog named.
class MenuDialogsInProgram : public DialogsInProgram {
  public:
    // The selections a walk names beside the stored classes.
    inline static const std::string kEverything = "everything";
    inline static const std::string kGroupMembers = "the members inside Edit Group";
    // Before a class's name: every object of the class.
    inline static const std::string kEvery = "every ";

    // What a walk does with each dialog: the dialog, the command that opened it and the class of
    // the one object selected (empty for none). The walk cancels the dialog afterwards.
    using DialogAction = std::function<void(CWnd& dialog, UINT command, const std::string& selected)>;

    // The first row of tabs in the window, or null.
    static CTabCtrl* TabsOf(CWnd& window) {
        for (CWnd* child : window.Children()) {
            if (auto* tabs = dynamic_cast<CTabCtrl*>(child))
                return tabs;
            if (CTabCtrl* inner = TabsOf(*child))
                return inner;
        }
        return nullptr;
    }

  protected:
    // The program's data folders as installed, with their pictures and train models, and a
    // layout of every class.
    void SetUp() override {
        DialogsInProgram::SetUp();
        KeepDataFolders();
        const std::filesystem::path base = CWinPath::Resolve(CDataFolders::GetBaseFolder());
        ASSERT_TRUE(DataPictures::WriteAll(base));
        ASSERT_TRUE(TrainModels::WriteAll(base));
        BuildEveryClass();
        ShapeLayout();
        ASSERT_TRUE(Layout().OnSaveDocument(m_saved.c_str()));
        Layout().OnOpenDocument(m_saved.c_str());
        m_built = Stored(Layout());
    }
    // Sets what the walk's layout holds beyond the objects built, before it is saved.
    virtual void ShapeLayout() {}
    // The data folders the program is told of are the installed ones.
    void KeepDataFolders() {
        for (const CDataFolders::Entry& entry : CDataFolders::Table()) {
            const CString stored = CDataFolders::GetBaseFolder() + entry.subFolder;
            std::filesystem::create_directories(CWinPath::Resolve(stored));
            CProfile::Program().WriteProfileString("Paths", entry.key, stored);
        }
    }
    // The layout as it was built, unmodified, with no test train a tool placed, in its first plan
    // window, the selection the place's (a class, everything, or the members inside Edit Group);
    // the data folders as installed.
    void Restore(const std::string& selected) {
        KeepDataFolders();
        Main().MDIActivate(plan->GetParentFrame());
        while (Layout().m_tool.GetGroupEditDepth() > 1) Command(ID_EDIT_EXIT_GROUP);
        for (CPaint* train : Layout().GetTestTrains()) Layout().DeleteTestTrain(train);
        if (Layout().IsModified() || Layout().m_tool.GetUndoCount() != 0 || Stored(Layout()) != m_built)
            Layout().OnOpenDocument(m_saved.c_str());
        Layout().SetModifiedFlag(FALSE);
        Command(ID_TOOL_SELECTOR);
        if (selected == kGroupMembers) {
            SelectOnly("CGroup");
            Command(ID_EDIT_ENTER_GROUP);
        }
        if (selected == kEverything || selected == kGroupMembers) {
            Command(ID_EDIT_SELECT_ALL);
            // Selecting is an undo step and marks the layout; saved now, as a person would, only
            // what follows marks it again.
            Layout().m_tool.MarkSaved();
            Layout().SetModifiedFlag(FALSE);
        } else if (selected.starts_with(kEvery))
            SelectEvery(selected.substr(kEvery.size()));
        else if (!selected.empty())
            SelectOnly(selected.c_str());
    }
    void SelectEvery(const std::string& className) {
        Layout().m_tool.DeselectAll(0, 0);
        for (CPaint* member : Members())
            if (member->GetClassName() == className.c_str())
                member->SelectWithUndo(0, 0);
    }
    // Chooses every command of the menu bar that opens a dialog, as the class comment says; each
    // dialog but a message box or a file dialog goes to the action.
    void WalkMenuDialogs(const DialogAction& action) {
        WalkMenuCommands(
            [&](UINT command, const std::string& selected) { ActOnDialogOf(command, selected, action); });
    }
    // The classes of the objects a layout stores, found by their class records.
    static std::vector<std::string> StoredClasses() {
        std::vector<std::string> stored;
        for (const CRuntimeClass* record : CRuntimeClass::Creatable())
            if (record->IsDerivedFrom(RUNTIME_CLASS(CPaint)) && record->m_wSchema != 0xFFFF &&
                kNoObjectAtPlan.count(record->m_lpszClassName) == 0)
                stored.push_back(record->m_lpszClassName);
        return stored;
    }
    // Hands every command of the menu bar, with nothing selected, to the visit; one grey then,
    // and Properties, with an object of each stored class selected. A walk may leave out the
    // commands with nothing selected, and give the grey ones and Properties its own selections.
    void WalkMenuCommands(const std::function<void(UINT command, const std::string& selected)>& visit,
                          bool withNothingSelected = true,
                          const std::vector<std::string>* selections = nullptr) {
        const std::vector<std::string> stored = StoredClasses();
        ASSERT_EQ(std::set<std::string>(stored.begin(), stored.end()), ClassesAtPlan());
        CMenu* bar = Main().GetMenu();
        for (int title = 0; title < bar->GetMenuItemCount(); ++title)
            for (int item = 0; item < bar->GetSubMenu(title)->GetMenuItemCount(); ++item) {
                const UINT command = bar->GetSubMenu(title)->GetMenuItemID(item);
                if (command == 0 || kLeavingTheLayout.count(command) != 0)
                    continue;
                Restore("");
                const bool bySelection = !IsEnabled(command) || command == ID_EDIT_PROPERTIES;
                const std::vector<std::string> none =
                    withNothingSelected ? std::vector<std::string>{""} : std::vector<std::string>{};
                for (const std::string& selected : !bySelection ? none : selections ? *selections : stored)
                    visit(command, selected);
            }
    }
    // Chooses the command from the menu bar; the first modal window it opens, if any, runs the
    // action.
    void ChooseThen(UINT command, HeadlessHost::ModalAction action) {
        CMenu* bar = Main().GetMenu();
        for (int title = 0; title < bar->GetMenuItemCount(); ++title)
            for (int item = 0; item < bar->GetSubMenu(title)->GetMenuItemCount(); ++item)
                if (bar->GetSubMenu(title)->GetMenuItemID(item) == command) {
                    host.WhenModal("", [&, item](CWnd& popup) {
                        host.WhenModal("", action);
                        host.AdvanceClock(kClickPause);
                        host.ClickClient(&popup,
                                         static_cast<CMenuPopupWnd&>(popup).ItemRect(item).CenterPoint());
                    });
                    CRect window;
                    Main().GetWindowRect(&window);
                    host.AdvanceClock(kClickPause);
                    host.Click(NonClientPainter::MenuBarItemRect(Main(), title).CenterPoint() +
                               window.TopLeft());
                    host.RunUntilIdle();
                    host.ForgetModalActions();
                    return;
                }
    }

    const std::filesystem::path m_saved = folder / "walked.cvn";
    std::vector<BYTE> m_built;

  private:
    // Commands that leave the layout the walk works on; their dialogs are none.
    inline static const std::set<UINT> kLeavingTheLayout = {ID_FILE_NEW, ID_FILE_CLOSE, ID_APP_EXIT,
                                                            ID_FILE_PRINT_PREVIEW, ID_WINDOW_NEW};
    // The bases of every object and track piece, and the wizard's labels, which live in its preview.
    inline static const std::set<std::string> kNoObjectAtPlan = {"CPaint", "CParTrack", "CWizardLabel"};

    // Chooses the command with the selection and hands its dialog to the action.
    void ActOnDialogOf(UINT command, const std::string& selected, const DialogAction& action) {
        Restore(selected);
        if (!IsEnabled(command))
            return;
        const bool checked = IsChecked(command);
        ChooseThen(command, [=, this](CWnd& modal) {
            if (dynamic_cast<CMessageBoxWnd*>(&modal) == nullptr &&
                dynamic_cast<CFileDialog*>(&modal) == nullptr)
                action(modal, command, selected);
            if (modal.InModalLoop())
                modal.EndModalLoop(IDCANCEL);
        });
        // A window the command shows beside the plan, its mark now set, goes as it came.
        if (IsChecked(command) != checked)
            ChooseFromMenu(command);
    }
};
