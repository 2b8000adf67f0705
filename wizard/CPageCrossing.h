#pragma once

#include "wizard/CPageWizard.h"

// The track wizard's page of the crossing of two straight tracks; it builds nothing yet.
class CPageCrossing : public CPageWizard {
    DECLARE_DYNCREATE(CPageCrossing)

  public:
    CPageCrossing();
};
