#pragma once

#include "platform/ctl/CComboBox.h"

// The tool bar's choice of the active layer. Its keys only walk the dropped list: a key that
// would step the closed field drops the list first, so that a layer the person passes over on
// the way is neither made active nor shown nor unlocked; Return or a click chooses.
class CLayerSelector : public CComboBox {
    DECLARE_DYNCREATE(CLayerSelector)
  protected:
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;

  private:
    void DropBeforeStepping();
};
