#include "view3d/C3DPropertyDialog.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>
#include <utility>

#include "model/AssetLoaders.h"
#include "model/CDataFolders.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "platform/base/CStringTable.h"
#include "platform/base/CWinPath.h"
#include "platform/cdlg/CFileDialog.h"
#include "platform/ctl/CButton.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/DataExchange.h"
#include "platform/r3d/Clump.h"
#include "platform/r3d/Light.h"
#include "platform/r3d/Scene.h"
#include "platform/r3d/Texture.h"
#include "platform/win/MessageBoxes.h"
#include "resources/Objects3DPictures.h"
#include "resources/Objects3DTemplates.h"
#include "resources/StringTable.h"
#include "ui/CFileDialogWithPreview.h"
#include "ui/DataFolderFileDialog.h"
#include "view3d/C3D.h"
#include "view3d/TextureMask.h"

IMPLEMENT_DYNAMIC(C3DPropertyDialog, CObject3DDialog)

BEGIN_MESSAGE_MAP(C3DPropertyDialog, CObject3DDialog)
ON_BN_CLICKED(IDC_3D_MODEL_BROWSE, OnBrowseModel)
ON_BN_CLICKED(IDC_3D_TEXTURE_BROWSE, OnBrowseTexture)
ON_BN_CLICKED(IDC_3D_FORWARD, OnForward)
ON_BN_CLICKED(IDC_3D_BACKWARD, OnBackward)
ON_BN_CLICKED(IDC_3D_PREVIEW_SPIN, OnPreview)
ON_BN_CLICKED(IDC_3D_ADJUST, OnAdjustOrientation)
ON_BN_CLICKED(IDC_3D_RESTORE, OnRestoreObject)
ON_EN_KILLFOCUS(IDC_3D_TILT, OnOrientationChanged)
ON_EN_KILLFOCUS(IDC_3D_PAN, OnOrientationChanged)
ON_EN_KILLFOCUS(IDC_3D_REVOLVE, OnOrientationChanged)
ON_EN_KILLFOCUS(IDC_3D_HEIGHT, OnKillFocusHeight)
END_MESSAGE_MAP()

namespace {

constexpr double kDegrees = 180.0 / 3.1415926535;
// The turns, in degrees, that the kept orientation gives back as they were typed: a tilt past
// upright, or a turn of more than half a turn either way, comes back as another set of angles.
constexpr FieldRange kTiltRange{-90.0, 90.0};
constexpr FieldRange kTurnRange{-180.0, 180.0};
// Half the last shown digit: angles closer than this show alike.
constexpr double kShownDegree = 0.005;
constexpr const char* kRangePattern = "Please enter a number between %s and %s";
constexpr const char* kKeptTurnMessage =
    "At a tilt of 90 or -90, pan and revolve turn about one axis: the fields now show the turn as it is "
    "kept.";
constexpr const char* kBitmapFilter = "Bitmap Files (*.bmp)|*.bmp||";

// A turn that rounds to nothing shows as 0.00, never -0.00.
CString Degrees(double value) {
    if (std::fabs(value) < 0.005)
        value = 0.0;
    CString text;
    text.Format("%.2f", value);
    return text;
}

}  // namespace

C3DPropertyDialog::C3DPropertyDialog(CWnd* parent) : CObject3DDialog(Object3DPropertiesTemplate(), parent) {
    m_pScene = std::make_unique<r3d::Scene>();
    m_pLight = m_pScene->AddLight(std::make_unique<r3d::Light>(r3d::Vec3{1.0f, -1.0f, -1.0f}, 1.0f));
    m_preview.Attach(m_pScene.get(), m_pLight);
    m_preview.SetTurnListener([this] { ShowOrientation(); });
}

C3DPropertyDialog::~C3DPropertyDialog() {
    m_pModel.reset();
    if (m_pCopy != nullptr) {
        m_pCopy->ReleaseData();
        delete m_pCopy;
    }
}

void C3DPropertyDialog::SetObject(C3D* object, BOOL multiple, const CPose* pose) {
    m_pCopy = object != nullptr ? dynamic_cast<C3D*>(object->Clone()) : nullptr;
    m_bNoClickPose = pose == nullptr ? 1 : 0;
    m_nApplyMode = pose != nullptr && multiple ? 1 : 0;
    CToolHost* host = object != nullptr && object->m_pTool != nullptr ? object->m_pTool->m_pHost : nullptr;
    m_nUnit = host != nullptr ? host->GetUnitIndex() : kDefaultUnitIndex;
}

