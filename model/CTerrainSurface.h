#pragma once

// What the engine's terrain commands ask of a terrain object beyond its layout slots: take
// every cut of tracks and 3D objects out again, and rebuild the surface at the next 3D
// build.
class CTerrainSurface {
  public:
    virtual ~CTerrainSurface() = default;
    virtual void ClearCuts() = 0;
    virtual void SetRebuild(int rebuild) = 0;
};
