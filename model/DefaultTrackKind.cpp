#include "model/DefaultTrackKind.h"

#include "model/CPaint.h"

namespace {

DefaultTrackKind& Registered() {
    static DefaultTrackKind kind;
    return kind;
}

}  // namespace

void RegisterDefaultTrackKind(const DefaultTrackKind& kind) {
    Registered() = kind;
}

const DefaultTrackKind& GetDefaultTrackKind() {
    return Registered();
}

CPaint* DefaultTrackAsPaint(CParTrack* track) {
    if (track == nullptr || Registered().toPaint == nullptr)
        return nullptr;
    return Registered().toPaint(track);
}

CParTrack* PaintAsDefaultTrack(CPaint* object) {
    const DefaultTrackKind& kind = Registered();
    if (object == nullptr || kind.fromPaint == nullptr || !object->IsKindOf(kind.runtimeClass))
        return nullptr;
    return kind.fromPaint(object);
}
