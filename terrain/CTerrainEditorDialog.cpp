#include "terrain/CTerrainEditorDialog.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/CEditStep.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/ControlPainting.h"
#include "platform/ctl/DataExchange.h"
#include "platform/r3d/Light.h"
#include "platform/r3d/Scene.h"
#include "resources/TerrainEditorTemplates.h"
#include "terrain/CMount.h"
#include "terrain/TerrainLengths.h"
#include "ui/LengthEntry.h"

IMPLEMENT_DYNAMIC(CTerrainEditorDialog, CDialog)

BEGIN_MESSAGE_MAP(CTerrainEditorDialog, CDialog)
ON_BN_CLICKED(IDC_SELECT_FORWARD, OnSelectForward)
ON_BN_CLICKED(IDC_SELECT_BACK, OnSelectBack)
ON_BN_CLICKED(IDC_SELECT_LEFT, OnSelectLeft)
ON_BN_CLICKED(IDC_SELECT_RIGHT, OnSelectRight)
ON_BN_CLICKED(IDC_ROTATE_LEFT, OnRotateLeft)
ON_BN_CLICKED(IDC_ROTATE_RIGHT, OnRotateRight)
ON_BN_CLICKED(IDC_ROLL_BACK, OnRollBack)
ON_BN_CLICKED(IDC_RESET_TERRAIN, OnResetTerrain)
ON_EN_KILLFOCUS(IDC_KNOT_ELEVATION, OnElevationKillFocus)
ON_EN_KILLFOCUS(IDC_ELASTIC_PERCENT, OnElasticKillFocus)
END_MESSAGE_MAP()

namespace {

// A knot may sink below the benchwork as far as it may rise.
constexpr LengthRange kKnotElevations{-kLargestFieldLength, kLargestFieldLength};
// The share of the grid an edit reaches, kept as a fraction: none of it to all of it.
constexpr FieldRange kElasticFractions{0.0, 1.0};

// The field takes whole percent only: a fraction is refused, not cut.
constexpr const char* kElasticRefused = DataExchangeMessages::kEnterIntegerBetween;

// Whole percent, as the field shows it.
CFieldFormat ElasticPercent() {
    return CFieldFormat::WholeNumbers().ShownAs(100.0, 0.0);
}

constexpr UINT kDirectionButtons[] = {IDC_SELECT_FORWARD, IDC_SELECT_BACK, IDC_SELECT_LEFT, IDC_SELECT_RIGHT};
constexpr UINT kDirectionIcons[] = {IDI_ARROW_FORWARD, IDI_ARROW_BACK, IDI_ARROW_LEFT, IDI_ARROW_RIGHT};

// The largest distance in grid steps from the knot to any knot of the terrain.
double FarthestKnotDistance(const CGrideMount& grid, int knot) {
    double farthest = 0.0;
    for (int i = 0; i < grid.GetSize(); ++i)
        farthest = std::max(farthest, std::hypot(static_cast<double>(grid[i].x) - grid[knot].x,
                                                 static_cast<double>(grid[i].y) - grid[knot].y));
    return farthest;
}

}  // namespace

CTerrainEditorDialog::CTerrainEditorDialog(int knot, CMount* terrain, const CPose* pose, BOOL withFirstEdit,
                                           CWnd* parent)
    : CDialog(TerrainEditorTemplate(), parent),
      m_nFalloff(terrain->m_nFalloffMode),
      m_fElastic(terrain->m_fElastic),
      m_pTerrain(terrain),
      m_pose(pose != nullptr ? *pose : terrain->m_parentPose),
      m_edits(terrain->m_newEdits),
      m_nKnot(std::clamp(knot, 0, std::max(0, terrain->Grid().GetSize() - 1))) {
    if (withFirstEdit)
        AppendFirstEdit();
    MakeWorld();
}

CTerrainEditorDialog::~CTerrainEditorDialog() {
    m_edits.RemoveAll();
}

