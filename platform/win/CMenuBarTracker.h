#pragma once

#include "platform/win/CWnd.h"

// A window's menu bar held by the keyboard: a title highlighted with no menu dropped (after Alt
// alone, or Escape in a dropped menu), and the menus dropped from it. Left and Right go along the
// bar; Down, Up, Enter or a title's access letter drop its menu; Escape, F10 or Alt alone let the bar
// go, and so does a press of the mouse, which then goes on where it was meant.
class CMenuBarTracker : public CWnd {
  public:
    // Drops the menu of a title of top's bar and runs it, then the neighbours Left and Right ask
    // for; the menu left by Escape leaves its title highlighted. One dropped by a key shows its
    // first item highlighted.
    static void DropMenu(CWnd* top, int item, bool highlightFirst);
    // Highlights a title of top's bar with no menu dropped; the keys go to the bar.
    static void HighlightTitle(CWnd* top, int item);
    // The title of window's bar highlighted with no menu dropped, or -1.
    static int HighlightedTitle(const CWnd* window);
    // Lets go the bar of window or of a window it holds; any bar for nullptr.
    static void Leave(const CWnd* window);

  protected:
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* window) override;
    void PostNcDestroy() override { delete this; }

  private:
    CMenuBarTracker(CWnd* top, int item) : m_top(top), m_item(item) {}
    // Runs the menus dropped from item on; answers the title left highlighted, or -1.
    static int RunMenus(CWnd* top, int item, bool highlightFirst);
    // Takes the keyboard and the mouse, the title shown highlighted.
    void Hold();
    void TakeKey(UINT key, UINT message, LPARAM flags);
    void Drop(int item);
    void Step(int step);
    void End();
    // Lets go the keyboard, the mouse and the highlighted title.
    void LetGo();
    void PassPressOn(UINT message, CPoint screen);

    CWnd* m_top;
    int m_item;
    // A menu dropped from the bar or a press passed on runs: the window must stay.
    bool m_busy = false;
    bool m_ended = false;
};
