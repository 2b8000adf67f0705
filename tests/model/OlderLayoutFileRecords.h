#pragma once

#include <string>
#include <vector>

#include "model/Geometry.h"
#include "tests/model/OlderLayoutFileWriter.h"

// Object records of every layout class as a file of the writer's version holds them. Each
// object has a number, and every value in its record is made from that number and the field's
// own, so that a test can tell which field each value was read into.

// Numbers 1 to 99 and fields 0 to 99 give each object and field a value of its own.
constexpr double OlderValue(int number, int field) {
    return number * 1000.0 + field * 10.0 + 0.5;
}
constexpr int OlderInt(int number, int field) {
    return number * 100 + field;
}
// An angle in radians, below a quarter turn.
constexpr double OlderAngle(int number, int field) {
    return 0.1 + 0.01 * field + 0.0001 * number;
}
// Point i of an object's point array, and of its record where the record repeats it.
constexpr CDoublePoint OlderPoint(int number, int index) {
    return {OlderValue(number, 50 + index), -OlderValue(number, 70 + index)};
}
// The two local corner points of the common part: a box around the origin.
constexpr CDoublePoint OlderCornerA(int number) {
    return {-OlderValue(number, 1), -OlderValue(number, 2)};
}
constexpr CDoublePoint OlderCornerB(int number) {
    return {OlderValue(number, 3), OlderValue(number, 4)};
}
std::string OlderName(int number);
// The layer 1 to 7 of an object.
constexpr int OlderLayer(int number) {
    return number % 7 + 1;
}

// How many points the point array of an object of the class holds in a file of the version:
// before version 7 the classes that repeat outline points in their records hold two points of
// their own (points 10 and 11), not yet the outline.
int OlderPointCount(const std::string& className, int version);
// What the point array of an object holds: its points, or none at all.
enum class OlderPoints { kHeld, kNone };
// The class's whole object record. CGroup holds one CLine numbered 100 + number.
void WriteOlderObject(OlderLayoutFileWriter& out, const std::string& className, int number,
                      OlderPoints points = OlderPoints::kHeld);
// The common part with the given point array.
void WriteOlderCommonPart(OlderLayoutFileWriter& out, int number, const std::vector<CDoublePoint>& points);
// The default track's record as "DefTrack.Dat" holds it: the common part and the track part.
void WriteOlderTrackRecord(OlderLayoutFileWriter& out, int number);

// The classes that have a record, in the order of the class table.
const std::vector<std::string>& OlderRecordClasses();
