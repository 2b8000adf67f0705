#pragma once

#include "platform/base/CArray.h"

// A growable array of 32 bit values.
class CDWordArray : public CArray<DWORD, DWORD> {};
