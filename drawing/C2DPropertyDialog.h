#pragma once

#include <memory>
#include <vector>

#include "drawing/CCatalogueFields.h"
#include "drawing/CPagesOwner.h"
#include "model/CPose.h"
#include "platform/ctl/CDialog.h"
#include "platform/ctl/CTabCtrl.h"
#include "ui/CObjectPreviewWnd.h"

class CPages;
struct PropertiesClassSteps;

// "2D Object properties": the drawing attributes of a 2D object on one or two tabbed pages, a
// live preview of the working copy, its catalogue fields, and whether the result goes to the
// clicked object, the selection or every object.
class C2DPropertyDialog : public CDialog, public CPagesOwner {
    DECLARE_DYNAMIC(C2DPropertyDialog)
    DECLARE_MESSAGE_MAP()
  public:
    explicit C2DPropertyDialog(CWnd* parent = nullptr);
    ~C2DPropertyDialog() override;

    // Works on a clone of the object. Without a click pose only the clicked object can be
    // changed; with one, the selection is preselected when more than one object is selected.
    void SetObject(CPaint* object, BOOL multiple, const CPose* pose);
    // A fresh clone of the working copy, owned by the caller, and the apply mode; false and mode
    // -1 without a working copy.
    BOOL GetResult(CPaint*& result, int& mode);

    CPaint* GetWorkingCopy() override { return m_pCopy; }
    void RepaintPreview() override;
    CPages* GetPage(int index) const { return m_pages[index].get(); }
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }

    CString m_strCategory;
    int m_nApplyMode = 0;
    CCatalogueFields m_fields;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void OnCancel() override;
    void OnApplyMode();
    void OnScaleChosen();
    void OnTabChange(NMHDR* header, LRESULT* result);

  private:
    void AddPage(const CString& label, std::unique_ptr<CPages> page);
    void MakePages();
    void FillCategories();
    void FillScales();
    void EnableCatalogueFields(BOOL enable);
    CString ChosenCategory();
    const PropertiesClassSteps* ClassSteps() const;

    CPaint* m_pCopy = nullptr;
    CPose m_clickPose;
    int m_bSingleObject = 0;
    CTabCtrl m_tabs;
    CObjectPreviewWnd m_preview;
    int m_nCurrentPage = 0;
    std::vector<std::unique_ptr<CPages>> m_pages;
};
