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
    // What SDL holds of a reused window, said while it was put away, is dropped.
    SDL_Window* Take(const CRect& rect, bool popup);
    // Hides window and keeps it for reuse, dropping the window events SDL still holds for it.
    void Give(SDL_Window* window);
    // Destroys every window; called before SDL shuts down.
    void Clear();

    // Another client destroyed the X window of one of ours: it is neither shown, hidden nor
    // used again (SDL would wait for ever for the desktop to say it was). Called as SDL reads
    // the news, before the program hears of it.
    void MarkDestroyed(unsigned long xWindow);
    bool Destroyed(SDL_Window* window) const;
    // Destroyed, asking the X server first: the news may still be on its way, and SDL would wait
    // for ever to see a destroyed window shown.
    bool AskDestroyed(SDL_Window* window);
    // Lets go of a window whose X window was destroyed.
    void Discard(SDL_Window* window);
    // The window showing in the X window, when it is one of ours.
    SDL_Window* Find(unsigned long xWindow) const;

  private:
    struct Kept {
        SDL_Window* window;
        bool popup;
        bool spare;
        bool destroyed = false;
    };
    static void Destroy(const Kept& kept);

    std::vector<Kept> m_kept;
};
