#include "track/CElevationDistribution.h"

#include <cmath>

#include "model/CCVNDoc.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "track/CParTrack.h"
#include "track/TrackEnds.h"

namespace {

constexpr double kAxisGap = 0.01;
constexpr double kOnZeroLine = 0.5;
constexpr double kEndOnZeroLine = 0.01;

bool Sinks(double elevation) {
    return elevation < CElevationDistribution::kBenchwork;
}

}  // namespace

void CElevationDistribution::SetPlane(double ax, double ay, double za, double bx, double by, double zb) {
    const bool alongY = std::fabs(ay - by) >= kAxisGap;
    const double delta = alongY ? by - ay : bx - ax;
    const double k = alongY ? zb * ay - by * za : zb * ax - bx * za;
    m_bLevel = std::fabs((za - zb) * delta) < kAxisGap;
    if (m_bLevel) {
        m_fA = m_fB = m_fC = 1.0;
        m_fBase = za;
        m_fSlope = 0.0;
        return;
    }
    const double t0 = k / (zb - za);
    m_fBase = 0.0;
    if (alongY) {
        m_fA = (bx - ax) / (ay - by);
        m_fB = -1.0;
        m_fC = t0 - m_fA * (-((by * ax - bx * ay) + t0 * (bx - ax)) / (ay - by));
    } else {
        m_fA = 1.0;
        m_fB = 0.0;
        m_fC = -t0;
    }
    const double da = SignedDistance(ax, ay);
    m_fSlope = std::fabs(da) > kOnZeroLine ? std::atan(za / da) : std::atan(zb / SignedDistance(bx, by));
}

double CElevationDistribution::SignedDistance(double x, double y) const {
    return (m_fA * x + m_fB * y + m_fC) / std::sqrt(m_fA * m_fA + m_fB * m_fB);
}

double CElevationDistribution::PlaneAt(double x, double y, bool endEnd) const {
    if (m_bLevel)
        return m_fBase;
    const double d = SignedDistance(x, y);
    if (std::fabs(d) <= (endEnd ? kEndOnZeroLine : kOnZeroLine))
        return 0.0;
    return m_fBase + std::tan(m_fSlope) * d;
}

int CElevationDistribution::DistributeOnPlane(std::vector<ElevationRecord>& records, int clearResults) {
    if (clearResults)
        m_results.clear();
    int sinks = 0;
    for (ElevationRecord& record : records) {
        if (record.object->GetClassName() == "CCamera") {
            const CDoublePoint at = record.object->LocalToWorld(0.0, 0.0);
            record.begin = record.end = PlaneAt(at.x, at.y, false);
            continue;
        }
        auto* piece = dynamic_cast<CParTrack*>(record.object);
        if (piece == nullptr)
            continue;
        const CDoublePoint begin = WorldEnd(*piece, 0);
        const CDoublePoint end = WorldEnd(*piece, 1);
        record.begin = PlaneAt(begin.x, begin.y, false);
        record.end = PlaneAt(end.x, end.y, true);
        const bool below =
            m_bLevel ? record.begin < 0.0 || record.end < 0.0 : Sinks(record.begin) || Sinks(record.end);
        if (below)
            sinks = 1;
    }
    m_results.insert(m_results.end(), records.begin(), records.end());
    return sinks;
}

bool CElevationDistribution::BeginTouches(const CParTrack& piece, const CParTrack& neighbour) {
    const CDoublePoint begin = WorldEnd(piece, 0);
    return Distance(begin, WorldEnd(neighbour, 0)) < kChainTouch ||
           Distance(begin, WorldEnd(neighbour, 1)) < kChainTouch;
}

