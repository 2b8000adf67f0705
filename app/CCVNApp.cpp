#include "app/CCVNApp.h"

#include <optional>

#include "app/ShellRegistration.h"
#include "catalog/CatalogDialogs.h"
#include "drawing/CGroupPropertyRunner.h"
#include "drawing/DrawingObjects.h"
#include "drawing/DrawingPropertiesDialog.h"
#include "model/CCVNDoc.h"
#include "model/CDataFolders.h"
#include "platform/base/CFileException.h"
#include "platform/base/ModuleFolder.h"
#include "platform/cdlg/CommonDialogPrompts.h"
#include "platform/r3d/GlContext.h"
#include "platform/win/CCommandLineInfo.h"
#include "platform/win/CMultiDocTemplate.h"
#include "platform/win/MessageBoxes.h"
#include "resources/CommandIds.h"
#include "resources/Resources.h"
#include "resources/StringTable.h"
#include "shell/CAboutDlg.h"
#include "shell/CCVNView.h"
#include "shell/CChildFrame.h"
#include "shell/CCreditsDialog.h"
#include "shell/CMainFrame.h"
#include "shell/CSplashWindow.h"
#include "shell/HelpContexts.h"
#include "shell/PlanDialogs.h"
#include "terrain/TerrainObjects.h"
#include "track/TrackPieces.h"
#include "ui/DataFolderFileDialog.h"
#include "view3d/View3DClasses.h"
#include "wizard/TrackWizard.h"

BEGIN_MESSAGE_MAP(CCVNApp, CWinApp)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND(ID_APP_CREDITS, OnCredits)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_FILE_OPEN, OnFileOpenCommand)
END_MESSAGE_MAP()

namespace {

constexpr const char* kInstallSection = "Install";
constexpr const char* kInstallTypeKey = "InstallType";
constexpr const char* kPathsSection = "Paths";
constexpr int kInstallBesideProgram = 0;
constexpr int kInstallInFolder = 1;
constexpr int kInstallDone = 2;

// A plan view ends a point entry that a press elsewhere ended, once that press is done, and
// takes back the mouse of one that a cancel interrupted.
void SettlePointEntries(CCVNDoc& layout) {
    for (CView* view : layout.Views())
        if (auto* plan = dynamic_cast<CCVNView*>(view)) {
            plan->EndPendingPointEntry();
            plan->TakeBackPointEntryMouse();
        }
}

}  // namespace

CCVNApp::CCVNApp() : CWinApp("Corvane") {}

CMainFrame* CCVNApp::MainFrame() const {
    return dynamic_cast<CMainFrame*>(m_pMainWnd);
}

void CCVNApp::WinHelp(DWORD_PTR data, UINT) {
    if (CMainFrame* frame = MainFrame())
        frame->ShowHelpTopic(HelpTopicOfContext(data));
}

CString CCVNApp::GetProgramFolder() const {
    return GetModuleFolderWin();
}

void CCVNApp::WriteFirstRunPaths(CProfile& profile) {
    const int installType = static_cast<int>(profile.GetProfileInt(kInstallSection, kInstallTypeKey, 0));
    if (installType != kInstallBesideProgram && installType != kInstallInFolder)
        return;
    const CString prefix = installType == kInstallBesideProgram ? ".\\" : "Corvane\\";
    for (const CDataFolders::Entry& entry : CDataFolders::Table())
        profile.WriteProfileString(kPathsSection, entry.key, (prefix + entry.subFolder).c_str());
    profile.WriteProfileInt(kInstallSection, kInstallTypeKey, kInstallDone);
}

BOOL CCVNApp::InitApplication() {
    if (!CWinApp::InitApplication())
        return FALSE;
    WriteFirstRunPaths(CProfile::Program());
    m_bWin9x = 0;
    return TRUE;
}

BOOL CCVNApp::Open3DLibrary() {
    return r3d::GlContext::Get() != nullptr;
}

