#pragma once

#include "platform/cdlg/CFileDialog.h"

// What the file-open dialogs with a preview share: the template with a "Show preview" check
// box, checked when the dialog opens, and an area below the standard controls in which the
// selected file is shown.
class CPreviewFileDialog : public CFileDialog {
    DECLARE_DYNAMIC(CPreviewFileDialog)
    DECLARE_MESSAGE_MAP()
  public:
    CPreviewFileDialog(BOOL openFileDialog, LPCTSTR defaultExt, LPCTSTR fileName, DWORD flags, LPCTSTR filter,
                       CWnd* parent);

  protected:
    BOOL OnInitDialog() override;
    // The check box was clicked, checking or clearing it.
    virtual void OnShowPreviewClicked() = 0;
    bool IsPreviewShown() const;
};
