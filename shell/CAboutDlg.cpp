#include "shell/CAboutDlg.h"

#include "platform/ctl/ControlFactory.h"
#include "resources/ProgramBitmaps.h"
#include "resources/ProgramDialogs.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (ControlFactory::Subclass(m_picture, IDC_ABOUT_PICTURE, this) &&
        LoadProgramBitmap(IDB_ABOUT, m_bitmap))
        m_picture.SetBitmap(&m_bitmap);
    return TRUE;
}
