#include "platform/host/SdlWindowPool.h"

#include <SDL.h>

#include <algorithm>

namespace {

int KeepUnlessOfWindow(void* windowId, SDL_Event* event) {
    return event->type == SDL_WINDOWEVENT && event->window.windowID == *static_cast<Uint32*>(windowId) ? 0
                                                                                                       : 1;
}

// What SDL holds of what the desktop said about a window that goes (closed, minimised, hidden) was
// said of the window it served: the next one it serves must not hear it.
void DropWindowEvents(SDL_Window* window) {
    SDL_PumpEvents();
    Uint32 windowId = SDL_GetWindowID(window);
    SDL_FilterEvents(KeepUnlessOfWindow, &windowId);
}

}  // namespace

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
    DropWindowEvents(window);
    kept->spare = true;
}

void SdlWindowPool::Clear() {
    for (const Kept& kept : m_kept) SDL_DestroyWindow(kept.window);
    m_kept.clear();
}
