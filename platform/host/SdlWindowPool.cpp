#include "platform/host/SdlWindowPool.h"

#include <SDL.h>

#include <algorithm>

SdlWindowPool::~SdlWindowPool() { Clear(); }

SDL_Window* SdlWindowPool::Take(const CRect& rect, bool popup) {
    const auto spare = std::find_if(m_kept.begin(), m_kept.end(),
                                    [popup](const Kept& kept) { return kept.spare && kept.popup == popup; });
    if (spare != m_kept.end()) {
        spare->spare = false;
        return spare->window;
    }
    // Our own frame and caption are drawn into the surface, so the desktop draws none.
    const Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | (popup ? SDL_WINDOW_POPUP_MENU : 0);
    SDL_Window* window = SDL_CreateWindow("", rect.left, rect.top, rect.Width(), rect.Height(), flags);
    if (window) m_kept.push_back({window, popup, false});
    return window;
}

void SdlWindowPool::Give(SDL_Window* window) {
    const auto kept = std::find_if(m_kept.begin(), m_kept.end(),
                                   [window](const Kept& each) { return each.window == window; });
    if (kept == m_kept.end()) return;
    SDL_HideWindow(window);
    kept->spare = true;
}

void SdlWindowPool::Clear() {
    for (const Kept& kept : m_kept) SDL_DestroyWindow(kept.window);
    m_kept.clear();
}