BOOL C3DPropertyDialog::GetResult(C3D*& result, int& mode) {
    if (m_pCopy == nullptr) {
        mode = -1;
        return FALSE;
    }
    TakeOrientationFromPreview();
    m_pCopy->SetOrientation(m_orientation);
    result = dynamic_cast<C3D*>(m_pCopy->Clone());
    mode = m_nApplyMode;
    return result != nullptr;
}

void C3DPropertyDialog::TakeOrientationFromPreview() {
    // The preview only shifts the model after turning it: the turn is the matrix without its shift.
    if (m_pModel == nullptr)
        return;
    m_orientation = m_pModel->LocalMatrix();
    m_orientation.SetRow(3, {0.0f, 0.0f, 0.0f});
}

// ---- Euler angles ----

// Turned about y by pan, then x by tilt, then z by revolve (points as rows):
// row 1 is (-cos t sin r, cos t cos r, sin t), column 2 of rows 0 and 2 is (-sin p cos t, cos p cos t).
void C3DPropertyDialog::EulerAngles(const r3d::Matrix& m, double& tilt, double& pan, double& revolve) {
    const double sinTilt = std::clamp(static_cast<double>(m.m[1][2]), -1.0, 1.0);
    tilt = std::asin(sinTilt);
    if (std::fabs(sinTilt) < 0.9999995) {
        revolve = std::atan2(-m.m[1][0], m.m[1][1]);
        pan = std::atan2(-m.m[0][2], m.m[2][2]);
    } else {
        revolve = 0.0;
        pan = std::atan2(m.m[2][0], m.m[0][0]);
    }
    tilt *= kDegrees;
    pan *= kDegrees;
    revolve *= kDegrees;
}

r3d::Matrix C3DPropertyDialog::FromEulerAngles(double tilt, double pan, double revolve) {
    r3d::Matrix m = r3d::Matrix::Rotation({0.0f, 1.0f, 0.0f}, static_cast<float>(pan));
    m.Rotate({1.0f, 0.0f, 0.0f}, static_cast<float>(tilt), r3d::Combine::After);
    m.Rotate({0.0f, 0.0f, 1.0f}, static_cast<float>(revolve), r3d::Combine::After);
    return m;
}

// ---- Controls ----

void C3DPropertyDialog::DoDataExchange(CDataExchange* dx) {
    CObject3DDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_3D_PREVIEW, m_preview);
    DDX_PathText(dx, IDC_3D_MODEL_NAME, m_strModelFile);
    DDX_PathText(dx, IDC_3D_TEXTURE_NAME, m_strTexture);
    DDX_Text(dx, IDC_3D_HEIGHT, m_height.m_text);
    for (auto [id, text, range] :
         {std::tuple{IDC_3D_TILT, &m_strTilt, kTiltRange}, std::tuple{IDC_3D_PAN, &m_strPan, kTurnRange},
          std::tuple{IDC_3D_REVOLVE, &m_strRevolve, kTurnRange}}) {
        double degrees = 0.0;
        DDX_Text(dx, id, *text);
        CTypedField::Refuse(dx, *text, CFieldFormat::Numbers(), range,
                            CFieldFormat::Numbers().RangeText(kRangePattern, range), degrees);
    }
    DDX_Check(dx, IDC_3D_EXCLUDE, m_bExclude);
}

BOOL C3DPropertyDialog::OnInitDialog() {
    if (m_pCopy != nullptr) {
        ShowCatalogue(*m_pCopy);
        m_bExclude = m_pCopy->m_bExcludeFromConforming;
        m_strModelFile = m_pCopy->m_strModelFile;
        m_strTexture = m_pCopy->m_strTexture;
        m_bShowOn2DPlan = m_pCopy->m_bShowOn2DPlan;
        LoadLength(m_elevation, m_pCopy->m_fElevation);
        LoadLength(m_height, m_pCopy->m_fHeight);
        m_bHideBox = m_pCopy->m_bShowBoxWhenGrouped ? 0 : 1;
        m_orientation = m_pCopy->GetOrientation();
    }
    EulerAngles(m_orientation, m_fLastTilt, m_fLastPan, m_fLastRevolve);
    m_strTilt = Degrees(m_fLastTilt);
    m_strPan = Degrees(m_fLastPan);
    m_strRevolve = Degrees(m_fLastRevolve);
    const BOOL result = CObject3DDialog::OnInitDialog();
    FillChoices();
    static_cast<CButton*>(GetDlgItem(IDC_3D_FORWARD))->SetIcon(Objects3DPicture(IDI_PREVIEW_FORWARD));
    static_cast<CButton*>(GetDlgItem(IDC_3D_BACKWARD))->SetIcon(Objects3DPicture(IDI_PREVIEW_BACKWARD));
    m_preview.CreateCamera();
    BuildPreviewModel(true, false);
    m_preview.SetSpin(true);
    m_preview.Redraw();
    OnApplyMode();
    return result;
}