// The chain piece at index takes `atJoint` at the end it shares with its neighbour and
// `atOther` at its other end; which end that is, its begin point tells.
void CElevationDistribution::ChainPieceElevations(int index, double atJoint, double atOther,
                                                  int neighbourIndex) {
    ElevationRecord& record = m_objects[static_cast<size_t>(index)];
    auto& piece = *static_cast<CParTrack*>(record.object);
    if (Sinks(atJoint) || Sinks(atOther)) {
        record.begin = piece.m_fBeginElevation;
        record.end = piece.m_fEndElevation;
        m_bSinks = 1;
        return;
    }
    auto& neighbour = *static_cast<CParTrack*>(m_objects[static_cast<size_t>(neighbourIndex)].object);
    const bool beginAtJoint = BeginTouches(piece, neighbour);
    record.begin = beginAtJoint ? atJoint : atOther;
    record.end = beginAtJoint ? atOther : atJoint;
}

int CElevationDistribution::DistributeOnChain(double zBegin, double zEnd) {
    m_bSinks = 0;
    m_chainPieces.clear();
    for (const ElevationRecord& record : m_objects) m_chainPieces.insert(record.object);
    double total = 0.0;
    for (const ElevationRecord& record : m_objects)
        total += static_cast<CParTrack*>(record.object)->m_fLength;
    DistributeChainFrom(total, zBegin, zEnd, static_cast<int>(m_objects.size()) - 1);
    return m_bSinks;
}

// The chain from its last piece back to its first, as a loop rather than a recursion so that
// a chain of thousands of pieces needs no deep stack. Every piece's benchwork test and the
// group steps all add to one sinks flag.
void CElevationDistribution::DistributeChainFrom(double length, double zBegin, double zEnd, int last) {
    m_results.clear();
    if (last < 0)
        return;
    if (last == 0) {
        m_objects[0].begin = zBegin;
        m_objects[0].end = zEnd;
        if (Sinks(zBegin) || Sinks(zEnd)) {
            auto* piece = static_cast<CParTrack*>(m_objects[0].object);
            m_objects[0].begin = piece->m_fBeginElevation;
            m_objects[0].end = piece->m_fEndElevation;
            m_bSinks = 1;
        }
    }
    double z1 = zEnd;
    for (int i = last; i >= 1; --i) {
        const double own = static_cast<CParTrack*>(m_objects[static_cast<size_t>(i)].object)->m_fLength;
        const double zm = zBegin + (z1 - zBegin) / length * (length - own);
        ChainPieceElevations(i, zm, z1, i - 1);
        if (i == 1)
            ChainPieceElevations(0, zm, zBegin, 1);
        length -= own;
        z1 = zm;
    }
    m_results.assign(m_objects.begin(), m_objects.begin() + last + 1);
    if (last >= 1)
        CarryGroupAlong(1);
    CarryGroupAlong(0);
    for (int i = 2; i <= last; ++i) CarryGroupAlong(i);
}

CPaint* CElevationDistribution::GroupAtEditLevel(CPaint* piece) const {
    if (m_pTool == nullptr || m_pTool->m_pHost == nullptr)
        return nullptr;
    CToolHost& host = *m_pTool->m_pHost;
    CPaint* level = host.GetCurrentGroup();
    CPaint* ancestor = nullptr;
    for (CPaint* owner = host.GetOwnerGroup(piece); owner != nullptr && owner != level;
         owner = host.GetOwnerGroup(owner))
        ancestor = owner;
    return ancestor;
}

void CElevationDistribution::CarryGroupAlong(int index) {
    const ElevationRecord chained = m_objects[static_cast<size_t>(index)];
    CPaint* group = GroupAtEditLevel(chained.object);
    if (group == nullptr)
        return;
    auto& piece = *static_cast<CParTrack*>(chained.object);
    const CDoublePoint begin = WorldEnd(piece, 0);
    const CDoublePoint end = WorldEnd(piece, 1);
    SetPlane(end.x, end.y, chained.end, begin.x, begin.y, chained.begin);
    CPaintList found;
    CCVNDoc::CollectObjectsByClass(found, m_pTool->m_pHost->GetGroupMembers(group), FALSE);
    std::vector<ElevationRecord> carried;
    for (CPaint* object : found)
        if (m_chainPieces.count(object) == 0)
            carried.push_back(ElevationRecord{object, 0.0, 0.0});
    if (!carried.empty() && DistributeOnPlane(carried, 0))
        m_bSinks = 1;
}
