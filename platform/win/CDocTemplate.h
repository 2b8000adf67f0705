#pragma once

#include <vector>

#include "platform/base/CRuntimeClass.h"
#include "platform/base/POSITION.h"
#include "platform/base/CString.h"
#include "platform/win/CCmdTarget.h"

class CDocument;
class CFrameWnd;

// Joins a document class, a frame class and a view class under one resource id, whose string
// holds the type's names: window title, document name, new-file name, filter name, filter
// extension, registry type id, registry type name (separated by line breaks).
class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };
    enum Confidence { noAttempt, maybeAttemptForeign, maybeAttemptNative, yesAttemptForeign, yesAttemptNative, yesAlreadyOpen };

    CDocTemplate(UINT resourceId, const CRuntimeClass* documentClass, const CRuntimeClass* frameClass,
                 const CRuntimeClass* viewClass);
    ~CDocTemplate() override;

    BOOL GetDocString(CString& text, DocStringIndex index) const;
    UINT GetResourceId() const { return m_nIDResource; }

    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* document, CFrameWnd* other);
    virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* document, BOOL makeVisible = TRUE);
    // A new untitled document (null path) or the document read from pathName, in a new frame.
    virtual CDocument* OpenDocumentFile(LPCTSTR pathName, BOOL makeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* document);
    virtual Confidence MatchDocType(LPCTSTR pathName, CDocument*& match);

    virtual void AddDocument(CDocument* document);
    virtual void RemoveDocument(CDocument* document);
    POSITION GetFirstDocPosition() const;
    CDocument* GetNextDoc(POSITION& position) const;
    const std::vector<CDocument*>& Documents() const { return m_documents; }

    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL endSession);

protected:
    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
    int m_nUntitledCount = 0;

private:
    std::vector<CDocument*> m_documents;
};
