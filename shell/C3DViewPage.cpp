#include "shell/C3DViewPage.h"

#include "model/CDataFolders.h"
#include "platform/base/CProfile.h"
#include "platform/base/CWinPath.h"
#include "platform/ctl/DataExchange.h"
#include "resources/PreferencePagesTemplates.h"
#include "ui/CFileDialogWithPreview.h"
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
    DDX_Text(dx, IDC_3D_BACKDROP, m_strBackdrop);
    DDX_Text(dx, IDC_3D_TEXTURE, m_strTexture);
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
    BrowseBitmap(IDC_3D_BACKDROP, m_strBackdrop, "BACKDROPS\\", "Backdrops");
}

void C3DViewPage::OnBrowseTexture() {
    BrowseBitmap(IDC_3D_TEXTURE, m_strTexture, "TEXTURES\\", "Textures");
}

void C3DViewPage::BrowseBitmap(int editId, CString& name, const char* subFolder, const char* key) {
    GetDlgItemText(editId, name);
    const CString programSubFolder = CDataFolders::GetBaseFolder() + subFolder;
    CString folder = programSubFolder;
    if (!CDataFolders::FolderExists(folder))
        folder = CProfile::Program().GetProfileString("Paths", key, programSubFolder);
    CFileDialogWithPreview dialog(TRUE, "bmp", name.IsEmpty() ? CString("*.bmp") : name,
                                  OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kBitmapFilter, this);
    // The file dialog works in the disk's own paths, the program in its stored form.
    const CString diskFolder(CWinPath::Resolve(folder).string().c_str());
    dialog.m_ofn.lpstrInitialDir = diskFolder.c_str();
    if (dialog.DoModal() != IDOK)
        return;
    name = CWinPath::FromReal(std::filesystem::path(dialog.GetPathName().c_str()));
    SetDlgItemText(editId, name);
}
