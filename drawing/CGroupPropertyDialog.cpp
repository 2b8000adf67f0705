#include "drawing/CGroupPropertyDialog.h"

#include <algorithm>
#include <vector>

#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/Units.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/DataExchange.h"
#include "resources/GroupPropertiesTemplate.h"
#include "resources/StringTable.h"
#include "ui/LengthEntry.h"
#include "ui/PickButtonColor.h"

namespace {

// The elevations the group takes; a typed depth below 0 is taken as 0.
constexpr LengthRange kElevationRange{0.0, kLargestFieldLength};

constexpr UINT kCategoryTexts[] = {IDS_TRACK, IDS_SCENERY, IDS_STRUCTURES, IDS_ROLLING_STOCK,
                                   IDS_MISCELLANEOUS};

constexpr int kGroupControls[] = {IDC_GROUP_AUTOMATIC,  IDC_GROUP_FIXED,         IDC_GROUP_EXPANSION,
                                  IDC_GROUP_USE_BORDER, IDC_GROUP_BORDER_COLOR,  IDC_GROUP_CATEGORY,
                                  IDC_GROUP_SCALE,      IDC_GROUP_SHOW_IN_REPORT};
constexpr int kGroupEdits[] = {IDC_GROUP_MANUFACTURER, IDC_GROUP_TYPE, IDC_GROUP_NAME,     IDC_GROUP_PART_NO,
                               IDC_GROUP_PRICE,        IDC_GROUP_NOTE, IDC_GROUP_ELEVATION};

// Every member standing at a height, nested groups searched too.
void CollectElevated(const CPaintList& members, std::vector<CPaint*>& found) {
    for (CPaint* member : members) {
        if (auto* group = dynamic_cast<CGroup*>(member))
            CollectElevated(group->m_members, found);
        double elevation = 0.0;
        if (member->GetLowestElevation(elevation))
            found.push_back(member);
    }
}

}  // namespace

IMPLEMENT_DYNAMIC(CGroupPropertyDialog, CDialog)

BEGIN_MESSAGE_MAP(CGroupPropertyDialog, CDialog)
ON_EN_CHANGE(IDC_GROUP_MANUFACTURER, OnControlsChanged)
ON_EN_CHANGE(IDC_GROUP_TYPE, OnControlsChanged)
ON_EN_CHANGE(IDC_GROUP_NAME, OnControlsChanged)
ON_EN_CHANGE(IDC_GROUP_PART_NO, OnControlsChanged)
ON_EN_CHANGE(IDC_GROUP_NOTE, OnControlsChanged)
ON_EN_KILLFOCUS(IDC_GROUP_PRICE, OnControlsChanged)
ON_CBN_SELENDOK(IDC_GROUP_CATEGORY, OnControlsChanged)
ON_CBN_SELENDOK(IDC_GROUP_SCALE, OnControlsChanged)
ON_BN_CLICKED(IDC_GROUP_EXPANSION, OnControlsChanged)
ON_BN_CLICKED(IDC_GROUP_SHOW_IN_REPORT, OnControlsChanged)
ON_BN_CLICKED(IDC_GROUP_AUTOMATIC, OnControlsChanged)
ON_BN_CLICKED(IDC_GROUP_FIXED, OnControlsChanged)
ON_BN_CLICKED(IDC_GROUP_USE_BORDER, OnUseBorder)
ON_BN_CLICKED(IDC_GROUP_BORDER_COLOR, OnBorderColor)
ON_BN_CLICKED(IDC_GROUP_APPLY_CLICKED, OnApplyMode)
ON_BN_CLICKED(IDC_GROUP_APPLY_SELECTED, OnApplyMode)
ON_BN_CLICKED(IDC_GROUP_APPLY_ALL, OnApplyMode)
ON_EN_KILLFOCUS(IDC_GROUP_ELEVATION, OnElevationKillFocus)
ON_BN_CLICKED(IDC_GROUP_3D_PROPERTIES, On3DProperties)
END_MESSAGE_MAP()

CGroupPropertyDialog::CGroupPropertyDialog() : CDialog(GroupPropertiesTemplate()) {}

CGroupPropertyDialog::~CGroupPropertyDialog() {
    if (m_copy == nullptr)
        return;
    m_copy->ReleaseData();
    delete m_copy;
}

