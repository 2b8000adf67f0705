#pragma once

#include "platform/base/CArray.h"

// A growable array of unsigned int values.
class CUIntArray : public CArray<UINT, UINT> {};
