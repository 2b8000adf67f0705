#pragma once

#include "platform/ctl/CDialog.h"

// Asks for the angle the plan view's Rotate By Degrees command turns the selection by.
class CRotateByDegreesDialog : public CDialog {
    DECLARE_DYNAMIC(CRotateByDegreesDialog)
  public:
    explicit CRotateByDegreesDialog(CWnd* parent = nullptr);

    // The angle in radians, with the program's own value of pi.
    double AngleInRadians() const;

    double m_fDegrees = 0.0;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
};
