#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "model/CCVNDoc.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/win/WindowDCs.h"
#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "tests/app/PlanInProgram.h"

// Two plan windows of one layout, the second scrolled and zoomed in or not: whatever is done in
// the first shows in the second at once, as the second painted afresh shows it, and the second
// repaints only where something changed.

namespace {

constexpr COLORREF kMarker = RGB(255, 0, 255);
constexpr std::uint32_t kMarkerPixel = 0xFF00FF;

class PlanWindows : public PlanInProgram {
  protected:
    void SetUp() override {
        PlanInProgram::SetUp();
        first = plan;
        Command(ID_WINDOW_NEW);
        Command(ID_WINDOW_TILE_VERT);
        second = View();
        ASSERT_NE(second, first);
        if (ZoomsSecond())
            second->OnZoomIn();
        second->ScrollToPosition(CPoint(150, -150));
        second->InvalidateAll();
        Main().MDIActivate(first->GetParentFrame());
        host.RunUntilIdle();
        ASSERT_EQ(View(), first);
        ASSERT_NE(second->GetScrollPosition(), CPoint(0, 0));
    }
    virtual bool ZoomsSecond() const { return true; }
    void CheckEveryStepShowsInTheSecondAtOnce();
    // The client area of a view as the screen shows it.
    std::vector<std::uint32_t> Picture(CWnd& view) {
        CRect frame, client;
        Main().GetWindowRect(&frame);
        view.GetClientRect(&client);
        view.ClientToScreen(&client);
        std::vector<std::uint32_t> pixels;
        for (int y = client.top; y < client.bottom; ++y)
            for (int x = client.left; x < client.right; ++x)
                pixels.push_back(Main().Surface()->At(x - frame.left, y - frame.top));
        return pixels;
    }
    // Marks the pixel next to the window's lower right corner; answers its place in a picture.
    size_t Mark(CWnd& view) {
        CRect client;
        view.GetClientRect(&client);
        CClientDC dc(&view);
        dc.SetPixel(client.right - 2, client.bottom - 2, kMarker);
        return static_cast<size_t>(client.bottom - 2) * client.Width() + client.right - 2;
    }
    std::vector<std::uint32_t> PaintedAfresh(CCVNView& view) {
        view.InvalidateAll();
        view.UpdateWindow();
        host.RunUntilIdle();
        return Picture(view);
    }
    void DragInFirst(CPoint from, CPoint to) {
        host.AdvanceClock(1000);
        host.DragClient(first, from, to, 6);
        host.RunUntilIdle();
    }
    CCVNView* first = nullptr;
    CCVNView* second = nullptr;
};

// At one zoom the overlays of a gesture in the first window stay out of the second, where
// nothing would erase them.
class PlanWindowsAtOneZoom : public PlanWindows {
  protected:
    bool ZoomsSecond() const override { return false; }
};

}  // namespace

TEST_F(PlanWindows, WhatIsDoneInOneWindowShowsInTheOtherAtOnce) {
    CheckEveryStepShowsInTheSecondAtOnce();
}

TEST_F(PlanWindowsAtOneZoom, WhatIsDoneInOneWindowShowsInTheOtherAtOnce) {
    CheckEveryStepShowsInTheSecondAtOnce();
}

void PlanWindows::CheckEveryStepShowsInTheSecondAtOnce() {
    CCVNDoc& layout = *ActiveLayout();
    host.WhenModal("Train properties", [](CWnd& dialog) { dialog.SendMessage(WM_COMMAND, IDOK); });
    const struct {
        const char* name;
        std::function<void()> act;
    } steps[] = {
        {"box drawn", [&] { Command(ID_TOOL_BOX), DragInFirst(CPoint(40, 40), CPoint(120, 90)); }},
        {"oval drawn", [&] { Command(ID_TOOL_OVAL), DragInFirst(CPoint(150, 40), CPoint(230, 110)); }},
        {"oval moved", [&] { Command(ID_TOOL_SELECTOR), DragInFirst(CPoint(150, 75), CPoint(170, 150)); }},
        {"band dragged", [&] { DragInFirst(CPoint(30, 200), CPoint(90, 240)); }},
        {"box selected", [&] { DragInFirst(CPoint(40, 65), CPoint(40, 65)); }},
        {"box deleted", [&] { Command(ID_EDIT_DELETE); }},
        {"delete undone", [&] { Command(ID_EDIT_UNDO); }},
        {"polygon finished",
         [&] {
             Command(ID_TOOL_POLYGON);
             ClickOutline(first, {CPoint(60, 160), CPoint(140, 170), CPoint(110, 230)});
         }},
        {"track laid",
         [&] { Command(ID_TOOL_STRAIGHT_TRACK), DragInFirst(CPoint(30, 280), CPoint(220, 280)); }},
        {"train run",
         [&] {
             Command(ID_TOOL_RUN_TEST_TRAIN);
             DragInFirst(CPoint(60, 280), CPoint(60, 280));
             for (int t = 0; t < 400; t += 20) host.AdvanceClock(20);
         }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        const std::vector<std::uint32_t> before = Picture(*second);
        // A mark in a corner of each window, far from every change: only a repaint of the
        // whole window covers it, and the second window is repainted whole only when the first is.
        const size_t markAt = Mark(*first);
        Mark(*second);
        step.act();
        std::vector<std::uint32_t> left = Picture(*second);
        EXPECT_EQ(left[markAt] == kMarkerPixel, Picture(*first)[markAt] == kMarkerPixel);
        left[markAt] = before[markAt];
        const std::vector<std::uint32_t> afresh = PaintedAfresh(*second);
        EXPECT_NE(before, afresh) << "the change lies outside the second window";
        EXPECT_TRUE(left == afresh);
    }
    EXPECT_EQ(layout.m_testTrains.size(), 1u);
}
