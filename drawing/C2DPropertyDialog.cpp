#include "drawing/C2DPropertyDialog.h"

#include "drawing/CFillPage.h"
#include "drawing/CFramesPage.h"
#include "drawing/CLine1Page.h"
#include "drawing/CLinePage.h"
#include "drawing/PropertiesClassSteps.h"
#include "model/CPaint.h"
#include "model/Units.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/DataExchange.h"
#include "platform/ctl/ListControlDefs.h"
#include "resources/DrawingPropertiesTemplates.h"

IMPLEMENT_DYNAMIC(C2DPropertyDialog, CDialog)

BEGIN_MESSAGE_MAP(C2DPropertyDialog, CDialog)
ON_BN_CLICKED(IDC_APPLY_TO_CLICKED, OnApplyMode)
ON_BN_CLICKED(IDC_APPLY_TO_SELECTED, OnApplyMode)
ON_BN_CLICKED(IDC_APPLY_TO_ALL, OnApplyMode)
ON_CBN_SELENDOK(IDC_PROPERTIES_SCALE, OnScaleChosen)
ON_NOTIFY(TCN_SELCHANGE, IDC_PROPERTIES_TABS, OnTabChange)
END_MESSAGE_MAP()

namespace {
constexpr const char* kCategories[] = {"Track", "Scenery", "Structures", "Rolling stock", "Miscellaneous"};
constexpr int kCatalogueEdits[] = {IDC_PROPERTIES_MANUFACTURER, IDC_PROPERTIES_TYPE,  IDC_PROPERTIES_NAME,
                                   IDC_PROPERTIES_PART_NO,      IDC_PROPERTIES_PRICE, IDC_PROPERTIES_NOTE};
constexpr int kCatalogueChoices[] = {IDC_PROPERTIES_CATEGORY, IDC_PROPERTIES_SCALE, IDC_PROPERTIES_IN_REPORT};
}  // namespace

C2DPropertyDialog::C2DPropertyDialog(CWnd* parent) : CDialog(TwoDPropertiesTemplate(), parent) {}

C2DPropertyDialog::~C2DPropertyDialog() {
    for (auto& page : m_pages)
        if (page->GetSafeHwnd() != nullptr)
            page->DestroyWindow();
    m_pages.clear();
    if (m_pCopy != nullptr) {
        m_pCopy->ReleaseData();
        delete m_pCopy;
    }
}

void C2DPropertyDialog::SetObject(CPaint* object, BOOL multiple, const CPose* pose) {
    m_pCopy = object != nullptr ? object->Clone() : nullptr;
    if (const PropertiesClassSteps* steps = ClassSteps(); steps != nullptr && steps->prepareCopy)
        steps->prepareCopy(*m_pCopy);
    m_preview.SetObject(m_pCopy);
    if (pose == nullptr) {
        m_nApplyMode = 0;
        m_bSingleObject = 1;
        return;
    }
    m_clickPose = *pose;
    m_nApplyMode = multiple ? 1 : 0;
    m_bSingleObject = 0;
}

BOOL C2DPropertyDialog::GetResult(CPaint*& result, int& mode) {
    if (m_pCopy == nullptr) {
        mode = -1;
        return FALSE;
    }
    if (const PropertiesClassSteps* steps = ClassSteps(); steps != nullptr && steps->prepareResult)
        steps->prepareResult(*m_pCopy);
    result = m_pCopy->Clone();
    mode = m_nApplyMode;
    return TRUE;
}

const PropertiesClassSteps* C2DPropertyDialog::ClassSteps() const {
    return m_pCopy != nullptr ? FindPropertiesClassSteps(m_pCopy->GetClassName()) : nullptr;
}

void C2DPropertyDialog::RepaintPreview() {
    if (m_preview.GetSafeHwnd() != nullptr)
        m_preview.Invalidate();
}

void C2DPropertyDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_PROPERTIES_TABS, m_tabs);
    DDX_Control(dx, IDC_PROPERTIES_PREVIEW, m_preview);
    DDX_Radio(dx, IDC_APPLY_TO_CLICKED, m_nApplyMode);
    m_fields.Exchange(
        dx, {IDC_PROPERTIES_MANUFACTURER, IDC_PROPERTIES_TYPE, IDC_PROPERTIES_NAME, IDC_PROPERTIES_PART_NO,
             IDC_PROPERTIES_PRICE, IDC_PROPERTIES_NOTE, IDC_PROPERTIES_IN_REPORT});
}

BOOL C2DPropertyDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_preview.SetObject(m_pCopy);
    MakePages();
    m_nCurrentPage = 0;
    if (!m_pages.empty())
        m_pages[0]->ShowWindow(SW_SHOW);
    FillCategories();
    if (m_pCopy != nullptr)
        m_fields.Read(*m_pCopy);
    FillScales();
    UpdateData(FALSE);
    OnApplyMode();
    return TRUE;
}

