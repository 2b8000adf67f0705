#pragma once

#include <functional>

typedef struct _XDisplay Display;

// Lets no X protocol error end the program: Xlib's own handler exits on the first one. An error
// is reported on stderr and the program carries on.
void InstallXErrorReport();
// Reports the errors that came since the last time. An error is read as it comes, often before
// the events that came ahead of it have been handled; those may explain it (IgnoreXErrorsOf).
void ReportXErrors();
// A window another client destroyed (SDL still names it as it lets it go) or a window manager's
// frame (which the manager may destroy at any time): the errors that brings are expected, so they
// go unreported.
void IgnoreXErrorsOf(unsigned long window);
// Runs letGo, which lets go of what SDL held of a window another client destroyed. The errors its
// requests on display bring are expected, whatever they name: a resource SDL made for the window
// after it went (a graphics context) was never made.
void IgnoreXErrorsWhile(Display* display, const std::function<void()>& letGo);
