#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/TestFolder.h"

typedef struct _XDisplay Display;
union _XEvent;

// The real program on a real X server, driven by real X input (the XTest extension). The server
// is an Xvfb of the session's own, so sessions run side by side, or the one CORVANE_DESKTOP_DISPLAY
// names (to watch them; one at a time there). The program runs with a fresh home folder inside the
// session's temporary folder, and its stderr is kept there too.
class DesktopSession {
  public:
    struct TopLevel {
        unsigned long id = 0;
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        std::string name;    // empty for menus, drop-downs and the splash; a tip's is its text
        bool popup = false;  // kept out of the window manager's hands: menus, drop-downs, tips
    };
    using Milliseconds = std::chrono::milliseconds;

    DesktopSession();
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // Empty when the session has its X server; else why it has none.
    const std::string& Unavailable() const { return m_unavailable; }
    const std::filesystem::path& Folder() const { return m_folder.Path(); }
    const std::string& DisplayName() const { return m_displayName; }

    void StartProgram(const std::vector<std::string>& arguments = {});
    // Starts the program with its cache home on a small file system of the program's own (in a
    // mount namespace of its own), filled to the last byte; answers why it could not (empty when
    // the program started).
    std::string StartProgramOnFullDisk();
    bool ProgramRunning();
    // The program's exit code once it ended within timeout (128 and the signal when a signal
    // ended it), else -1; -1 too when its end could not be learnt.
    int WaitForExit(Milliseconds timeout);
    std::string ProgramErrors() const;
    // Sends the running program a signal, as kill(1) does.
    void SignalProgram(int signal);
    // The program's folder among the system's processes.
    std::filesystem::path ProgramProcess() const;
    // Starts openbox on the display and waits until it manages windows; it ends with the
    // session. False when there is no openbox or it does not come up.
    bool StartWindowManager();
    // Whether the window manager started still manages windows.
    bool WindowManagerRunning() const;
    // Asks a top-level to close as a window manager does: WM_DELETE_WINDOW in a ClientMessage.
    void RequestClose(unsigned long window);

    std::vector<TopLevel> TopLevels() const;
    std::vector<TopLevel> Popups() const;  // shown windows without a caption
    // Shown windows with a caption, but the main window; a tip names its text, yet is no dialog.
    std::vector<TopLevel> Dialogs() const;
    bool FindMainWindow(TopLevel& main) const;
    // The window that holds the X keyboard focus.
    unsigned long FocusWindow() const;
    // How many pixels of the screen's area of width by height at x, y differ from colour (0xRRGGBB).
    int PixelsOtherThan(unsigned long colour, int x, int y, int width, int height) const;
    // The colours (0xRRGGBB) of the screen's area of width by height at x, y, row by row; empty
    // when the area cannot be read.
    std::vector<unsigned long> Pixels(int x, int y, int width, int height) const;
    // Shows a window of the session's own, as another program's, and gives it the keyboard;
    // answers it (0 when it could not be shown).
    unsigned long FocusOtherProgram();
    // The same, at x, y, without giving it the keyboard.
    unsigned long ShowOtherProgram(int x, int y);
    // Gives the keyboard to the window, as a plain focus change of the desktop's.
    void GiveKeyboardTo(unsigned long window);
    void CloseOtherProgram(unsigned long window);
    bool WaitUntil(const std::function<bool()>& done, Milliseconds timeout) const;
    // Waits until the program has handled the input sent so far, and a window manager what the
    // program asked of it meanwhile (false when either did not answer in time): what a step leaves
    // behind that shows nowhere on the screen, such as where the pointer is before a press, or
    // where a window shown just now will stay.
    bool WaitUntilSettled(Milliseconds timeout);

    // A key chord such as "alt+f", "ctrl+shift+Tab" or "Escape" (X key names), pressed and released.
    void Key(const std::string& chord);
    // Alt+Tab for a window manager: Alt is let go once its list of windows shows (false when none
    // shows within timeout), and Tab pressed for each step further down the list.
    bool AltTab(Milliseconds timeout, int steps = 1);
    void Click(int x, int y);
    // Presses or lets go a key (an X key name).
    void HoldKey(const std::string& key, bool down);
    // Presses or lets go a mouse button (1 left, 3 right) where the pointer is.
    void Button(unsigned int button, bool down);
    void MovePointer(int x, int y);

  private:
    void StartServer();
    // Forks the program's process, which runs prepared first: a failure it answers ends the process.
    void LaunchProgram(const std::vector<std::string>& arguments,
                       const std::function<std::string()>& prepared);
    // A top-level in a window manager's frame, where it is on the screen.
    TopLevel ManagedTopLevel(unsigned long client) const;
    void Flush();
    // Sends the program's window the desktop's ping, and waits for the program's answer.
    bool Pinged(unsigned long window, Milliseconds timeout);
    bool WindowManagerCaughtUp(Milliseconds timeout);
    // Reads the events that came; whether one of them is wanted.
    bool Arrived(const std::function<bool(const _XEvent&)>& wanted);

    TestFolder m_folder;
    std::string m_unavailable;
    std::string m_displayName;
    pid_t m_server = -1;
    pid_t m_windowManager = -1;
    pid_t m_program = -1;
    int m_exitCode = -1;
    long m_pings = 0;
    unsigned long m_probe = 0;  // never shown; the window manager is asked about it
    Display* m_display = nullptr;
};
