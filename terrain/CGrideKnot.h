#pragma once

#include "platform/base/CIntArray.h"
#include "platform/base/CObject.h"

// One height knot of a terrain: its plan position in grid units (an interior knot lies on a
// whole column and row), its height in plan units and the knots it is linked to, in the order
// the links were made.
class CGrideKnot : public CObject {
    DECLARE_SERIAL(CGrideKnot)

  public:
    CGrideKnot() = default;
    CGrideKnot(float x, float y, float z) : x(x), y(y), z(z) {}

    int LinkCount() const { return links.GetSize(); }
    bool IsLinkedTo(int index) const;
    void RemoveLink(int index);

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    CIntArray links;
};
