#include "drawing/DrawingObjects.h"

#include "drawing/CArc.h"
#include "drawing/CBMP.h"
#include "drawing/CBox.h"
#include "drawing/CBoxMeasure.h"
#include "drawing/CLine.h"
#include "drawing/CLineMeasure.h"
#include "drawing/CPolygon.h"
#include "drawing/CRoundBox.h"
#include "drawing/CSizeAngle.h"
#include "drawing/CSizeLine.h"
#include "drawing/CSketch.h"
#include "drawing/CSpline.h"
#include "drawing/CTextBox.h"
#include "drawing/DimensionProperties.h"
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
    RegisterObjectMaker(GetCreateKindForTool(kToolSketch),
                        [](CTool* tool) -> CPaint* { return new CSketch(0, tool, 0.0, 0.0); });
    RegisterObjectMaker(GetCreateKindForTool(kToolPolygon),
                        [](CTool* tool) -> CPaint* { return new CPolygon(0, tool, 0.0, 0.0); });
    RegisterObjectMaker(GetCreateKindForTool(kToolRoundBox),
                        [](CTool* tool) -> CPaint* { return new CRoundBox(0, tool, 0.0, 0.0); });
    RegisterObjectMaker(GetCreateKindForTool(kToolSpline),
                        [](CTool* tool) -> CPaint* { return new CSpline(0, tool, 0.0, 0.0); });
    RegisterObjectMaker(GetCreateKindForTool(kToolDimensionLine),
                        [](CTool* tool) -> CPaint* { return new CSizeLine(0, tool, 0.0, 0.0); });
    RegisterObjectMaker(GetCreateKindForTool(kToolDimensionAngle),
                        [](CTool* tool) -> CPaint* { return new CSizeAngle(0, tool, 0.0, 0.0); });
    RegisterObjectMaker(GetCreateKindForTool(kToolMeasureLine),
                        [](CTool* tool) -> CPaint* { return new CLineMeasure(0, tool, 0.0, 0.0); });
    RegisterObjectMaker(GetCreateKindForTool(kToolMeasureBox),
                        [](CTool* tool) -> CPaint* { return new CBoxMeasure(0, tool, 0.0, 0.0); });
    RegisterObjectMaker(GetCreateKindForTool(kToolText),
                        [](CTool* tool) -> CPaint* { return new CTextBox(0, tool, 0.0, 0.0); });
    RegisterObjectMaker(GetCreateKindForTool(kToolBitmapPicture),
                        [](CTool* tool) -> CPaint* { return new CBMP(0, tool, 0.0, 0.0); });
    RegisterDimensionPropertiesSteps();
}
