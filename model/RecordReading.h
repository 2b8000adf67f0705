#pragma once

#include "platform/base/CString.h"

class CArchive;

// Values read from a file one at a time, and the checks that keep an impossible value out.
int ReadInt(CArchive& ar);
double ReadDouble(CArchive& ar);
CString ReadString(CArchive& ar);
// A positive finite number, else the fallback.
double PositiveOr(double value, double fallback);
double FiniteOr(double value, double fallback);
// An index below count, else the fallback.
int IndexOr(int value, int count, int fallback);
