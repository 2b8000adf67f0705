#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/PixelSurface.h"
#include "platform/win/WindowDCs.h"
#include "tests/app/EveryClassLayout.h"

// A band dragged in the plan window selects what it encloses and what it touches, of every
// class a layout stores, at the starting zoom and zoomed in; Shift adds to the selection; and
// the band's dotted frame is painted while it is dragged.

namespace {

constexpr int kMargin = 12;
constexpr std::uint32_t kBandPixel = PixelFromColor(0xC9AD0E);

class BandSelection : public EveryClassLayout {
  protected:
    // The object's extent in the plan window's client pixels.
    CRect ClientExtent(const CPaint& object) {
        CClientDC dc(View());
        View()->OnPrepareDC(&dc);
        const CTool& tool = Layout().m_tool;
        CPoint corners[2] = {tool.LayoutToDevice(object.m_fMinX, object.m_fMinY, 0),
                             tool.LayoutToDevice(object.m_fMaxX, object.m_fMaxY, 0)};
        dc.LPtoDP(corners, 2);
        CRect extent(corners[0], corners[1]);
        extent.NormalizeRect();
        return extent;
    }
    // Scrolls the object into the window, clear of its edges.
    CRect ShownExtent(const CPaint& object) {
        CRect client;
        View()->GetClientRect(&client);
        const CRect extent = ClientExtent(object);
        client.DeflateRect(3 * kMargin, 3 * kMargin);
        if (extent.left < client.left || extent.top < client.top || extent.right > client.right ||
            extent.bottom > client.bottom) {
            View()->OnScrollBy(CSize(extent.left - client.left, extent.top - client.top));
            host.RunUntilIdle();
        }
        return ClientExtent(object);
    }
    // Drags a band from one corner to the other; the frame is looked at before the release.
    void DragBand(CPoint from, CPoint to, bool shift = false) {
        if (shift)
            host.KeyDown(VK_SHIFT);
        host.AdvanceClock(1000);
        CPoint screenFrom = from, screenTo = to;
        View()->ClientToScreen(&screenFrom);
        View()->ClientToScreen(&screenTo);
        host.MouseDown(screenFrom);
        host.MouseMove(CPoint((screenFrom.x + screenTo.x) / 2, (screenFrom.y + screenTo.y) / 2));
        host.MouseMove(screenTo);
        EXPECT_GT(BandPixelsAlongTop(from, to), (to.x - from.x) / 4) << "no band frame painted";
        host.MouseUp(screenTo);
        if (shift)
            host.KeyUp(VK_SHIFT);
    }
    // Band-coloured pixels on the band's upper edge, within one pixel of it.
    int BandPixelsAlongTop(CPoint from, CPoint to) {
        CPoint origin(0, 0);
        View()->ClientToScreen(&origin);
        CRect frame;
        Main().GetWindowRect(&frame);
        const PixelSurface& pixels = *Main().Surface();
        int count = 0;
        for (int x = std::min(from.x, to.x); x <= std::max(from.x, to.x); ++x)
            for (int dy = -1; dy <= 1; ++dy) {
                const int sx = origin.x + x - frame.left,
                          sy = origin.y + std::min(from.y, to.y) + dy - frame.top;
                if (pixels.Contains(sx, sy) && pixels.At(sx, sy) == kBandPixel) {
                    ++count;
                    break;
                }
            }
        return count;
    }
    std::vector<CPaint*> Selected() {
        std::vector<CPaint*> selected;
        for (CPaint* member : Members())
            if (member->IsSelected())
                selected.push_back(member);
        return selected;
    }
    void SelectByBand(const CRect& band, bool shift = false) {
        if (!shift)
            Layout().m_tool.DeselectAll(0, 0);
        DragBand(band.TopLeft(), band.BottomRight(), shift);
    }
    // The band selects the object, and nothing whose extent lies wholly outside it.
    void ExpectSelectedBy(const CRect& band, CPaint* object) {
        EXPECT_TRUE(object->IsSelected());
        for (CPaint* selected : Selected()) {
            // A side lying on the band's edge meets it.
            CRect extent = ClientExtent(*selected), meeting;
            extent.InflateRect(1, 1);
            EXPECT_TRUE(meeting.IntersectRect(extent, band)) << selected->GetClassName().c_str();
        }
    }
    // Every object by a band around it, by one over its left half, and with Shift added to the
    // object before it.
    void ExpectEveryObjectSelectedByBands(const char* zoom) {
        SCOPED_TRACE(zoom);
        const std::vector<CPaint*> objects(Members().begin(), Members().end());
        CPaint* previous = nullptr;
        for (CPaint* object : objects) {
            SCOPED_TRACE(object->GetClassName().c_str());
            CRect around = ShownExtent(*object);
            around.InflateRect(kMargin, kMargin);
            SelectByBand(around);
            ExpectSelectedBy(around, object);
            CRect leftHalf = around;
            leftHalf.right = (around.left + around.right) / 2;
            SelectByBand(leftHalf);
            ExpectSelectedBy(leftHalf, object);
            if (previous != nullptr) {
                CRect aroundPrevious = ShownExtent(*previous);
                aroundPrevious.InflateRect(kMargin, kMargin);
                SelectByBand(aroundPrevious, true);
                EXPECT_TRUE(previous->IsSelected() && object->IsSelected()) << "Shift added";
            }
            previous = object;
        }
    }
};

}  // namespace

TEST_F(BandSelection, SelectsWhatItEnclosesOrTouchesOfEveryClassAtEveryZoom) {
    BuildEveryClass();
    ASSERT_EQ(ClassesAtPlan(), kStoredClasses);
    Command(ID_TOOL_SELECTOR);
    ExpectEveryObjectSelectedByBands("starting zoom");
    Command(ID_ZOOM_IN);
    ExpectEveryObjectSelectedByBands("zoomed in once");
    Command(ID_ZOOM_IN);
    ExpectEveryObjectSelectedByBands("zoomed in twice");
}
