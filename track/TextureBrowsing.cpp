#include "track/TextureBrowsing.h"

#include "ui/CFileDialogWithPreview.h"
#include "ui/DataFolderFileDialog.h"

BOOL BrowseTextureFile(CWnd* owner, CString& name) {
    CFileDialogWithPreview dialog(TRUE, "bmp", name.IsEmpty() ? CString("*.bmp") : name,
                                  OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, "Bitmap Files (*.bmp)|*.bmp||",
                                  owner);
    return RunFileDialogIn(dialog, CDataFolders::Textures, name) == IDOK;
}
