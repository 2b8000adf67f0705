#include "shell/CPreferenceSheet.h"

#include "model/CCVNDoc.h"
#include "model/Units.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/CDocTemplate.h"
#include "platform/win/CWinApp.h"
#include "track/CParTrack.h"

namespace {
constexpr int kButtonGap = 12;
constexpr int kCheckExtraWidth = 20;

// The factory values; the track limits' are TrackLimits'.
constexpr double kDefaultSnapRange = 500.0;
constexpr double kDefaultHandleSize = 10.0;
constexpr double kDefaultGridSize = 1270.0;
constexpr COLORREF kDefaultGridColour = 0xC0C0C0;

// The documents of the program's layout template, or the one document outside a program.
std::vector<CCVNDoc*> OpenDocuments(CCVNDoc* document) {
    std::vector<CCVNDoc*> documents;
    CWinApp* app = AfxGetApp();
    POSITION templates = app ? app->GetFirstDocTemplatePosition() : nullptr;
    if (CDocTemplate* layouts = templates ? app->GetNextDocTemplate(templates) : nullptr) {
        for (POSITION at = layouts->GetFirstDocPosition(); at;)
            if (auto* open = dynamic_cast<CCVNDoc*>(layouts->GetNextDoc(at)))
                documents.push_back(open);
    }
    if (documents.empty() && document)
        documents.push_back(document);
    return documents;
}
}  // namespace

IMPLEMENT_DYNAMIC(CPreferenceSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CPreferenceSheet, CPropertySheet)
ON_BN_CLICKED(kRestoreId, OnRestore)
ON_BN_CLICKED(kSaveAsDefaultId, OnSaveAsDefault)
END_MESSAGE_MAP()

CPreferenceSheet::CPreferenceSheet() : CPropertySheet("Preferences") {
    AddPage(&m_metricPage);
    AddPage(&m_3DViewPage);
    AddPage(&m_trainPage);
    AddPage(&m_otherPage);
    AddPage(&m_directoryPage);
}

void CPreferenceSheet::LoadFromDocument(CCVNDoc* document) {
    m_pDocument = document;
    m_3DViewPage.m_strTexture = document->m_strBenchworkTexture;
    m_3DViewPage.m_bUseBackdrop = document->m_bUseBackdrop;
    m_3DViewPage.m_strBackdrop = document->m_strBackdrop;
    m_3DViewPage.m_backgroundButton.SetColor(document->m_cr3DBackground);

    m_trainPage.m_nUnitIndex = document->m_nUnitIndex;
    m_otherPage.m_nUnitIndex = document->m_nUnitIndex;
    m_trainPage.LoadLimits(document->m_limits);

    m_metricPage.m_pDocument = document;
    m_metricPage.m_nUnitIndex = document->m_nUnitIndex;
    m_metricPage.m_nDefaultScaleIndex = document->m_nDefaultScaleIndex;
    m_metricPage.m_bGridShown = document->m_bGridShown;
    m_metricPage.SetGridSize(document->m_nGridWidth, document->m_nGridHeight);
    m_metricPage.m_crGrid = document->m_crGrid;
    m_metricPage.m_crBackground = document->m_crBackground;

    m_otherPage.LoadSnapRange(document->m_tool.m_fSnapDistance);
    m_otherPage.LoadHandleSize(document->m_tool.m_fHandleSize);
}

void CPreferenceSheet::RestoreDefaults() {
    m_3DViewPage.m_strTexture = "rcgrass.bmp";
    m_3DViewPage.m_bUseBackdrop = 1;
    m_3DViewPage.m_strBackdrop = "summits.bmp";
    m_3DViewPage.m_backgroundButton.SetColor(RGB(0, 0, 0));

    m_trainPage.LoadLimits(TrackLimits());

    m_metricPage.m_nUnitIndex = kDefaultUnitIndex;
    m_metricPage.m_nDefaultScaleIndex = kDefaultScaleIndex;
    m_metricPage.m_bGridShown = 0;
    m_metricPage.SetGridSize(kDefaultGridSize, kDefaultGridSize);
    m_metricPage.m_crGrid = kDefaultGridColour;
    m_metricPage.m_crBackground = GetSysColor(COLOR_WINDOW);

    m_otherPage.LoadSnapRange(kDefaultSnapRange);
    m_otherPage.LoadHandleSize(kDefaultHandleSize);
}

