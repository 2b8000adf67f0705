#pragma once

#include "platform/base/CArray.h"

// A growable array of byte values.
class CByteArray : public CArray<BYTE, BYTE> {};
