#pragma once

#include "platform/ctl/CButton.h"

// The track wizard's "Default" button: a click resets the active page to its defaults and
// builds it again; the other pages keep what was typed.
class CWizardDefaultButton : public CButton {
    DECLARE_DYNAMIC(CWizardDefaultButton)

  public:
    // The sheet hands the button its own click.
    void OnClicked();
};
