#include <gtest/gtest.h>

#include <functional>

#include "platform/win/CWnd.h"
#include "platform/win/WindowManager.h"

// The desktop's close request for a window, posted while a dialog that hangs from it runs its
// modal loop: the loop ends first, with the window still there, and the window closes after.

namespace {

class ClosingWnd : public CWnd {
  public:
    std::function<void()> onClose;

  protected:
    void OnClose() override {
        onClose();
        CWnd::OnClose();
    }
};

}  // namespace

TEST(ModalLoopStack, ACloseRequestUnderADialogWaitsUntilTheDialogsLoopHasEnded) {
    WindowManager& manager = WindowManager::Instance();
    for (const bool ownedByChild : {false, true}) {
        manager.Reset();
        ClosingWnd window;
        ASSERT_TRUE(window.Create(nullptr, "Window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300),
                                  nullptr, 0));
        CWnd view;
        ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), &window, 1));
        CWnd dialog;
        ASSERT_TRUE(dialog.Create(nullptr, "Dialog", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                  CRect(50, 50, 250, 200), ownedByChild ? &view : static_cast<CWnd*>(&window),
                                  0));
        int closes = 0;
        bool posted = false;
        bool closedUnderTheLoop = false;
        window.onClose = [&] {
            ++closes;
            closedUnderTheLoop = IsWindow(&dialog) && dialog.InModalLoop();
        };
        manager.SetIdleHandler([&] {
            if (!posted)
                posted = window.PostMessage(WM_CLOSE) != FALSE;
        });
        dialog.RunModalLoop();
        manager.SetIdleHandler(nullptr);
        EXPECT_EQ(closes, 0) << "owned by a child: " << ownedByChild;
        manager.RunUntilIdle();
        EXPECT_EQ(closes, 1) << "owned by a child: " << ownedByChild;
        EXPECT_FALSE(closedUnderTheLoop) << "owned by a child: " << ownedByChild;
        EXPECT_FALSE(IsWindow(&window));
    }
}
