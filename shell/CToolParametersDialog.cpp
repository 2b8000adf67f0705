#include "shell/CToolParametersDialog.h"

#include "model/CCVNDoc.h"
#include "model/CTool.h"
#include "platform/ctl/DataExchange.h"
#include "platform/win/CFrameWnd.h"
#include "resources/ToolParametersTemplate.h"
#include "ui/PickButtonColor.h"

IMPLEMENT_DYNAMIC(CToolParametersDialog, CDialog)

BEGIN_MESSAGE_MAP(CToolParametersDialog, CDialog)
ON_BN_CLICKED(IDC_LINE_COLOR, OnLineColor)
ON_BN_CLICKED(IDC_FILL_COLOR, OnFillColor)
ON_BN_CLICKED(IDC_PATTERN_COLOR, OnPatternColor)
ON_CBN_SELENDOK(IDC_LINE_STYLE, OnStyleSelected)
ON_CBN_SELENDOK(IDC_LINE_WIDTH, OnWidthSelected)
ON_CBN_SELENDOK(IDC_HATCH, OnHatchSelected)
ON_BN_CLICKED(IDC_FILL, OnFillClicked)
ON_BN_CLICKED(IDC_PATTERN, OnPatternClicked)
END_MESSAGE_MAP()

BOOL CToolParametersDialog::Create(CFrameWnd* mainFrame) {
    m_mainFrame = mainFrame;
    if (!CreateIndirect(ToolParametersTemplate(), mainFrame))
        return FALSE;
    ShowWindow(SW_HIDE);
    ModifyStyleEx(0, WS_EX_TOPMOST);
    return TRUE;
}

void CToolParametersDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_LINE_STYLE, m_style);
    DDX_Control(dx, IDC_LINE_WIDTH, m_width);
    DDX_Control(dx, IDC_HATCH, m_hatch);
    DDX_Control(dx, IDC_LINE_COLOR, m_lineColor);
    DDX_Control(dx, IDC_FILL_COLOR, m_fillColor);
    DDX_Control(dx, IDC_PATTERN_COLOR, m_patternColor);
    DDX_Check(dx, IDC_FILL, m_bFill);
    DDX_Check(dx, IDC_PATTERN, m_bPattern);
}

CTool* CToolParametersDialog::ActiveEngine() const {
    CFrameWnd* active = m_mainFrame ? m_mainFrame->GetActiveFrame() : nullptr;
    auto* document = active ? dynamic_cast<CCVNDoc*>(active->GetActiveDocument()) : nullptr;
    return document ? document->GetTool() : nullptr;
}

// The brush carries the pattern colour while a pattern is on, and the fill colour otherwise;
// the other colour waits in the fill default.
void CToolParametersDialog::Apply() {
    CTool* engine = ActiveEngine();
    if (!engine)
        return;
    engine->m_bFillOnDefault = m_bFill;
    engine->m_bPatternOnDefault = m_bPattern;
    const int hatch = m_hatch.GetCurSel();
    engine->m_brushDefault.hatch = hatch >= 0 ? static_cast<int>(m_hatch.GetItemData(hatch)) : 0;
    engine->m_brushDefault.style = m_bPattern ? kBrushHatched : kBrushSolid;
    engine->m_brushDefault.color = m_bPattern ? m_patternColor.GetColor() : m_fillColor.GetColor();
    engine->m_crFillDefault = m_bPattern ? m_fillColor.GetColor() : m_patternColor.GetColor();
    engine->m_penDefault.style = m_style.GetCurSel();
    // The second width stays as the layout has it (0 when new) until the width changes.
    const int width = m_width.GetCurSel() + 1;
    if (width != engine->m_penDefault.widthX)
        engine->m_penDefault.widthX = engine->m_penDefault.widthY = width;
    engine->m_penDefault.color = m_lineColor.GetColor();
}

