#pragma once

#include "platform/ctl/CUserException.h"
#include "platform/win/WinDefs.h"

class CWnd;

// One pass of data exchange between a dialog's members and its controls. The DDX_ functions
// name the control they work on (PrepareCtrl, PrepareEditCtrl); the DDV_ functions after them
// check its value and, on a refusal, Fail: the control gets the focus (an edit its text
// selected) and the pass stops.
class CDataExchange {
  public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The control with this id, remembered as the one the following validation is about.
    CWnd* PrepareCtrl(int id);
    CWnd* PrepareEditCtrl(int id);
    [[noreturn]] void Fail();

    int LastControlId() const { return m_lastControlId; }
    bool LastControlIsEdit() const { return m_lastIsEdit; }

  private:
    int m_lastControlId = 0;
    bool m_lastIsEdit = false;
};
