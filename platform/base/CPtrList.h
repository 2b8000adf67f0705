#pragma once

#include "platform/base/CList.h"

// A list of untyped pointers; it owns nothing.
class CPtrList : public CList<void*, void*> {};
