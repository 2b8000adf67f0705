#pragma once

#include "platform/base/CProfile.h"
#include "platform/win/CWinApp.h"

class CMainFrame;

// The application: the first-run data folders, the layout type, the main window, the
// command line and the program's About and Credits.
class CCVNApp : public CWinApp {
    DECLARE_MESSAGE_MAP()
  public:
    static constexpr int kCurrentFileVersion = 17;
    static constexpr int kRecentFileCount = 4;

    CCVNApp();

    BOOL InitApplication() override;
    BOOL InitInstance() override;
    int ExitInstance() override;
    // Between the user's actions each layout settles its index of track ends, so that the
    // first Undo of a move after an open joins no more than the others.
    BOOL OnIdle(LONG count) override;

    CMainFrame* MainFrame() const;
    // Dialogs' F1 comes here: the help window opens on the context's topic.
    void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT) override;
    // The profile's "Paths" on the first start, by the "InstallType" the installer left.
    static void WriteFirstRunPaths(CProfile& profile);

    int m_bWin9x = 0;
    int m_nFileVersion = kCurrentFileVersion;

  protected:
    // The folder the data folders and the working folder start from, ending in a backslash:
    // the program file's own.
    virtual CString GetProgramFolder() const;
    // Our own 3D library needs only its drawing context.
    virtual BOOL Open3DLibrary();
    virtual void Close3DLibrary() {}

    void OnAppAbout();
    void OnCredits();
    void OnFileOpenCommand();

  private:
    BOOL CreateMainFrame();
};
