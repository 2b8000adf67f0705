#pragma once

struct CRuntimeClass;
class CPaint;
class CParTrack;
class CTool;

// The track-piece class the editing engine's default track belongs to. The model stores and
// reads the default track but does not know the track classes; the track subsystem
// registers them here when it starts (RegisterTrackPieces), and until then no layout file
// with a default track can be read.
struct DefaultTrackKind {
    const CRuntimeClass* runtimeClass = nullptr;
    CParTrack* (*fromPaint)(CPaint* object) = nullptr;
    CPaint* (*toPaint)(CParTrack* track) = nullptr;
    // A new default track built for the engine from its document's defaults.
    CParTrack* (*make)(CTool* tool) = nullptr;
};

void RegisterDefaultTrackKind(const DefaultTrackKind& kind);
// The registered kind; every member is null before registration.
const DefaultTrackKind& GetDefaultTrackKind();
// The default track as the layout object it is; null for null.
CPaint* DefaultTrackAsPaint(CParTrack* track);
// The object as a default track, or null when it is no track piece.
CParTrack* PaintAsDefaultTrack(CPaint* object);
