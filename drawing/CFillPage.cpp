#include "drawing/CFillPage.h"

#include "model/CPaint.h"
#include "model/PaintRecords.h"
#include "platform/ctl/DataExchange.h"
#include "platform/ctl/ListControlDefs.h"
#include "resources/DrawingPropertiesTemplates.h"
#include "ui/PickButtonColor.h"

IMPLEMENT_DYNAMIC(CFillPage, CPages)

BEGIN_MESSAGE_MAP(CFillPage, CPages)
ON_BN_CLICKED(IDC_FILL_ON, OnFill)
ON_BN_CLICKED(IDC_PATTERN_ON, OnPattern)
ON_CBN_SELENDOK(IDC_HATCH, OnHatchChosen)
ON_BN_CLICKED(IDC_PATTERNS, OnPatternKind)
ON_BN_CLICKED(IDC_CUSTOM, OnPatternKind)
ON_BN_CLICKED(IDC_FILL_COLOR, OnFillColor)
ON_BN_CLICKED(IDC_PATTERN_COLOR, OnPatternColor)
END_MESSAGE_MAP()

namespace {
constexpr int kFillControls[] = {IDC_FILL_COLOR_TEXT, IDC_FILL_COLOR, IDC_PATTERN_ON};
constexpr int kPatternControls[] = {IDC_HATCH,  IDC_PATTERN_COLOR_TEXT, IDC_PATTERN_COLOR, IDC_PATTERNS,
                                    IDC_CUSTOM, IDC_PATTERN_BROWSE,     IDC_PATTERN_NEW};
}  // namespace

CFillPage::CFillPage(CWnd* parent) : CPages(FillPageTemplate(), parent) {}

void CFillPage::DoDataExchange(CDataExchange* dx) {
    CPages::DoDataExchange(dx);
    DDX_Control(dx, IDC_PATTERNS, m_patternsButton);
    DDX_Control(dx, IDC_CUSTOM, m_customButton);
    DDX_Check(dx, IDC_FILL_ON, m_bFillOn);
    DDX_Control(dx, IDC_FILL_COLOR, m_fillColorButton);
    DDX_Check(dx, IDC_PATTERN_ON, m_bPatternOn);
    DDX_Control(dx, IDC_HATCH, m_hatchCombo);
    DDX_Control(dx, IDC_PATTERN_COLOR, m_patternColorButton);
    DDX_Radio(dx, IDC_PATTERNS, m_nPatternKind);
}

bool CFillPage::TakesFill(const CString& className) {
    for (const char* name : {"CArc", "CBox", "CLine", "CRoundBox", "CPolygon", "CSketch", "CSpline"})
        if (className == name)
            return true;
    return false;
}

void CFillPage::SetObject(CPaint* object) {
    CPages::SetObject(object);
    if (m_pCopy == nullptr)
        return;
    m_bFillOn = m_pCopy->m_bFillOn;
    m_bPatternOn = m_pCopy->m_bPatternOn;
    m_nPatternKind = m_pCopy->m_nPatternKind;
    m_hatchCombo.SetCurSel(m_pCopy->m_brush.hatch);
    CColorButton& brushButton = m_bPatternOn ? m_patternColorButton : m_fillColorButton;
    CColorButton& otherButton = m_bPatternOn ? m_fillColorButton : m_patternColorButton;
    brushButton.SetColor(m_pCopy->m_brush.color);
    otherButton.SetColor(m_pCopy->m_crFill);
    m_fillColorButton.Invalidate();
    m_patternColorButton.Invalidate();
    UpdateData(FALSE);
    OnFill();
    OnPattern();
}

void CFillPage::ApplyControls() {
    UpdateData(TRUE);
    if (m_pCopy != nullptr && TakesFill(m_pCopy->GetClassName())) {
        m_pCopy->m_bFillOn = m_bFillOn;
        m_pCopy->m_bPatternOn = m_bPatternOn;
        m_pCopy->m_nPatternKind = m_nPatternKind;
        const int hatch = m_hatchCombo.GetCurSel();
        if (hatch >= 0)
            m_pCopy->m_brush.hatch = static_cast<int>(m_hatchCombo.GetItemData(hatch));
        CColorButton& brushButton = m_bPatternOn ? m_patternColorButton : m_fillColorButton;
        CColorButton& otherButton = m_bPatternOn ? m_fillColorButton : m_patternColorButton;
        m_pCopy->m_brush.style = m_bPatternOn ? kBrushHatched : kBrushSolid;
        m_pCopy->m_brush.color = brushButton.GetColor();
        m_pCopy->m_crFill = otherButton.GetColor();
    }
    PushToDialog();
}

void CFillPage::EnableControls(std::span<const int> ids, BOOL enable) {
    for (int id : ids)
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(enable);
}

void CFillPage::OnFill() {
    ApplyControls();
    EnableControls(kFillControls, FALSE);
    EnableControls(kPatternControls, FALSE);
    if (!m_bFillOn) {
        m_bPatternOn = 0;
        UpdateData(FALSE);
        return;
    }
    EnableControls(kFillControls, TRUE);
}

void CFillPage::OnPattern() {
    ApplyControls();
    EnableControls(kPatternControls, m_bPatternOn ? TRUE : FALSE);
}

// Choosing a hatch chooses the hatch kind of pattern.
void CFillPage::OnHatchChosen() {
    m_patternsButton.SetCheck(BST_CHECKED);
    m_customButton.SetCheck(BST_UNCHECKED);
    m_patternsButton.SetFocus();
    ApplyControls();
}

void CFillPage::OnFillColor() {
    if (PickButtonColor(m_fillColorButton, this))
        ApplyControls();
}

void CFillPage::OnPatternColor() {
    if (PickButtonColor(m_patternColorButton, this))
        ApplyControls();
}