void CTerrainEditorDialog::AppendFirstEdit() {
    const CGrideMount& grid = m_pTerrain->Grid();
    if (m_nKnot >= grid.GetSize())
        return;
    const double s = m_pTerrain->m_fGridSpacing;
    const double radius = m_fElastic * FarthestKnotDistance(grid, m_nKnot);
    CTerrainEdit edit;
    edit.x = static_cast<float>(grid[m_nKnot].x * s);
    edit.y = static_cast<float>(grid[m_nKnot].y * s);
    edit.dz = static_cast<float>(m_pTerrain->m_fDragHeight - grid[m_nKnot].z);
    edit.radius = static_cast<float>(s * radius);
    edit.mode = m_pTerrain->m_nFalloffMode;
    edit.group = 1;
    m_edits.Append(edit);
}

void CTerrainEditorDialog::MakeWorld() {
    m_pScene = std::make_unique<r3d::Scene>();
    m_pScene->AddLight(std::make_unique<r3d::Light>(r3d::Vec3{-1.0f, -1.0f, 1.0f}, 1.0f));
}

double CTerrainEditorDialog::Scale() const {
    const CToolHost* host = m_pTerrain->m_pTool != nullptr ? m_pTerrain->m_pTool->m_pHost : nullptr;
    return host != nullptr ? host->Get3DScale() : 0.0;
}

// ---- Opening ----

void CTerrainEditorDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_TERRAIN_PREVIEW, m_preview);
    DDX_Control(dx, IDC_ROTATE_LEFT, m_rotateLeft);
    DDX_Control(dx, IDC_ROTATE_RIGHT, m_rotateRight);
    DDX_Radio(dx, IDC_CHANGE_SELECTED_ONLY, m_nChangeMode);
    m_elastic.Exchange(dx, IDC_ELASTIC_PERCENT, kElasticFractions, kElasticRefused);
    if (dx->m_bSaveAndValidate)
        m_fElastic = m_elastic.Value(kElasticFractions);
    DDX_Radio(dx, IDC_FALLOFF_LINEAR, m_nFalloff);
    m_elevation.Exchange(dx, IDC_KNOT_ELEVATION, kKnotElevations, DataExchangeMessages::kEnterNumberBetween);
}

BOOL CTerrainEditorDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_preview.SetTerrain(m_pTerrain, (m_pTerrain->m_pose.angle + m_pose.angle) * 180.0 / std::numbers::pi);
    m_preview.CreateCamera(this);
    m_elastic.Load(ElasticPercent(), m_fElastic);
    UpdateData(FALSE);
    ShowKnotElevation();
    SetButtonIcons();
    m_rotateLeft.SetHoldHandler([this](bool pressed) { HoldRotate(kRotateLeftTimer, pressed); });
    m_rotateRight.SetHoldHandler([this](bool pressed) { HoldRotate(kRotateRightTimer, pressed); });
    EnableRollBack(HasNewEdits());
    return TRUE;
}

void CTerrainEditorDialog::SetButtonIcons() {
    for (size_t i = 0; i < std::size(kDirectionButtons); ++i) {
        auto* button = static_cast<CButton*>(GetDlgItem(static_cast<int>(kDirectionButtons[i])));
        if (button != nullptr && PaintArrowIcon(m_icons[i], kDirectionIcons[i]))
            button->SetIcon(IconFromBitmap(&m_icons[i]));
    }
}

bool CTerrainEditorDialog::HasNewEdits() const {
    return m_edits.GetCount() > m_pTerrain->m_newEdits.GetCount();
}

bool CTerrainEditorDialog::EditsChanged() const {
    const auto same = [](const CTerrainEdit& a, const CTerrainEdit& b) {
        return a.x == b.x && a.y == b.y && a.dz == b.dz && a.radius == b.radius && a.mode == b.mode &&
               a.group == b.group;
    };
    return !std::ranges::equal(m_edits.Records(), m_pTerrain->m_newEdits.Records(), same);
}

void CTerrainEditorDialog::EnableRollBack(BOOL enable) {
    if (CWnd* button = GetDlgItem(IDC_ROLL_BACK))
        button->EnableWindow(enable);
}

// ---- Selection ----