BOOL CCVNApp::InitInstance() {
    RegisterResources();
    CDataFolders::SetBaseFolder(GetProgramFolder());
    // The profile's relative data folders (".\SCRIPTS\") are the program folder's, which every
    // file dialog leaves as the working folder; so it is from the start.
    RestoreWorkingFolder();
    RegisterTrackPieces();
    RegisterTrackWizard();
    RegisterDrawingObjects();
    RegisterDrawingPropertiesDialog();
    CGroupPropertyRunner::Register();
    RegisterView3DClasses();
    RegisterTerrainObjects();
    if (!Open3DLibrary()) {
        CString message;
        message.LoadString(IDS_RENDERWARE_COULD_NOT_BE_OPENED);
        AfxMessageBox(message, MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    CCommandLineInfo splashInfo;
    ParseCommandLine(splashInfo);
    CSplashWindow::EnableSplash(splashInfo.m_bShowSplash);
    LoadStdProfileSettings(kRecentFileCount);
    AfxInstallCommonDialogs();
    CCVNDoc::DocumentDialogs dialogs;
    AddPlanDialogs(dialogs);
    AddCatalogDialogs(dialogs);
    CCVNDoc::InstallDialogs(std::move(dialogs));
    AddDocTemplate(new CMultiDocTemplate(IDR_CVNTYPE, RUNTIME_CLASS(CCVNDoc), RUNTIME_CLASS(CChildFrame),
                                         RUNTIME_CLASS(CCVNView)));
    if (!CreateMainFrame())
        return FALSE;
    RegisterShellOpenCommand(XdgDataHome(), GetModuleFolder() / "corvane");
    CCommandLineInfo info;
    ParseCommandLine(info);
    if (info.m_bRunEmbedded || info.m_bRunAutomated)
        return TRUE;
    const bool printOnly = info.m_nShellCommand == CCommandLineInfo::FilePrint ||
                           info.m_nShellCommand == CCommandLineInfo::FilePrintTo;
    // Maximised first, so the first plan window takes its size from the whole workspace.
    if (!printOnly)
        m_pMainWnd->ShowWindow(SW_SHOWMAXIMIZED);
    if (!ProcessShellCommand(info))
        return FALSE;
    m_pMainWnd->UpdateWindow();
    // The splash came up with the frame, before the frame was shown over it.
    if (CSplashWindow* splash = CSplashWindow::Current())
        splash->BringWindowToTop();
    return TRUE;
}

BOOL CCVNApp::CreateMainFrame() {
    auto* frame = new CMainFrame;
    // A frame that fails to come up has deleted itself with its window.
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
        return FALSE;
    m_pMainWnd = frame;
    frame->DragAcceptFiles();
    return TRUE;
}

int CCVNApp::ExitInstance() {
    Close3DLibrary();
    return CWinApp::ExitInstance();
}

BOOL CCVNApp::OnIdle(LONG count) {
    const BOOL more = CWinApp::OnIdle(count);
    // Under a modal dialog an edit may be half made.
    if (m_pMainWnd == nullptr || !m_pMainWnd->IsWindowEnabled())
        return more;
    for (CDocTemplate* docTemplate : Templates())
        for (CDocument* document : docTemplate->Documents())
            if (auto* layout = dynamic_cast<CCVNDoc*>(document)) {
                layout->m_tool.SettleTrackEnds();
                SettlePointEntries(*layout);
                layout->TakeSettingsChanges();
            }
    return more;
}

void CCVNApp::OnAppAbout() {
    CMainFrame* frame = MainFrame();
    if (frame != nullptr)
        frame->SetTrainPause(TRUE);
    CAboutDlg about;
    about.DoModal();
    if (frame != nullptr)
        frame->SetTrainPause(FALSE);
}

void CCVNApp::OnCredits() {
    // Only reading the credits file is answered here; what the box's handlers throw is theirs.
    std::optional<CCreditsDialog> credits;
    try {
        credits.emplace();
    } catch (const CFileException& failure) {
        AfxMessageBox(failure.GetErrorMessage(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    credits->DoModal();
}

void CCVNApp::OnFileOpenCommand() {
    CWinApp::OnFileOpen();
}
