#pragma once

#include <memory>

#include "drawing/CCatalogueFields.h"
#include "model/CGroup.h"
#include "model/CLengthFormat.h"
#include "model/CPose.h"
#include "model/Units.h"
#include "platform/ctl/CDialog.h"
#include "ui/CColorButton.h"
#include "ui/CObjectPreviewWnd.h"
#include "ui/CTypedField.h"

// The "Group properties" dialog: every control change goes into a working copy of the group
// at once; after OK the group takes the copy, and a changed group elevation moves every
// member that stands at a height by the same amount. While the dialog is open the copy's 3D
// object has a model of its own, so that "3D Properties" can show it.
class CGroupPropertyDialog : public CDialog {
    DECLARE_DYNAMIC(CGroupPropertyDialog)
    DECLARE_MESSAGE_MAP()
  public:
    // Elevation of a group without elevated members: the edit stays read-only.
    static constexpr double kNoElevation = 5.1e307;

    CGroupPropertyDialog();
    ~CGroupPropertyDialog() override;

    void SetObject(CGroup* group, const CPose* pose, BOOL multipleSelection);
    void FindElevation();
    std::unique_ptr<CGroup> TakeResult(int& applyMode);
    void ApplyElevation(CGroup* group);
    CGroup* WorkingCopy() const { return m_copy; }
    double GetGroupElevation() const { return m_groupElevation; }

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnDestroy() override;
    void OnControlsChanged();
    void OnUseBorder();
    void OnBorderColor();
    void OnApplyMode();
    void OnElevationKillFocus();
    void On3DProperties();

  private:
    void FillCategories();
    void FillScales();
    void ApplyModeRule();
    void ShowElevation();
    BOOL TakeElevation();
    CLengthFormat Lengths() const;
    // The working copy's first 3D member when it is a 3D object, whose model the dialog builds.
    CPaint* Copy3DObject() const;

    double m_groupElevation = kNoElevation;
    double m_newGroupElevation = kNoElevation;
    CTypedField m_elevation;
    CGroup* m_copy = nullptr;
    CPose m_pose;
    int m_singleObject = 1;
    int m_openingScale = 0;
    int m_currentScale = 0;
    CObjectPreviewWnd m_preview;
    int m_elevationMode = -1;
    int m_allowExpansion = 0;
    int m_useBorder = 0;
    CColorButton m_borderColor;
    int m_applyMode = -1;
    CString m_category;
    CCatalogueFields m_fields;
    int m_unitIndex = kDefaultUnitIndex;
    // Set while the framework first fills the controls, whose change notes are no edits.
    bool m_showingFields = false;
};
