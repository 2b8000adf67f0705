#pragma once

#include "platform/base/CString.h"
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
    // Shows the message of a refused value in a box, then Fails.
    [[noreturn]] void Refuse(const CString& message);
    [[noreturn]] void Fail();

    int LastControlId() const { return m_lastControlId; }
    bool LastControlIsEdit() const { return m_lastIsEdit; }

    // Whether a refusal is under way: its box is up or the focus is going back to the refused
    // control. The fields that lose the focus meanwhile must not validate, or each would
    // refuse the same value again with a box of its own.
    static bool IsRefusing();

  private:
    void ReturnFocusToRefusedControl();

    int m_lastControlId = 0;
    bool m_lastIsEdit = false;
};
