#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/gdi/PixelSurface.h"
#include "platform/host/SdlHost.h"
#include "platform/win/CWnd.h"
#include "platform/win/WindowDCs.h"

namespace {
// Paints once, then ends the program from its first timer tick.
class QuittingWindow : public CWnd {
public:
    int paints = 0;

protected:
    void OnPaint() override {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, RGB(0, 128, 0));
        ++paints;
    }
    void OnTimer(UINT_PTR) override { PostQuitMessage(7); }
};
}  // namespace

TEST(SdlHost, RunsTheLoopOnAVirtualDesktopUntilTheProgramQuits) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    WindowManager::Instance().Reset();
    SdlHost host;
    if (!host.Opened()) GTEST_SKIP() << "SDL has no dummy video driver here";
    QuittingWindow window;
    ASSERT_TRUE(window.Create(nullptr, "Corvane", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 210, 160), nullptr, 0));
    window.SetTimer(1, 10);
    EXPECT_EQ(host.Run(), 7);
    EXPECT_GE(window.paints, 1);
    EXPECT_EQ(window.Surface()->At(100, 80), 0x008000u);
    window.DestroyWindow();
    WindowManager::Instance().ClearQuit();
}
