#pragma once

#include "platform/base/CString.h"

class CArchive;
struct BrushRecord;
struct PenRecord;

// Values read from a file one at a time, and the checks that keep an impossible value out.
int ReadInt(CArchive& ar);
double ReadDouble(CArchive& ar);
CString ReadString(CArchive& ar);
// A pen and a brush as layout objects and the default settings store them; a line width out
// of range takes the default one.
void ReadPen(CArchive& ar, PenRecord& pen);
void ReadBrush(CArchive& ar, BrushRecord& brush);
// The farthest a layout coordinate may lie from the origin, in tenths of a millimetre (100 km).
constexpr double kLargestCoordinate = 1e9;

// A positive finite number, else the fallback.
double PositiveOr(double value, double fallback);
double FiniteOr(double value, double fallback);
// A positive finite number up to the largest, else the fallback.
double PositiveUpToOr(double value, double largest, double fallback);
// A number from least to largest, else the fallback.
double InRangeOr(double value, double least, double largest, double fallback);
// A coordinate brought within the largest distance from the origin; 0 when not finite.
double CoordinateInRange(double value);
// A stored turn in radians that drawing can turn into whole degrees; 0 when not finite. Any
// turn a person can make (up to a million whole turns) is kept exactly, so that a file saves the
// bytes it was read from; a larger one is taken within one whole turn, its sign kept.
double TurnWithinOne(double value);
// An index below count, else the fallback.
int IndexOr(int value, int count, int fallback);
