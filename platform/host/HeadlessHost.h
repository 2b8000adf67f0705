#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "platform/base/CString.h"
#include "platform/gdi/CRect.h"
#include "platform/host/Host.h"

// Windows on a virtual screen in memory. Tests inject input, move a virtual clock, run the
// queue until idle, look at pixels, and say beforehand what each modal window should do.
class HeadlessHost : public Host {
public:
    struct MessageBoxShown {
        CString text;
        CString caption;
        UINT type;
    };
    using ModalAction = std::function<void(CWnd& modal)>;

    explicit HeadlessHost(CSize screen = CSize(1280, 1024));

    // --- Host -----------------------------------------------------------------------------
    CSize ScreenSize() const override { return m_screen; }
    void TopLevelChanged(CWnd*) override {}
    void TopLevelDestroyed(CWnd*) override {}
    void CursorChanged(HCURSOR cursor) override;
    void SetClipboardText(const CString& text) override { m_clipboard = text; }
    CString ClipboardText() const override { return m_clipboard; }
    void RunModalLoop(CWnd* window) override;
    // Runs the queue until idle, then answers the exit code when a quit was posted (else 0).
    int Run() override;

    // --- Input (screen points, or client points of a window) ------------------------------
    void MouseMove(CPoint screen);
    void MouseDown(CPoint screen, bool right = false);
    void MouseUp(CPoint screen, bool right = false);
    void Click(CPoint screen, bool right = false);
    void ClickClient(CWnd* window, CPoint client, bool right = false);
    void DragClient(CWnd* window, CPoint from, CPoint to, int steps);
    void KeyDown(UINT vk);
    void KeyUp(UINT vk);
    void PressKey(UINT vk);
    void Type(const CString& text);
    void DropFiles(const std::vector<CString>& files, CPoint screen);

    // --- Time and the queue ---------------------------------------------------------------
    // Moves the virtual clock forward, firing every due timer tick in order, then runs idle.
    void AdvanceClock(DWORD milliseconds);
    void RunUntilIdle();

    // --- Pictures -------------------------------------------------------------------------
    // The screen: the desktop colour with every visible top-level window, bottom first.
    bool DumpScreen(const CString& pngPath) const;
    bool DumpWindow(CWnd* window, const CString& pngPath) const;

    // The cursor the window manager last asked the screen to show.
    HCURSOR ShownCursor() const { return m_shownCursor; }
    // How many times the screen was asked to show a cursor since the host began.
    std::size_t CursorChanges() const { return m_cursorChanges; }
    // The cursors the screen was asked to show after CursorChanges() answered mark, in turn: one
    // shown only while work ran is here. Only the last kCursorsKept are kept.
    static constexpr std::size_t kCursorsKept = 256;
    std::vector<HCURSOR> CursorsShownSince(std::size_t mark) const;

    // --- Modal windows --------------------------------------------------------------------
    // The next modal window whose caption contains captionPart (any, when empty) runs action;
    // the action ends it (EndModalLoop) or makes it end (a click on a button).
    void WhenModal(const CString& captionPart, ModalAction action);
    // The next message box is answered with the button id (IDOK, IDYES, IDNO, IDCANCEL ...).
    void AnswerMessageBox(int button);
    // Forgets the actions no modal window has taken: what was said for a window that never came.
    void ForgetModalActions() { m_pending.clear(); }
    const std::vector<MessageBoxShown>& MessageBoxes() const { return m_messageBoxes; }
    // Captions of modal windows that appeared with no action registered (each closed with IDCANCEL).
    const std::vector<CString>& UnansweredModals() const { return m_unanswered; }

private:
    struct PendingModal {
        CString captionPart;
        ModalAction action;
    };

    CSize m_screen;
    std::deque<PendingModal> m_pending;
    std::vector<MessageBoxShown> m_messageBoxes;
    std::vector<CString> m_unanswered;
    CString m_clipboard;
    HCURSOR m_shownCursor = nullptr;
    std::size_t m_cursorChanges = 0;
    std::deque<HCURSOR> m_lastCursors;
};