void CPreferenceSheet::ApplyToDocument(CCVNDoc* document) {
    document->m_crGrid = m_metricPage.m_crGrid;
    document->m_crBackground = m_metricPage.m_crBackground;
    document->m_strBenchworkTexture = m_3DViewPage.m_strTexture;
    document->m_bUseBackdrop = m_3DViewPage.m_bUseBackdrop;
    document->m_strBackdrop = m_3DViewPage.m_strBackdrop;
    document->m_cr3DBackground = m_3DViewPage.m_backgroundButton.GetColor();

    // The train page's lengths and the snap range are in the unit the document had.
    document->m_limits = m_trainPage.Limits();
    const double snapRange = m_otherPage.SnapRange();

    document->m_nUnitIndex = m_metricPage.m_nUnitIndex;
    // The default track takes the sizes of a new scale; its own sizes stay while the scale does.
    const bool newScale = document->m_nDefaultScaleIndex != m_metricPage.m_nDefaultScaleIndex;
    document->m_nDefaultScaleIndex = m_metricPage.m_nDefaultScaleIndex;
    if (CParTrack* track = document->m_tool.m_pDefaultTrack; track != nullptr && newScale)
        track->ApplyScale();
    document->m_bGridShown = m_metricPage.m_bGridShown;
    document->m_nGridHeight = static_cast<int>(m_metricPage.GridHeight());
    document->m_nGridWidth = static_cast<int>(m_metricPage.GridWidth());

    for (CCVNDoc* open : OpenDocuments(document)) {
        open->m_tool.m_fSnapDistance = snapRange;
        open->m_tool.m_fHandleSize = m_otherPage.HandleSize();
        open->UpdateAllViews();
    }
}

// --- The sheet's own controls ---------------------------------------------------------------

BOOL CPreferenceSheet::OnInitDialog() {
    const BOOL result = CPropertySheet::OnInitDialog();
    LayOutButtons();
    return result;
}

// Cancel at the right, then OK, Restore and, leftmost, "Save as default"; Apply and Help go.
void CPreferenceSheet::LayOutButtons() {
    for (int hidden : {static_cast<int>(IDHELP), static_cast<int>(ID_APPLY_NOW)})
        if (CWnd* button = GetDlgItem(hidden))
            button->ShowWindow(SW_HIDE);
    CWnd* cancel = GetDlgItem(IDCANCEL);
    CWnd* ok = GetDlgItem(IDOK);
    CRect cancelRect;
    cancel->GetWindowRect(&cancelRect);
    ScreenToClient(&cancelRect);
    CRect client;
    GetClientRect(&client);
    const int width = cancelRect.Width();
    const int height = cancelRect.Height();
    const int y = cancelRect.top;
    int x = client.right - width - kButtonGap;
    cancel->MoveWindow(x, y, width, height);
    x -= width + kButtonGap;
    ok->MoveWindow(x, y, width, height);
    x -= width + kButtonGap;
    m_restoreButton.Create("Restore", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                           CRect(x, y, x + width, y + height), this, kRestoreId);
    x -= width + kCheckExtraWidth + kButtonGap;
    m_saveAsDefaultCheck.Create("Save as default", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                                CRect(x, y, x + width + kCheckExtraWidth, y + height), this,
                                kSaveAsDefaultId);
    for (CButton* added : {&m_restoreButton, &m_saveAsDefaultCheck}) added->SetFont(ok->GetFont());
    m_saveAsDefaultCheck.SetCheck(m_bSaveAsDefault);
}

void CPreferenceSheet::OnOK() {
    OnSaveAsDefault();
    CPropertySheet::OnOK();
}

void CPreferenceSheet::OnSaveAsDefault() {
    m_bSaveAsDefault = m_saveAsDefaultCheck.GetCheck();
}

void CPreferenceSheet::OnRestore() {
    RestoreDefaults();
    RefillActivePage();
}

void CPreferenceSheet::RefillActivePage() {
    CPropertyPage* active = GetActivePage();
    if (active == &m_metricPage) {
        m_metricPage.RefillControls();
    } else if (active == &m_3DViewPage) {
        m_3DViewPage.RefillControls();
    } else if (active == &m_trainPage) {
        m_trainPage.ShowRestoredValues();
    } else if (active == &m_otherPage) {
        m_otherPage.ShowRestoredValues();
    } else if (active == &m_directoryPage) {
        m_directoryPage.ReadFolders();
        m_directoryPage.UpdateData(FALSE);
    }
}
