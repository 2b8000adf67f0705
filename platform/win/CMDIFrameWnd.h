#pragma once

#include "platform/win/CFrameWnd.h"

class CMDIChildWnd;

// The main frame of a multiple-document program: its pane is the MDI client, a grey area
// holding the child frames. Commands go first to the active child frame.
class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNAMIC(CMDIFrameWnd)
    DECLARE_MESSAGE_MAP()
public:
    CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
    void MDIActivate(CWnd* child);
    // Activates the next child window, or the previous one: the one MDINext left.
    void MDINext();
    void MDIPrev();
    void MDICascade();
    void MDITile(UINT how = 1);
    void MDIMaximize(CWnd* child);
    // Lines the minimised children up along the bottom of the client, left to right, a row
    // further up each time one fills.
    void MDIIconArrange();
    CWnd* GetMDIClient() const { return IsWindow(const_cast<CWnd*>(&m_client)) ? const_cast<CWnd*>(&m_client) : nullptr; }
    // The child frames, bottom first.
    std::vector<CMDIChildWnd*> MDIChildren() const;

    CWnd* MenuBarChild() const override;
    CFrameWnd* GetActiveFrame() override;
    CDocument* GetActiveDocument() override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo) override;
    // The window keys every multiple-document program has, before the accelerators.
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnUpdateFrameTitle(BOOL addToTitle) override;
    // Lays out the bars and the MDI client; a maximised child keeps filling the client.
    void RecalcLayout(BOOL notify = TRUE) override;
    // The child that was active lost its place (closed); the next one becomes active.
    void ChildClosed(CMDIChildWnd* child);
    // A minimised active child hands the activation to the topmost child that is not minimised.
    void ChildMinimised(CMDIChildWnd* child);

    void OnWindowCascade() { MDICascade(); }
    void OnWindowTile() { MDITile(); }
    void OnWindowNext() { MDINext(); }
    void OnWindowArrange() { MDIIconArrange(); }
    void OnWindowNew();
    // A window chosen from the Window menu's list becomes active.
    void OnWindowListed(UINT id);
    // Every open window the Window menu could list, in the order they opened.
    std::vector<CMDIChildWnd*> OpenWindows() const;
    // Where the next new child opens: one cascade step past the children open now.
    CRect NextCascadePlace() const;

protected:
    BOOL OnCreateClient(CREATESTRUCT* cs, CCreateContext* context) override;
    CWnd* PaneWindow() const override { return GetMDIClient(); }
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu) override;
    // The keyboard given to the frame goes on to its active child, which gives it to its view.
    void OnSetFocus(CWnd* oldWindow) override;
    // The active child's caption shows whether this window's is active: it is redrawn when
    // another window (the help, say) or another program takes or gives back the activation.
    BOOL OnNcActivate(BOOL active) override;
    // Another child became active, or the last one closed: the status bar's message pane
    // no longer speaks of the window that was active.
    virtual void OnActiveChildChanged();

private:
    void ShowMenuOf(CMDIChildWnd* child);
    // The child frames that are shown, bottom first.
    std::vector<CMDIChildWnd*> ShownChildren() const;
    // The index-th place of a cascade, starting again at the top left once out of room.
    CRect CascadePlace(int index) const;
    // Puts the numbered list of open windows at the end of the Window menu (the popup holding
    // the window commands), the active one checked, and "More Windows..." when it cannot hold
    // them all.
    void ListWindowsIn(CMenu* popup) const;
    // The open windows the list shows, in the order they opened.
    std::vector<CMDIChildWnd*> ListedWindows() const;

    CWnd m_client;
    CMDIChildWnd* m_active = nullptr;
    // The children in the order they opened, for the Window menu's list.
    std::vector<CMDIChildWnd*> m_opened;
};
