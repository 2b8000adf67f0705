#pragma once

#include <vector>

#include "platform/win/WinDefs.h"

class CWnd;

// The windows that run a modal loop, innermost last, and the close requests that wait for some
// of them to end. A close request for a window whose top-level window a running loop belongs to
// (a menu opened from it, a dialog over it) would free what the loop still uses: the loops end
// first, and the request goes on once they have unwound.
class ModalLoopStack {
  public:
    void Enter(CWnd* window);
    // Leaves the innermost loop; answers the held close requests that may now go on.
    std::vector<MSG> Leave();
    // A posted close request that must wait is kept, and the loops it waits for are ended;
    // answers whether it was kept.
    bool HoldCloseAndEndLoops(const MSG& msg);
    void Clear();

  private:
    // The running loops, innermost last, that window's close would take down with it.
    std::vector<CWnd*> LoopsOver(const CWnd* window) const;

    std::vector<CWnd*> m_loops;
    std::vector<MSG> m_held;
};
