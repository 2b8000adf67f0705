#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/gdi/CPoint.h"
#include "platform/gdi/CRect.h"

class CWnd;
class PixelSurface;

// The desktop's one drag image (CImageList::BeginDrag to EndDrag): a picture that follows the
// pointer over a locked window, or over the screen when no window is locked. It is laid over
// the window's pixels each time they are presented and never drawn into them, so the window
// keeps painting underneath and the picture leaves no trail where it was.
class DragImage {
  public:
    // Told the lock window (null: the screen) whose presented pixels changed.
    using ChangeListener = std::function<void(CWnd* lock)>;

    static DragImage& Instance();

    // A new drag of picture, whose pixel hotSpot sits under the pointer; ends any drag before.
    void Begin(std::shared_ptr<const PixelSurface> picture, std::vector<bool> transparent, CPoint hotSpot);
    bool IsDragging() const { return m_picture != nullptr; }
    // Points are relative to the lock window's upper-left corner (its window rectangle).
    bool Enter(CWnd* lock, CPoint point);
    bool Move(CPoint point);
    bool Show(bool show);
    // Hides the picture and lets go of the lock window.
    bool Leave();
    void End();
    // A window about to die stops being the lock, without anyone being told.
    void Forget(const CWnd* window);

    bool IsShown() const { return IsDragging() && m_shown; }
    CWnd* Lock() const { return m_lock; }
    // Where the picture's upper-left corner is, relative to the lock window's corner.
    CPoint Corner() const { return CPoint(m_point.x - m_hotSpot.x, m_point.y - m_hotSpot.y); }
    // Lays the picture over target with its upper-left corner at `at`, inside clip only.
    void DrawOver(PixelSurface& target, CPoint at, const CRect& clip) const;

    void SetChangeListener(ChangeListener listener) { m_changed = std::move(listener); }

  private:
    DragImage() = default;
    // Runs change with the listener told about the lock before and, when it changed, after.
    void Change(const std::function<void()>& change);

    std::shared_ptr<const PixelSurface> m_picture;
    std::vector<bool> m_transparent;  // row by row
    CPoint m_hotSpot;
    CPoint m_point;
    CWnd* m_lock = nullptr;
    bool m_shown = false;
    ChangeListener m_changed;
};
