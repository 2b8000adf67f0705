#include "platform/win/CWinApp.h"

#include <algorithm>
#include <filesystem>

#include "platform/base/FileSystemText.h"
#include "platform/base/ProgramName.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CCommandLineInfo.h"
#include "platform/win/CDocTemplate.h"
#include "platform/win/CDocument.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CMDIFrameWnd.h"
#include "platform/win/CNewTypeDlg.h"
#include "platform/win/DocumentPositions.h"
#include "platform/win/MessageBoxes.h"
#include "platform/win/RecentFileMenu.h"
#include "platform/win/WindowHost.h"
#include "platform/win/WindowManager.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)
BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

namespace {
CWinApp* g_app = nullptr;
FilePrompt& InstalledPrompt() {
    static FilePrompt prompt;
    return prompt;
}
}  // namespace

CWinApp* AfxGetApp() {
    return g_app;
}
CWnd* AfxGetMainWnd() {
    return g_app ? g_app->m_pMainWnd : nullptr;
}
void AfxSetFilePrompt(FilePrompt prompt) {
    InstalledPrompt() = std::move(prompt);
}

CWinApp::CWinApp(LPCTSTR appName)
    : m_pszAppName(appName ? appName : ""),
      m_pRecentFileList(std::make_unique<CRecentFileList>(CProfile::Program(), m_nMaxRecentFiles)) {
    g_app = this;
    if (!m_pszAppName.IsEmpty()) {
        AfxSetAppName(m_pszAppName);
        SetProgramName(static_cast<const char*>(m_pszAppName));
    }
    WindowManager::Instance().SetIdleHandler([this] { OnIdle(0); });
}

CWinApp::~CWinApp() {
    if (g_app != this)
        return;
    WindowManager::Instance().SetIdleHandler(nullptr);
    g_app = nullptr;
}

int CWinApp::Run() {
    WindowHost* host = WindowManager::Instance().Host();
    m_exitCode = host ? host->Run() : 0;
    return ExitInstance();
}

