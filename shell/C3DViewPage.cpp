#include "shell/C3DViewPage.h"

#include "model/CDataFolders.h"
#include "platform/base/CWinPath.h"
#include "platform/ctl/DataExchange.h"
#include "resources/PreferencePagesTemplates.h"
#include "ui/CFileDialogWithPreview.h"
#include "ui/DataFolderFileDialog.h"
#include "ui/PickButtonColor.h"

namespace {
constexpr const char* kBitmapFilter = "Bitmap Files (*.bmp)|*.bmp||";
}  // namespace

IMPLEMENT_DYNAMIC(C3DViewPage, CPropertyPage)

BEGIN_MESSAGE_MAP(C3DViewPage, CPropertyPage)
ON_BN_CLICKED(IDC_3D_BACKGROUND, OnBackground)
ON_BN_CLICKED(IDC_3D_BROWSE_BACKDROP, OnBrowseBackdrop)
ON_BN_CLICKED(IDC_3D_BROWSE_TEXTURE, OnBrowseTexture)
END_MESSAGE_MAP()

C3DViewPage::C3DViewPage() : CPropertyPage(View3DPageTemplate()) {}

void C3DViewPage::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    DDX_PathText(dx, IDC_3D_BACKDROP, m_strBackdrop);
    DDX_PathText(dx, IDC_3D_TEXTURE, m_strTexture);
    DDX_Check(dx, IDC_3D_USE_BACKDROP, m_bUseBackdrop);
    DDX_Control(dx, IDC_3D_BACKGROUND, m_backgroundButton);
}

void C3DViewPage::RefillControls() {
    UpdateData(FALSE);
    m_backgroundButton.Invalidate();
}

void C3DViewPage::OnBackground() {
    PickButtonColor(m_backgroundButton, this);
}

void C3DViewPage::OnBrowseBackdrop() {
    BrowseBitmap(IDC_3D_BACKDROP, m_strBackdrop, CDataFolders::Backdrops);
}

void C3DViewPage::OnBrowseTexture() {
    BrowseBitmap(IDC_3D_TEXTURE, m_strTexture, CDataFolders::Textures);
}

void C3DViewPage::BrowseBitmap(int editId, CString& name, CDataFolders::Folder folder) {
    ReadPathText(*GetDlgItem(editId), name);
    CFileDialogWithPreview dialog(TRUE, "bmp", name.IsEmpty() ? CString("*.bmp") : name,
                                  OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kBitmapFilter, this);
    if (RunFileDialogIn(dialog, folder, name) == IDOK)
        SetDlgItemText(editId, CWinPath::Native(name));
}
