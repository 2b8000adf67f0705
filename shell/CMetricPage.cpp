#include "shell/CMetricPage.h"

#include "model/CCVNDoc.h"
#include "model/CLengthFormat.h"
#include "model/Units.h"
#include "platform/ctl/DataExchange.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/MessageBoxes.h"
#include "resources/PreferencePagesTemplates.h"
#include "ui/LengthEntry.h"
#include "ui/PickButtonColor.h"

namespace {
constexpr const char* kGridStepRefused = "Please enter a grid size between %s and %s.";
// A step that truncates to no tenth of a millimetre would make the grid never end.
constexpr LengthRange kGridSteps{1.0, kLargestFieldLength};
constexpr int kGridControls[] = {IDC_METRIC_WIDTH_LABEL, IDC_METRIC_HEIGHT_LABEL, IDC_METRIC_COLOR_LABEL,
                                 IDC_METRIC_GRID_WIDTH,  IDC_METRIC_GRID_HEIGHT,  IDC_METRIC_GRID_COLOR};
}  // namespace

IMPLEMENT_DYNAMIC(CMetricPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CMetricPage, CPropertyPage)
ON_BN_CLICKED(IDC_METRIC_GRID_SHOWN, OnShowClicked)
ON_CBN_SELENDOK(IDC_METRIC_UNITS, OnUnitSelected)
ON_EN_CHANGE(IDC_METRIC_GRID_WIDTH, OnGridWidthChanged)
ON_EN_CHANGE(IDC_METRIC_GRID_HEIGHT, OnGridHeightChanged)
ON_BN_CLICKED(IDC_METRIC_GRID_COLOR, OnGridColor)
ON_BN_CLICKED(IDC_METRIC_BACK_COLOR, OnBackColor)
END_MESSAGE_MAP()

CMetricPage::CMetricPage()
    : CPropertyPage(MetricPageTemplate()),
      m_nUnitIndex(kDefaultUnitIndex),
      m_nDefaultScaleIndex(kDefaultScaleIndex),
      m_crGrid(GetSysColor(COLOR_WINDOWTEXT)) {}

void CMetricPage::SetGridSize(double width, double height) {
    const CFieldFormat lengths = CFieldFormat::Lengths(CLengthFormat(m_nUnitIndex));
    m_gridWidth.Load(lengths, width);
    m_gridHeight.Load(lengths, height);
}

double CMetricPage::GridWidth() const {
    return m_gridWidth.Value(kGridSteps);
}

double CMetricPage::GridHeight() const {
    return m_gridHeight.Value(kGridSteps);
}

void CMetricPage::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_METRIC_BACK_COLOR, m_backColorButton);
    DDX_Control(dx, IDC_METRIC_TRAIN_SCALE, m_scaleList);
    DDX_Control(dx, IDC_METRIC_UNITS, m_unitList);
    DDX_Check(dx, IDC_METRIC_GRID_SHOWN, m_bGridShown);
    DDX_Control(dx, IDC_METRIC_GRID_COLOR, m_gridColorButton);
    ExchangeGridStep(dx, IDC_METRIC_GRID_WIDTH, m_gridWidth);
    ExchangeGridStep(dx, IDC_METRIC_GRID_HEIGHT, m_gridHeight);
}

// A hidden grid's fields cannot take the focus back: a text that is no step there keeps the
// step the grid had.
void CMetricPage::ExchangeGridStep(CDataExchange* dx, int id, CTypedField& step) {
    if (m_bGridShown)
        step.Exchange(dx, id, kGridSteps, kGridStepRefused);
    else
        DDX_Text(dx, id, step.m_text);
}

BOOL CMetricPage::OnInitDialog() {
    const BOOL result = CPropertyPage::OnInitDialog();
    m_unitList.ResetContent();
    for (const UnitRow& unit : UnitTable) m_unitList.AddString(unit.name);
    m_scaleList.ResetContent();
    for (const ScaleRow& scale : ScaleTable) m_scaleList.AddString(scale.name);
    RefillControls();
    return result;
}

void CMetricPage::RefillControls() {
    m_unitList.SetCurSel(m_nUnitIndex);
    m_scaleList.SetCurSel(m_nDefaultScaleIndex);
    m_gridColorButton.SetColor(m_crGrid);
    m_backColorButton.SetColor(m_crBackground);
    m_gridColorButton.Invalidate();
    m_backColorButton.Invalidate();
    UpdateData(FALSE);
    EnableGridControls();
}

BOOL CMetricPage::OnSetActive() {
    EnableGridControls();
    return CPropertyPage::OnSetActive();
}

// The train scale reaches the engine as soon as the page is left, whatever the sheet's end.
BOOL CMetricPage::OnKillActive() {
    if (!CPropertyPage::OnKillActive())
        return FALSE;
    if (const int selected = m_scaleList.GetCurSel(); selected >= 0)
        m_nDefaultScaleIndex = selected;
    if (m_pDocument)
        m_pDocument->GetTool()->m_fScaleGauge = ScaleTable[m_nDefaultScaleIndex].gauge;
    return TRUE;
}

void CMetricPage::OnShowClicked() {
    m_bGridShown = IsDlgButtonChecked(IDC_METRIC_GRID_SHOWN);
    EnableGridControls();
}

void CMetricPage::EnableGridControls() {
    for (int id : kGridControls) {
        if (CWnd* control = GetDlgItem(id)) {
            control->EnableWindow(m_bGridShown != 0);
            control->Invalidate();
        }
    }
}

void CMetricPage::OnUnitSelected() {
    const int selected = m_unitList.GetCurSel();
    if (!m_pDocument || selected < 0)
        return;
    const double width = GridWidth();
    const double height = GridHeight();
    m_nUnitIndex = selected;
    SetGridSize(width, height);
    SetDlgItemText(IDC_METRIC_GRID_WIDTH, m_gridWidth.m_text);
    SetDlgItemText(IDC_METRIC_GRID_HEIGHT, m_gridHeight.m_text);
}

// Only the text that changed is read: the page's own loading changes one after the other.
void CMetricPage::OnGridWidthChanged() {
    GetDlgItemText(IDC_METRIC_GRID_WIDTH, m_gridWidth.m_text);
}

void CMetricPage::OnGridHeightChanged() {
    GetDlgItemText(IDC_METRIC_GRID_HEIGHT, m_gridHeight.m_text);
}

void CMetricPage::PickColour(CColorButton& button, COLORREF& colour) {
    if (PickButtonColor(button, this))
        colour = button.GetColor();
}

void CMetricPage::OnGridColor() {
    PickColour(m_gridColorButton, m_crGrid);
}

void CMetricPage::OnBackColor() {
    PickColour(m_backColorButton, m_crBackground);
}