void CGroupPropertyDialog::SetObject(CGroup* group, const CPose* pose, BOOL multipleSelection) {
    m_copy = group != nullptr ? dynamic_cast<CGroup*>(group->Clone()) : nullptr;
    m_preview.SetObject(m_copy);
    if (group != nullptr && group->m_pTool != nullptr && group->m_pTool->m_pHost != nullptr)
        m_unitIndex = group->m_pTool->m_pHost->GetUnitIndex();
    if (pose == nullptr) {
        m_applyMode = 0;
        m_singleObject = 1;
        return;
    }
    m_pose = *pose;
    m_applyMode = multipleSelection ? 1 : 0;
    m_singleObject = 0;
}

void CGroupPropertyDialog::FindElevation() {
    m_groupElevation = kNoElevation;
    std::vector<CPaint*> members;
    if (m_copy != nullptr)
        CollectElevated(m_copy->m_members, members);
    for (CPaint* member : members) {
        double elevation = 0.0;
        member->GetLowestElevation(elevation);
        m_groupElevation = std::min(m_groupElevation, elevation);
    }
    m_newGroupElevation = m_groupElevation;
}

std::unique_ptr<CGroup> CGroupPropertyDialog::TakeResult(int& applyMode) {
    applyMode = m_applyMode;
    if (m_copy == nullptr)
        return nullptr;
    return std::unique_ptr<CGroup>(dynamic_cast<CGroup*>(m_copy->Clone()));
}

void CGroupPropertyDialog::ApplyElevation(CGroup* group) {
    const double difference = m_newGroupElevation - m_groupElevation;
    if (group != nullptr && difference != 0.0) {
        std::vector<CPaint*> members;
        CollectElevated(group->m_members, members);
        for (CPaint* member : members) {
            member->LowerElevations(nullptr, -difference);
            member->Update3D(&member->m_parentPose);
        }
    }
    m_groupElevation = kNoElevation;
    m_newGroupElevation = kNoElevation;
}

CPaint* CGroupPropertyDialog::Copy3DObject() const {
    CPaint* member = m_copy != nullptr ? m_copy->Find3DMember() : nullptr;
    return member != nullptr && member->GetClassName() == "C3D" ? member : nullptr;
}

CLengthFormat CGroupPropertyDialog::Lengths() const {
    return CLengthFormat(m_unitIndex);
}

void CGroupPropertyDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_GROUP_PREVIEW, m_preview);
    DDX_Control(dx, IDC_GROUP_BORDER_COLOR, m_borderColor);
    DDX_CBString(dx, IDC_GROUP_CATEGORY, m_category);
    m_fields.Exchange(dx, {IDC_GROUP_MANUFACTURER, IDC_GROUP_TYPE, IDC_GROUP_NAME, IDC_GROUP_PART_NO,
                           IDC_GROUP_PRICE, IDC_GROUP_NOTE, IDC_GROUP_SHOW_IN_REPORT});
    DDX_Check(dx, IDC_GROUP_EXPANSION, m_allowExpansion);
    DDX_Check(dx, IDC_GROUP_USE_BORDER, m_useBorder);
    DDX_Radio(dx, IDC_GROUP_AUTOMATIC, m_elevationMode);
    DDX_Radio(dx, IDC_GROUP_APPLY_CLICKED, m_applyMode);
}

BOOL CGroupPropertyDialog::OnInitDialog() {
    if (m_copy != nullptr) {
        m_category = m_copy->m_strCategory;
        m_fields.Read(*m_copy);
        m_allowExpansion = m_copy->m_bAllowExpansion;
        m_elevationMode = m_copy->m_nPriceMode;
        m_useBorder = m_copy->m_bUseBorder;
        m_borderColor.SetColor(m_copy->m_pen.color);
    }
    m_showingFields = true;
    CDialog::OnInitDialog();
    m_showingFields = false;
    FillCategories();
    FillScales();
    if (m_copy == nullptr || m_copy->Find3DMember() == nullptr)
        GetDlgItem(IDC_GROUP_3D_PROPERTIES)->ShowWindow(SW_HIDE);
    if (CPaint* object = Copy3DObject()) {
        const CPose placement = m_copy->m_pose.ComposedWith(m_pose);
        object->Update3D(&placement);
    }
    ApplyModeRule();
    ShowElevation();
    return TRUE;
}

void CGroupPropertyDialog::FillCategories() {
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_GROUP_CATEGORY));
    combo->ResetContent();
    for (UINT id : kCategoryTexts) {
        CString text;
        text.LoadString(id);
        combo->AddString(text);
    }
    combo->SetCurSel(combo->FindStringExact(-1, m_category));
}

