#pragma once

#include "ui/CPreviewFileDialog.h"

// The file-open dialog for bitmaps: below the standard controls, a "Show preview" check box
// and an area in which the selected .bmp file is drawn, stretched over the whole area, each
// time the selection changes. A file that is no readable bitmap leaves the area as it was.
class CFileDialogWithPreview : public CPreviewFileDialog {
    DECLARE_DYNAMIC(CFileDialogWithPreview)
  public:
    CFileDialogWithPreview(BOOL openFileDialog, LPCTSTR defaultExt = nullptr, LPCTSTR fileName = nullptr,
                           DWORD flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, LPCTSTR filter = nullptr,
                           CWnd* parent = nullptr);

    // Draws the selected file into the preview area while the box is checked.
    void DrawPreview();

  protected:
    void OnFileNameChange() override;
    void OnShowPreviewClicked() override;
};
