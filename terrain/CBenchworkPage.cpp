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
#include "ui/LengthEntry.h"

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
constexpr const char* kBetween = "Please enter a number between %s and %s";
constexpr FieldRange kHeights{0.0, CBenchworkPage::kHighestElevation};
constexpr FieldRange kSpacings{CMount::kSmallestSpacing, CMount::kLargestSpacing};
constexpr FieldRange kTextureScales{CBenchworkPage::kSmallestTextureScale,
                                    CBenchworkPage::kLargestTextureScale};
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
    const CFieldFormat lengths = CFieldFormat::Lengths(ObjectLengths(*m_pCopy));
    m_elevation.Load(lengths, benchwork->m_fElevation);
    m_thickness.Load(lengths, benchwork->m_fThickness);
    if (auto* terrain = dynamic_cast<CMount*>(benchwork)) {
        m_bAllowConform = terrain->m_bAllowConform;
        m_bFixedBorder = terrain->m_bFixedBorder;
        m_gridSpacing.Load(lengths, terrain->m_fGridSpacing);
        m_textureScale.Load(CFieldFormat::WholeNumbers(), terrain->m_fTextureScale);
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
    if (!m_elevation.Take(*this, IDC_BENCHWORK_ELEVATION, kHeights, tooHigh, benchwork->m_fElevation) ||
        !m_thickness.Take(*this, IDC_BENCHWORK_THICKNESS, kHeights, tooHigh, benchwork->m_fThickness))
        return FALSE;
    if (auto* terrain = dynamic_cast<CMount*>(benchwork)) {
        if (!m_gridSpacing.Take(*this, IDC_GRID_SPACING, kSpacings,
                                m_gridSpacing.RangeText(kBetween, kSpacings), terrain->m_fGridSpacing) ||
            !m_textureScale.Take(*this, IDC_TEXTURE_SCALE, kTextureScales,
                                 m_textureScale.RangeText(kBetween, kTextureScales),
                                 terrain->m_fTextureScale))
            return FALSE;
        terrain->m_bAllowConform = m_bAllowConform;
        terrain->m_bFixedBorder = m_bFixedBorder;
    }
    ApplyControls();
    return TRUE;
}

// ---- Fields ----

// The page lies in the tab control of the dialog whose Cancel may take the focus.
bool CBenchworkPage::IsLeftForCancelOfDialog() {
    CWnd* tabs = GetParent();
    auto* dialog = tabs != nullptr ? dynamic_cast<CDialog*>(tabs->GetParent()) : nullptr;
    return dialog != nullptr && IsLeftForCancel(*dialog);
}

void CBenchworkPage::Reformat(CTypedField& field, int id, const FieldRange& range) {
    if (m_pCopy == nullptr)
        return;
    GetDlgItemText(id, field.m_text);
    SetDlgItemText(id, field.Reformatted(range));
}

void CBenchworkPage::OnElevationKillFocus() {
    Reformat(m_elevation, IDC_BENCHWORK_ELEVATION, kHeights);
}

void CBenchworkPage::OnThicknessKillFocus() {
    Reformat(m_thickness, IDC_BENCHWORK_THICKNESS, kHeights);
}

void CBenchworkPage::OnTextureScaleKillFocus() {
    Reformat(m_textureScale, IDC_TEXTURE_SCALE, kTextureScales);
}

void CBenchworkPage::OnGridSpacingKillFocus() {
    if (m_bValidating || IsLeftForCancelOfDialog())
        return;
    Reformat(m_gridSpacing, IDC_GRID_SPACING, kSpacings);
    if (!Validate())
        return;
    PushToDialog();
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