void CTerrainEditorDialog::UpdateSelection(int knot, BOOL redraw) {
    if (knot < 0 || knot >= m_pTerrain->Grid().GetSize())
        return;
    m_nKnot = knot;
    m_preview.PlaceMarker(knot);
    if (redraw)
        m_preview.Invalidate(FALSE);
    ShowKnotElevation();
}

void CTerrainEditorDialog::ShowKnotElevation() {
    if (m_nKnot < m_pTerrain->Grid().GetSize())
        ShowElevation(m_pTerrain->Grid()[m_nKnot].z);
    // A fixed border keeps its knots' heights: their field only shows them.
    static_cast<CEdit*>(GetDlgItem(IDC_KNOT_ELEVATION))
        ->SetReadOnly(m_pTerrain->m_bFixedBorder && m_nKnot >= m_pTerrain->InnerKnotCount());
}

void CTerrainEditorDialog::ShowElevation(double height) {
    m_elevation.Load(CFieldFormat::Lengths(ObjectLengths(*m_pTerrain)), height);
    m_shownElevation = m_elevation.m_text;
    SetDlgItemText(IDC_KNOT_ELEVATION, m_elevation.m_text);
}

int CTerrainEditorDialog::GridDirection(int screenDirection, double yawRadians) {
    constexpr double pi = std::numbers::pi;
    static const int kTurned[3][4] = {{3, 2, 0, 1}, {1, 0, 3, 2}, {2, 3, 1, 0}};
    double yaw = std::fmod(yawRadians, 2.0 * pi);
    if (yaw < 0.0)
        yaw += 2.0 * pi;
    if (yaw > pi / 4.0 && yaw <= 3.0 * pi / 4.0)
        return kTurned[0][screenDirection];
    if (yaw > 3.0 * pi / 4.0 && yaw <= 5.0 * pi / 4.0)
        return kTurned[1][screenDirection];
    if (yaw > 5.0 * pi / 4.0 && yaw < 7.0 * pi / 4.0)
        return kTurned[2][screenDirection];
    return screenDirection;
}

BOOL CTerrainEditorDialog::SelectNeighbourKnot(int screenDirection) {
    const CGrideMount& grid = m_pTerrain->Grid();
    if (screenDirection < 0 || screenDirection > 3 || m_nKnot >= grid.GetSize())
        return FALSE;
    const int direction = GridDirection(screenDirection, m_preview.GetYaw() * std::numbers::pi / 180.0);
    const CGrideKnot& current = grid[m_nKnot];
    const bool alongY = direction == kForward || direction == kBack;
    int chosen = -1;
    double least = 0.0;
    for (int i = 0; i < current.LinkCount(); ++i) {
        const int link = current.links[i];
        const CGrideKnot& candidate = grid[link];
        const double along = alongY ? candidate.y - current.y : candidate.x - current.x;
        const bool ahead = direction == kForward || direction == kRight ? along > 0.0 : along < 0.0;
        if (!ahead)
            continue;
        const double across = std::fabs(alongY ? candidate.x - current.x : candidate.y - current.y);
        if (across < 0.01) {
            chosen = link;
            break;
        }
        if (chosen < 0 || across < least) {
            chosen = link;
            least = across;
        }
    }
    if (chosen < 0)
        return FALSE;
    m_nKnot = chosen;
    return TRUE;
}

void CTerrainEditorDialog::SelectAndShow(int direction) {
    if (SelectNeighbourKnot(direction))
        UpdateSelection(m_nKnot, TRUE);
}

// Up, Down, Left and Right press the direction button that has the focus, or the one they name.
BOOL CTerrainEditorDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN) {
        CWnd* focus = GetFocus();
        const bool onDirection =
            focus != nullptr &&
            std::ranges::find(kDirectionButtons, static_cast<UINT>(focus->GetDlgCtrlID())) !=
                std::end(kDirectionButtons);
        if (onDirection && focus->GetParent() == this) {
            int id = 0;
            switch (msg->wParam) {
                case VK_UP:
                    id = IDC_SELECT_FORWARD;
                    break;
                case VK_DOWN:
                    id = IDC_SELECT_BACK;
                    break;
                case VK_LEFT:
                    id = IDC_SELECT_LEFT;
                    break;
                case VK_RIGHT:
                    id = IDC_SELECT_RIGHT;
                    break;
                default:
                    break;
            }
            if (id != 0) {
                auto* button = static_cast<CButton*>(GetDlgItem(id));
                button->SetFocus();
                button->Click();
                return TRUE;
            }
        }
    }
    return CDialog::PreTranslateMessage(msg);
}

