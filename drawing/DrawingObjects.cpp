#include "drawing/DrawingObjects.h"

#include "drawing/CArc.h"
#include "drawing/CBox.h"
#include "drawing/CLine.h"
#include "model/CToolMode.h"
#include "model/ObjectFactory.h"

void RegisterDrawingObjects() {
    RegisterObjectMaker(GetCreateKindForTool(kToolLine),
                        [](CTool* tool) -> CPaint* { return new CLine(0, tool, 0.0, 0.0); });
    RegisterObjectMaker(GetCreateKindForTool(kToolBox),
                        [](CTool* tool) -> CPaint* { return new CBox(0, tool, 0.0, 0.0); });
    RegisterObjectMaker(GetCreateKindForTool(kToolArc),
                        [](CTool* tool) -> CPaint* { return new CArc(0, tool, 0.0, 0.0, 0); });
    RegisterObjectMaker(GetCreateKindForTool(kToolOval),
                        [](CTool* tool) -> CPaint* { return new CArc(0, tool, 0.0, 0.0, 1); });
}
