#include "track/TransitionBuilder.h"

#include <algorithm>
#include <cmath>

#include "model/Units.h"
#include "resources/StringTable.h"
#include "track/TrackAngles.h"
#include "track/TrackEnds.h"

namespace {

constexpr double kLevel = 0.001;
constexpr double kEqualisedGap = 10.0;
constexpr double kLoopGap = 0.01;
constexpr double kSameLine = 1e-5;
constexpr double kLargestRadius = 30000.0;
constexpr double kLongestStraight = 60000.0;
constexpr double kStartTolerance = 0.005;

struct Line {
    double a, b, c;
};

Line LineThrough(const CDoublePoint& p, double angle) {
    if (std::fabs(std::sin(angle)) < kLevel)
        return Line{0.0, 1.0, -p.y};
    const double b = -std::cos(angle) / std::sin(angle);
    return Line{1.0, b, -b * p.y - p.x};
}

CDoublePoint Along(const CDoublePoint& from, double distance, double angle) {
    return CDoublePoint{from.x + distance * std::cos(angle), from.y + distance * std::sin(angle)};
}

// The foot of the perpendicular from p onto the line through q in the direction.
CDoublePoint Foot(const CDoublePoint& p, const CDoublePoint& q, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    const double t = (p.x - q.x) * c + (p.y - q.y) * s;
    return CDoublePoint{q.x + t * c, q.y + t * s};
}

bool IsAhead(const CDoublePoint& p, const CDoublePoint& i, double angle) {
    return (p.x - i.x) * std::cos(angle) < 0.0 || (p.y - i.y) * std::sin(angle) < 0.0;
}

struct Builder {
    CDoublePoint p1, p2;
    double e1, e2, theta1, theta2;
    Line line1, line2;
    double minimumRadius;
    Transition result;

    CDoublePoint Centre() const {
        return IntersectLines(line1.a, line1.b, line1.c, line2.a, line2.b, line2.c, result.tangent1,
                              result.tangent2);
    }

    // The curve starts at the first tangent point when turning it anticlockwise by the sweep
    // reaches the second.
    void SetStartAngle() {
        const CDoublePoint& c = result.centre;
        const double phi = TrackDirection(result.tangent1.x - c.x, result.tangent1.y - c.y);
        const double psi = std::fabs(result.sweep) + phi;
        const double r = result.radius;
        const bool reaches = std::fabs(r * std::cos(psi) - (result.tangent2.x - c.x)) < kLoopGap &&
                             std::fabs(r * std::sin(psi) - (result.tangent2.y - c.y)) < kLoopGap;
        result.startAngle = (reaches ? theta1 : theta2) - kPi / 2.0;
    }

    void Build(double radius, double sweep) {
        result.radius = radius;
        result.sweep = sweep;
        result.centre = Centre();
        SetStartAngle();
    }

    void Refuse(UINT message) {
        result.refusal = message;
        result.radius = 0.0;
        result.sweep = 0.0;
        result.tangent1 = p1;
        result.tangent2 = p2;
    }

    void Crossing(double determinant) {
        const CDoublePoint i{(line2.c * line1.b - line2.b * line1.c) / determinant,
                             (line2.a * line1.c - line2.c * line1.a) / determinant};
        double delta = theta1 - theta2;
        if (delta > kPi)
            delta -= kFullTurn;
        if (delta < -kPi)
            delta += kFullTurn;
        delta = std::fabs(delta);
        const double t = std::tan(delta / 2.0);
        bool ahead1 = IsAhead(p1, i, theta1);
        bool ahead2 = IsAhead(p2, i, theta2);
        double d1 = Distance(i, p1), d2 = Distance(i, p2);
        if (ahead1 && ahead2) {
            if (std::fabs(d1 - d2) > kEqualisedGap) {
                if (d2 > d1)
                    result.tangent2 = Along(i, -d1, theta2);
                else
                    result.tangent1 = Along(i, -d2, theta1);
            }
            const double r = std::min(d1, d2) * t;
            if (r > minimumRadius) {
                Build(r, kPi - delta);
                return;
            }
            d1 = d2 = MoveToMinimum(i, t);
            ahead1 = ahead2 = false;
        } else if (ahead1) {
            d1 = d2;
            result.tangent1 = Along(i, d2, theta1);
        } else if (ahead2) {
            d2 = d1;
            result.tangent2 = Along(i, d1, theta2);
        }
        Loop(i, t, delta, d1, d2);
    }

    double MoveToMinimum(const CDoublePoint& i, double t) {
        const double reach = minimumRadius / t;
        result.tangent1 = Along(i, reach, theta1);
        result.tangent2 = Along(i, reach, theta2);
        return reach;
    }

    // The new track turns through more than a half circle.
    void Loop(const CDoublePoint& i, double t, double delta, double d1, double d2) {
        if (minimumRadius > std::max(d1, d2) * t)
            d1 = d2 = MoveToMinimum(i, t);
        if (std::fabs(d1 - d2) > kLoopGap) {
            if (d1 < d2)
                result.tangent1 = Along(i, d2, theta1);
            else
                result.tangent2 = Along(i, d1, theta2);
        }
        const double r = std::max(d1, d2) * t;
        if (r >= kLargestRadius) {
            Refuse(IDS_TRANSITION_RADIUS_BEYOND_LIMIT);
            return;
        }
        const double longest = std::max(Distance(result.tangent1, p1), Distance(result.tangent2, p2));
        if (longest >= kLongestStraight) {
            Refuse(IDS_TRANSITION_STRAIGHT_TOO_LONG);
            return;
        }
        Build(r, kPi + delta);
    }

