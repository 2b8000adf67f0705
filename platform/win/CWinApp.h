#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "platform/base/CRecentFileList.h"
#include "platform/base/CString.h"
#include "platform/base/POSITION.h"
#include "platform/win/AfxIds.h"
#include "platform/win/CCmdTarget.h"

class CCmdUI;
class CCommandLineInfo;
class CDocTemplate;
class CDocument;
class CWnd;

// The application: its templates, its main window, the last stop of command routing, the
// framework's New, Open and Exit commands, the command line and the message loop.
// Help contexts: a command's topic or a resource's (dialog, window) topic.
constexpr DWORD_PTR HID_BASE_COMMAND = 0x10000;
constexpr DWORD_PTR HID_BASE_RESOURCE = 0x20000;
constexpr UINT HELP_CONTEXT = 0x0001;

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
    DECLARE_MESSAGE_MAP()
  public:
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitApplication() { return TRUE; }
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    // Runs the message loop on the window manager's host, then ExitInstance.
    virtual int Run();
    // Idle work after the queue empties: the control bars' update-UI.
    virtual BOOL OnIdle(LONG count);

    void AddDocTemplate(CDocTemplate* docTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& position) const;
    std::vector<CDocTemplate*> Templates() const;

    virtual CDocument* OpenDocumentFile(LPCTSTR pathName);
    // Asks for a file name (open or save) through the installed file prompt.
    virtual BOOL DoPromptFileName(CString& fileName, UINT titleId, DWORD flags, BOOL openFileDialog,
                                  CDocTemplate* docTemplate);
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL endSession);
    // Reads the recent-file list (maxRecentFiles names) from the program's profile; from then
    // on every change of the list is written back at once.
    void LoadStdProfileSettings(UINT maxRecentFiles = 4);
    void SaveStdProfileSettings();
    virtual void AddToRecentFileList(LPCTSTR pathName);
    // The recent files, newest first.
    std::vector<CString> RecentFiles() const;

    void SetCommandLine(int argc, char** argv);
    void ParseCommandLine(CCommandLineInfo& info) const;
    BOOL ProcessShellCommand(CCommandLineInfo& info);

    // Opens the program's help on a context: HID_BASE_COMMAND plus a command id, or
    // HID_BASE_RESOURCE plus a dialog or window resource id. The framework has no help of its own.
    virtual void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT);

    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();
    BOOL OnOpenRecentFile(UINT id);
    void OnUpdateRecentFileMenu(CCmdUI* cmdUI);

    CWnd* m_pMainWnd = nullptr;
    // The command line being carried out, while its print command runs.
    const CCommandLineInfo* m_pCmdInfo = nullptr;
    CString m_pszAppName;
    int m_nCmdShow = 1;
    int m_nMaxRecentFiles = 4;

  private:
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
    std::vector<CString> m_arguments;
    // The working folder when the program was started, from which a relative file name of the
    // command line is taken: the program makes its own folder the working folder.
    std::filesystem::path m_launchFolder;
    CString FullPath(const CString& name) const;
    void RecentFilesChanged();

    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    bool m_recentFilesInProfile = false;
    int m_exitCode = 0;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

// How the program asks for a file name: the file dialogs install one; tests script one.
// It answers FALSE when the user cancels.
using FilePrompt = std::function<BOOL(CString& fileName, BOOL openFileDialog, CDocTemplate* docTemplate)>;
void AfxSetFilePrompt(FilePrompt prompt);
