#include "terrain/CBenchworkPage.h"

#include <cmath>

#include "drawing/CPagesOwner.h"
#include "platform/base/CStringTable.h"
#include "platform/base/CWinPath.h"
#include "platform/ctl/DataExchange.h"
#include "platform/win/MessageBoxes.h"
#include "resources/StringTable.h"
#include "resources/TerrainEditorTemplates.h"
#include "terrain/CMount.h"
#include "terrain/CTerrainEditorDialog.h"
#include "terrain/TerrainLengths.h"
#include "track/TextureBrowsing.h"

IMPLEMENT_DYNAMIC(CBenchworkPage, CPages)

BEGIN_MESSAGE_MAP(CBenchworkPage, CPages)
ON_BN_CLICKED(IDC_BENCHWORK_BROWSE, OnBrowse)
ON_BN_CLICKED(IDC_OPEN_TERRAIN_EDITOR, OnTerrainEditor)
ON_BN_CLICKED(IDC_FIXED_BORDER, OnFixedBorder)
ON_EN_KILLFOCUS(IDC_BENCHWORK_ELEVATION, OnElevationKillFocus)
ON_EN_KILLFOCUS(IDC_BENCHWORK_THICKNESS, OnThicknessKillFocus)
ON_EN_KILLFOCUS(IDC_GRID_SPACING, OnGridSpacingKillFocus)
ON_EN_KILLFOCUS(IDC_TEXTURE_SCALE, OnTextureScaleKillFocus)
END_MESSAGE_MAP()

namespace {
constexpr int kTerrainControls[] = {IDC_GRID_SPACING_LABEL,  IDC_GRID_SPACING,  IDC_OPEN_TERRAIN_EDITOR,
                                    IDC_TEXTURE_SCALE_LABEL, IDC_TEXTURE_SCALE, IDC_ALLOW_CONFORM,
                                    IDC_FIXED_BORDER};
constexpr const char* kBetween = "Please enter a number between ";
}  // namespace

CBenchworkPage::CBenchworkPage(CWnd* parent) : CPages(BenchworkPageTemplate(), parent) {}

bool CBenchworkPage::IsTerrain() const {
    return m_pCopy != nullptr && m_pCopy->GetClassName() == "CMount";
}

CMount* CBenchworkPage::Terrain() const {
    auto* copy = dynamic_cast<CMount*>(m_pCopy);
    return copy != nullptr ? copy->m_pEditedTerrain : nullptr;
}

void CBenchworkPage::DoDataExchange(CDataExchange* dx) {
    CPages::DoDataExchange(dx);
    DDX_PathText(dx, IDC_BENCHWORK_TEXTURE, m_strTexture);
    DDX_Text(dx, IDC_BENCHWORK_THICKNESS, m_strThickness);
    DDX_Text(dx, IDC_BENCHWORK_ELEVATION, m_strElevation);
    DDX_Text(dx, IDC_GRID_SPACING, m_strGridSpacing);
    DDX_Text(dx, IDC_TEXTURE_SCALE, m_strTextureScale);
    DDX_Check(dx, IDC_ALLOW_CONFORM, m_bAllowConform);
    DDX_Check(dx, IDC_FIXED_BORDER, m_bFixedBorder);
}

BOOL CBenchworkPage::OnInitDialog() {
    CPages::OnInitDialog();
    ShowTerrainControls();
    return TRUE;
}

// A terrain has no thickness but a grid; its texture label says so.
void CBenchworkPage::ShowTerrainControls() {
    if (GetSafeHwnd() == nullptr || !IsTerrain())
        return;
    SetDlgItemText(IDC_TEXTURE_LABEL, CStringTable::Text(IDS_TERRAIN_TEXTURE));
    GetDlgItem(IDC_THICKNESS_LABEL)->ShowWindow(SW_HIDE);
    GetDlgItem(IDC_BENCHWORK_THICKNESS)->ShowWindow(SW_HIDE);
    for (int id : kTerrainControls) GetDlgItem(id)->ShowWindow(SW_SHOW);
}

void CBenchworkPage::SetObject(CPaint* object) {
    CPages::SetObject(object);
    auto* benchwork = dynamic_cast<CBenchwork*>(m_pCopy);
    if (benchwork == nullptr)
        return;
    m_strElevation = FormatObjectLength(*m_pCopy, benchwork->m_fElevation);
    m_strThickness = FormatObjectLength(*m_pCopy, benchwork->m_fThickness);
    if (auto* terrain = dynamic_cast<CMount*>(benchwork)) {
        m_bAllowConform = terrain->m_bAllowConform;
        m_bFixedBorder = terrain->m_bFixedBorder;
        m_strGridSpacing = FormatObjectLength(*m_pCopy, terrain->m_fGridSpacing);
        m_strTextureScale.Format("%d", static_cast<int>(terrain->m_fTextureScale));
    }
    m_strTexture = benchwork->m_strTexture;
    if (GetSafeHwnd() != nullptr) {
        UpdateData(FALSE);
        ShowTerrainControls();
    }
}

