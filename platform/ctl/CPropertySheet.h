#pragma once

#include <vector>

#include "platform/ctl/CDialog.h"

class CPropertyPage;
class CTabCtrl;

constexpr UINT ID_APPLY_NOW = 0x3021;
constexpr UINT AFX_IDC_TAB_CONTROL = 0x3020;
constexpr int IDHELP = 9;
constexpr DWORD PSH_HASHELP = 0x0200;
constexpr DWORD PSH_NOAPPLYNOW = 0x0080;
constexpr int PSBTN_OK = 1;
constexpr int PSBTN_CANCEL = 2;
constexpr int PSBTN_APPLYNOW = 3;

struct PROPSHEETHEADER {
    DWORD dwSize;
    DWORD dwFlags;
};

// A dialog of pages under tabs with OK, Cancel and Apply below. Pages are made when first
// shown; leaving a page asks it (a refusal keeps it); OK and Cancel reach every page made.
// The buttons are ordinary children of the sheet (IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP) that
// callers may move, hide or rename, and callers may add controls of their own.
class CPropertySheet : public CDialog {
    DECLARE_DYNAMIC(CPropertySheet)
    DECLARE_MESSAGE_MAP()
  public:
    explicit CPropertySheet(LPCTSTR caption = "", CWnd* parent = nullptr, UINT selectPage = 0);
    ~CPropertySheet() override;

    void AddPage(CPropertyPage* page);
    void RemovePage(CPropertyPage* page);
    void RemovePage(int index);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    int GetPageIndex(const CPropertyPage* page) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const { return m_active; }
    // Leaves the current page (if it agrees) for another; answers whether it moved.
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page) { return SetActivePage(GetPageIndex(page)); }
    CTabCtrl* GetTabControl() const;
    void SetTitle(LPCTSTR title);
    BOOL PressButton(int button);
    void EnableApply(bool enable);

    INT_PTR DoModal() override;
    // F1 on the sheet's own buttons asks for the active page's help.
    UINT HelpContextId() const override;

    PROPSHEETHEADER m_psh{sizeof(PROPSHEETHEADER), 0};

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

  private:
    void OnApplyNow();
    void OnTabChanging(NMHDR* header, LRESULT* result);
    void OnTabChanged(NMHDR* header, LRESULT* result);
    void BuildTemplate();
    CRect PageRect() const;
    bool ShowPage(int index);
    bool ApplyAll();
    bool FocusActivePage();

    CString m_caption;
    std::vector<CPropertyPage*> m_pages;
    std::unique_ptr<DialogTemplate> m_sheetTemplate;
    int m_active = -1;
    int m_startPage;
};
