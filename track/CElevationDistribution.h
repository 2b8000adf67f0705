#pragma once

#include <unordered_set>
#include <vector>

#include "model/Geometry.h"

class CGroup;
class CPaint;
class CParTrack;
class CTool;

// One object's new elevations: a track piece's two ends, or a camera's one elevation held
// in both.
struct ElevationRecord {
    CPaint* object = nullptr;
    double begin = 0.0;
    double end = 0.0;
};

// The new elevations of many objects along one grade: on the inclined plane through two
// picked ends, or along a chain of connected pieces, whose groups are carried along on the
// plane of their chain piece. Nothing is changed here; the results are applied by the caller.
// The sinks flag says that some track end would lie beneath the benchwork.
class CElevationDistribution {
  public:
    // An elevation below this sinks beneath the benchwork.
    static constexpr double kBenchwork = -0.0000001;
    // Two chain ends touch when closer than this.
    static constexpr double kChainTouch = 0.2;

    explicit CElevationDistribution(CTool* tool = nullptr) : m_pTool(tool) {}

    // The plane through (A, zA) and (B, zB), level across A to B.
    void SetPlane(double ax, double ay, double za, double bx, double by, double zb);
    double PlaneAt(double x, double y, bool endEnd) const;
    // Computes every record's elevations from the plane and appends them to the results
    // (emptied first when asked); answers the sinks flag.
    int DistributeOnPlane(std::vector<ElevationRecord>& records, int clearResults);
    // The chain's pieces are the objects, in chain order; the elevation changes evenly with
    // the run along the chain from zBegin to zEnd.
    int DistributeOnChain(double zBegin, double zEnd);
    // The chain's pieces 0 to last over the run length, from zBegin at the first free end
    // to zEnd at the last piece's free end, with the groups they carry along.
    void DistributeChainFrom(double length, double zBegin, double zEnd, int last);
    // Whether a chain piece's begin point lies on an end of its neighbour in the chain.
    static bool BeginTouches(const CParTrack& piece, const CParTrack& neighbour);

    std::vector<ElevationRecord> m_objects;
    std::vector<ElevationRecord> m_results;
    int m_bSinks = 0;
    // The plane: its zero line a x + b y + c = 0, the base elevation and the slope angle.
    double m_fA = 1.0, m_fB = 1.0, m_fC = 1.0;
    double m_fBase = 0.0;
    double m_fSlope = 0.0;
    bool m_bLevel = false;

  private:
    double SignedDistance(double x, double y) const;
    void ChainPieceElevations(int index, double atJoint, double atOther, int neighbourIndex);
    void CarryGroupAlong(int index);
    CPaint* GroupAtEditLevel(CPaint* piece) const;

    CTool* m_pTool;
    std::unordered_set<const CPaint*> m_chainPieces;
};
