#pragma once

#include <list>
#include <unordered_set>

#include "platform/base/WinTypes.h"

class CPaint;

// The members of a group, the selection and the other object lists of the editing engine:
// the head is the newest or front-most object.
using CPaintList = std::list<CPaint*>;
// Objects being destroyed together.
using CFreedObjects = std::unordered_set<const CPaint*>;

// A pen as a layout object stores it; the pen is created straight from these values.
struct PenRecord {
    int style = 0;
    int widthX = 0;
    int widthY = 0;
    COLORREF color = 0;

    bool operator==(const PenRecord&) const = default;
};

// A brush as a layout object stores it; the brush is created straight from these values.
struct BrushRecord {
    int style = 0;
    COLORREF color = 0;
    int hatch = 0;

    bool operator==(const BrushRecord&) const = default;
};

// Brush styles and hatches the layout objects use.
constexpr int kBrushSolid = 0;
constexpr int kBrushHatched = 2;
constexpr int kHatchCross = 4;

// A rectangle in device pixels: left, top, right, bottom.
struct DeviceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool IsEmpty() const { return right <= left || bottom <= top; }
    void SetEmpty() { *this = DeviceRect{}; }
    void Normalize();
    // The union of two rectangles; an empty one adds nothing.
    void Unite(const DeviceRect& other);
    void Inflate(int by);
    bool Intersects(const DeviceRect& other) const;

    bool operator==(const DeviceRect&) const = default;
};
