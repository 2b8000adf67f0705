#include "track/TrackPieces.h"

#include "model/CToolMode.h"
#include "model/CTrackTools.h"
#include "model/DefaultTrackKind.h"
#include "model/ObjectFactory.h"
#include "track/CArcTrack.h"
#include "track/CCircTrack.h"
#include "track/CSplineTrack.h"
#include "track/CTrack.h"
#include "track/CTrackToolSet.h"

void RegisterTrackPieces() {
    RegisterObjectMaker(GetCreateKindForTool(kToolStraightTrack),
                        [](CTool* tool) -> CPaint* { return new CTrack(0, tool, 0.0, 0.0); });
    RegisterObjectMaker(GetCreateKindForTool(kToolCurveTrack),
                        [](CTool* tool) -> CPaint* { return new CCircTrack(0, tool, 0.0, 0.0); });
    RegisterObjectMaker(GetCreateKindForTool(kToolOvalTrack),
                        [](CTool* tool) -> CPaint* { return new CArcTrack(0, tool, 0.0, 0.0); });
    // "Spline Track" and "Connect Using Spline" make their pieces through one create kind.
    RegisterObjectMaker(GetCreateKindForTool(kToolSplineTrack),
                        [](CTool* tool) -> CPaint* { return new CSplineTrack(0, tool, 0.0, 0.0); });
    RegisterTrackTools(
        [](CTool& tool) -> std::unique_ptr<CTrackTools> { return std::make_unique<CTrackToolSet>(tool); });
    RegisterDefaultTrackKind(DefaultTrackKind{
        RUNTIME_CLASS(CParTrack),
        [](CPaint* object) -> CParTrack* { return static_cast<CParTrack*>(object); },
        [](CParTrack* track) -> CPaint* { return track; },
        [](CTool* tool) { return new CParTrack(tool); },
    });
}
