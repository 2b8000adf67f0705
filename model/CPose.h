#pragma once

#include "model/Geometry.h"
#include "platform/base/CObject.h"

// Where a local frame lies: its origin and its rotation in radians, counter-clockwise with
// y up. Embedded by value in layout objects; it has no class record and stores nothing of
// its own (its owner writes the three numbers).
class CPose : public CObject {
  public:
    double x = 0.0;
    double y = 0.0;
    double angle = 0.0;  // never normalised by composition

    CPose() = default;
    CPose(double originX, double originY, double rotation) : x(originX), y(originY), angle(rotation) {}

    void Serialize(CArchive&) override {}

    void Copy(const CPose& other);
    // Whether the other placement has exactly the same origin and rotation.
    bool SameAs(const CPose& other) const { return x == other.x && y == other.y && angle == other.angle; }
    // Composes this placement with the parent's: turns the origin by the parent's angle, adds
    // the parent's origin and adds the angles.
    void Transform(const CPose& parent);
    // This placement composed onto the parent, as a new placement.
    CPose ComposedWith(const CPose& parent) const;

    // Conversions of a layout object whose own placement is this one, through the given
    // parent placement.
    CDoublePoint LocalToWorld(const CPose& parent, double localX, double localY) const;
    CDoublePoint WorldToLocal(const CPose& parent, double worldX, double worldY) const;
    double LocalToWorldAngle(const CPose& parent, double localAngle) const;
    double WorldToLocalAngle(const CPose& parent, double worldAngle) const;
};
