#pragma once

#include <vector>

#include "platform/base/CString.h"
#include "platform/base/POSITION.h"
#include "platform/win/AfxIds.h"
#include "platform/win/CCmdTarget.h"

class CDocTemplate;
class CFrameWnd;
class CView;

// A document: the data one or more views show, its file name, title and modified flag, and
// the framework's New/Open/Save/Close behaviour around the class's Serialize.
class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
    DECLARE_MESSAGE_MAP()
public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR title);
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCTSTR pathName, BOOL addToRecentList = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified() { return m_bModified ? TRUE : FALSE; }
    virtual void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified != FALSE; }

    // --- Views ----------------------------------------------------------------------------
    void AddView(CView* view);
    void RemoveView(CView* view);
    // Called whenever a view comes or goes; closes the document when its last view has gone.
    virtual void OnChangedViewList();
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& position) const;
    const std::vector<CView*>& Views() const { return m_views; }
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);
    void UpdateFrameCounts();
    // The frames showing this document, and how many there are.
    std::vector<CFrameWnd*> Frames() const;
    int FrameCount() const;

    // --- The framework's document life ----------------------------------------------------
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR pathName);
    virtual BOOL OnSaveDocument(LPCTSTR pathName);
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    // Asks "Save changes to <title>?" when modified; answers whether the caller may go on.
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* frame);
    // Saves to pathName, or asks for a name first (always when pathName is null).
    virtual BOOL DoSave(LPCTSTR pathName, BOOL replace = TRUE);
    // Saves under the document's name, or asks for one; a read-only file is not written over.
    BOOL DoFileSave();
    virtual void ReportSaveLoadException(LPCTSTR pathName, const CString& message, BOOL saving);

    BOOL OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo) override;

    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    bool m_bAutoDelete = true;

private:
    BOOL OfferSaveAsForReadOnly();

    std::vector<CView*> m_views;
    bool m_bModified = false;
};
