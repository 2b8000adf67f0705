#include "track/ParallelGeometry.h"

#include <cmath>

#include "model/Units.h"
#include "model/EllipsePolarForm.h"
#include "track/TrackAngles.h"

namespace {

constexpr double kThird = 0.3333333333333333;
constexpr int kDivisionsPerHalfTurn = 32;

double ReduceOnce(double angle) {
    return angle > kFullTurn ? angle - kFullTurn : angle;
}

// Inserts the axis angle between neighbours that enclose it; `wrapped` also takes a pair
// whose second angle is smaller (the list passed 2 pi).
void InsertAxis(std::vector<double>& angles, double axis, bool wrapped) {
    for (size_t i = 0; i + 1 < angles.size(); ++i) {
        const double a = angles[i], b = angles[i + 1];
        const bool encloses = wrapped ? b < a : a < axis && b > axis;
        if (encloses) {
            angles.insert(angles.begin() + static_cast<std::ptrdiff_t>(i) + 1, axis);
            ++i;
        }
    }
}

// The direction of a segment as the offset takes it: straight down for a zero x difference
// with no rise, straight up otherwise.
double SegmentDirection(const CDoublePoint& from, const CDoublePoint& to) {
    return PolarAngle(to.x - from.x, to.y - from.y);
}

}  // namespace

std::vector<double> DivideArcAngles(double start, double sweep, double rx, double ry) {
    const double end = start + sweep;
    const int n = static_cast<int>(sweep / kPi * kDivisionsPerHalfTurn);
    std::vector<double> angles{start};
    if (n >= 2) {
        // n angles evenly spaced: the last one before the end lies a whole step before it, so
        // the test leaves half a step for rounding.
        const double step = sweep / (n - 1);
        for (int k = 1; start + k * step < end - step / 2.0; ++k)
            angles.push_back(ReduceOnce(start + k * step));
    }
    angles.push_back(ReduceOnce(end));
    if (rx > 2.0 * ry) {
        InsertAxis(angles, 0.0, true);
        InsertAxis(angles, kPi, false);
    } else if (ry > 2.0 * rx) {
        InsertAxis(angles, kPi * 0.5, false);
        InsertAxis(angles, kPi * 1.5, false);
    }
    return angles;
}

double EllipseNormal(double rx, double ry, const CDoublePoint& point) {
    const double across = rx * rx * point.y;
    const double along = ry * ry * point.x;
    double psi = along == 0.0 ? (across <= 0.0 ? kPi * -0.5 : kPi * 0.5) : std::atan2(across, along);
    if (psi < 0.0)
        psi += kFullTurn;
    return psi;
}

CDoublePoint OffsetEllipsePoint(double angle, double rx, double ry, double s) {
    const CDoublePoint p = EllipsePolarPoint(angle, rx, ry);
    const double normal = EllipseNormal(rx, ry, p);
    return {p.x + s * std::cos(normal), p.y + s * std::sin(normal)};
}

std::vector<CDoublePoint> OffsetEllipseControlPoints(const std::vector<double>& angles, double rx, double ry,
                                                     double s) {
    const size_t k = angles.size();
    std::vector<CDoublePoint> knots(k);
    std::vector<double> normals(k);
    for (size_t j = 0; j < k; ++j) {
        normals[j] = EllipseNormal(rx, ry, EllipsePolarPoint(angles[j], rx, ry));
        knots[j] = OffsetEllipsePoint(angles[j], rx, ry, s);
    }
    std::vector<CDoublePoint> control;
    if (k < 2)
        return control;
    for (size_t j = 0; j < k; ++j) {
        const CDoublePoint& q = knots[j];
        const CDoublePoint& previous = j == 0 ? knots[1] : knots[j - 1];
        const double handle = std::hypot(q.x - previous.x, q.y - previous.y) * kThird;
        const double c = std::cos(normals[j]), sn = std::sin(normals[j]);
        if (j > 0)
            control.push_back(CDoublePoint{q.x + handle * sn, q.y - handle * c});
        control.push_back(q);
        if (j + 1 < k)
            control.push_back(CDoublePoint{q.x - handle * sn, q.y + handle * c});
    }
    return control;
}

std::vector<CDoublePoint> OffsetControlPolygon(const std::vector<CDoublePoint>& points, double s) {
    const int m = static_cast<int>(points.size());
    std::vector<double> directions(points.size(), 0.0);
    if (m < 2)
        return points;
    directions[0] = directions[1] = SegmentDirection(points[0], points[1]);
    for (int joint = 3; joint < m - 3; joint += 3) {
        const double a =
            SegmentDirection(points[static_cast<size_t>(joint - 1)], points[static_cast<size_t>(joint)]);
        for (int i = joint - 1; i <= joint + 1; ++i) directions[static_cast<size_t>(i)] = a;
    }
    directions[static_cast<size_t>(m - 2)] = directions[static_cast<size_t>(m - 1)] =
        SegmentDirection(points[static_cast<size_t>(m - 2)], points[static_cast<size_t>(m - 1)]);
    std::vector<CDoublePoint> moved(points.size());
    for (size_t i = 0; i < points.size(); ++i)
        moved[i] = CDoublePoint{points[i].x + s * std::sin(directions[i]),
                                points[i].y - s * std::cos(directions[i])};
    return moved;
}
