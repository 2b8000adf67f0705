#include "platform/win/CDocument.h"

#include <algorithm>
#include <cerrno>

#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"
#include "platform/base/CFile.h"
#include "platform/base/CFileException.h"
#include "platform/win/CDocTemplate.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CView.h"
#include "platform/win/CWinApp.h"
#include "platform/win/CloseInProgress.h"
#include "platform/win/DocumentPositions.h"
#include "platform/win/MessageBoxes.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)
BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

namespace {
CString FileNameOf(const CString& path) {
    const int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    return slash >= 0 ? path.Mid(slash + 1) : path;
}
}  // namespace

CDocument::CDocument() = default;

CDocument::~CDocument() {
    for (CView* view : m_views) view->m_pDocument = nullptr;
    if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR title) {
    m_strTitle = title ? title : "";
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR pathName, BOOL addToRecentList) {
    m_strPathName = pathName ? pathName : "";
    SetTitle(FileNameOf(m_strPathName));
    if (addToRecentList && AfxGetApp()) AfxGetApp()->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* view) {
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end()) m_views.push_back(view);
    view->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* view) {
    std::erase(m_views, view);
    if (view->m_pDocument == this) view->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::OnChangedViewList() {
    // A document nobody shows any more is closed, unless it is being closed already.
    if (m_views.empty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

POSITION CDocument::GetFirstViewPosition() const { return PositionOf(0, m_views.size()); }
CView* CDocument::GetNextView(POSITION& position) const { return NextAt(m_views, position); }

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject) {
    for (CView* view : std::vector<CView*>(m_views))
        if (view != sender) view->OnUpdate(sender, hint, hintObject);
}

std::vector<CFrameWnd*> CDocument::Frames() const {
    std::vector<CFrameWnd*> frames;
    for (CView* view : m_views) {
        CFrameWnd* frame = IsWindow(view) ? view->GetParentFrame() : nullptr;
        if (frame && std::find(frames.begin(), frames.end(), frame) == frames.end()) frames.push_back(frame);
    }
    return frames;
}

int CDocument::FrameCount() const { return static_cast<int>(Frames().size()); }

void CDocument::UpdateFrameCounts() {
    for (CFrameWnd* frame : Frames()) frame->OnUpdateFrameTitle(TRUE);
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR pathName) {
    CFile file;
    CFileException error;
    if (!file.Open(pathName, CFile::modeRead, &error)) {
        ReportSaveLoadException(pathName, error.GetErrorMessage(), FALSE);
        return FALSE;
    }
    DeleteContents();
    try {
        CArchive archive(&file, CArchive::load);
        Serialize(archive);
        archive.Close();
        file.Close();
    } catch (const CArchiveException& failure) {
        // What was read so far is not a document: start empty again. The message names the
        // file even when the reader that gave up did not know it.
        DeleteContents();
        const CArchiveException named(failure.m_cause, failure.m_strFileName.IsEmpty() ? CString(pathName)
                                                                                       : failure.m_strFileName);
        ReportSaveLoadException(pathName, named.GetErrorMessage(), FALSE);
        return FALSE;
    } catch (const CException& failure) {
        DeleteContents();
        ReportSaveLoadException(pathName, failure.GetErrorMessage(), FALSE);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR pathName) {
    CFile file;
    CFileException error;
    if (!file.Open(pathName, CFile::modeCreate | CFile::modeWrite, &error)) {
        ReportSaveLoadException(pathName, error.GetErrorMessage(), TRUE);
        return FALSE;
    }
    try {
        CArchive archive(&file, CArchive::store);
        Serialize(archive);
        archive.Close();
        file.Close();
    } catch (const CException& failure) {
        // The old file stays as it was; the half-written copy is thrown away.
        file.Abort();
        ReportSaveLoadException(pathName, failure.GetErrorMessage(), TRUE);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR, const CString& message, BOOL) {
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
}

void CDocument::DeleteContents() {}

void CDocument::OnCloseDocument() {
    const bool autoDelete = m_bAutoDelete;
    // Frames closing must not delete the document under us.
    m_bAutoDelete = false;
    for (CFrameWnd* frame : Frames())
        if (IsWindow(frame)) frame->DestroyWindow();
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete) delete this;
}

BOOL CDocument::SaveModified() {
    if (!IsModified()) return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : FileNameOf(m_strPathName);
    switch (AfxMessageBox("Save changes to " + name + "?", MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL: return FALSE;
    case IDYES: return DoFileSave();
    default: return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd*) { return FrameCount() > 1 ? TRUE : SaveModified(); }

BOOL CDocument::DoSave(LPCTSTR pathName, BOOL replace) {
    CString newName = pathName ? pathName : "";
    if (newName.IsEmpty()) {
        newName = m_strPathName;
        if (replace && newName.IsEmpty()) {
            newName = m_strTitle;
            CString extension;
            if (m_pDocTemplate && m_pDocTemplate->GetDocString(extension, CDocTemplate::filterExt) &&
                newName.Find('.') < 0)
                newName += extension;
        }
        CWinApp* app = AfxGetApp();
        if (!app || !app->DoPromptFileName(newName, 0, 0, FALSE, m_pDocTemplate)) return FALSE;
    }
    if (!OnSaveDocument(newName)) return FALSE;
    if (replace) SetPathName(newName);
    return TRUE;
}

BOOL CDocument::DoFileSave() {
    if (m_strPathName.IsEmpty()) return DoSave(nullptr);
    if (CFile::IsReadOnly(m_strPathName)) return OfferSaveAsForReadOnly();
    return DoSave(m_strPathName);
}

// The read-only file stays as it is; the changes may still go to a file of another name.
BOOL CDocument::OfferSaveAsForReadOnly() {
    const CFileException readOnly(CFile::ReadOnlyCause(m_strPathName), EACCES, m_strPathName);
    const CString question = readOnly.GetErrorMessage() + "\nSave it under another name?";
    if (AfxMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return FALSE;
    return DoSave(nullptr);
}

BOOL CDocument::OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo) {
    if (CCmdTarget::OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(id, code, extra, handlerInfo);
}

void CDocument::OnFileClose() {
    if (CloseInProgress::Any()) return;
    const CloseInProgress closing;
    if (!SaveModified()) return;
    OnCloseDocument();
}

void CDocument::OnFileSave() { DoFileSave(); }
void CDocument::OnFileSaveAs() { DoSave(nullptr); }
