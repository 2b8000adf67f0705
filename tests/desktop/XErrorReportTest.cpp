#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include "platform/host/XErrorReport.h"
#include "tests/desktop/DesktopSession.h"

TEST(XErrorReport, AnXErrorIsReportedOnStderrAndTheProgramCarriesOn) {
    DesktopSession session;
    if (!session.Unavailable().empty()) GTEST_SKIP() << session.Unavailable();
    InstallXErrorReport();
    Display* display = XOpenDisplay(session.DisplayName().c_str());
    ASSERT_NE(display, nullptr);
    testing::internal::CaptureStderr();
    // A window that never was: Xlib's own handler would end the process here.
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, 0x1fffffff, &attributes);
    // A window another client destroyed: the errors about it are expected.
    IgnoreXErrorsOf(0x1ffffffe);
    XGetWindowAttributes(display, 0x1ffffffe, &attributes);
    // Letting go of a destroyed window: what its requests name may never have been made.
    IgnoreXErrorsWhile(display, [&] { XGetWindowAttributes(display, 0x1ffffffd, &attributes); });
    XSync(display, False);
    ReportXErrors();
    const std::string reported = testing::internal::GetCapturedStderr();
    XCloseDisplay(display);
    EXPECT_NE(reported.find("Corvane: X error ignored: BadWindow"), std::string::npos) << reported;
    EXPECT_NE(reported.find("resource 0x1fffffff)"), std::string::npos) << reported;
    EXPECT_EQ(reported.find("resource 0x1ffffffe)"), std::string::npos) << reported;
    EXPECT_EQ(reported.find("resource 0x1ffffffd)"), std::string::npos) << reported;
}
