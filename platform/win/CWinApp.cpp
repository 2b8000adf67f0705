#include "platform/win/CWinApp.h"

#include "platform/win/CCommandLineInfo.h"
#include "platform/win/CDocTemplate.h"
#include "platform/win/CDocument.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CMDIFrameWnd.h"
#include "platform/win/CMessageBoxWnd.h"
#include "platform/win/DocumentPositions.h"
#include "platform/win/WindowHost.h"
#include "platform/win/WindowManager.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)
BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
END_MESSAGE_MAP()

namespace {
CWinApp* g_app = nullptr;
FilePrompt& InstalledPrompt() {
    static FilePrompt prompt;
    return prompt;
}
}  // namespace

CWinApp* AfxGetApp() { return g_app; }
CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }
void AfxSetFilePrompt(FilePrompt prompt) { InstalledPrompt() = std::move(prompt); }

CWinApp::CWinApp(LPCTSTR appName) : m_pszAppName(appName ? appName : "") {
    g_app = this;
    if (!m_pszAppName.IsEmpty()) AfxSetAppName(m_pszAppName);
    WindowManager::Instance().SetIdleHandler([this] { OnIdle(0); });
}

CWinApp::~CWinApp() {
    if (g_app != this) return;
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
    if (!main || !IsWindow(main)) return FALSE;
    main->UpdateControlBars();
    CFrameWnd* active = main->GetActiveFrame();
    if (active != main && IsWindow(active)) active->UpdateControlBars();
    return FALSE;
}

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate) { m_templates.emplace_back(docTemplate); }

POSITION CWinApp::GetFirstDocTemplatePosition() const { return PositionOf(0, m_templates.size()); }

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
                if (CFrameWnd* frame = open->Frames().empty() ? nullptr : open->Frames().front()) frame->ActivateFrame();
            return open;
        }
        if (confidence > bestConfidence) {
            best = docTemplate;
            bestConfidence = confidence;
        }
    }
    return best ? best->OpenDocumentFile(pathName) : nullptr;
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT, DWORD, BOOL openFileDialog, CDocTemplate* docTemplate) {
    const FilePrompt& prompt = InstalledPrompt();
    return prompt ? prompt(fileName, openFileDialog, docTemplate) : FALSE;
}

BOOL CWinApp::SaveAllModified() {
    for (CDocTemplate* docTemplate : Templates())
        if (!docTemplate->SaveAllModified()) return FALSE;
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL endSession) {
    for (CDocTemplate* docTemplate : Templates()) docTemplate->CloseAllDocuments(endSession);
}

void CWinApp::AddToRecentFileList(LPCTSTR pathName) {
    if (!pathName || !*pathName || m_nMaxRecentFiles <= 0) return;
    const CString path = pathName;
    std::erase_if(m_recentFiles, [&](const CString& each) { return each.CompareNoCase(path) == 0; });
    m_recentFiles.insert(m_recentFiles.begin(), path);
    if (static_cast<int>(m_recentFiles.size()) > m_nMaxRecentFiles) m_recentFiles.resize(m_nMaxRecentFiles);
}

BOOL CWinApp::OnOpenRecentFile(UINT id) {
    const std::size_t index = id - ID_FILE_MRU_FILE1;
    if (index >= m_recentFiles.size()) return FALSE;
    const CString path = m_recentFiles[index];
    if (!OpenDocumentFile(path)) std::erase(m_recentFiles, path);
    return TRUE;
}

void CWinApp::SetCommandLine(int argc, char** argv) {
    m_arguments.clear();
    for (int i = 1; i < argc; ++i) m_arguments.emplace_back(argv[i]);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) const {
    for (std::size_t i = 0; i < m_arguments.size(); ++i) {
        const CString& argument = m_arguments[i];
        const bool flag = argument.GetLength() > 1 && (argument[0] == '/' || argument[0] == '-');
        info.ParseParam(flag ? argument.c_str() + 1 : argument.c_str(), flag ? TRUE : FALSE,
                        i + 1 == m_arguments.size() ? TRUE : FALSE);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnFileNew();
        return m_pMainWnd ? TRUE : FALSE;
    case CCommandLineInfo::FileOpen: return OpenDocumentFile(info.m_strFileName) ? TRUE : FALSE;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo: {
        // Print and end: the document is opened hidden, printed and the program closes.
        m_nCmdShow = 0;
        if (!OpenDocumentFile(info.m_strFileName)) return FALSE;
        if (m_pMainWnd) m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        return FALSE;
    }
    default: return TRUE;
    }
}

void CWinApp::OnFileNew() {
    const std::vector<CDocTemplate*> templates = Templates();
    if (!templates.empty()) templates.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
    CString fileName;
    if (!DoPromptFileName(fileName, 0, 0, TRUE, nullptr)) return;
    OpenDocumentFile(fileName);
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}
