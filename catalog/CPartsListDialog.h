#pragma once

#include <array>
#include <vector>

#include "catalog/CCatalogBrowserDialog.h"
#include "catalog/CCatalogItem.h"
#include "catalog/CPartsListCtrl.h"
#include "platform/gdi/CImageList.h"

class CCVNDoc;
class CCataloguePrintout;

// "Manufacturer Parts List": the parts of the document's parts file by category tab, narrowed
// by four filter lists, a part number and a price; parts are added, duplicated, edited,
// deleted and marked for printing, and OK saves the file.
class CPartsListDialog : public CCatalogBrowserDialog {
    DECLARE_DYNAMIC(CPartsListDialog)
    DECLARE_MESSAGE_MAP()
  public:
    enum ListColumn : int {
        kManufacturerColumn,
        kScaleColumn,
        kTypeColumn,
        kDescriptionColumn,
        kPartNoColumn,
        kQuantityColumn,
        kPriceColumn,
        kTotalColumn,
        kNoteColumn
    };
    static constexpr int kTabCount = 7;

    // The document must have a parts file (see OpenFirstPartsFile).
    explicit CPartsListDialog(CCVNDoc& document, CWnd* parent = nullptr);

    // Asks for a parts file and opens it, making an empty one for a new name; FALSE when none
    // was chosen or it could not be had ("Can't open catalog").
    static BOOL ChoosePartsFile(const CCVNDoc& document, CWnd* parent, CString& path, CString& name);
    // For a document without a parts file: chooses one and reads it into the document.
    static BOOL OpenFirstPartsFile(CCVNDoc& document);

    // The records of the file at the document's parts path replace the list.
    BOOL ReadPartsFile();
    // Saves the list; FALSE, after telling the user, when the file could not be written (the
    // changes and the modified mark then stay).
    BOOL WritePartsFile();
    // Chooses a parts file, settles the pending changes and reads it.
    void OnOpenNew();
    int FindFirstUsedTab() const;
    void FillFilterCombos();
    void FillList() override;
    void EnableItemButtons(bool enable);
    // The marked rows as printed, with their grand total.
    void FillPrintout(CCataloguePrintout& printout) const;

    CPartsListCtrl& GetList() { return m_list; }
    bool IsModified() const { return m_bModified; }
    CCatalogItem* ItemAt(int row) const;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void OnCancel() override;

    void OnTabChange(NMHDR* header, LRESULT* result);
    void OnFieldChange();
    void OnFieldKillFocus();
    void OnListDoubleClick(NMHDR* header, LRESULT* result);
    void OnListClick(NMHDR* header, LRESULT* result);
    void OnListSetFocus(NMHDR* header, LRESULT* result);
    void OnListKillFocus(NMHDR* header, LRESULT* result);
    void OnListKeyDown(NMHDR* header, LRESULT* result);
    void OnAdd();
    void OnDuplicate();
    void OnEdit();
    void OnDelete();
    void OnCheckAll();
    void OnPrint();

  private:
    CatalogueList& Records();
    bool MatchesTab(const CCatalogItem& item) const;
    bool IsShown(const CCatalogItem& item) const;
    // Writes the record's texts into a row, inserting it first when asked.
    int SetRow(const CCatalogItem& item, int row, bool insert);
    void SetMark(int row, bool marked);
    void UpdateCheckAllText();
    void UpdatePrintButton();
    void SelectOnly(int row);
    int FocusedSelectedRow() const;
    bool RunEditDialog(CCatalogItem& item);
    // Asks "Save changes ?" when something changed; answers false when a wanted save failed.
    bool SettleChanges();

    CCVNDoc& m_document;
    CPartsListCtrl m_list;
    CImageList m_marks;
    bool m_bFieldChanged = false;
    bool m_bModified = false;
    bool m_bItemButtons = false;
    int m_nMarkedRows = 0;
};