void C3DPropertyDialog::EnableCatalogue(BOOL editable) {
    CObject3DDialog::EnableCatalogue(editable);
    GetDlgItem(IDC_3D_HEIGHT_LABEL)->EnableWindow(editable);
    static_cast<CEdit*>(GetDlgItem(IDC_3D_HEIGHT))->SetReadOnly(!editable);
}

// ---- Preview model ----

void C3DPropertyDialog::BuildPreviewModel(bool applyTexture, bool proposeHeight) {
    if (m_strModelFile.IsEmpty())
        return;
    m_pModel.reset();
    CString name = m_strModelFile;
    m_pModel = LoadModelFile(name);
    if (m_pModel == nullptr) {
        AfxMessageBox(
            CStringTable::Text(IDS_COULD_NOT_READ_3D_MODEL) + " " + CWinPath::Native(m_strModelFile),
            MB_OK | MB_ICONEXCLAMATION);
        m_strModelFile.Empty();
        SetDlgItemText(IDC_3D_MODEL_NAME, "");
        return;
    }
    m_pModel->SetTag(C3D::kModelTag);
    if (applyTexture)
        ApplyPreviewTexture();
    r3d::Box bounds = m_pModel->Bounds();
    if (proposeHeight && m_pCopy != nullptr && m_pCopy->m_points.GetSize() >= 4) {
        const CDoublePoint &a = m_pCopy->m_points[1], &b = m_pCopy->m_points[3];
        const double ground = std::hypot(bounds.max.x - bounds.min.x, bounds.max.z - bounds.min.z);
        const double proposed =
            ground > 0.0 ? std::hypot(a.x - b.x, a.y - b.y) * (bounds.max.y - bounds.min.y) / ground : 0.0;
        // A proposal is judged at OK as if typed.
        m_height.m_text = FormatLength(proposed);
        SetDlgItemText(IDC_3D_HEIGHT, m_height.m_text);
    }
    m_pScene->Add(*m_pModel);
    m_pModel->Orient(m_orientation, r3d::Combine::Replace);
    const r3d::Vec3 position = m_pModel->Position();
    m_pModel->Transform(r3d::Matrix::Translation(-position), r3d::Combine::Replace);
    bounds = m_pModel->Bounds();
    const r3d::Vec3 extent = bounds.max - bounds.min;
    const float largest = std::max({extent.x, extent.y, extent.z});
    const float size = (largest + (extent.x + extent.y + extent.z) / 3.0f) * 0.5f;
    m_preview.SetModel(m_pModel.get());
    m_preview.FrameModel(size * 2.6f, bounds.Centre());
}

bool C3DPropertyDialog::ApplyPreviewTexture() {
    if (m_pModel == nullptr || m_strTexture.IsEmpty())
        return false;
    CString name = m_strTexture;
    std::shared_ptr<r3d::Texture> texture = LoadTextureFile(name);
    if (texture == nullptr)
        return false;
    ApplyTextureMask(name, *texture);
    m_pModel->SetTexture(texture);
    return true;
}

void C3DPropertyDialog::ShowOrientation() {
    double tilt = 0.0, pan = 0.0, revolve = 0.0;
    if (m_pModel != nullptr) {
        TakeOrientationFromPreview();
        EulerAngles(m_orientation, tilt, pan, revolve);
    }
    ShowAngles(tilt, pan, revolve);
}

void C3DPropertyDialog::ShowAngles(double tilt, double pan, double revolve) {
    m_strTilt = Degrees(tilt);
    m_strPan = Degrees(pan);
    m_strRevolve = Degrees(revolve);
    m_fLastTilt = std::atof(m_strTilt.c_str());
    m_fLastPan = std::atof(m_strPan.c_str());
    m_fLastRevolve = std::atof(m_strRevolve.c_str());
    ShowAngleText(IDC_3D_TILT, m_strTilt);
    ShowAngleText(IDC_3D_PAN, m_strPan);
    ShowAngleText(IDC_3D_REVOLVE, m_strRevolve);
}

// A field that shows its text already keeps its selection, so that what is typed into the
// field just tabbed to replaces its text.
void C3DPropertyDialog::ShowAngleText(int id, const CString& text) {
    CString shown;
    GetDlgItemText(id, shown);
    if (shown == text)
        return;
    SetDlgItemText(id, text);
    if (CWnd::GetFocus() == GetDlgItem(id))
        static_cast<CEdit*>(GetDlgItem(id))->SetSel(0, -1);
}

void C3DPropertyDialog::OnOrientationChanged() {
    ApplyTypedOrientation();
}

