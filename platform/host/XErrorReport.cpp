#include "platform/host/XErrorReport.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {
struct Report {
    std::string text;
    unsigned long resource;
};

// The requests numbered from first to before end on one connection.
struct Requests {
    Display* display;
    unsigned long first;
    unsigned long end;
};

std::set<unsigned long>& Ignored() {
    static std::set<unsigned long> windows;
    return windows;
}

// One span per window let go after another client destroyed it: a handful in a session.
std::vector<Requests>& IgnoredRequests() {
    static std::vector<Requests> requests;
    return requests;
}

std::vector<Report>& Pending() {
    static std::vector<Report> reports;
    return reports;
}

bool Expected(const XErrorEvent& error) {
    return std::any_of(IgnoredRequests().begin(), IgnoredRequests().end(),
                       [&error](const Requests& requests) {
                           return requests.display == error.display && error.serial >= requests.first &&
                                  error.serial < requests.end;
                       });
}

int KeepXError(Display* display, XErrorEvent* error) {
    if (Expected(*error))
        return 0;
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

// The span is open while letGo runs: a request that waits for its reply hears its error then.
void IgnoreXErrorsWhile(Display* display, const std::function<void()>& letGo) {
    if (!display)
        return letGo();
    const std::size_t span = IgnoredRequests().size();
    IgnoredRequests().push_back({display, NextRequest(display), ULONG_MAX});
    letGo();
    IgnoredRequests()[span].end = NextRequest(display);
}
