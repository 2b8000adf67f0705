#pragma once

#include "platform/win/CFrameWnd.h"

class CMDIFrameWnd;

// A document's frame inside the MDI client. Its caption shows the document's title; while it
// is active its menu (when it has one) replaces the main frame's.
class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNAMIC(CMDIChildWnd)
public:
    BOOL LoadFrame(UINT resourceId, DWORD style = WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* parent = nullptr, CCreateContext* context = nullptr) override;
    CMDIFrameWnd* GetMDIFrame() const { return m_mdiFrame; }
    void MDIActivate();
    void MDIDestroy() { DestroyWindow(); }
    void MDIMaximize();
    void ActivateFrame(int command = -1) override;
    void OnUpdateFrameTitle(BOOL addToTitle) override;
    bool IsCaptionActive() const override;
    CMenu* SharedMenu() const { return m_ownedMenu.get(); }
    // Maximised, the child has no frame or caption of its own: the MDI frame's menu bar shows
    // its icon and buttons.
    CRect NonClientInsets() const override;

protected:
    // A child placed by default opens at the frame's next cascade place.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    int OnMouseActivate(UINT hitTest, UINT message) override;
    void OnNcPaint() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;
    bool IsMDIChild() const override { return true; }

private:
    CMDIFrameWnd* m_mdiFrame = nullptr;
};
