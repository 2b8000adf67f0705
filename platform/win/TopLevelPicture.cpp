#include "platform/win/TopLevelPicture.h"

#include <algorithm>

#include "platform/gdi/DragImage.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/win/CWnd.h"
#include "platform/win/WindowManager.h"

namespace {
// The screen rectangle the drag image may cover on topLevel; empty when it is not shown there.
CRect DragArea(const CWnd* topLevel) {
    const DragImage& drag = DragImage::Instance();
    if (!drag.IsShown())
        return CRect();
    CRect area;
    topLevel->GetWindowRect(&area);
    if (CWnd* lock = drag.Lock()) {
        if (!IsWindow(lock) || lock->GetTopLevelParent() != topLevel)
            return CRect();
        CRect lockRect;
        lock->GetWindowRect(&lockRect);
        area.IntersectRect(&area, &lockRect);
    }
    return area;
}

// The picture made for the last present is used again for the next while no one else holds
// it, so that each move of the drag image only copies the window's pixels, without a new
// picture to make and clear first.
std::shared_ptr<PixelSurface>& LastPicture() {
    static std::shared_ptr<PixelSurface> last;
    return last;
}

std::shared_ptr<PixelSurface> CopyOf(const PixelSurface& pixels) {
    std::shared_ptr<PixelSurface>& last = LastPicture();
    if (!last || last.use_count() > 1 || last->Width() != pixels.Width() || last->Height() != pixels.Height())
        last = std::make_shared<PixelSurface>(pixels.Width(), pixels.Height());
    std::copy(pixels.Row(0), pixels.Row(0) + static_cast<std::size_t>(pixels.Width()) * pixels.Height(),
              last->Data());
    return last;
}
}  // namespace

std::shared_ptr<const PixelSurface> TopLevelPicture(const CWnd* topLevel) {
    if (!WindowManager::Instance().IsAlive(topLevel) || !topLevel->Surface())
        return nullptr;
    if (!DragImage::Instance().IsShown())
        LastPicture().reset();
    const CRect area = DragArea(topLevel);
    if (area.IsRectEmpty())
        return topLevel->Surface();
    CRect windowRect;
    topLevel->GetWindowRect(&windowRect);
    // The image's corner is relative to the lock window's corner, or to the screen's.
    CPoint origin;
    if (CWnd* lock = DragImage::Instance().Lock()) {
        CRect lockRect;
        lock->GetWindowRect(&lockRect);
        origin = lockRect.TopLeft();
    }
    const CPoint corner = DragImage::Instance().Corner();
    const CPoint at(origin.x + corner.x - windowRect.left, origin.y + corner.y - windowRect.top);
    CRect clip = area;
    clip.OffsetRect(-windowRect.left, -windowRect.top);
    std::shared_ptr<PixelSurface> picture = CopyOf(*topLevel->Surface());
    DragImage::Instance().DrawOver(*picture, at, clip);
    return picture;
}