void CToolParametersDialog::LoadFromEngine() {
    CTool* engine = ActiveEngine();
    if (!engine)
        return;
    m_bFill = engine->m_bFillOnDefault;
    m_bPattern = m_bFill ? engine->m_bPatternOnDefault : 0;
    UpdateData(FALSE);
    EnableFillControls();
    m_hatch.SetCurSel(engine->m_brushDefault.hatch);
    CColorButton& brushShown = m_bPattern ? m_patternColor : m_fillColor;
    CColorButton& fillShown = m_bPattern ? m_fillColor : m_patternColor;
    brushShown.SetColor(engine->m_brushDefault.color);
    fillShown.SetColor(engine->m_crFillDefault);
    m_width.SetCurSel(engine->m_penDefault.widthX - 1);
    m_style.SetCurSel(engine->m_penDefault.style);
    m_lineColor.SetColor(engine->m_penDefault.color);
    for (CWnd* button : {static_cast<CWnd*>(&m_fillColor), static_cast<CWnd*>(&m_patternColor),
                         static_cast<CWnd*>(&m_lineColor)})
        button->Invalidate();
}

void CToolParametersDialog::OnShowWindow(BOOL show, UINT status) {
    CDialog::OnShowWindow(show, status);
    if (show)
        LoadFromEngine();
}

void CToolParametersDialog::OnOK() {
    UpdateData(TRUE);
    Apply();
}

void CToolParametersDialog::OnCancel() {
    m_bShown = 0;
    ShowWindow(SW_HIDE);
}

void CToolParametersDialog::PickColour(CColorButton& button) {
    if (!PickButtonColor(button, this))
        return;
    UpdateData(TRUE);
    Apply();
}

void CToolParametersDialog::OnLineColor() {
    PickColour(m_lineColor);
}
void CToolParametersDialog::OnFillColor() {
    PickColour(m_fillColor);
}
void CToolParametersDialog::OnPatternColor() {
    PickColour(m_patternColor);
}

// A dashed line is one pixel wide: choosing a style resets the width, and a width the style.
void CToolParametersDialog::OnStyleSelected() {
    UpdateData(TRUE);
    if (m_style.GetCurSel() > 0)
        m_width.SetCurSel(0);
    Apply();
}

void CToolParametersDialog::OnWidthSelected() {
    UpdateData(TRUE);
    if (m_width.GetCurSel() > 0)
        m_style.SetCurSel(0);
    Apply();
}

void CToolParametersDialog::OnHatchSelected() {
    UpdateData(TRUE);
    Apply();
}

void CToolParametersDialog::OnFillClicked() {
    UpdateData(TRUE);
    if (!m_bFill) {
        m_bPattern = 0;
        UpdateData(FALSE);
    }
    EnableFillControls();
    Apply();
}

void CToolParametersDialog::OnPatternClicked() {
    UpdateData(TRUE);
    EnablePatternControls();
    Apply();
}

// Without fill nothing of fill or pattern can be set; with it, the fill colour and the
// pattern switch, and the pattern's own controls when the pattern is on.
void CToolParametersDialog::EnableFillControls() {
    EnableControls(
        {IDC_FILL_COLOR_LABEL, IDC_FILL_COLOR, IDC_PATTERN, IDC_HATCH_LABEL, IDC_HATCH, IDC_PATTERN_COLOR},
        false);
    if (!m_bFill)
        return;
    EnableControls({IDC_FILL_COLOR_LABEL, IDC_FILL_COLOR, IDC_PATTERN}, true);
    EnablePatternControls();
}

void CToolParametersDialog::EnablePatternControls() {
    EnableControls({IDC_HATCH_LABEL, IDC_HATCH, IDC_PATTERN_COLOR_LABEL, IDC_PATTERN_COLOR}, m_bPattern != 0);
}

void CToolParametersDialog::EnableControls(std::initializer_list<int> ids, bool enable) {
    for (int id : ids)
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(enable);
}
