#include "view3d/CSpritePropertyDialog.h"

#include "model/CDataFolders.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/Units.h"
#include "platform/base/CWinPath.h"
#include "platform/ctl/DataExchange.h"
#include "resources/Objects3DTemplates.h"
#include "ui/CFileDialogWithPreview.h"
#include "ui/DataFolderFileDialog.h"
#include "view3d/CSprite.h"

IMPLEMENT_DYNAMIC(CSpritePropertyDialog, CObject3DDialog)

BEGIN_MESSAGE_MAP(CSpritePropertyDialog, CObject3DDialog)
ON_BN_CLICKED(IDC_3D_BITMAP_BROWSE, OnBrowse)
END_MESSAGE_MAP()

namespace {
constexpr const char* kBitmapFilter = "Bitmap Files (*.bmp)|*.bmp||";
}  // namespace

CSpritePropertyDialog::CSpritePropertyDialog(CWnd* parent)
    : CObject3DDialog(Bitmap3DPropertiesTemplate(), parent) {}

CSpritePropertyDialog::~CSpritePropertyDialog() {
    if (m_pCopy != nullptr) {
        m_pCopy->ReleaseData();
        delete m_pCopy;
    }
}

void CSpritePropertyDialog::SetObject(CSprite* object, BOOL multiple, const CPose* pose) {
    m_pCopy = object != nullptr ? dynamic_cast<CSprite*>(object->Clone()) : nullptr;
    m_preview.SetObject(m_pCopy);
    m_bNoClickPose = pose == nullptr ? 1 : 0;
    m_nApplyMode = pose != nullptr && multiple ? 1 : 0;
    CToolHost* host = object != nullptr && object->m_pTool != nullptr ? object->m_pTool->m_pHost : nullptr;
    m_nUnit = host != nullptr ? host->GetUnitIndex() : kDefaultUnitIndex;
}

BOOL CSpritePropertyDialog::GetResult(CSprite*& result, int& mode) {
    if (m_pCopy == nullptr) {
        mode = -1;
        return FALSE;
    }
    result = dynamic_cast<CSprite*>(m_pCopy->Clone());
    mode = m_nApplyMode;
    return result != nullptr;
}

void CSpritePropertyDialog::DoDataExchange(CDataExchange* dx) {
    CObject3DDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_3D_BITMAP_PREVIEW, m_preview);
    DDX_PathText(dx, IDC_3D_TEXTURE_NAME, m_strFile);
}

BOOL CSpritePropertyDialog::OnInitDialog() {
    if (m_pCopy != nullptr) {
        ShowCatalogue(*m_pCopy);
        LoadLength(m_elevation, m_pCopy->m_fElevation);
        m_strFile = m_pCopy->m_strImage;
        m_bShowOn2DPlan = m_pCopy->m_bShowOn2DPlan;
        m_bHideBox = m_pCopy->m_bShowBoxWhenGrouped ? 0 : 1;
        // The preview shows the picture.
        m_pCopy->m_bShowOn2DPlan = 1;
    }
    const BOOL result = CObject3DDialog::OnInitDialog();
    m_preview.SetObject(m_pCopy);
    FillChoices();
    OnApplyMode();
    return result;
}

void CSpritePropertyDialog::OnBrowse() {
    CFileDialogWithPreview dialog(TRUE, "bmp", m_strFile.IsEmpty() ? "*.bmp" : m_strFile.c_str(),
                                  OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, kBitmapFilter, this);
    CString chosen;
    if (RunFileDialogIn(dialog, CDataFolders::Bitmaps3D, chosen) == IDOK)
        TakePicture(chosen);
}

void CSpritePropertyDialog::TakePicture(const CString& path) {
    if (m_pCopy == nullptr)
        return;
    m_pCopy->SetImage(path);
    m_pCopy->m_bMissingReported = 0;
    m_pCopy->LoadBitmaps();
    m_strFile = path;
    SetDlgItemText(IDC_3D_TEXTURE_NAME, CWinPath::Native(m_strFile));
    m_preview.Invalidate();
}

void CSpritePropertyDialog::OnOK() {
    if (!UpdateData(TRUE) || m_pCopy == nullptr)
        return;
    if (!TakeLength(m_elevation, 0.0, IDC_3D_ELEVATION, m_pCopy->m_fElevation))
        return;
    if (!TakeCatalogue(*m_pCopy))
        return;
    TakeSwitches(*m_pCopy, m_pCopy->m_bShowOn2DPlan, m_pCopy->m_bShowBoxWhenGrouped);
    EndDialog(IDOK);
}
