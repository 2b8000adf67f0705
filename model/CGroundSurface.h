#pragma once

class CPaint;

// Benchwork and terrain as what stands on them sees them: whether the engine's probe point
// lies inside the outline and the height of the top at a world point; a terrain also cuts
// the beds of track pieces and the ground under 3D objects into itself and gives them back.
class CGroundSurface {
  public:
    virtual ~CGroundSurface() = default;
    // The object itself when the engine's probe point lies inside its outline, else null.
    virtual CPaint* PtInOutline() = 0;
    // The height of the top at a world point.
    virtual double GetTopAt(double x, double y) = 0;
    virtual void CutTrackBed(CPaint* piece, int report) {
        (void)piece;
        (void)report;
    }
    // 1 when a record of the piece or object was dropped.
    virtual int RemoveTrackCut(CPaint* piece) {
        (void)piece;
        return 0;
    }
    virtual void CutUnderObject(CPaint* object) { (void)object; }
    virtual int RemoveObjectCut(CPaint* object) {
        (void)object;
        return 0;
    }
};
