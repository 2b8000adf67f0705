#pragma once

#include "platform/base/CArray.h"

// A growable array of untyped pointers; it owns nothing.
class CPtrArray : public CArray<void*, void*> {};
