#include "platform/win/CDocTemplate.h"

#include <algorithm>

#include "platform/win/CCreateContext.h"
#include "platform/win/CDocument.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/DocumentPositions.h"
#include "platform/win/MessageBoxes.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT resourceId, const CRuntimeClass* documentClass, const CRuntimeClass* frameClass,
                           const CRuntimeClass* viewClass)
    : m_nIDResource(resourceId), m_pDocClass(documentClass), m_pFrameClass(frameClass), m_pViewClass(viewClass) {}

CDocTemplate::~CDocTemplate() {
    for (CDocument* document : m_documents) document->m_pDocTemplate = nullptr;
}

BOOL CDocTemplate::GetDocString(CString& text, DocStringIndex index) const {
    text.Empty();
    CString all;
    if (!all.LoadString(m_nIDResource)) return FALSE;
    int start = 0;
    for (int field = 0; field < index; ++field) {
        start = all.Find('\n', start);
        if (start < 0) return FALSE;
        ++start;
    }
    const int end = all.Find('\n', start);
    text = end >= 0 ? all.Mid(start, end - start) : all.Mid(start);
    return TRUE;
}

CDocument* CDocTemplate::CreateNewDocument() {
    CObject* object = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
    auto* document = dynamic_cast<CDocument*>(object);
    if (!document) {
        delete object;
        return nullptr;
    }
    AddDocument(document);
    return document;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* document, CFrameWnd* other) {
    CCreateContext context;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pCurrentDoc = document;
    context.m_pNewDocTemplate = this;
    context.m_pCurrentFrame = other;
    CObject* object = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    auto* frame = dynamic_cast<CFrameWnd*>(object);
    if (!frame) {
        delete object;
        return nullptr;
    }
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
        if (!IsWindow(frame)) delete frame;
        return nullptr;
    }
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* document, BOOL makeVisible) {
    frame->InitialUpdateFrame(document, makeVisible);
}

CDocument* CDocTemplate::OpenDocumentFile(LPCTSTR pathName, BOOL makeVisible) {
    CDocument* document = CreateNewDocument();
    if (!document) {
        AfxMessageBox("Failed to create empty document.", MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    CFrameWnd* frame = CreateNewFrame(document, nullptr);
    if (!frame) {
        AfxMessageBox("Failed to create empty document.", MB_OK | MB_ICONEXCLAMATION);
        RemoveDocument(document);
        delete document;
        return nullptr;
    }
    if (!pathName) {
        SetDefaultTitle(document);
        if (!document->OnNewDocument()) {
            document->OnCloseDocument();
            return nullptr;
        }
        ++m_nUntitledCount;
    } else {
        // The frame stays hidden until its document has been read: a file that fails leaves
        // nothing half read on the screen while its error is reported.
        const BOOL shown = frame->IsWindowVisible();
        frame->ShowWindow(SW_HIDE);
        if (!document->OnOpenDocument(pathName)) {
            document->OnCloseDocument();
            return nullptr;
        }
        if (shown) frame->ShowWindow(SW_SHOWNA);
        document->SetPathName(pathName);
    }
    InitialUpdateFrame(frame, document, makeVisible);
    return document;
}

void CDocTemplate::SetDefaultTitle(CDocument* document) {
    CString title;
    if (GetDocString(title, docName) && !title.IsEmpty()) {
        CString number;
        number.Format("%d", m_nUntitledCount + 1);
        title += number;
    } else {
        title = "Untitled";
    }
    document->SetTitle(title);
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR pathName, CDocument*& match) {
    match = nullptr;
    const CString path = pathName ? pathName : "";
    for (CDocument* document : m_documents) {
        if (!document->GetPathName().IsEmpty() && document->GetPathName().CompareNoCase(path) == 0) {
            match = document;
            return yesAlreadyOpen;
        }
    }
    CString extension;
    GetDocString(extension, filterExt);
    if (!extension.IsEmpty() && path.GetLength() >= extension.GetLength() &&
        path.Right(extension.GetLength()).CompareNoCase(extension) == 0)
        return yesAttemptNative;
    return yesAttemptForeign;
}

void CDocTemplate::AddDocument(CDocument* document) {
    m_documents.push_back(document);
    document->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* document) {
    std::erase(m_documents, document);
    if (document->m_pDocTemplate == this) document->m_pDocTemplate = nullptr;
}

POSITION CDocTemplate::GetFirstDocPosition() const { return PositionOf(0, m_documents.size()); }

CDocument* CDocTemplate::GetNextDoc(POSITION& position) const { return NextAt(m_documents, position); }

BOOL CDocTemplate::SaveAllModified() {
    for (CDocument* document : std::vector<CDocument*>(m_documents))
        if (!document->SaveModified()) return FALSE;
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
    for (CDocument* document : std::vector<CDocument*>(m_documents)) document->OnCloseDocument();
}
