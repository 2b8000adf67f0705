#include "tests/track/LargeLayout.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/Units.h"
#include "track/CCircTrack.h"
#include "track/CTrack.h"

namespace {

constexpr double kStraightLength = 900.0;
constexpr double kRadius = 4000.0;
constexpr double kSweep = kPi / 12.0;
constexpr double kRowStart = 1000.0;

// Where the row has got to and which way it heads.
struct Heading {
    double x = 0.0, y = 0.0;
    double angle = 0.0;
};

// The piece joins the layout as its head member, as a new piece does.
template <class Piece>
Piece* Place(CCVNDoc& doc, Piece* piece) {
    CGroup& root = doc.m_rootGroup;
    root.m_members.push_front(piece);
    piece->SetOwnerGroup(&root);
    const CPose world = root.WorldPose(nullptr);
    piece->SetParentPose(&world);
    return piece;
}

void Straight(CCVNDoc& doc, Heading& at) {
    auto* piece = Place(doc, new CTrack(0, &doc.m_tool, at.x, at.y));
    const double ex = at.x + kStraightLength * std::cos(at.angle);
    const double ey = at.y + kStraightLength * std::sin(at.angle);
    piece->SetEnds(at.x, at.y, ex, ey, 0, 0);
    at.x = ex;
    at.y = ey;
}

// A curve to the left runs anticlockwise from the row's point; one to the right is the
// anticlockwise arc that ends there, so its end end is the one met first.
void Curve(CCVNDoc& doc, Heading& at, bool left) {
    auto* piece = Place(doc, new CCircTrack(0, &doc.m_tool, at.x, at.y));
    const double side = left ? 1.0 : -1.0;
    const double cx = at.x - side * kRadius * std::sin(at.angle);
    const double cy = at.y + side * kRadius * std::cos(at.angle);
    const double toPoint = at.angle - side * kPi * 0.5;
    const double start = left ? toPoint : toPoint - kSweep;
    piece->SetArc(cx, cy, kRadius, start, kSweep, 0, 0);
    const double reached = toPoint + side * kSweep;
    at.x = cx + kRadius * std::cos(reached);
    at.y = cy + kRadius * std::sin(reached);
    at.angle += side * kSweep;
}

CDoublePoint WorldEnd(CParTrack* piece, int end) {
    const CDoublePoint local = piece->GetEndPoint(end);
    return piece->LocalToWorld(local.x, local.y);
}

void MarkConnected(CParTrack* piece, int end) {
    (end == 0 ? piece->m_bBeginConnected : piece->m_bEndConnected) = 1;
}

}  // namespace

void LargeLayout::Build(CCVNDoc& doc, int rows, int piecesPerRow) {
    double right = 0.0;
    for (int row = 0; row < rows; ++row) {
        Heading at{kRowStart, -(kRowStart + row * kRowSpacing), 0.0};
        for (int i = 0; i < piecesPerRow; ++i) {
            // Left, right, right, left: the row comes back to its line.
            const int kind = i % 5;
            const bool left = kind == 1 || kind == 4;
            if (kind == 0)
                Straight(doc, at);
            else
                Curve(doc, at, left);
        }
        right = std::max(right, at.x);
    }
    doc.m_fPageWidth = right + kRowStart;
    doc.m_fPageHeight = kRowStart * 2.0 + rows * kRowSpacing;
    for (CPaint* member : doc.m_rootGroup.m_members) member->ComputeExtent(nullptr);
}

void LargeLayout::MarkMeetingEnds(CCVNDoc& doc) {
    CParTrack* later = nullptr;
    for (CPaint* member : doc.m_rootGroup.m_members) {
        auto* piece = static_cast<CParTrack*>(member);
        if (later != nullptr)
            for (int own = 0; own < 2; ++own)
                for (int other = 0; other < 2; ++other) {
                    const CDoublePoint a = WorldEnd(piece, own);
                    const CDoublePoint b = WorldEnd(later, other);
                    if (std::hypot(a.x - b.x, a.y - b.y) < 1e-3) {
                        MarkConnected(piece, own);
                        MarkConnected(later, other);
                    }
                }
        later = piece;
    }
    for (CPaint* member : doc.m_rootGroup.m_members) {
        member->RebuildShape();
        member->ComputeExtent(nullptr);
    }
}

FileBytes LargeLayout::SavedBytes(CCVNDoc& doc, const std::filesystem::path& path) {
    EXPECT_TRUE(doc.OnSaveDocument(path.c_str()));
    return ReadFileBytes(path);
}
