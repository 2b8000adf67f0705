#pragma once

#include <string>

// Where the desktop may put the X keyboard away from every window of the program.
enum class XKeyboardAway { kNoWindow, kPointerRoot };

// Gives the X keyboard of the display to no window or to the pointer root, as a desktop may;
// false when the display could not be reached.
bool GiveXKeyboardAway(const std::string& display, XKeyboardAway where);
