#pragma once

#include <memory>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CBrush.h"
#include "ui/CColorSwatch.h"
#include "ui/CPatternPreviewCheckBox.h"
#include "ui/CPreviewFileDialog.h"

// The file-open dialog for fill patterns: the pattern of the selected .pat file is tiled over
// the preview area while "Show preview" is checked; a wildcard or unreadable file shows nothing new.
class CFileDialogPatternPreview : public CPreviewFileDialog {
    DECLARE_DYNAMIC(CFileDialogPatternPreview)
  public:
    CFileDialogPatternPreview(BOOL openFileDialog, LPCTSTR defaultExt = nullptr, LPCTSTR fileName = nullptr,
                              DWORD flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, LPCTSTR filter = nullptr,
                              CWnd* parent = nullptr);

    // The filter every pattern chooser uses.
    static constexpr const char* kFilter = "Patterns Files (*.pat)|*.pat||";

    // Lets the user pick an existing pattern file, starting in the patterns folder with the
    // current name ("*.pat" when there is none); TRUE with the stored form of the chosen path.
    static BOOL ChoosePattern(const CString& currentName, CWnd* parent, CString& chosen);

    // Shows the selected pattern while "Show preview" is checked, a blank pane while it is not.
    void ShowPreviewAsChecked();

  protected:
    BOOL OnInitDialog() override;
    void OnFileNameChange() override;
    void OnShowPreviewClicked() override;

  private:
    void ShowBlank();
    void ShowSelectedPattern();

    CString m_currentPath;
    CColorSwatch m_preview;
    CPatternPreviewCheckBox m_showPreview{*this};
    std::unique_ptr<CBitmap> m_previewBitmap;
    std::unique_ptr<CBrush> m_previewBrush;
};
