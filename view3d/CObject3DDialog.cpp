#include "view3d/CObject3DDialog.h"

#include "model/CLengthFormat.h"
#include "model/CPaint.h"
#include "model/Units.h"
#include "platform/base/CStringTable.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/DataExchange.h"
#include "resources/Objects3DTemplates.h"
#include "resources/StringTable.h"

IMPLEMENT_DYNAMIC(CObject3DDialog, CDialog)

BEGIN_MESSAGE_MAP(CObject3DDialog, CDialog)
ON_BN_CLICKED(IDC_3D_TO_CLICKED, OnApplyMode)
ON_BN_CLICKED(IDC_3D_TO_SELECTED, OnApplyMode)
ON_BN_CLICKED(IDC_3D_TO_ALL, OnApplyMode)
ON_CBN_SELENDOK(IDC_3D_SCALE, OnSelectScale)
ON_EN_KILLFOCUS(IDC_3D_ELEVATION, OnKillFocusElevation)
END_MESSAGE_MAP()

namespace {
constexpr UINT kCategories[] = {IDS_TRACK, IDS_SCENERY, IDS_STRUCTURES, IDS_ROLLING_STOCK, IDS_MISCELLANEOUS};
constexpr int kCatalogueEdits[] = {IDC_3D_MANUFACTURER, IDC_3D_TYPE,  IDC_3D_OBJECT_NAME, IDC_3D_ELEVATION,
                                   IDC_3D_PART_NO,      IDC_3D_PRICE, IDC_3D_NOTE};
constexpr int kCatalogueChoices[] = {IDC_3D_CATEGORY, IDC_3D_SCALE, IDC_3D_IN_REPORT, IDC_3D_ELEVATION_LABEL};
}  // namespace

CObject3DDialog::CObject3DDialog(const DialogTemplate& dialogTemplate, CWnd* parent)
    : CDialog(dialogTemplate, parent) {}

void CObject3DDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Check(dx, IDC_3D_SHOW_ON_PLAN, m_bShowOn2DPlan);
    m_fields.Exchange(dx, {IDC_3D_MANUFACTURER, IDC_3D_TYPE, IDC_3D_OBJECT_NAME, IDC_3D_PART_NO, IDC_3D_PRICE,
                           IDC_3D_NOTE, IDC_3D_IN_REPORT});
    DDX_Radio(dx, IDC_3D_TO_CLICKED, m_nApplyMode);
    DDX_Check(dx, IDC_3D_RESIZEABLE, m_bResizeable);
    DDX_Check(dx, IDC_3D_HIDE_BOX, m_bHideBox);
    DDX_Text(dx, IDC_3D_ELEVATION, m_elevation.m_text);
}

void CObject3DDialog::ShowCatalogue(const CPaint& object) {
    m_strCategory = object.m_strCategory;
    m_fields.Read(object);
    m_bResizeable = object.m_bScaleWithDocument;
}

bool CObject3DDialog::TakeCatalogue(CPaint& object) {
    if (!m_fields.TakePrice(*this, IDC_3D_PRICE, object.m_fPrice))
        return false;
    object.m_strCategory = ChosenCategory();
    m_fields.Write(object);
    return true;
}

void CObject3DDialog::TakeSwitches(CPaint& object, int& showOn2DPlan, int& showBoxWhenGrouped) {
    object.m_bScaleWithDocument = m_bResizeable;
    showOn2DPlan = m_bShowOn2DPlan;
    showBoxWhenGrouped = m_bHideBox ? 0 : 1;
}

CString CObject3DDialog::ChosenCategory() {
    auto& combo = *static_cast<CComboBox*>(GetDlgItem(IDC_3D_CATEGORY));
    CString text;
    if (combo.GetCurSel() >= 0)
        combo.GetLBText(combo.GetCurSel(), text);
    return text;
}

void CObject3DDialog::FillChoices() {
    auto& categories = *static_cast<CComboBox*>(GetDlgItem(IDC_3D_CATEGORY));
    categories.ResetContent();
    for (UINT id : kCategories) categories.AddString(CStringTable::Text(id));
    categories.SetCurSel(categories.FindStringExact(-1, m_strCategory));
    const int chosen = m_fields.ShowScales(*static_cast<CComboBox*>(GetDlgItem(IDC_3D_SCALE)));
    m_fields.m_scale = ScaleTable[chosen].name;
}

void CObject3DDialog::OnSelectScale() {
    m_fields.TakeScale(*static_cast<CComboBox*>(GetDlgItem(IDC_3D_SCALE)));
}

void CObject3DDialog::OnApplyMode() {
    if (m_bNoClickPose) {
        GetDlgItem(IDC_3D_TO_SELECTED)->EnableWindow(FALSE);
        GetDlgItem(IDC_3D_TO_ALL)->EnableWindow(FALSE);
        return;
    }
    if (!UpdateData(TRUE)) {
        m_nApplyMode = 0;
        CheckRadioButton(IDC_3D_TO_CLICKED, IDC_3D_TO_ALL, IDC_3D_TO_CLICKED);
    }
    EnableCatalogue(m_nApplyMode == 0 ? TRUE : FALSE);
}

void CObject3DDialog::EnableCatalogue(BOOL editable) {
    for (int id : kCatalogueChoices) GetDlgItem(id)->EnableWindow(editable);
    for (int id : kCatalogueEdits) static_cast<CEdit*>(GetDlgItem(id))->SetReadOnly(!editable);
}

void CObject3DDialog::OnKillFocusElevation() {
    Reformat(m_elevation, IDC_3D_ELEVATION);
}

void CObject3DDialog::Reformat(CTypedField& field, int editId) {
    GetDlgItemText(editId, field.m_text);
    SetDlgItemText(editId, field.Reformatted({-kLargestLength, kLargestLength}));
}

void CObject3DDialog::LoadLength(CTypedField& field, double length) {
    field.Load(CFieldFormat::Lengths(CLengthFormat(m_nUnit)), length);
}

CString CObject3DDialog::FormatLength(double length) const {
    return CFieldFormat::Lengths(CLengthFormat(m_nUnit)).Show(length);
}

bool CObject3DDialog::TakeLength(CTypedField& field, double low, int editId, double& length) {
    // A range that reaches below 0 names its lower bound too.
    const CString refusal =
        low == 0.0
            ? CStringTable::Text(IDS_PLEASE_ENTER_A_NUMBER_BETWEEN_0_AND) + " " + FormatLength(kLargestLength)
            : field.RangeText("Please enter a number between %s and %s", {low, kLargestLength});
    return field.Take(*this, editId, {low, kLargestLength}, refusal, length);
}