bool C3DPropertyDialog::ApplyTypedOrientation() {
    CString tiltText, panText, revolveText;
    GetDlgItemText(IDC_3D_TILT, tiltText);
    GetDlgItemText(IDC_3D_PAN, panText);
    GetDlgItemText(IDC_3D_REVOLVE, revolveText);
    // A text that is no angle in the range (yet) leaves the model as it is turned; OK refuses it.
    double tilt = 0.0, pan = 0.0, revolve = 0.0;
    const CFieldFormat degrees = CFieldFormat::Numbers();
    if (!degrees.ReadInRange(tiltText, kTiltRange, tilt) || !degrees.ReadInRange(panText, kTurnRange, pan) ||
        !degrees.ReadInRange(revolveText, kTurnRange, revolve))
        return true;
    if (tilt == m_fLastTilt && pan == m_fLastPan && revolve == m_fLastRevolve)
        return true;
    m_orientation = FromEulerAngles(tilt, pan, revolve);
    if (m_pModel != nullptr)
        m_pModel->Orient(m_orientation, r3d::Combine::Replace);
    // The fields show the angles the orientation keeps, which upright pan and revolve share.
    double keptTilt = 0.0, keptPan = 0.0, keptRevolve = 0.0;
    EulerAngles(m_orientation, keptTilt, keptPan, keptRevolve);
    ShowAngles(keptTilt, keptPan, keptRevolve);
    m_preview.Redraw();
    return std::fabs(keptTilt - tilt) <= kShownDegree && std::fabs(keptPan - pan) <= kShownDegree &&
           std::fabs(keptRevolve - revolve) <= kShownDegree;
}

void C3DPropertyDialog::OnPreview() {
    m_preview.SetSpin(true);
}

void C3DPropertyDialog::OnAdjustOrientation() {
    m_preview.SetSpin(false);
    ShowOrientation();
}

void C3DPropertyDialog::OnRestoreObject() {
    m_pModel.reset();
    m_orientation = r3d::Matrix();
    BuildPreviewModel(true, false);
    ShowOrientation();
    m_preview.Redraw();
}

void C3DPropertyDialog::OnForward() {
    m_preview.MoveCloser();
}

void C3DPropertyDialog::OnBackward() {
    m_preview.MoveAway();
}

void C3DPropertyDialog::OnKillFocusHeight() {
    Reformat(m_height, IDC_3D_HEIGHT);
}

// ---- Files ----

void C3DPropertyDialog::OnBrowseModel() {
    // Without a model the list shows every kind of model, not only the first type's.
    CFileDialog dialog(TRUE, "3ds", m_strModelFile, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kModelFileFilter,
                       this);
    if (RunFileDialogIn(dialog, CDataFolders::Scripts, m_strModelFile) != IDOK)
        return;
    SetDlgItemText(IDC_3D_MODEL_NAME, CWinPath::Native(m_strModelFile));
    m_pModel.reset();
    m_strTexture.Empty();
    SetDlgItemText(IDC_3D_TEXTURE_NAME, "");
    m_orientation = r3d::Matrix();
    BuildPreviewModel(true, true);
    ShowOrientation();
    m_preview.Redraw();
}

void C3DPropertyDialog::OnBrowseTexture() {
    CFileDialogWithPreview dialog(TRUE, "bmp", m_strTexture.IsEmpty() ? "*.bmp" : m_strTexture.c_str(),
                                  OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kBitmapFilter, this);
    if (RunFileDialogIn(dialog, CDataFolders::Textures, m_strTexture) != IDOK)
        return;
    SetDlgItemText(IDC_3D_TEXTURE_NAME, CWinPath::Native(m_strTexture));
    if (ApplyPreviewTexture())
        m_preview.Redraw();
}

// ---- OK ----

void C3DPropertyDialog::OnOK() {
    if (!UpdateData(TRUE) || m_pCopy == nullptr)
        return;
    if (!ApplyTypedOrientation()) {
        MessageBox(kKeptTurnMessage, "Corvane", MB_OK | MB_ICONINFORMATION);
        GotoDlgCtrl(GetDlgItem(IDC_3D_PAN));
        return;
    }
    if (!TakeLength(m_elevation, -kLargestLength, IDC_3D_ELEVATION, m_pCopy->m_fElevation) ||
        !TakeLength(m_height, 0.0, IDC_3D_HEIGHT, m_pCopy->m_fHeight))
        return;
    if (!TakeCatalogue(*m_pCopy))
        return;
    TakeSwitches(*m_pCopy, m_pCopy->m_bShowOn2DPlan, m_pCopy->m_bShowBoxWhenGrouped);
    m_pCopy->m_bExcludeFromConforming = m_bExclude;
    m_pCopy->m_strModelFile = m_strModelFile;
    m_pCopy->m_strTexture = m_strTexture;
    EndDialog(IDOK);
}
