#pragma once

#include <vector>

#include "platform/ctl/CDialog.h"
#include "platform/ctl/CListBox.h"

// "Select Window": the titles of all the windows a frame holds, the current one chosen. OK or
// a double click on a title answers its index; Cancel answers -1.
class CSelectWindowDialog : public CDialog {
    DECLARE_DYNAMIC(CSelectWindowDialog)
    DECLARE_MESSAGE_MAP()
  public:
    static constexpr UINT kListId = 100;

    CSelectWindowDialog(std::vector<CString> titles, int current, CWnd* parent);
    int Chosen() const { return m_chosen; }

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

  private:
    CListBox* List();
    void OnDoubleClick();

    std::vector<CString> m_titles;
    int m_chosen;
    DialogTemplate m_template;
};
