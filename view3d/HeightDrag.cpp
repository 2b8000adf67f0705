#include "view3d/HeightDrag.h"

#include <algorithm>
#include <cmath>

#include "drawing/ShapeSupport.h"
#include "model/CTool.h"
#include "model/Geometry.h"

namespace height_drag {

namespace {

constexpr double kTwoPi = 2.0 * 3.1415926535;
constexpr double kQuarterTurn = 1.57079632675;

double DirectionOf(double dx, double dy) {
    const double length = std::hypot(dx, dy);
    if (length == 0.0)
        return 0.0;
    const double angle = std::acos(std::clamp(dx / length, -1.0, 1.0));
    return dy < 0.0 ? kTwoPi - angle : angle;
}

}  // namespace

bool DistanceAlong(CDoublePoint cursor, CDoublePoint grabbed, CDoublePoint reference, double deadZone,
                   double& distance) {
    const double lineAngle = DirectionOf(grabbed.x - reference.x, grabbed.y - reference.y);
    const double r = std::hypot(cursor.x - grabbed.x, cursor.y - grabbed.y);
    if (r <= deadZone)
        return false;
    const double cursorAngle = DirectionOf(cursor.x - grabbed.x, cursor.y - grabbed.y);
    const double lever = std::sin(cursorAngle - lineAngle) * r;
    const double px = cursor.x + lever * std::sin(lineAngle);
    const double py = cursor.y - lever * std::cos(lineAngle);
    double between = std::fabs(lineAngle - cursorAngle);
    if (between > kTwoPi / 2.0)
        between = kTwoPi - between;
    distance = std::hypot(px - grabbed.x, py - grabbed.y);
    if (between > kQuarterTurn)
        distance = -distance;
    return true;
}

double DeadZone(const CTool& tool) {
    return tool.GetHandleTolerance() / 3.0;
}

void ShowHeightHint(CTool& tool, double height, CDoublePoint grabbed, CDoublePoint reference) {
    tool.m_hint.m_strText = "h=" + shape::LengthText(&tool, height);
    tool.m_fHintX = grabbed.x;
    tool.m_fHintY = grabbed.y;
    tool.m_fGuideX = reference.x;
    tool.m_fGuideY = reference.y;
}

}  // namespace height_drag
