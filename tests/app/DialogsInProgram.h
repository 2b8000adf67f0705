#pragma once

#include <filesystem>

#include "model/CDataFolders.h"
#include "platform/base/CWinPath.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CPropertyPage.h"
#include "platform/ctl/CPropertySheet.h"
#include "tests/app/EveryClassLayout.h"
#include "tests/support/DialogInput.h"

// The program with a layout whose dialogs a test opens from the menu bar and
// works through their controls, as a person does. A new default track writes the
// default-settings files into the base folder, and a print goes to the working folder: both
// the test's own.
class DialogsInProgram : public EveryClassLayout {
  protected:
    void SetUp() override {
        EveryClassLayout::SetUp();
        m_previousBase = CDataFolders::GetBaseFolder();
        CDataFolders::SetBaseFolder(CWinPath::FromReal(folder.Path()) + "\\");
        std::filesystem::current_path(folder.Path());
    }
    void TearDown() override {
        EveryClassLayout::TearDown();
        CDataFolders::SetBaseFolder(m_previousBase);
    }

  public:
    static constexpr DWORD kClickPause = 1000;

    // The page of the dialog a field lies on: a sheet's page turned to with a click on its tab.
    CWnd& Page(CWnd& dialog, int page) {
        auto* sheet = dynamic_cast<CPropertySheet*>(&dialog);
        if (sheet == nullptr)
            return dialog;
        DialogInput::ClickTab(host, sheet->GetTabControl(), page);
        return *sheet->GetActivePage();
    }
    // Selects all of the field's text and types over it.
    void Retype(CWnd& dialog, UINT id, const CString& text) {
        host.AdvanceClock(kClickPause);
        DialogInput::Retype(host, dialog.GetDlgItem(static_cast<int>(id)), text);
    }
    void ClickControl(CWnd& dialog, UINT id) {
        host.AdvanceClock(kClickPause);
        host.ClickClient(dialog.GetDlgItem(static_cast<int>(id)), CPoint(3, 3));
    }
    // Drops the list with a click and clicks the entry below the chosen one.
    void ChooseNextInList(CWnd& dialog, UINT id) {
        auto& combo = *static_cast<CComboBox*>(dialog.GetDlgItem(static_cast<int>(id)));
        const int next = combo.GetCurSel() + 1;
        ClickControl(dialog, id);
        ASSERT_TRUE(combo.GetDroppedState());
        CRect list;
        combo.DropList().GetWindowRect(&list);
        const int height = combo.GetItemHeight(0);
        host.Click(CPoint(list.left + 20, list.top + 1 + next * height + height / 2));
    }
    CString TextOf(CWnd& dialog, UINT id) {
        CString text;
        dialog.GetDlgItem(static_cast<int>(id))->GetWindowText(text);
        return text;
    }
    // Presses the key, answering OK to a box; answers how many boxes came up.
    size_t BoxesAfterAnswered(UINT key) {
        const size_t before = host.MessageBoxes().size();
        host.AnswerMessageBox(IDOK);
        host.PressKey(key);
        return host.MessageBoxes().size() - before;
    }
    // The plan's first object of the class becomes the only one selected.
    CPaint* SelectOnly(const char* className) {
        Layout().m_tool.DeselectAll(0, 0);
        for (CPaint* member : Members())
            if (member->GetClassName() == className) {
                member->SelectWithUndo(0, 0);
                return member;
            }
        ADD_FAILURE() << "no " << className;
        return nullptr;
    }

  private:
    CString m_previousBase;
};