void CBenchworkPage::ApplyControls() {
    if (auto* benchwork = dynamic_cast<CBenchwork*>(m_pCopy))
        benchwork->m_strTexture = m_strTexture;
}

BOOL CBenchworkPage::Refuse(const CString& message, int id) {
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    GotoDlgCtrl(GetDlgItem(id));
    return FALSE;
}

BOOL CBenchworkPage::Validate() {
    if (m_bValidating)
        return FALSE;
    m_bValidating = true;
    const BOOL valid = CheckValues();
    m_bValidating = false;
    return valid;
}

BOOL CBenchworkPage::CheckValues() {
    auto* benchwork = dynamic_cast<CBenchwork*>(m_pCopy);
    if (!CPages::Validate() || benchwork == nullptr)
        return FALSE;
    const CString tooHigh = CStringTable::Text(IDS_PLEASE_ENTER_A_NUMBER_BETWEEN_0_AND) + " " +
                            FormatObjectLength(*m_pCopy, kHighestElevation);
    benchwork->m_fElevation = ParseObjectLength(*m_pCopy, m_strElevation);
    if (!(benchwork->m_fElevation >= 0.0 && benchwork->m_fElevation <= kHighestElevation))
        return Refuse(tooHigh, IDC_BENCHWORK_ELEVATION);
    benchwork->m_fThickness = ParseObjectLength(*m_pCopy, m_strThickness);
    if (!(benchwork->m_fThickness >= 0.0 && benchwork->m_fThickness <= kHighestElevation))
        return Refuse(tooHigh, IDC_BENCHWORK_THICKNESS);
    if (auto* terrain = dynamic_cast<CMount*>(benchwork)) {
        terrain->m_fGridSpacing = ParseObjectLength(*m_pCopy, m_strGridSpacing);
        if (!(terrain->m_fGridSpacing >= CMount::kSmallestSpacing &&
              terrain->m_fGridSpacing <= CMount::kLargestSpacing))
            return Refuse(kBetween + FormatObjectLength(*m_pCopy, CMount::kSmallestSpacing) + " and " +
                              FormatObjectLength(*m_pCopy, CMount::kLargestSpacing),
                          IDC_GRID_SPACING);
        double scale = std::nan("");
        ReadNumberText(m_strTextureScale, scale);
        scale = std::trunc(scale);
        if (!(scale >= kSmallestTextureScale && scale <= kLargestTextureScale)) {
            CString bounds;
            bounds.Format("%d and %d", kSmallestTextureScale, kLargestTextureScale);
            return Refuse(kBetween + bounds, IDC_TEXTURE_SCALE);
        }
        terrain->m_fTextureScale = scale;
        terrain->m_bAllowConform = m_bAllowConform;
        terrain->m_bFixedBorder = m_bFixedBorder;
    }
    ApplyControls();
    return TRUE;
}

// ---- Fields ----

void CBenchworkPage::OnLengthKillFocus(int id) {
    if (m_pCopy == nullptr)
        return;
    CString text;
    GetDlgItemText(id, text);
    // A text that is no length stays for the check to refuse.
    if (const double length = ParseObjectLength(*m_pCopy, text); !std::isnan(length))
        SetDlgItemText(id, FormatObjectLength(*m_pCopy, length));
}

void CBenchworkPage::OnGridSpacingKillFocus() {
    if (m_bValidating)
        return;
    OnLengthKillFocus(IDC_GRID_SPACING);
    if (!Validate())
        return;
    PushToDialog();
}

void CBenchworkPage::OnTextureScaleKillFocus() {
    CString text;
    GetDlgItemText(IDC_TEXTURE_SCALE, text);
    // A text that is no number stays for the check to refuse.
    double scale = 0.0;
    if (!ReadNumberText(text, scale))
        return;
    text.Format("%.0f", std::trunc(scale));
    SetDlgItemText(IDC_TEXTURE_SCALE, text);
}

void CBenchworkPage::OnBrowse() {
    UpdateData(TRUE);
    CString name = m_strTexture;
    if (BrowseTextureFile(this, name)) {
        m_strTexture = name;
        ApplyControls();
        SetDlgItemText(IDC_BENCHWORK_TEXTURE, CWinPath::Native(m_strTexture));
    }
}

void CBenchworkPage::OnTerrainEditor() {
    auto* copy = dynamic_cast<CMount*>(m_pCopy);
    CMount* terrain = Terrain();
    if (copy == nullptr || terrain == nullptr)
        return;
    UpdateData(TRUE);
    if (copy->m_fGridSpacing != terrain->m_fGridSpacing) {
        terrain->m_fGridSpacing = copy->m_fGridSpacing;
        terrain->m_bFixedBorder = m_bFixedBorder;
        terrain->RebuildGrid();
    } else if (m_bFixedBorder != terrain->m_bFixedBorder) {
        terrain->m_bFixedBorder = m_bFixedBorder;
        terrain->ApplyTerrainEdits(terrain->m_newEdits, 1);
    }
    CTerrainEditorDialog editor(terrain->m_nCentreKnot, terrain, &terrain->m_parentPose, FALSE, this);
    editor.DoModal();
    copy->CopyFrom(terrain);
    PushToDialog();
}