void CGroupPropertyDialog::FillScales() {
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_GROUP_SCALE));
    for (const ScaleRow& row : ScaleTable) combo->AddString(row.name);
    m_openingScale = std::max(FindScale(m_fields.m_scale.c_str()), 0);
    m_currentScale = m_openingScale;
    combo->SetCurSel(m_currentScale);
    m_fields.m_scale = ScaleTable[m_currentScale].name;
}

void CGroupPropertyDialog::ShowElevation() {
    auto* edit = static_cast<CEdit*>(GetDlgItem(IDC_GROUP_ELEVATION));
    if (m_groupElevation >= kNoElevation) {
        edit->SetReadOnly(TRUE);
        return;
    }
    m_elevation.Load(CFieldFormat::Lengths(Lengths()), m_newGroupElevation);
    edit->SetWindowText(m_elevation.m_text);
}

// The edits are not written back: that would move the caret of the edit being typed in.
void CGroupPropertyDialog::OnControlsChanged() {
    if (m_copy == nullptr || m_showingFields)
        return;
    UpdateData(TRUE);
    m_currentScale = std::max(static_cast<CComboBox*>(GetDlgItem(IDC_GROUP_SCALE))->GetCurSel(), 0);
    m_fields.m_scale = ScaleTable[m_currentScale].name;
    m_copy->m_strCategory = m_category;
    m_fields.Write(*m_copy);
    m_copy->m_fPrice = m_fields.Price();
    m_copy->m_bAllowExpansion = m_allowExpansion;
    m_copy->m_nPriceMode = m_elevationMode;
    m_copy->m_bUseBorder = m_useBorder;
    m_copy->m_pen.color = m_borderColor.GetColor();
}

void CGroupPropertyDialog::OnOK() {
    if (!UpdateData(TRUE) || !TakeElevation())
        return;
    OnControlsChanged();
    if (!m_fields.TakePrice(*this, IDC_GROUP_PRICE, m_copy->m_fPrice))
        return;
    EndDialog(IDOK);
}

void CGroupPropertyDialog::OnDestroy() {
    if (CPaint* object = Copy3DObject(); object != nullptr && object->m_hModel != nullptr)
        object->Remove3D();
    CDialog::OnDestroy();
}

void CGroupPropertyDialog::OnUseBorder() {
    OnControlsChanged();
    m_preview.Invalidate();
}

void CGroupPropertyDialog::OnBorderColor() {
    if (PickButtonColor(m_borderColor, this))
        OnUseBorder();
}

void CGroupPropertyDialog::OnApplyMode() {
    UpdateData(TRUE);
    ApplyModeRule();
}

void CGroupPropertyDialog::ApplyModeRule() {
    if (m_singleObject) {
        GetDlgItem(IDC_GROUP_APPLY_SELECTED)->EnableWindow(FALSE);
        GetDlgItem(IDC_GROUP_APPLY_ALL)->EnableWindow(FALSE);
        return;
    }
    const BOOL groupOwn = m_applyMode == 0;
    for (int id : kGroupControls) GetDlgItem(id)->EnableWindow(groupOwn);
    for (int id : kGroupEdits) static_cast<CEdit*>(GetDlgItem(id))->SetReadOnly(!groupOwn);
}

// The copy's 3D object may change its height, which is a member elevation.
void CGroupPropertyDialog::On3DProperties() {
    if (m_copy == nullptr)
        return;
    m_copy->m_savedPose = m_pose;
    m_copy->Edit3DProperties(0);
    OnUseBorder();
    FindElevation();
    ShowElevation();
}

// The typed text is read in the document's unit, so feet and inches keep their inches. The text
// the field opened with stands for the exact elevation still, so typing it back moves nothing.
void CGroupPropertyDialog::OnElevationKillFocus() {
    if (!IsLeftForCancel(*this) && TakeElevation())
        SetDlgItemText(IDC_GROUP_ELEVATION, m_elevation.Reformatted(kElevationRange));
}

// Enter on the field closes the dialog without leaving it, so OK reads it too.
BOOL CGroupPropertyDialog::TakeElevation() {
    if (m_groupElevation >= kNoElevation)
        return TRUE;
    const CString refusal = m_elevation.RangeText(DataExchangeMessages::kEnterNumberBetween, kElevationRange);
    return m_elevation.Take(*this, IDC_GROUP_ELEVATION, kElevationRange, refusal, m_newGroupElevation);
}
