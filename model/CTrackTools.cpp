#include "model/CTrackTools.h"

namespace {

TrackToolsMaker& Maker() {
    static TrackToolsMaker maker = nullptr;
    return maker;
}

}  // namespace

void RegisterTrackTools(TrackToolsMaker make) {
    Maker() = make;
}

std::unique_ptr<CTrackTools> MakeTrackTools(CTool& tool) {
    return Maker() != nullptr ? Maker()(tool) : nullptr;
}
