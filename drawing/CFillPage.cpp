#include "drawing/CFillPage.h"

#include "model/CPaint.h"
#include "model/PaintRecords.h"
#include "model/PatternFile.h"
#include "platform/ctl/DataExchange.h"
#include "platform/ctl/ListControlDefs.h"
#include "resources/DrawingPropertiesTemplates.h"
#include "ui/CFileDialogPatternPreview.h"
#include "ui/CPatternEditDialog.h"
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
ON_BN_CLICKED(IDC_PATTERN_NEW, OnNewPattern)
ON_BN_CLICKED(IDC_PATTERN_BROWSE, OnBrowsePattern)
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

void CFillPage::CheckPatternKind(int kind) {
    m_patternsButton.SetCheck(kind == 0 ? BST_CHECKED : BST_UNCHECKED);
    m_customButton.SetCheck(kind == 0 ? BST_UNCHECKED : BST_CHECKED);
    (kind == 0 ? m_patternsButton : m_customButton).SetFocus();
}

// Choosing a hatch chooses the hatch kind of pattern.
void CFillPage::OnHatchChosen() {
    CheckPatternKind(0);
    ApplyControls();
}

void CFillPage::TakePatternFile(const CString& name) {
    if (m_pCopy == nullptr)
        return;
    m_pCopy->m_strPatternFile = name;
    LoadPatternFile(m_pCopy->m_strPatternFile, m_pCopy->m_pPatternBitmap, 0);
}

// A cancelled editor leaves the kind of pattern as it was.
void CFillPage::OnNewPattern() {
    const int kindBefore = m_patternsButton.GetCheck() == BST_CHECKED ? 0 : 1;
    CheckPatternKind(1);
    CPatternEditDialog editor;
    editor.SetPatternName(m_pCopy != nullptr ? m_pCopy->m_strPatternFile : CString());
    if (editor.DoModal() == IDOK)
        TakePatternFile(editor.GetPatternName());
    else
        CheckPatternKind(kindBefore);
    ApplyControls();
}

void CFillPage::OnBrowsePattern() {
    CheckPatternKind(1);
    CString chosen;
    if (CFileDialogPatternPreview::ChoosePattern(CString(), this, chosen))
        TakePatternFile(chosen);
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
