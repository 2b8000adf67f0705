#pragma once

#include "track/TrackAngles.h"

// The branch of a turnout leaves the straight through an arc of radius R swept by angle A
// (radians); it gains the offset O sideways over the length L along the straight:
// O = R (1 - cos A) and L = R sin A. Each solver finds one of the four from two others.
double OffsetFromRadiusAngle(double radius, double angle);
double OffsetFromRadiusLength(double radius, double length);
double OffsetFromAngleLength(double angle, double length);
double AngleFromRadiusOffset(double radius, double offset);
double AngleFromRadiusLength(double radius, double length);
double AngleFromOffsetLength(double offset, double length);
double LengthFromRadiusAngle(double radius, double angle);
double LengthFromRadiusOffset(double radius, double offset);
double LengthFromAngleOffset(double angle, double offset);
double RadiusFromAngleOffset(double angle, double offset);
double RadiusFromOffsetLength(double offset, double length);
double RadiusFromAngleLength(double angle, double length);

double DegreesToRadians(double degrees);
