#pragma once

#include "platform/base/CArray.h"

// A growable array of 16 bit values.
class CWordArray : public CArray<WORD, WORD> {};
