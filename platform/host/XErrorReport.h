#pragma once

// Lets no X protocol error end the program: Xlib's own handler exits on the first one. An error
// is reported on stderr and the program carries on.
void InstallXErrorReport();
// Reports the errors that came since the last time. An error is read as it comes, often before
// the events that came ahead of it have been handled; those may explain it (IgnoreXErrorsOf).
void ReportXErrors();
// A window another client destroyed: SDL still names it as it lets it go, and the errors that
// brings are expected, so they go unreported.
void IgnoreXErrorsOf(unsigned long window);
