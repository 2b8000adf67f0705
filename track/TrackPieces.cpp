#include "track/TrackPieces.h"

#include "model/CToolMode.h"
#include "model/ObjectFactory.h"
#include "track/CCircTrack.h"
#include "track/CTrack.h"

void RegisterTrackPieces() {
    RegisterObjectMaker(GetCreateKindForTool(kToolStraightTrack),
                        [](CTool* tool) -> CPaint* { return new CTrack(0, tool, 0.0, 0.0); });
    RegisterObjectMaker(GetCreateKindForTool(kToolCurveTrack),
                        [](CTool* tool) -> CPaint* { return new CCircTrack(0, tool, 0.0, 0.0); });
}
