#include "platform/host/SdlWindowPool.h"

#include <SDL.h>

#include <algorithm>

#include "platform/host/XErrorReport.h"
#include "platform/host/XWindows.h"

namespace {

int KeepUnlessOfWindow(void* windowId, SDL_Event* event) {
    return event->type == SDL_WINDOWEVENT && event->window.windowID == *static_cast<Uint32*>(windowId) ? 0
                                                                                                       : 1;
}

// What SDL holds of what the desktop said about a window that goes (closed, minimised, hidden) was
// said of the window it served: the next one it serves must not hear it. The X server is waited
// for first, so that news it has still to send of what was asked until now is dropped too.
void DropWindowEvents(SDL_Window* window) {
    CatchUpWithX(window);
    SDL_PumpEvents();
    Uint32 windowId = SDL_GetWindowID(window);
    SDL_FilterEvents(KeepUnlessOfWindow, &windowId);
}

}  // namespace

SdlWindowPool::~SdlWindowPool() {
    Clear();
}

SDL_Window* SdlWindowPool::Take(const CRect& rect, bool popup) {
    const auto spare = [this, popup] {
        return std::find_if(m_kept.begin(), m_kept.end(), [popup](const Kept& kept) {
            return kept.spare && !kept.destroyed && kept.popup == popup;
        });
    };
    // A spare window may have been destroyed while it was put away.
    for (auto found = spare(); found != m_kept.end(); found = spare())
        if (!AskDestroyed(found->window)) {
            // What the desktop said late of the window it served last (its keyboard given to a
            // dialog that has gone) is not said of the window it serves now.
            DropWindowEvents(found->window);
            found->spare = false;
            return found->window;
        }
    // Our own frame and caption are drawn into the surface, so the desktop draws none.
    const Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | (popup ? SDL_WINDOW_POPUP_MENU : 0);
    SDL_Window* window = SDL_CreateWindow("", rect.left, rect.top, rect.Width(), rect.Height(), flags);
    if (window)
        m_kept.push_back({window, popup, false});
    return window;
}

void SdlWindowPool::Give(SDL_Window* window) {
    const auto kept = std::find_if(m_kept.begin(), m_kept.end(),
                                   [window](const Kept& each) { return each.window == window; });
    if (kept == m_kept.end())
        return;
    if (kept->destroyed) {
        Discard(window);
        return;
    }
    SDL_HideWindow(window);
    DropWindowEvents(window);
    kept->spare = true;
}

void SdlWindowPool::Clear() {
    for (const Kept& kept : m_kept) Destroy(kept);
    m_kept.clear();
}

void SdlWindowPool::Destroy(const Kept& kept) {
    // SDL wakes its own event loop with a message to a window, sent on a connection of its own:
    // the server may carry one out after the window went, and the error that brings is expected.
    IgnoreXErrorsOf(XWindowOf(kept.window));
    if (kept.destroyed)
        IgnoreXErrorsWhile(XDisplayOf(kept.window), [&kept] { SDL_DestroyWindow(kept.window); });
    else
        SDL_DestroyWindow(kept.window);
}

void SdlWindowPool::MarkDestroyed(unsigned long xWindow) {
    for (Kept& kept : m_kept)
        if (XWindowOf(kept.window) == xWindow)
            kept.destroyed = true;
}

bool SdlWindowPool::Destroyed(SDL_Window* window) const {
    return std::any_of(m_kept.begin(), m_kept.end(),
                       [window](const Kept& kept) { return kept.window == window && kept.destroyed; });
}

// The news is read as SDL reads the desktop's (MarkDestroyed).
bool SdlWindowPool::AskDestroyed(SDL_Window* window) {
    CatchUpWithX(window);
    SDL_PumpEvents();
    return Destroyed(window);
}

void SdlWindowPool::Discard(SDL_Window* window) {
    const auto kept = std::find_if(m_kept.begin(), m_kept.end(),
                                   [window](const Kept& each) { return each.window == window; });
    if (kept == m_kept.end())
        return;
    const Kept gone = *kept;
    m_kept.erase(kept);
    Destroy(gone);
}

SDL_Window* SdlWindowPool::Find(unsigned long xWindow) const {
    for (const Kept& kept : m_kept)
        if (XWindowOf(kept.window) == xWindow)
            return kept.window;
    return nullptr;
}
