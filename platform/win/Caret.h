#pragma once

#include <memory>
#include <vector>

#include "platform/gdi/CRect.h"
#include "platform/win/WinDefs.h"

class PixelSurface;

// The desktop's one caret: a block in its owner's client area, shown by inverting the pixels
// under it and blinking by the window manager's clock. Created hidden; each Hide needs a Show.
// Painting lifts it off the pixels first and puts it back after, so paints never smear it.
class Caret {
  public:
    void Create(CWnd* owner, CSize size);
    void Destroy();
    CWnd* Owner() const { return m_owner; }
    // window: the owner, or null for whoever owns it. FALSE for another window's caret.
    BOOL Show(CWnd* window);
    BOOL Hide(CWnd* window);
    bool IsShown() const { return m_owner && m_hideLevel == 0; }
    // Whether the caret is on the pixels now (shown and in the lit half of its blink).
    bool IsLit() const { return !m_lit.empty(); }
    void SetPos(CPoint client, unsigned long long now);
    CPoint Pos() const { return m_pos; }

    UINT BlinkTime() const { return m_blinkTime; }
    void SetBlinkTime(UINT milliseconds) { m_blinkTime = milliseconds > 0 ? milliseconds : 1; }
    // Blinks as many times as are due by now.
    void Tick(unsigned long long now);
    // Milliseconds to the next blink, or -1 when the caret does not blink.
    long long TimeToNextBlink(unsigned long long now) const;

    // Takes the caret off the pixels of topLevel's surface while it is painted or scrolled;
    // lifts nest, and the last Restore puts the caret back.
    void Lift(const CWnd* topLevel);
    void Restore();

  private:
    void Light();
    void Unlight();
    void Restart(unsigned long long now);

    CWnd* m_owner = nullptr;
    CSize m_size;
    CPoint m_pos;
    int m_hideLevel = 0;
    UINT m_blinkTime = 530;
    bool m_blinkOn = false;
    int m_liftDepth = 0;
    unsigned long long m_lastBlink = 0;
    std::weak_ptr<PixelSurface> m_surface;
    std::vector<CRect> m_lit;  // surface rectangles inverted now
};
