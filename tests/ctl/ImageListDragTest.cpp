#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/ctl/CTreeCtrl.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CImageList.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/TopLevelPicture.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"

namespace {
constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr std::uint32_t kRed = 0xFF0000;
const CSize kImage(8, 6);

// A host that writes down which windows it was asked to show again.
class RecordingHost : public HeadlessHost {
  public:
    void TopLevelChanged(CWnd* window) override { changed.push_back(window); }
    std::vector<CWnd*> changed;
};

// Vertical stripes, so that any pixel left behind by the image stands out.
class StripedWnd : public CWnd {
  protected:
    void OnPaint() override {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        for (int x = 0; x < client.right; ++x)
            dc.FillSolidRect(x, 0, 1, client.bottom, (x / 3) % 2 ? RGB(255, 255, 255) : RGB(0, 96, 0));
    }
};

class ImageListDragTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WindowManager::Instance().Reset();
        ASSERT_TRUE(window.CreateEx(0, nullptr, "Drag", WS_POPUP | WS_VISIBLE, CRect(100, 100, 300, 250),
                                    nullptr, 0));
        host.RunUntilIdle();
    }
    void TearDown() override {
        CImageList::EndDrag();
        window.DestroyWindow();
        WindowManager::Instance().Reset();
    }
    // A red image whose left column is transparent.
    void MakeImage(CImageList& images) {
        PixelSurface pixels(kImage.cx, kImage.cy, kRed);
        for (int y = 0; y < kImage.cy; ++y) pixels.Set(0, y, PixelFromColor(kKey));
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateFromSurface(pixels));
        ASSERT_TRUE(images.Create(kImage.cx, kImage.cy, ILC_COLOR24 | ILC_MASK, 1, 1));
        ASSERT_EQ(images.Add(&bitmap, kKey), 0);
    }
    std::uint32_t Shown(CWnd& top, int x, int y) const { return TopLevelPicture(&top)->At(x, y); }
    std::uint32_t Own(CWnd& top, int x, int y) const { return top.Surface()->At(x, y); }
    // Whether the screen shows the red image at corner (its clear column showing the window) and
    // the window's own pixels everywhere else.
    ::testing::AssertionResult ImageOnlyAt(CPoint corner) {
        const CRect image(corner, kImage);
        const std::shared_ptr<const PixelSurface> shown = TopLevelPicture(&window);
        for (int y = 0; y < shown->Height(); ++y)
            for (int x = 0; x < shown->Width(); ++x) {
                const bool red = image.PtInRect(CPoint(x, y)) && x != corner.x;
                const std::uint32_t expected = red ? kRed : Own(window, x, y);
                if (shown->At(x, y) != expected)
                    return ::testing::AssertionFailure() << "pixel " << x << "," << y;
            }
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult NoImage() {
        return TopLevelPicture(&window) == window.Surface()
                   ? ::testing::AssertionSuccess()
                   : ::testing::AssertionFailure() << "something laid over";
    }
    bool HostToldOf(CWnd* top) {
        const bool told = std::find(host.changed.begin(), host.changed.end(), top) != host.changed.end();
        host.changed.clear();
        return told;
    }

    RecordingHost host;
    StripedWnd window;
};
}  // namespace

TEST_F(ImageListDragTest, TheImageFollowsThePointerOverTheWindowAndLeavesNoTrail) {
    CImageList images;
    MakeImage(images);
    EXPECT_FALSE(CImageList::DragEnter(&window, CPoint(40, 30))) << "no drag begun";
    EXPECT_FALSE(images.BeginDrag(1, CPoint(3, 2)));
    ASSERT_TRUE(images.BeginDrag(0, CPoint(3, 2)));
    EXPECT_TRUE(NoImage()) << "begun but not entered";

    host.changed.clear();
    ASSERT_TRUE(CImageList::DragEnter(&window, CPoint(40, 30)));
    EXPECT_TRUE(HostToldOf(&window));
    EXPECT_TRUE(ImageOnlyAt(CPoint(37, 28)));
    // The window's own pixels never hold the image.
    for (int y = 28; y < 34; ++y)
        for (int x = 37; x < 45; ++x) EXPECT_NE(Own(window, x, y), kRed);

    ASSERT_TRUE(CImageList::DragMove(CPoint(120, 90)));
    EXPECT_TRUE(HostToldOf(&window));
    EXPECT_TRUE(ImageOnlyAt(CPoint(117, 88)));

    // The window paints under the image; the image stays on top and the paint under it shows after.
    window.Invalidate();
    host.RunUntilIdle();
    EXPECT_TRUE(ImageOnlyAt(CPoint(117, 88)));
    {
        CClientDC dc(&window);
        dc.FillSolidRect(110, 80, 30, 20, RGB(0, 0, 255));
    }
    EXPECT_TRUE(ImageOnlyAt(CPoint(117, 88)));
    EXPECT_EQ(Shown(window, 117, 90), 0x0000FFu) << "the clear column shows the new paint";

    ASSERT_TRUE(CImageList::DragShowNolock(FALSE));
    EXPECT_TRUE(NoImage());
    ASSERT_TRUE(CImageList::DragShowNolock(TRUE));
    EXPECT_TRUE(ImageOnlyAt(CPoint(117, 88)));

    ASSERT_TRUE(CImageList::DragLeave(&window));
    EXPECT_TRUE(HostToldOf(&window));
    EXPECT_TRUE(NoImage());
    ASSERT_TRUE(CImageList::DragEnter(&window, CPoint(10, 10)));
    EXPECT_TRUE(ImageOnlyAt(CPoint(7, 8)));

    CImageList::EndDrag();
    EXPECT_TRUE(HostToldOf(&window));
    EXPECT_TRUE(NoImage());
    EXPECT_FALSE(CImageList::DragMove(CPoint(50, 50)));
    EXPECT_FALSE(CImageList::DragShowNolock(TRUE));
    EXPECT_TRUE(NoImage());
}

