#pragma once

#include "drawing/CCatalogueFields.h"
#include "model/CPose.h"
#include "platform/ctl/CDialog.h"
#include "ui/CObjectPreviewWnd.h"

class CBMP;
class CPaint;

// "Picture properties": works on a copy of a bitmap picture shown in a preview: its file
// (chosen with "Browse..."), catalogue fields, "Show in report" and "Resizeable", and whether
// the result goes to the clicked picture, the selection or everything.
class CPicturePropertyDialog : public CDialog {
    DECLARE_DYNAMIC(CPicturePropertyDialog)
    DECLARE_MESSAGE_MAP()
  public:
    explicit CPicturePropertyDialog(CWnd* parent = nullptr);
    ~CPicturePropertyDialog() override;

    // Without a click pose only the clicked picture can change; with one, the selection is
    // preselected when more than one object is selected.
    void SetObject(CPaint* object, BOOL multiple, const CPose* pose);
    // A fresh copy of the working copy, owned by the caller, and the apply mode; false and mode
    // -1 without one.
    BOOL GetResult(CPaint*& result, int& mode);
    CBMP* GetWorkingCopy() const { return m_pCopy; }

    CString m_strPictureName;
    int m_nApplyMode = -1;
    CCatalogueFields m_fields;
    int m_bResizeable = 0;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void OnApplyMode();
    void OnBrowse();
    void OnFieldChanged();

  private:
    void FillChoices();
    CString ChosenText(int comboId);
    void UpdateApplyModeControls();
    // Loads a chosen file into the working copy; its name changes only when the file loads.
    bool TakePicture(const CString& path, bool report);
    // A name typed over the loaded one is taken only when its picture loads; else the person is
    // told which file could not be read and the field keeps the focus.
    CString RefusalOfTyped() const;
    bool TakeTypedPicture();

    CBMP* m_pCopy = nullptr;
    CObjectPreviewWnd m_preview;
    int m_bNoClickPose = 1;
    // Field changes count only once the controls show the working copy.
    bool m_bShown = false;
};
