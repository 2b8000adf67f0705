#pragma once

#include <memory>

class CGroup;
class CPaint;
class CPose;
class CTool;

// The track tools that answer the engine's mouse phases: the chain picker, the elevation
// tool, the parallel-track tool and the two connect builders. The track pieces provide them
// (RegisterTrackPieces installs the maker); the engine only hands the phases on.
// Phases: 1 button down, 2 button up, 3 mouse move.
class CTrackTools {
  public:
    virtual ~CTrackTools() = default;
    virtual void OnTrackChainMouse(int phase, CGroup* group, const CPose* frame) = 0;
    // Gives the chain's pieces their own colours back and empties the chain.
    virtual void EndTrackChain() = 0;
    virtual int GetChainLength() const = 0;
    virtual void OnElevationToolMouse(int phase, CGroup* group, const CPose* frame) = 0;
    virtual void OnCreateParallelTrack() = 0;
    virtual void OnParallelTrackMouse(int phase, CGroup* group, const CPose* frame) = 0;
    // The release of a connect tool on a second track end: joins it to the pressed end.
    virtual void ConnectPickedEnds(int mode, CGroup* group, const CPose* frame) = 0;
    // A layout object is being destroyed: the tools let go of it.
    virtual void ForgetObject(CPaint* object) = 0;
    // Draws what a tool shows on the plan without it being part of the layout: the
    // parallel-track tool's rubber band. Never printed, stored or counted.
    virtual void DrawPreview() = 0;
};

using TrackToolsMaker = std::unique_ptr<CTrackTools> (*)(CTool& tool);
void RegisterTrackTools(TrackToolsMaker make);
// The tools for an engine; null before the track pieces registered them.
std::unique_ptr<CTrackTools> MakeTrackTools(CTool& tool);
