#include <gtest/gtest.h>

#include "platform/gdi/CDC.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/win/CWnd.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"

namespace {

// A pane that paints its whole client area in one colour, as a view fills its window.
class FilledPane : public CWnd {
    DECLARE_MESSAGE_MAP()
  public:
    explicit FilledPane(COLORREF fill) : m_fill(fill) {}

  protected:
    void OnPaint() override {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, m_fill);
    }

  private:
    COLORREF m_fill;
};

BEGIN_MESSAGE_MAP(FilledPane, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

// A bordered child window with a pane over its whole client area, as a document window holds its view.
struct PaneFrame {
    explicit PaneFrame(COLORREF fill) : pane(fill) {}
    bool Create(CWnd* parent, const CRect& place) {
        if (!frame.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, place, parent, 0))
            return false;
        CRect client;
        frame.GetClientRect(&client);
        return pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, client, &frame, 1) != FALSE;
    }
    CWnd frame;
    FilledPane pane;
};

constexpr COLORREF kPlan = RGB(255, 255, 0);
constexpr COLORREF kPicture = RGB(0, 0, 128);
constexpr COLORREF kDrive = RGB(255, 0, 0);

class OverlappingWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        WindowManager::Instance().Reset();
        ASSERT_TRUE(
            top.Create(nullptr, "Top", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
        // The second window opens above the first, overlapping it.
        ASSERT_TRUE(plan.Create(&top, CRect(10, 10, 160, 110)));
        ASSERT_TRUE(picture.Create(&top, CRect(60, 50, 210, 150)));
        WindowManager::Instance().PaintAll();
    }
    std::uint32_t PixelAt(CPoint point) const { return top.Surface()->At(point.x, point.y); }

    const CPoint kShared{100, 80};
    const CPoint kPlanOnly{30, 30};
    const CPoint kPictureOnly{190, 130};
    CWnd top;
    PaneFrame plan{kPlan};
    PaneFrame picture{kPicture};
};

}  // namespace

TEST_F(OverlappingWindows, ARaisedWindowPaintsOverTheOneBelowWhichThenDrawsOnlyWhereItShows) {
    EXPECT_EQ(PixelAt(kShared), PixelFromColor(kPicture));
    EXPECT_EQ(PixelAt(kPlanOnly), PixelFromColor(kPlan));

    plan.frame.BringWindowToTop();
    WindowManager::Instance().PaintAll();
    EXPECT_EQ(PixelAt(kShared), PixelFromColor(kPlan));
    EXPECT_EQ(PixelAt(kPictureOnly), PixelFromColor(kPicture));

    // The window below draws its whole client outside a paint cycle, as a running camera does.
    {
        CClientDC dc(&picture.pane);
        CRect client;
        picture.pane.GetClientRect(&client);
        dc.FillSolidRect(&client, kDrive);
    }
    EXPECT_EQ(PixelAt(kShared), PixelFromColor(kPlan));
    EXPECT_EQ(PixelAt(kPictureOnly), PixelFromColor(kDrive));

    // Hidden, the window above uncovers the one below; shown again, it paints over it, pane and all.
    plan.frame.ShowWindow(SW_HIDE);
    WindowManager::Instance().PaintAll();
    EXPECT_EQ(PixelAt(kShared), PixelFromColor(kPicture));
    plan.frame.ShowWindow(SW_SHOW);
    WindowManager::Instance().PaintAll();
    EXPECT_EQ(PixelAt(kShared), PixelFromColor(kPlan));
    EXPECT_EQ(PixelAt(kPlanOnly), PixelFromColor(kPlan));
}

TEST_F(OverlappingWindows, AMovedWindowTakesItsPaneAlongAndStaysUnderTheOneAbove) {
    const std::uint32_t bare = PixelAt(CPoint(290, 190));
    plan.frame.MoveWindow(20, 70, 150, 100);
    WindowManager::Instance().PaintAll();
    EXPECT_EQ(PixelAt(CPoint(25, 160)), PixelFromColor(kPlan));
    EXPECT_EQ(PixelAt(kPlanOnly), bare);
    EXPECT_EQ(PixelAt(CPoint(100, 120)), PixelFromColor(kPicture));
}

TEST_F(OverlappingWindows, AWindowSentToTheBottomIsPaintedOverByTheOneItCovered) {
    picture.frame.SetWindowPos(HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    WindowManager::Instance().PaintAll();
    EXPECT_EQ(PixelAt(kShared), PixelFromColor(kPlan));
    EXPECT_EQ(PixelAt(kPictureOnly), PixelFromColor(kPicture));
}
