#include "track/TrackPieces.h"

#include "model/CToolMode.h"
#include "model/DefaultTrackKind.h"
#include "model/ObjectFactory.h"
#include "track/CCircTrack.h"
#include "track/CTrack.h"

void RegisterTrackPieces() {
    RegisterObjectMaker(GetCreateKindForTool(kToolStraightTrack),
                        [](CTool* tool) -> CPaint* { return new CTrack(0, tool, 0.0, 0.0); });
    RegisterObjectMaker(GetCreateKindForTool(kToolCurveTrack),
                        [](CTool* tool) -> CPaint* { return new CCircTrack(0, tool, 0.0, 0.0); });
    RegisterDefaultTrackKind(DefaultTrackKind{
        RUNTIME_CLASS(CParTrack),
        [](CPaint* object) -> CParTrack* { return static_cast<CParTrack*>(object); },
        [](CParTrack* track) -> CPaint* { return track; },
        [](CTool* tool) { return new CParTrack(tool); },
    });
}
