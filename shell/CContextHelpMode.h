#pragma once

#include <functional>

#include "platform/base/CString.h"
#include "platform/gdi/CPoint.h"
#include "platform/win/WinDefs.h"

class CFrameWnd;
class CWnd;

// Shift+F1: the frame holds the mouse and shows the context-help cursor until a click names
// what the user wants to know about (a toolbar button, a window, or an entry of a menu the
// click opens) or Esc gives up. What was named goes to the handler as a help topic key.
class CContextHelpMode {
  public:
    // Posted by the frame after a menu opened in help mode closes, to end the mode when no
    // entry was chosen.
    static constexpr UINT kEndMessage = WM_USER + 0x139;

    void Begin(CFrameWnd* frame, std::function<void(const CString&)> answer);
    void End();
    bool IsActive() const { return m_frame != nullptr; }
    // Takes the mouse and key messages while the mode is on; true when the message is spent.
    bool Filter(const MSG& msg);
    // A command chosen while the mode is on (from a menu it opened): its topic instead of the
    // command. True when taken.
    bool TakeCommand(UINT id);
    // The topic of what lies under a screen point.
    static CString TopicAt(CPoint screen);

  private:
    void Click(CPoint screen);
    void OpenMenuBar(CPoint screen);
    void Answer(const CString& topic);
    static CString TopicOfWindow(CWnd* window, CPoint screen);

    CFrameWnd* m_frame = nullptr;
    std::function<void(const CString&)> m_answer;
    bool m_menuOpen = false;
};
