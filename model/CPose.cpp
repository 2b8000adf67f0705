#include "model/CPose.h"

#include "model/CPlacement.h"

#include <cmath>

namespace {

CDoublePoint Rotate(double u, double v, double angle) {
    // Most pieces and groups lie unturned: the cosine and sine of a zero are exact, the sine
    // keeping the zero's sign.
    const double c = angle == 0.0 ? 1.0 : std::cos(angle);
    const double s = angle == 0.0 ? angle : std::sin(angle);
    return {u * c - v * s, u * s + v * c};
}

}  // namespace

void CPose::Copy(const CPose& other) {
    x = other.x;
    y = other.y;
    angle = other.angle;
}

void CPose::Transform(const CPose& parent) {
    const CDoublePoint turned = Rotate(x, y, parent.angle);
    x = turned.x + parent.x;
    y = turned.y + parent.y;
    angle = angle + parent.angle;
}

CPose CPose::ComposedWith(const CPose& parent) const {
    CPose world;
    world.Copy(*this);
    world.Transform(parent);
    return world;
}

CDoublePoint CPose::LocalToWorld(const CPose& parent, double localX, double localY) const {
    return CPlacement(*this, parent).ToWorld(localX, localY);
}

CDoublePoint CPose::WorldToLocal(const CPose& parent, double worldX, double worldY) const {
    const CPose world = ComposedWith(parent);
    return Rotate(worldX - world.x, worldY - world.y, -world.angle);
}

double CPose::LocalToWorldAngle(const CPose& parent, double localAngle) const {
    return NormalizeAngle(localAngle + angle + parent.angle);
}

double CPose::WorldToLocalAngle(const CPose& parent, double worldAngle) const {
    return NormalizeAngle(worldAngle - angle - parent.angle);
}
