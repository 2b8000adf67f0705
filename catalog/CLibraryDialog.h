#pragma once

#include <array>
#include <vector>

#include "catalog/CCatalogBrowserDialog.h"
#include "catalog/CLibraryListCtrl.h"
#include "model/Geometry.h"

class CCVNDoc;
class CCataloguePrintout;
class CPaint;

// "Library": the objects of the document's symbol library by category tab and filters; their
// properties are edited, they are deleted, printed as a list and placed on the plan.
class CLibraryDialog : public CCatalogBrowserDialog {
    DECLARE_DYNAMIC(CLibraryDialog)
    DECLARE_MESSAGE_MAP()
  public:
    enum ListColumn : int {
        kManufacturerColumn,
        kScaleColumn,
        kTypeColumn,
        kNameColumn,
        kPartNoColumn,
        kPriceColumn,
        kNoteColumn
    };
    static constexpr int kTabCount = 6;

    explicit CLibraryDialog(CCVNDoc& document, CWnd* parent = nullptr);

    int FindFirstUsedTab() const;
    void FillFilterCombos();
    void AddObjectToCombos(CPaint* object);
    void FillList() override;
    int SetRow(CPaint* object, int row, bool insert);
    void FillPrintout(CCataloguePrintout& printout) const;

    CLibraryListCtrl& GetList() { return m_list; }
    CPaint* ObjectAt(int row) const;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

    void OnTabChange(NMHDR* header, LRESULT* result);
    void OnFieldKillFocus();
    void OnDelete();
    void OnProperties();
    void OnAddToPlan();
    void OnOpenNew();
    void OnPrint();

  private:
    bool IsShown(CPaint* object) const;
    void EnableRowButtons();
    void ShowLibrary();
    // Where placed copies are centred: the open group's centre, else the plan's visible centre.
    CDoublePoint PlacementTarget() const;
    void PlaceCopy(CPaint* source, const CDoublePoint& target);

    CCVNDoc& m_document;
    CLibraryListCtrl m_list;
};
