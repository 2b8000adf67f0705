#pragma once

#include "platform/base/WinTypes.h"

class CPaint;
class CPose;

// What the engine's terrain commands, its clipboard and the plan view ask of a terrain object
// beyond its layout slots: take every cut of tracks and 3D objects out again, rebuild the
// surface at the next 3D build, rebuild the knots of the next copy made, and the knot and
// outline tests of the plan view's cursor.
class CTerrainSurface {
  public:
    virtual ~CTerrainSurface() = default;
    virtual void ClearCuts() = 0;
    virtual void SetRebuild(int rebuild) = 0;
    // Paste, Duplicate and the library's "Add to plan" set it before they clone the terrain.
    virtual void SetCloneRebuild(int rebuild) { (void)rebuild; }
    // A clone of the object for the layout: a terrain's copy has its knots at once.
    static CPaint* CloneForLayout(CPaint* source);
    // Whether a knot lies near the world point on screen; the point under the placement.
    virtual BOOL IsNearKnot(const CPose* pose, double x, double y) {
        (void)pose;
        (void)x;
        (void)y;
        return FALSE;
    }
    // The plan view's "Terrain Editor..." on the terrain.
    virtual void RunEditor() {}
    // Whether a point of the terrain's own frame lies inside its outline, edges included.
    virtual BOOL PtInOutline(double x, double y) {
        (void)x;
        (void)y;
        return FALSE;
    }
};