// ---- Turning ----

void CTerrainEditorDialog::RotateView(double degrees, BOOL addToYaw, BOOL redraw) {
    m_preview.TurnMesh(degrees);
    if (addToYaw)
        m_preview.AddYaw(degrees);
    if (redraw) {
        UpdateSelection(m_nKnot, TRUE);
        m_preview.UpdateWindow();
    } else {
        m_preview.PlaceMarker(m_nKnot);
    }
}

void CTerrainEditorDialog::HoldRotate(UINT_PTR timer, bool pressed) {
    if (pressed) {
        m_nHoldTicks = 0;
        SetTimer(timer, kRotatePeriod);
    } else {
        KillTimer(timer);
    }
}

void CTerrainEditorDialog::OnTimer(UINT_PTR id) {
    if (id != kRotateLeftTimer && id != kRotateRightTimer) {
        CDialog::OnTimer(id);
        return;
    }
    ++m_nHoldTicks;
    RotateView(id == kRotateLeftTimer ? kRotateStep : -kRotateStep, TRUE, TRUE);
}

// A click turns one step; a hold has already turned by its ticks.
void CTerrainEditorDialog::RotateClicked(double degrees) {
    if (m_nHoldTicks == 0)
        RotateView(degrees, TRUE, TRUE);
    m_nHoldTicks = 0;
}

// ---- Changing heights ----

void CTerrainEditorDialog::ApplyKnotHeight(float height) {
    r3d::Clump* mesh = m_preview.GetTerrainClump();
    r3d::Vec3 vertex;
    if (!UpdateData(TRUE) || mesh == nullptr || !mesh->GetVertex(m_nKnot + 1, vertex))
        return;
    const double elastic = m_nChangeMode == 1 ? m_fElastic : 0.0;
    const int group = HasNewEdits() ? 0 : 1;
    if (!m_pTerrain->DeformElastic(*mesh, m_nKnot + 1, vertex.x, height, vertex.z, group, elastic, m_nFalloff,
                                   m_edits, 0, 0))
        return;
    UpdateSelection(m_nKnot, FALSE);
    EnableRollBack(HasNewEdits());
    UpdateData(FALSE);
    m_preview.Invalidate(FALSE);
    m_preview.UpdateWindow();
}

void CTerrainEditorDialog::OnElevationKillFocus() {
    if (!IsLeftForCancel(*this))
        TakeElevation();
}

// A height typed in is applied as a drag would apply it; the shown one changes nothing.
BOOL CTerrainEditorDialog::TakeElevation() {
    double height = 0.0;
    if (!m_elevation.Take(*this, IDC_KNOT_ELEVATION, kKnotElevations,
                          m_elevation.RangeText(DataExchangeMessages::kEnterNumberBetween, kKnotElevations),
                          height))
        return FALSE;
    const double scale = Scale();
    if (m_elevation.IsUntouched() || scale <= 0.0 || TakesBackTypedHeight())
        return TRUE;
    const TypedHeight typed{m_nKnot, m_edits.GetCount(), 0, m_shownElevation};
    ApplyKnotHeight(static_cast<float>(height / scale));
    m_lastTyped = typed;
    m_lastTyped.editsAfter = m_edits.GetCount();
    return TRUE;
}

// An elastic change moves the knot's neighbours too, and a second one would not put them back.
bool CTerrainEditorDialog::TakesBackTypedHeight() {
    if (m_lastTyped.knot != m_nKnot || m_lastTyped.editsAfter != m_edits.GetCount() ||
        m_lastTyped.editsAfter == m_lastTyped.editsBefore || m_elevation.m_text != m_lastTyped.shownBefore)
        return false;
    CTerrainEditList kept;
    for (int i = 0; i < m_lastTyped.editsBefore; ++i) kept.Append(m_edits[i]);
    m_edits = kept;
    m_lastTyped = TypedHeight();
    EnableRollBack(HasNewEdits());
    RebuildPreview();
    return true;
}

