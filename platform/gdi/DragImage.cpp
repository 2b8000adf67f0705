#include "platform/gdi/DragImage.h"

#include "platform/gdi/PixelSurface.h"

DragImage& DragImage::Instance() {
    static DragImage image;
    return image;
}

void DragImage::Change(const std::function<void()>& change) {
    CWnd* before = m_lock;
    const bool wasShown = IsShown();
    change();
    if (!m_changed)
        return;
    if (wasShown)
        m_changed(before);
    if (IsShown() && (!wasShown || m_lock != before))
        m_changed(m_lock);
}

void DragImage::Begin(std::shared_ptr<const PixelSurface> picture, std::vector<bool> transparent,
                      CPoint hotSpot) {
    End();
    if (!picture || transparent.size() != static_cast<std::size_t>(picture->Width()) * picture->Height())
        return;
    m_picture = std::move(picture);
    m_transparent = std::move(transparent);
    m_hotSpot = hotSpot;
}

bool DragImage::Enter(CWnd* lock, CPoint point) {
    if (!IsDragging())
        return false;
    Change([&] {
        m_lock = lock;
        m_point = point;
        m_shown = true;
    });
    return true;
}

bool DragImage::Move(CPoint point) {
    if (!IsDragging())
        return false;
    if (point == m_point)
        return true;
    Change([&] { m_point = point; });
    return true;
}

bool DragImage::Show(bool show) {
    if (!IsDragging())
        return false;
    Change([&] { m_shown = show; });
    return true;
}

bool DragImage::Leave() {
    if (!IsDragging())
        return false;
    Change([&] {
        m_shown = false;
        m_lock = nullptr;
    });
    return true;
}

void DragImage::End() {
    Change([&] {
        m_picture.reset();
        m_transparent.clear();
        m_shown = false;
        m_lock = nullptr;
    });
}

void DragImage::Forget(const CWnd* window) {
    if (window && window == m_lock) {
        m_lock = nullptr;
        m_shown = false;
    }
}

void DragImage::DrawOver(PixelSurface& target, CPoint at, const CRect& clip) const {
    if (!m_picture)
        return;
    const int width = m_picture->Width();
    for (int y = 0; y < m_picture->Height(); ++y)
        for (int x = 0; x < width; ++x) {
            const CPoint spot(at.x + x, at.y + y);
            if (!m_transparent[static_cast<std::size_t>(y) * width + x] && clip.PtInRect(spot) &&
                target.Contains(spot.x, spot.y))
                target.Set(spot.x, spot.y, m_picture->At(x, y));
        }
}
