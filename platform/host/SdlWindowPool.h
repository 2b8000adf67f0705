#pragma once

#include <vector>

#include "platform/gdi/CRect.h"

struct SDL_Window;

// The SDL windows of the program's top-level windows. A window that goes is hidden and kept for
// the next one of its kind instead of being destroyed: SDL may have chosen its X window as the
// target of a wake-up message sent over a second connection, and a destroyed target turns that
// message into an X error. So no X window dies while the program runs; the pool holds at most as
// many as were ever shown at once.
class SdlWindowPool {
  public:
    SdlWindowPool() = default;
    ~SdlWindowPool();
    SdlWindowPool(const SdlWindowPool&) = delete;
    SdlWindowPool& operator=(const SdlWindowPool&) = delete;

    // A hidden window at rect, reused when one of the kind is spare (nullptr when SDL has none).
    SDL_Window* Take(const CRect& rect, bool popup);
    // Hides window and keeps it for reuse, dropping the window events SDL still holds for it.
    void Give(SDL_Window* window);
    // Destroys every window; called before SDL shuts down.
    void Clear();

  private:
    struct Kept {
        SDL_Window* window;
        bool popup;
        bool spare;
    };
    std::vector<Kept> m_kept;
};
