#include "shell/CDocumentSetupDialog.h"

#include <algorithm>

#include "model/CCVNDoc.h"
#include "model/CLengthFormat.h"
#include "model/RecordReading.h"
#include "model/SettingRanges.h"
#include "model/Units.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/DataExchange.h"
#include "platform/win/MessageBoxes.h"
#include "resources/DocumentSetupTemplate.h"
#include "resources/StringTable.h"
#include "ui/LengthEntry.h"

namespace {
constexpr int kListedViewScales[] = {1, 2, 5, 10, 15, 20, 25, 30, 40, 50, 60};
constexpr int kPrintFitToPage = 0;
// A view scale below 1 or a page without area would divide by zero in every plan window.
constexpr FieldRange kViewScales{1.0, kLargestViewScale};
constexpr FieldRange kPrintScales{kLeastPrintScale, kLargestPrintScale};
constexpr const char* kViewScaleRefused = "The view scale must be between %s and %s.";
constexpr const char* kWidthRefused = "Please enter a document width between %s and %s.";
constexpr const char* kHeightRefused = "Please enter a document height between %s and %s.";
constexpr double kLeastPageSide = 1.0;

CString NumberText(int number) {
    CString text;
    text.Format("%d", number);
    return text;
}
}  // namespace

IMPLEMENT_DYNAMIC(CDocumentSetupDialog, CDialog)

BEGIN_MESSAGE_MAP(CDocumentSetupDialog, CDialog)
ON_EN_KILLFOCUS(IDC_SETUP_WIDTH, OnSizeKillFocus)
ON_EN_KILLFOCUS(IDC_SETUP_HEIGHT, OnSizeKillFocus)
ON_BN_CLICKED(IDC_SETUP_FIT_TO_PAGE, OnFitToPage)
ON_BN_CLICKED(IDC_SETUP_FIXED_SCALE, OnFixedScale)
END_MESSAGE_MAP()

CDocumentSetupDialog::CDocumentSetupDialog(CWnd* parent)
    : CDialog(DocumentSetupTemplate(), parent), m_nUnitIndex(kDefaultUnitIndex) {}

void CDocumentSetupDialog::LoadFromDocument(CCVNDoc* document) {
    if (!document)
        return;
    m_nUnitIndex = document->GetUnitIndex();
    const CFieldFormat lengths = CFieldFormat::Lengths(CLengthFormat(m_nUnitIndex));
    m_width.Load(lengths, document->m_fPageWidth);
    m_height.Load(lengths, document->m_fPageHeight);
    m_fWidth = document->m_fPageWidth;
    m_fHeight = document->m_fPageHeight;
    m_viewScale.Load(CFieldFormat::WholeNumbers(), document->m_fViewScale);
    m_nPrintScaleMode = document->m_nPrintScaleChoice;
    m_printScale.Load(CFieldFormat::Numbers(), document->m_fPrintScale);
    m_fPrintScale = document->m_fPrintScale;
    m_bShowPageMarkers = document->m_bShowPageMarkers;
    m_bShowPageNumbers = document->m_bShowPageNumbers;
}

void CDocumentSetupDialog::SaveToDocument(CCVNDoc* document) const {
    if (!document)
        return;
    document->m_fPageWidth = m_fWidth;
    document->m_fPageHeight = m_fHeight;
    document->m_fViewScale = ViewScale();
    document->m_nPrintScaleChoice = m_nPrintScaleMode;
    document->m_fPrintScale = m_fPrintScale;
    document->m_bShowPageMarkers = m_bShowPageMarkers;
    document->m_bShowPageNumbers = m_bShowPageNumbers;
}

BOOL CDocumentSetupDialog::OnInitDialog() {
    const BOOL result = CDialog::OnInitDialog();
    auto* scales = static_cast<CComboBox*>(GetDlgItem(IDC_SETUP_VIEW_SCALE));
    for (int scale : kListedViewScales) scales->AddString(NumberText(scale));
    ShowViewScale();
    if (m_nPrintScaleMode == kPrintFitToPage)
        EnablePrintScale(false);
    return result;
}

void CDocumentSetupDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    m_width.Exchange(dx, IDC_SETUP_WIDTH, PageSides(), kWidthRefused);
    m_height.Exchange(dx, IDC_SETUP_HEIGHT, PageSides(), kHeightRefused);
    DDX_Radio(dx, IDC_SETUP_FIT_TO_PAGE, m_nPrintScaleMode);
    DDX_Check(dx, IDC_SETUP_PAGE_MARKERS, m_bShowPageMarkers);
    DDX_Check(dx, IDC_SETUP_PAGE_NUMBERS, m_bShowPageNumbers);
    m_printScale.Exchange(dx, IDC_SETUP_PRINT_SCALE, kPrintScales, DataExchangeMessages::kEnterNumberBetween);
}

void CDocumentSetupDialog::OnOK() {
    // The sides' range follows from the view scale, so the scale is judged first.
    double viewScale = 0.0;
    if (!m_viewScale.Take(*this, IDC_SETUP_VIEW_SCALE, kViewScales,
                          m_viewScale.RangeText(kViewScaleRefused, kViewScales), viewScale))
        return;
    if (IsSideTooLargeForScale(IDC_SETUP_WIDTH) || IsSideTooLargeForScale(IDC_SETUP_HEIGHT)) {
        CString tooLarge;
        tooLarge.LoadString(IDS_DOCUMENT_SIZE_TOO_LARGE);
        return Refuse(tooLarge, IDC_SETUP_VIEW_SCALE);
    }
    if (!UpdateData(TRUE))
        return;
    m_fWidth = m_width.Value(PageSides());
    m_fHeight = m_height.Value(PageSides());
    m_fPrintScale = m_printScale.Value(kPrintScales);
    EndDialog(IDOK);
}

void CDocumentSetupDialog::OnSizeKillFocus() {
    GetDlgItemText(IDC_SETUP_WIDTH, m_width.m_text);
    GetDlgItemText(IDC_SETUP_HEIGHT, m_height.m_text);
}

void CDocumentSetupDialog::OnFitToPage() {
    EnablePrintScale(false);
}

void CDocumentSetupDialog::OnFixedScale() {
    EnablePrintScale(true);
    GotoDlgCtrl(GetDlgItem(IDC_SETUP_PRINT_SCALE));
}

// The page at zoom 1 must fit the plan window's coordinates, so the view scale bounds its
// sides; so does the file's coordinate limit.
FieldRange CDocumentSetupDialog::PageSides() const {
    const double scale = std::max(ViewScale(), 1.0);
    return {kLeastPageSide, std::min(kLargestScaledSide * scale, kLargestCoordinate)};
}

double CDocumentSetupDialog::ViewScale() const {
    return m_viewScale.Value(kViewScales);
}

// A side the file can hold but the view scale cannot show: the scale is what to change. A side
// shown as the scale's bound is that bound, as the sides' own refusal names it.
bool CDocumentSetupDialog::IsSideTooLargeForScale(int id) const {
    CString text;
    GetDlgItemText(id, text);
    const CLengthFormat lengths(m_nUnitIndex);
    double side = 0.0;
    const LengthRange held{kLeastPageSide, kLargestCoordinate};
    return ReadLengthInRange(text, lengths, held, side) &&
           !ReadLengthInRange(text, lengths, PageSides(), side);
}

void CDocumentSetupDialog::ShowViewScale() {
    auto* scales = static_cast<CComboBox*>(GetDlgItem(IDC_SETUP_VIEW_SCALE));
    const int index = scales->FindStringExact(-1, m_viewScale.m_text);
    if (index >= 0) {
        scales->SetCurSel(index);
        return;
    }
    scales->SetWindowText(m_viewScale.m_text);
}

void CDocumentSetupDialog::Refuse(const CString& text, int controlId) {
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    GotoDlgCtrl(GetDlgItem(controlId));
}

void CDocumentSetupDialog::EnablePrintScale(bool enable) {
    CWnd* printScale = GetDlgItem(IDC_SETUP_PRINT_SCALE);
    printScale->EnableWindow(enable);
    printScale->Invalidate();
}
