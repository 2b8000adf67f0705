#pragma once

#include "ui/CObjectPreviewWnd.h"
#include "view3d/CObject3DDialog.h"

class CSprite;

// "3D Bitmap properties": the picture of a 3D bitmap (chosen with "Browse..."), shown in a
// preview, its elevation, plan switches and catalogue fields. It works on a copy; the caller
// applies the result after OK.
class CSpritePropertyDialog : public CObject3DDialog {
    DECLARE_DYNAMIC(CSpritePropertyDialog)
    DECLARE_MESSAGE_MAP()

  public:
    explicit CSpritePropertyDialog(CWnd* parent = nullptr);
    ~CSpritePropertyDialog() override;

    void SetObject(CSprite* object, BOOL multiple, const CPose* pose);
    BOOL GetResult(CSprite*& result, int& mode);
    CSprite* GetWorkingCopy() const { return m_pCopy; }
    // Gives the working copy the picture at the path, kept whole so that it is found again.
    void TakePicture(const CString& path);

    CString m_strFile;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void OnBrowse();

  private:
    CSprite* m_pCopy = nullptr;
    CObjectPreviewWnd m_preview;
};
