#include "wizard/TurnoutSolvers.h"

#include <cmath>

#include "model/CLengthFormat.h"
#include "model/Units.h"

double OffsetFromRadiusAngle(double radius, double angle) {
    return radius * (1.0 - std::cos(angle));
}

double OffsetFromRadiusLength(double radius, double length) {
    return radius - std::sqrt(radius * radius - length * length);
}

double OffsetFromAngleLength(double angle, double length) {
    return std::tan(angle / 2.0) * length;
}

double AngleFromRadiusOffset(double radius, double offset) {
    return std::acos(1.0 - offset / radius);
}

double AngleFromRadiusLength(double radius, double length) {
    return std::asin(length / radius);
}

double AngleFromOffsetLength(double offset, double length) {
    return 2.0 * std::atan2(offset, length);
}

double LengthFromRadiusAngle(double radius, double angle) {
    return radius * std::sin(angle);
}

double LengthFromRadiusOffset(double radius, double offset) {
    return std::sqrt((2.0 * radius - offset) * offset);
}

double LengthFromAngleOffset(double angle, double offset) {
    return offset / std::tan(angle / 2.0);
}

double RadiusFromAngleOffset(double angle, double offset) {
    return offset / (1.0 - std::cos(angle));
}

double RadiusFromOffsetLength(double offset, double length) {
    return (length * length + offset * offset) / offset * 0.5;
}

double RadiusFromAngleLength(double angle, double length) {
    return length / std::sin(angle);
}

double DegreesToRadians(double degrees) {
    return degrees * kPi / 180.0;
}