BOOL CWinApp::OnIdle(LONG) {
    auto* main = dynamic_cast<CFrameWnd*>(m_pMainWnd);
    if (!main || !IsWindow(main))
        return FALSE;
    main->UpdateControlBars();
    CFrameWnd* active = main->GetActiveFrame();
    if (active != main && IsWindow(active))
        active->UpdateControlBars();
    return FALSE;
}

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate) {
    m_templates.emplace_back(docTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const {
    return PositionOf(0, m_templates.size());
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& position) const {
    const std::vector<CDocTemplate*> templates = Templates();
    return NextAt(templates, position);
}

std::vector<CDocTemplate*> CWinApp::Templates() const {
    std::vector<CDocTemplate*> templates;
    for (const auto& each : m_templates) templates.push_back(each.get());
    return templates;
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR pathName) {
    CDocTemplate* best = nullptr;
    CDocTemplate::Confidence bestConfidence = CDocTemplate::noAttempt;
    for (CDocTemplate* docTemplate : Templates()) {
        CDocument* open = nullptr;
        const CDocTemplate::Confidence confidence = docTemplate->MatchDocType(pathName, open);
        if (confidence == CDocTemplate::yesAlreadyOpen) {
            // The document is open already: show its window instead of reading it twice.
            if (!open->Views().empty())
                if (CFrameWnd* frame = open->Frames().empty() ? nullptr : open->Frames().front())
                    frame->ActivateFrame();
            return open;
        }
        if (confidence > bestConfidence) {
            best = docTemplate;
            bestConfidence = confidence;
        }
    }
    return best ? best->OpenDocumentFile(pathName) : nullptr;
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT, DWORD, BOOL openFileDialog,
                               CDocTemplate* docTemplate) {
    const FilePrompt& prompt = InstalledPrompt();
    return prompt ? prompt(fileName, openFileDialog, docTemplate) : FALSE;
}

BOOL CWinApp::SaveAllModified() {
    for (CDocTemplate* docTemplate : Templates())
        if (!docTemplate->SaveAllModified())
            return FALSE;
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL endSession) {
    for (CDocTemplate* docTemplate : Templates()) docTemplate->CloseAllDocuments(endSession);
}

void CWinApp::WinHelp(DWORD_PTR, UINT) {}

int CWinApp::ExitInstance() {
    SaveStdProfileSettings();
    return m_exitCode;
}

void CWinApp::LoadStdProfileSettings(UINT maxRecentFiles) {
    m_nMaxRecentFiles =
        static_cast<int>(std::min<UINT>(maxRecentFiles, ID_FILE_MRU_FILE16 - ID_FILE_MRU_FILE1 + 1));
    m_pRecentFileList = std::make_unique<CRecentFileList>(CProfile::Program(), m_nMaxRecentFiles);
    m_pRecentFileList->ReadList();
    m_recentFilesInProfile = true;
}

void CWinApp::SaveStdProfileSettings() {
    if (m_recentFilesInProfile)
        m_pRecentFileList->WriteList();
}

// Written at once rather than at exit, so that a program that never gets to exit keeps its list.
void CWinApp::RecentFilesChanged() {
    SaveStdProfileSettings();
}

void CWinApp::AddToRecentFileList(LPCTSTR pathName) {
    if (!pathName || !*pathName)
        return;
    m_pRecentFileList->Add(pathName);
    RecentFilesChanged();
}

std::vector<CString> CWinApp::RecentFiles() const {
    std::vector<CString> names;
    for (int i = 0; i < m_pRecentFileList->GetSize(); ++i)
        if (!(*m_pRecentFileList)[i].IsEmpty())
            names.push_back((*m_pRecentFileList)[i]);
    return names;
}

BOOL CWinApp::OnOpenRecentFile(UINT id) {
    const int index = static_cast<int>(id - ID_FILE_MRU_FILE1);
    const CString path = (*m_pRecentFileList)[index];
    if (path.IsEmpty())
        return FALSE;
    // A file that cannot be opened any more (its error already shown) leaves the list.
    if (!OpenDocumentFile(path)) {
        m_pRecentFileList->Remove(index);
        RecentFilesChanged();
    }
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* cmdUI) {
    RecentFileMenu::Update(*cmdUI, *m_pRecentFileList);
}

void CWinApp::SetCommandLine(int argc, char** argv) {
    m_arguments.clear();
    // The system hands over UTF-8; the program's text is Windows-1252.
    for (int i = 1; i < argc; ++i) m_arguments.push_back(PathText(argv[i]));
    std::error_code error;
    m_launchFolder = std::filesystem::current_path(error);
}

CString CWinApp::FullPath(const CString& name) const {
    const std::filesystem::path path = DiskPath(name);
    if (path.empty() || path.is_absolute() || m_launchFolder.empty())
        return name;
    return PathText((m_launchFolder / path).lexically_normal());
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) const {
    for (std::size_t i = 0; i < m_arguments.size(); ++i) {
        const CString& argument = m_arguments[i];
        // An absolute path begins with '/' too: a flag is a single word ("/p") naming no file.
        const bool slashFlag = argument.GetLength() > 1 && argument[0] == '/' && argument.Find('/', 1) < 0 &&
                               !std::filesystem::exists(DiskPath(argument));
        const bool flag = slashFlag || (argument.GetLength() > 1 && argument[0] == '-');
        // The first plain argument names the file; the later ones (printer, driver, port) do not.
        const CString parameter = flag || !info.m_strFileName.IsEmpty() ? argument : FullPath(argument);
        info.ParseParam(flag ? parameter.c_str() + 1 : parameter.c_str(), flag ? TRUE : FALSE,
                        i + 1 == m_arguments.size() ? TRUE : FALSE);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
    switch (info.m_nShellCommand) {
        case CCommandLineInfo::FileNew:
            OnFileNew();
            return m_pMainWnd ? TRUE : FALSE;
        case CCommandLineInfo::FileOpen:
            return OpenDocumentFile(info.m_strFileName) ? TRUE : FALSE;
        case CCommandLineInfo::FilePrint:
        case CCommandLineInfo::FilePrintTo: {
            // Print and end: the document is opened hidden, printed and the program closes.
            m_nCmdShow = 0;
            if (!OpenDocumentFile(info.m_strFileName))
                return FALSE;
            m_pCmdInfo = &info;
            if (m_pMainWnd)
                m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
            m_pCmdInfo = nullptr;
            return FALSE;
        }
        default:
            return TRUE;
    }
}

void CWinApp::OnFileNew() {
    const std::vector<CDocTemplate*> templates = Templates();
    if (templates.empty())
        return;
    CDocTemplate* chosen = templates.front();
    if (templates.size() > 1) {
        // Several kinds of document: the user picks one.
        CNewTypeDlg chooser(templates);
        if (chooser.DoModal(m_pMainWnd) != IDOK || !chooser.Selected())
            return;
        chosen = chooser.Selected();
    }
    chosen->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
    CString fileName;
    if (!DoPromptFileName(fileName, 0, 0, TRUE, nullptr))
        return;
    OpenDocumentFile(fileName);
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}
