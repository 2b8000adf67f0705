#pragma once

#include "platform/ctl/CButton.h"

class CFileDialogPatternPreview;

// "Show preview" of the pattern file dialog: it takes its own click and has the dialog show or
// blank the preview.
class CPatternPreviewCheckBox : public CButton {
    DECLARE_DYNAMIC(CPatternPreviewCheckBox)
    DECLARE_MESSAGE_MAP()
  public:
    explicit CPatternPreviewCheckBox(CFileDialogPatternPreview& dialog) : m_dialog(dialog) {}

  private:
    void OnClicked();

    CFileDialogPatternPreview& m_dialog;
};
