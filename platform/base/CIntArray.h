#pragma once

#include "platform/base/CArray.h"

// A growable array of int values, growing by the array's steps.
class CIntArray : public CArray<int, int> {};
