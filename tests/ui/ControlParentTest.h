#pragma once

#include <gtest/gtest.h>

#include "platform/gdi/PixelSurface.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/CWnd.h"
#include "platform/win/WindowManager.h"

// A top-level window on the headless screen holding the controls under test.
class ControlParentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WindowManager::Instance().Reset();
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "Controls", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300),
                                    nullptr, 0));
    }
    void TearDown() override {
        parent.DestroyWindow();
        WindowManager::Instance().Reset();
    }
    // The colour of a client pixel of a control, once everything due is painted.
    COLORREF PixelOf(CWnd& window, CPoint client) {
        host.RunUntilIdle();
        window.ClientToScreen(&client);
        return ColorFromPixel(parent.Surface()->At(client.x, client.y));
    }

    HeadlessHost host;
    CWnd parent;
};
