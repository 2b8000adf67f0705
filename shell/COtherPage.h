#pragma once

#include "platform/ctl/CPropertyPage.h"
#include "ui/CTypedField.h"

// The "Other" page of the preferences: the snap range (a length text) and the selector's
// handle size in pixels, which every open document takes.
class COtherPage : public CPropertyPage {
    DECLARE_DYNAMIC(COtherPage)
  public:
    COtherPage();

    // The unit of the length texts.
    int m_nUnitIndex;
    // The field shows the length in the page's unit and stands for it exactly until it is typed in.
    void LoadSnapRange(double length);
    double SnapRange() const;
    // The handle size in pixels, a number kept exactly while untouched.
    void LoadHandleSize(double size);
    double HandleSize() const;

    // The texts Restore shows.
    void ShowRestoredValues();

  protected:
    void DoDataExchange(CDataExchange* dx) override;

  private:
    CTypedField m_snapRange;
    CTypedField m_handleSize;
};
