#include "platform/host/XErrorReport.h"

#include <X11/Xlib.h>

#include <cstdio>

namespace {
int ReportXError(Display* display, XErrorEvent* error) {
    char text[160] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "Corvane: X error ignored: %s (request %d.%d, resource 0x%lx)\n", text,
                 error->request_code, error->minor_code, error->resourceid);
    return 0;
}
}  // namespace

void InstallXErrorReport() { XSetErrorHandler(ReportXError); }
