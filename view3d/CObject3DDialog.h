#pragma once

#include "drawing/CCatalogueFields.h"
#include "model/CPose.h"
#include "platform/ctl/CDialog.h"
#include "ui/CTypedField.h"

class CPaint;

// What the properties dialogs of 3D objects and 3D bitmaps share: the catalogue fields, the
// apply choice (clicked piece, all selected, all), the elevation and lengths in the layout's
// unit, and the range and price checks that keep the dialog open on a bad value.
class CObject3DDialog : public CDialog {
    DECLARE_DYNAMIC(CObject3DDialog)
    DECLARE_MESSAGE_MAP()

  public:
    // The largest height or elevation the dialogs accept, in tenths of a millimetre.
    static constexpr double kLargestLength = 32000.0;

    CObject3DDialog(const DialogTemplate& dialogTemplate, CWnd* parent);

    CString m_strCategory;
    CCatalogueFields m_fields;
    CTypedField m_elevation;
    int m_bResizeable = 0;
    int m_bShowOn2DPlan = 0;
    int m_bHideBox = 0;
    int m_nApplyMode = 0;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    // Takes the catalogue fields of the object into the texts, and back: false, the object
    // left, after the price was refused.
    void ShowCatalogue(const CPaint& object);
    bool TakeCatalogue(CPaint& object);
    // The switches OK takes last: resize and the plan switches.
    void TakeSwitches(CPaint& object, int& showOn2DPlan, int& showBoxWhenGrouped);
    void FillChoices();
    void OnApplyMode();
    void OnSelectScale();
    void OnKillFocusElevation();
    // The field shows a typed length the dialog may take as the layout's unit does; a loaded
    // text stays.
    void Reformat(CTypedField& field, int editId);
    // The field's lengths take the layout's unit.
    void LoadLength(CTypedField& field, double length);

  public:
    CString FormatLength(double length) const;

  protected:
    // The field's length: its loaded one while untouched, else the typed one in [low, 32000],
    // or the range message (with the unit's forms for a text that is no length) and the focus
    // on the edit. False after a refusal; the length is then left.
    bool TakeLength(CTypedField& field, double low, int editId, double& length);
    // The edits and labels that only the clicked piece may change.
    virtual void EnableCatalogue(BOOL editable);

    int m_nUnit = 0;
    int m_bNoClickPose = 1;

  private:
    CString ChosenCategory();
};
