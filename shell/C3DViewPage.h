#pragma once

#include "model/CDataFolders.h"
#include "platform/ctl/CPropertyPage.h"
#include "ui/CColorButton.h"

// The "3D View" page of the preferences: the benchwork texture, the backdrop and the 3D
// background colour. "Browse..." picks either bitmap with a preview; the edits show the names as
// this system writes paths.
class C3DViewPage : public CPropertyPage {
    DECLARE_DYNAMIC(C3DViewPage)
    DECLARE_MESSAGE_MAP()
  public:
    C3DViewPage();

    CString m_strBackdrop;
    CString m_strTexture;
    int m_bUseBackdrop = 0;
    CColorButton m_backgroundButton;

    // Shows the members in the controls of a page that exists.
    void RefillControls();

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnBackground();
    void OnBrowseBackdrop();
    void OnBrowseTexture();

  private:
    // Picks a bitmap for the edit, starting in the data folder.
    void BrowseBitmap(int editId, CString& name, CDataFolders::Folder folder);
};
