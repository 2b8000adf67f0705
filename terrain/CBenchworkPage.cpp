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
    DDX_Text(dx, IDC_BENCHWORK_THICKNESS, m_thickness.m_text);
    DDX_Text(dx, IDC_BENCHWORK_ELEVATION, m_elevation.m_text);
    DDX_Text(dx, IDC_GRID_SPACING, m_gridSpacing.m_text);
    DDX_Text(dx, IDC_TEXTURE_SCALE, m_textureScale.m_text);
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
    const CLengthFormat lengths = ObjectLengths(*m_pCopy);
    m_elevation.Load(lengths, benchwork->m_fElevation);
    m_thickness.Load(lengths, benchwork->m_fThickness);
    if (auto* terrain = dynamic_cast<CMount*>(benchwork)) {
        m_bAllowConform = terrain->m_bAllowConform;
        m_bFixedBorder = terrain->m_bFixedBorder;
        m_gridSpacing.Load(lengths, terrain->m_fGridSpacing);
        m_textureScale.Load(terrain->m_fTextureScale);
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
    const LengthRange heights{0.0, kHighestElevation};
    if (!TakeLength(m_elevation, heights, tooHigh, IDC_BENCHWORK_ELEVATION, benchwork->m_fElevation) ||
        !TakeLength(m_thickness, heights, tooHigh, IDC_BENCHWORK_THICKNESS, benchwork->m_fThickness))
        return FALSE;
    if (auto* terrain = dynamic_cast<CMount*>(benchwork)) {
        const CString spacingRefused = kBetween + FormatObjectLength(*m_pCopy, CMount::kSmallestSpacing) +
                                       " and " + FormatObjectLength(*m_pCopy, CMount::kLargestSpacing);
        if (!TakeLength(m_gridSpacing, {CMount::kSmallestSpacing, CMount::kLargestSpacing}, spacingRefused,
                        IDC_GRID_SPACING, terrain->m_fGridSpacing) ||
            !TakeTextureScale(terrain->m_fTextureScale))
            return FALSE;
        terrain->m_bAllowConform = m_bAllowConform;
        terrain->m_bFixedBorder = m_bFixedBorder;
    }
    ApplyControls();
    return TRUE;
}

BOOL CBenchworkPage::TakeLength(const CLengthField& field, const LengthRange& range, const CString& refusal,
                                int id, double& length) {
    if (!field.IsUntouched()) {
        const double typed = ParseObjectLength(*m_pCopy, field.m_text);
        if (!(typed >= range.minimum && typed <= range.maximum))
            return Refuse(refusal, id);
    }
    length = field.Length(ObjectLengths(*m_pCopy), range);
    return TRUE;
}

BOOL CBenchworkPage::TakeTextureScale(double& scale) {
    if (m_textureScale.IsUntouched()) {
        scale = m_textureScale.Number();
        return TRUE;
    }
    double typed = std::nan("");
    ReadNumberText(m_textureScale.m_text, typed);
    typed = std::trunc(typed);
    if (!(typed >= kSmallestTextureScale && typed <= kLargestTextureScale)) {
        CString bounds;
        bounds.Format("%d and %d", kSmallestTextureScale, kLargestTextureScale);
        return Refuse(kBetween + bounds, IDC_TEXTURE_SCALE);
    }
    scale = typed;
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

// A scale still shown as loaded stays as it is.
void CBenchworkPage::OnTextureScaleKillFocus() {
    GetDlgItemText(IDC_TEXTURE_SCALE, m_textureScale.m_text);
    // A text that is no number stays for the check to refuse.
    double scale = 0.0;
    if (m_textureScale.IsUntouched() || !ReadNumberText(m_textureScale.m_text, scale))
        return;
    CString text;
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
