#pragma once

#include "platform/ctl/CDialog.h"
#include "platform/ctl/CStatic.h"
#include "platform/gdi/CBitmap.h"

// The about box: the program's picture and an OK button.
class CAboutDlg : public CDialog {
  public:
    CAboutDlg();

  protected:
    BOOL OnInitDialog() override;

  private:
    CStatic m_picture;
    CBitmap m_bitmap;
};
