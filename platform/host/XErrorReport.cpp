#include "platform/host/XErrorReport.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {
struct Report {
    std::string text;
    unsigned long resource;
};

std::set<unsigned long>& Ignored() {
    static std::set<unsigned long> windows;
    return windows;
}

std::vector<Report>& Pending() {
    static std::vector<Report> reports;
    return reports;
}

int KeepXError(Display* display, XErrorEvent* error) {
    char text[160] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    char line[320] = {};
    std::snprintf(line, sizeof line, "Corvane: X error ignored: %s (request %d.%d, resource 0x%lx)\n", text,
                  error->request_code, error->minor_code, error->resourceid);
    Pending().push_back({line, error->resourceid});
    return 0;
}
}  // namespace

void InstallXErrorReport() {
    XSetErrorHandler(KeepXError);
}

void ReportXErrors() {
    for (const Report& report : Pending())
        if (!Ignored().count(report.resource))
            std::fputs(report.text.c_str(), stderr);
    Pending().clear();
}

void IgnoreXErrorsOf(unsigned long window) {
    Ignored().insert(window);
}