void CTerrainEditorDialog::OnElasticKillFocus() {
    if (!IsLeftForCancel(*this))
        TakeElastic();
}

BOOL CTerrainEditorDialog::TakeElastic() {
    double fraction = m_fElastic;
    if (!m_elastic.Take(*this, IDC_ELASTIC_PERCENT, kElasticFractions,
                        m_elastic.RangeText(kElasticRefused, kElasticFractions), fraction))
        return FALSE;
    if (m_elastic.IsUntouched())
        return TRUE;
    m_fElastic = fraction;
    m_elastic.Load(ElasticPercent(), m_fElastic);
    SetDlgItemText(IDC_ELASTIC_PERCENT, m_elastic.m_text);
    return TRUE;
}

void CTerrainEditorDialog::RebuildPreview() {
    m_preview.RebuildClumps(TRUE);
    ShowKnotElevation();
    m_preview.Invalidate(FALSE);
    m_preview.UpdateWindow();
}

void CTerrainEditorDialog::OnRollBack() {
    if (m_edits.GetCount() == 0)
        return;
    const bool groupStart = m_edits[m_edits.GetCount() - 1].group != 0;
    CTerrainEditList kept;
    for (int i = 0; i + 1 < m_edits.GetCount(); ++i) kept.Append(m_edits[i]);
    m_edits = kept;
    EnableRollBack(!groupStart && HasNewEdits());
    RebuildPreview();
}

void CTerrainEditorDialog::OnResetTerrain() {
    CTerrainEdit reset;
    reset.mode = CTerrainEdit::kReset;
    reset.group = HasNewEdits() ? 0 : 1;
    m_edits.Append(reset);
    EnableRollBack(TRUE);
    RebuildPreview();
}

// ---- Closing ----

void CTerrainEditorDialog::OnOK() {
    // A percentage or an elevation typed and confirmed with Enter, the field never left, is
    // taken as leaving the field takes it.
    if (!UpdateData(TRUE) || !TakeElastic() || !TakeElevation())
        return;
    // The next knot drag on the plan proposes its edit with the settings used here.
    m_pTerrain->m_fElastic = m_fElastic;
    m_pTerrain->m_nFalloffMode = m_nFalloff;
    if (EditsChanged()) {
        // One undo takes back everything the dialog added.
        const int kept = m_pTerrain->m_newEdits.GetCount();
        for (int i = kept; i < m_edits.GetCount(); ++i) m_edits[i].group = i == kept ? 1 : 0;
        if (m_pTerrain->m_pTool != nullptr)
            m_pTerrain->m_pTool->PushUndo(new CEditStep(kStepTerrainEditGroup, m_pTerrain, 1));
        m_pTerrain->m_newEdits = m_edits;
        m_pTerrain->Update3D(&m_pose);
    } else {
        m_pTerrain->ApplyTerrainEdits(m_pTerrain->m_newEdits, 1);
    }
    EndDialog(IDOK);
}

void CTerrainEditorDialog::OnCancel() {
    m_pTerrain->ApplyTerrainEdits(m_pTerrain->m_newEdits, 1);
    CDialog::OnCancel();
}

void RunTerrainEditor(CMount& terrain, int knot, const CPose* pose, BOOL withFirstEdit) {
    CToolHost* host = terrain.m_pTool != nullptr ? terrain.m_pTool->m_pHost : nullptr;
    if (host != nullptr)
        host->SetModalDialogFlag(TRUE);
    // Its falloff and elasticity are kept in the file but take no undo step.
    const std::vector<BYTE> storedBefore = terrain.StoredBytes();
    CTerrainEditorDialog dialog(knot, &terrain, pose, withFirstEdit);
    if (dialog.DoModal() == IDOK)
        terrain.MarkChangedSince(storedBefore);
    if (host != nullptr)
        host->SetModalDialogFlag(FALSE);
}
