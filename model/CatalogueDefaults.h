#pragma once

#include "platform/base/CString.h"

// The catalogue texts a new layout object starts with.
CString DefaultCategory();
CString DefaultManufacturer();
CString DefaultType();

// The model scale of a new layout object when no document names one.
inline constexpr const char* kDefaultScaleName = "HO";

// The Caps Lock entry of a keyboard state; its low bit is the lock.
inline constexpr int kCapsLockKey = 20;