TEST_F(ImageListDragTest, TheImageOutlivesItsListAndLetsGoOfAWindowThatDies) {
    {
        CImageList images;
        MakeImage(images);
        ASSERT_TRUE(images.BeginDrag(0, CPoint(0, 0)));
    }
    ASSERT_TRUE(CImageList::DragEnter(&window, CPoint(20, 20)));
    EXPECT_TRUE(ImageOnlyAt(CPoint(20, 20)));

    window.DestroyWindow();
    StripedWnd other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, "Other", WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
    host.RunUntilIdle();
    EXPECT_EQ(TopLevelPicture(&other), other.Surface()) << "hidden with its lock";

    // Without a lock the point is on the screen, and the image lies over whatever is there.
    ASSERT_TRUE(CImageList::DragShowNolock(TRUE));
    EXPECT_EQ(Shown(other, 21, 20), kRed);
    EXPECT_EQ(Shown(other, 20, 20), Own(other, 20, 20));
    ASSERT_TRUE(CImageList::DragEnter(nullptr, CPoint(45, 45)));
    EXPECT_EQ(Shown(other, 49, 49), kRed);
    EXPECT_EQ(Shown(other, 21, 20), Own(other, 21, 20));
    CImageList::EndDrag();
    other.DestroyWindow();
}

// A tree item's drag image, locked to the tree inside a dialog-like parent, is clipped to the
// tree: past the tree's edge the parent's own pixels show.
TEST_F(ImageListDragTest, ATreeItemsDragImageIsClippedToTheLockedTree) {
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 150, 140), &window, 7));
    tree.InsertItem("Track");
    HTREEITEM item = tree.InsertItem("Scenery and buildings");
    host.RunUntilIdle();
    std::unique_ptr<CImageList> images(tree.CreateDragImage(item));
    ASSERT_TRUE(images);
    const CSize size = images->GetImageSize();
    ASSERT_GT(size.cx, 40);

    // What the image looks like, drawn plainly.
    CBitmap reference;
    reference.CreateBitmap(size.cx, size.cy, 1, 32, nullptr);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&reference);
    images->Draw(&dc, 0, CPoint(0, 0), ILD_NORMAL);
    dc.SelectObject(old);

    ASSERT_TRUE(images->BeginDrag(0, CPoint(5, 5)));
    ASSERT_TRUE(CImageList::DragEnter(&tree, CPoint(120, 40)));
    const CPoint corner(10 + 120 - 5, 10 + 40 - 5);
    const std::shared_ptr<const PixelSurface> shown = TopLevelPicture(&window);
    int inside = 0;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            const int screenX = corner.x + x;
            const bool onTree = screenX < 150;
            inside += onTree ? 1 : 0;
            const std::uint32_t expected =
                onTree ? reference.Surface()->At(x, y) : Own(window, screenX, corner.y + y);
            ASSERT_EQ(shown->At(screenX, corner.y + y), expected) << x << "," << y;
        }
    EXPECT_GT(inside, 0);
    // The label's text is in the image, and so on the screen.
    bool dark = false;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < 150 - corner.x; ++x) dark |= shown->At(corner.x + x, corner.y + y) == 0;
    EXPECT_TRUE(dark);
    CImageList::EndDrag();
    EXPECT_TRUE(NoImage());
}
