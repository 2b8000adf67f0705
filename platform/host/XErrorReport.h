#pragma once

// Lets no X protocol error end the program: Xlib's own handler exits on the first one. An error
// is reported on stderr and the program carries on.
void InstallXErrorReport();
