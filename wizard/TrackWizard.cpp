#include "wizard/TrackWizard.h"

#include "model/CToolMode.h"
#include "model/ObjectFactory.h"
#include "wizard/CPage3Way.h"
#include "wizard/CPageCrossing.h"
#include "wizard/CPageCrossover.h"
#include "wizard/CPageCurved.h"
#include "wizard/CPageCurvedTurnout.h"
#include "wizard/CPageHelix.h"
#include "wizard/CPageSlipSwitch.h"
#include "wizard/CPageSpiral.h"
#include "wizard/CPageStraightTrack.h"
#include "wizard/CPageTurnTable.h"
#include "wizard/CPageTurnout.h"
#include "wizard/CSheetWizard.h"
#include "wizard/CWizardLabel.h"

int RegisterTrackWizard() {
    RegisterObjectMaker(GetCreateKindForTool(kToolWizardLabel),
                        [](CTool* tool) -> CPaint* { return new CWizardLabel(0, tool, 0.0, 0.0); });
    // Looking the classes up by name keeps their registration in the linked program.
    const CRuntimeClass* classes[] = {
        RUNTIME_CLASS(CSheetWizard),   RUNTIME_CLASS(CPageStraightTrack), RUNTIME_CLASS(CPageCurved),
        RUNTIME_CLASS(CPageCrossover), RUNTIME_CLASS(CPageCrossing),      RUNTIME_CLASS(CPageSlipSwitch),
        RUNTIME_CLASS(CPageTurnout),   RUNTIME_CLASS(CPage3Way),          RUNTIME_CLASS(CPageCurvedTurnout),
        RUNTIME_CLASS(CPageTurnTable), RUNTIME_CLASS(CPageHelix),         RUNTIME_CLASS(CPageSpiral)};
    int found = 0;
    for (const CRuntimeClass* runtimeClass : classes)
        if (CRuntimeClass::FromName(runtimeClass->m_lpszClassName) == runtimeClass)
            ++found;
    return found;
}