    void Parallel() {
        const double delta = std::fabs(theta1 - theta2);
        if (delta >= 1.0 && delta <= 6.0) {
            const bool sameLine = std::fabs(line1.a - line2.a) < kSameLine &&
                                  std::fabs(line1.b - line2.b) < kSameLine &&
                                  std::fabs(line1.c - line2.c) < kSameLine;
            const bool inFront =
                std::cos(theta2) * (p2.x - p1.x) < 0.0 || (p2.y - p1.y) * std::sin(theta2) < 0.0;
            if (sameLine && inFront)
                result.tangent2 = p1;
            else
                Refuse(IDS_TRANSITION_RADIUS_TOO_LARGE);
            return;
        }
        const CDoublePoint foot = Foot(p1, p2, theta2);
        if ((p2.x - foot.x) * std::cos(theta2) >= 0.0 && (p2.y - foot.y) * std::sin(theta2) >= 0.0)
            result.tangent1 = Foot(p2, p1, theta1);
        else
            result.tangent2 = foot;
        const double h = Distance(result.tangent1, result.tangent2) / 2.0;
        if (h <= minimumRadius) {
            Refuse(IDS_TRANSITION_RADIUS_TOO_SMALL);
            return;
        }
        result.radius = h;
        result.sweep = kPi;
        result.centre = Centre();
        result.startAngle = theta2 - kPi / 2.0;
    }

    void SetElevations() {
        const double l1 = Distance(result.tangent1, p1);
        const double l2 = Distance(result.tangent2, p2);
        if (result.radius == 0.0) {
            result.firstElevation = l2 == 0.0 ? e2 : e1 + (e2 - e1) * l1 / (l1 + l2);
            result.secondElevation = result.firstElevation;
            return;
        }
        const double arc = result.radius * kPi;
        const double first = e1 + (e2 - e1) * l1 / (l1 + arc + l2);
        result.firstElevation = first;
        result.secondElevation = l2 == 0.0 ? e2 : first + (e2 - first) * arc / (l2 + arc);
    }

    void SetOrder() {
        const CDoublePoint start = Along(result.centre, result.radius, result.startAngle);
        result.beginsAtFirst = Distance(start, result.tangent1) < kStartTolerance ? 1 : 0;
    }
};

}  // namespace

// The perpendiculars pass through p and q, so the lines' constants do not enter.
CDoublePoint IntersectLines(double a1, double b1, double, double a2, double b2, double, CDoublePoint p,
                            CDoublePoint q) {
    if (std::fabs(a1 * b2 - a2 * b1) < kLevel)
        return CDoublePoint{(p.x + q.x) / 2.0, (p.y + q.y) / 2.0};
    // Each perpendicular as x = k or y = m x + n.
    auto perpendicular = [](double a, double b, const CDoublePoint& through, bool& vertical, double& m,
                            double& n) {
        vertical = a == 0.0;
        m = vertical ? 0.0 : b / a;
        n = vertical ? through.x : through.y - m * through.x;
    };
    bool vertical1 = false, vertical2 = false;
    double m1 = 0.0, n1 = 0.0, m2 = 0.0, n2 = 0.0;
    perpendicular(a1, b1, p, vertical1, m1, n1);
    perpendicular(a2, b2, q, vertical2, m2, n2);
    if (vertical1)
        return CDoublePoint{n1, m2 * n1 + n2};
    if (vertical2)
        return CDoublePoint{n2, m1 * n2 + n1};
    const double x = (n2 - n1) / (m1 - m2);
    return CDoublePoint{x, m1 * x + n1};
}

Transition BuildTransition(const TrackPickedEnd& first, const TrackPickedEnd& second, double defaultGauge) {
    Builder builder;
    builder.p1 = CDoublePoint{first.x, first.y};
    builder.p2 = CDoublePoint{second.x, second.y};
    builder.e1 = first.elevation;
    builder.e2 = second.elevation;
    builder.theta1 = NormalizeAngle(first.direction - kPi);
    builder.theta2 = NormalizeAngle(second.direction - kPi);
    builder.result.tangent1 = builder.p1;
    builder.result.tangent2 = builder.p2;
    builder.line1 = LineThrough(builder.p1, builder.theta1);
    builder.line2 = LineThrough(builder.p2, builder.theta2);
    const double gauge = std::max({first.gauge, second.gauge, defaultGauge});
    builder.minimumRadius = gauge * kMinimumRadiusPerGauge;
    const double determinant = builder.line2.b * builder.line1.a - builder.line2.a * builder.line1.b;
    if (std::fabs(determinant) < kLevel)
        builder.Parallel();
    else
        builder.Crossing(determinant);
    builder.SetElevations();
    builder.SetOrder();
    return builder.result;
}