void C2DPropertyDialog::AddPage(const CString& label, std::unique_ptr<CPages> page) {
    const int index = static_cast<int>(m_pages.size());
    m_tabs.InsertItem(index, label);
    page->CreatePage(&m_tabs);
    CRect area;
    m_tabs.GetClientRect(&area);
    m_tabs.AdjustRect(FALSE, &area);
    page->MoveWindow(&area);
    page->ShowWindow(SW_HIDE);
    page->SetObject(m_pCopy);
    m_pages.push_back(std::move(page));
}

// The working copy's class chooses the pages.
void C2DPropertyDialog::MakePages() {
    const CString className = m_pCopy != nullptr ? m_pCopy->GetClassName() : CString();
    if (className == "CSizeLine" || className == "CSizeAngle") {
        AddPage("Line", std::make_unique<CLinePage>());
        AddPage("Frames", std::make_unique<CFramesPage>());
        return;
    }
    AddPage("Line", std::make_unique<CLine1Page>());
    const PropertiesClassSteps* steps = ClassSteps();
    if (steps != nullptr && !steps->caption.IsEmpty())
        SetWindowText(steps->caption);
    if (steps != nullptr && steps->pointsColor)
        static_cast<CLine1Page*>(m_pages[0].get())->ShowInsideControls();
    if (steps != nullptr && steps->makeSecondPage)
        AddPage(steps->secondTabLabel, steps->makeSecondPage());
    else if (className != "CLine" && className != "CCamera")
        AddPage("Fill", std::make_unique<CFillPage>());
}

void C2DPropertyDialog::OnCancel() {
    if (const PropertiesClassSteps* steps = ClassSteps(); steps != nullptr && steps->onCancel)
        steps->onCancel(*m_pCopy);
    CDialog::OnCancel();
}

void C2DPropertyDialog::FillCategories() {
    auto& combo = *static_cast<CComboBox*>(GetDlgItem(IDC_PROPERTIES_CATEGORY));
    combo.ResetContent();
    for (const char* category : kCategories) combo.AddString(category);
    combo.SetCurSel(-1);
    if (m_pCopy == nullptr)
        return;
    for (int index = 0; index < combo.GetCount(); ++index)
        if (m_pCopy->m_strCategory == kCategories[index])
            combo.SetCurSel(index);
}

// The last row of the scale table with the object's scale name, or the first row.
void C2DPropertyDialog::FillScales() {
    const int chosen = m_fields.ShowScales(*static_cast<CComboBox*>(GetDlgItem(IDC_PROPERTIES_SCALE)));
    m_fields.m_scale = ScaleTable[chosen].name;
}

void C2DPropertyDialog::OnScaleChosen() {
    m_fields.TakeScale(*static_cast<CComboBox*>(GetDlgItem(IDC_PROPERTIES_SCALE)));
}

void C2DPropertyDialog::EnableCatalogueFields(BOOL enable) {
    for (int id : kCatalogueChoices) GetDlgItem(id)->EnableWindow(enable);
    for (int id : kCatalogueEdits) static_cast<CEdit*>(GetDlgItem(id))->SetReadOnly(!enable);
}

// The catalogue fields belong to one object, so they are only editable for the clicked one.
void C2DPropertyDialog::OnApplyMode() {
    if (m_bSingleObject) {
        GetDlgItem(IDC_APPLY_TO_SELECTED)->EnableWindow(FALSE);
        GetDlgItem(IDC_APPLY_TO_ALL)->EnableWindow(FALSE);
        return;
    }
    if (UpdateData(TRUE)) {
        EnableCatalogueFields(m_nApplyMode == 0);
        return;
    }
    m_nApplyMode = 0;
    CheckRadioButton(IDC_APPLY_TO_CLICKED, IDC_APPLY_TO_ALL, IDC_APPLY_TO_CLICKED);
}

void C2DPropertyDialog::OnTabChange(NMHDR*, LRESULT* result) {
    *result = 0;
    CPages& current = *m_pages[m_nCurrentPage];
    if (!current.Validate()) {
        m_tabs.SetCurSel(m_nCurrentPage);
        return;
    }
    current.CopyTo(m_pCopy);
    current.ShowWindow(SW_HIDE);
    m_nCurrentPage = m_tabs.GetCurSel();
    CPages& next = *m_pages[m_nCurrentPage];
    next.ShowWindow(SW_SHOW);
    next.SetObject(m_pCopy);
    next.SetFocus();
}

CString C2DPropertyDialog::ChosenCategory() {
    auto& combo = *static_cast<CComboBox*>(GetDlgItem(IDC_PROPERTIES_CATEGORY));
    CString category;
    if (combo.GetCurSel() >= 0)
        combo.GetLBText(combo.GetCurSel(), category);
    return category;
}

void C2DPropertyDialog::OnOK() {
    CPages& current = *m_pages[m_nCurrentPage];
    if (!current.Validate())
        return;
    current.ApplyControls();
    current.CopyTo(m_pCopy);
    if (!UpdateData(TRUE) || m_pCopy == nullptr)
        return;
    m_pCopy->m_strCategory = ChosenCategory();
    m_fields.Write(*m_pCopy);
    if (!m_fields.TakePrice(*this, IDC_PROPERTIES_PRICE, m_pCopy->m_fPrice))
        return;
    EndDialog(IDOK);
}
