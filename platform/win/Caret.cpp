#include "platform/win/Caret.h"

#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/RectRegion.h"
#include "platform/win/CWnd.h"
#include "platform/win/WindowManager.h"

namespace {
constexpr std::uint32_t kInvertMask = 0x00FFFFFF;

void Invert(PixelSurface& surface, const CRect& rect) {
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (surface.Contains(x, y))
                surface.Set(x, y, surface.At(x, y) ^ kInvertMask);
}

unsigned long long Clock() {
    return WindowManager::Instance().Clock();
}
}  // namespace

void Caret::Create(CWnd* owner, CSize size) {
    Destroy();
    m_owner = owner;
    m_size = size;
    m_pos = CPoint();
    m_hideLevel = 1;
}

void Caret::Destroy() {
    Unlight();
    m_owner = nullptr;
    m_hideLevel = 0;
}

BOOL Caret::Show(CWnd* window) {
    if (!m_owner || (window && window != m_owner))
        return FALSE;
    if (m_hideLevel > 0 && --m_hideLevel == 0)
        Restart(Clock());
    return TRUE;
}

BOOL Caret::Hide(CWnd* window) {
    if (!m_owner || (window && window != m_owner))
        return FALSE;
    ++m_hideLevel;
    Unlight();
    return TRUE;
}

void Caret::SetPos(CPoint client, unsigned long long now) {
    if (!m_owner)
        return;
    Unlight();
    m_pos = client;
    if (IsShown())
        Restart(now);
}

// A caret that moves or appears is lit at once, so typing never shows it dark.
void Caret::Restart(unsigned long long now) {
    m_lastBlink = now;
    m_blinkOn = true;
    Light();
}

void Caret::Tick(unsigned long long now) {
    if (!IsShown() || now < m_lastBlink + m_blinkTime)
        return;
    const unsigned long long blinks = (now - m_lastBlink) / m_blinkTime;
    m_lastBlink += blinks * m_blinkTime;
    if (blinks % 2 == 0)
        return;
    m_blinkOn = !m_blinkOn;
    if (m_blinkOn) {
        Light();
    } else {
        Unlight();
    }
}

long long Caret::TimeToNextBlink(unsigned long long now) const {
    if (!IsShown())
        return -1;
    const unsigned long long due = m_lastBlink + m_blinkTime;
    return due > now ? static_cast<long long>(due - now) : 0;
}

void Caret::Lift(const CWnd* topLevel) {
    ++m_liftDepth;
    if (!m_lit.empty() && IsWindow(m_owner) && m_owner->GetTopLevelParent() == topLevel)
        Unlight();
}

void Caret::Restore() {
    if (m_liftDepth > 0 && --m_liftDepth == 0)
        Light();
}

void Caret::Light() {
    if (!IsShown() || !m_blinkOn || m_liftDepth > 0 || !m_lit.empty() || !IsWindow(m_owner))
        return;
    CWnd* top = m_owner->GetTopLevelParent();
    const std::shared_ptr<PixelSurface>& surface = top->Surface();
    if (!surface)
        return;
    CRect topRect;
    top->GetWindowRect(&topRect);
    CPoint origin;
    m_owner->ClientToScreen(&origin);
    const CPoint offset(origin.x - topRect.left, origin.y - topRect.top);
    const RectRegion block(CRect(m_pos, m_size));
    const RectRegion visible = RectRegion::Combine(m_owner->VisibleClientRegion(), block, RGN_AND);
    for (CRect rect : visible.Rects()) {
        rect.OffsetRect(offset);
        Invert(*surface, rect);
        m_lit.push_back(rect);
    }
    m_surface = surface;
    WindowManager::Instance().TopLevelChanged(top);
}

void Caret::Unlight() {
    if (m_lit.empty())
        return;
    if (std::shared_ptr<PixelSurface> surface = m_surface.lock())
        for (const CRect& rect : m_lit) Invert(*surface, rect);
    m_lit.clear();
    if (IsWindow(m_owner))
        WindowManager::Instance().TopLevelChanged(m_owner->GetTopLevelParent());
}
