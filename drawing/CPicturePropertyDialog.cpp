#include "drawing/CPicturePropertyDialog.h"

#include <optional>

#include "drawing/CBMP.h"
#include "model/CDataFolders.h"
#include "model/Units.h"
#include "platform/base/CStringTable.h"
#include "platform/base/CWinPath.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/DataExchange.h"
#include "platform/ctl/ListControlDefs.h"
#include "platform/gdi/DibFormat.h"
#include "resources/PicturePropertiesTemplate.h"
#include "resources/StringTable.h"
#include "ui/CFileDialogWithPreview.h"
#include "ui/DataFolderFileDialog.h"

IMPLEMENT_DYNAMIC(CPicturePropertyDialog, CDialog)

BEGIN_MESSAGE_MAP(CPicturePropertyDialog, CDialog)
ON_BN_CLICKED(IDC_PICTURE_TO_CLICKED, OnApplyMode)
ON_BN_CLICKED(IDC_PICTURE_TO_SELECTED, OnApplyMode)
ON_BN_CLICKED(IDC_PICTURE_TO_ALL, OnApplyMode)
ON_BN_CLICKED(IDC_PICTURE_BROWSE, OnBrowse)
ON_EN_CHANGE(IDC_PICTURE_PART_NO, OnFieldChanged)
ON_EN_CHANGE(IDC_PICTURE_PRICE, OnFieldChanged)
ON_EN_CHANGE(IDC_PICTURE_TYPE, OnFieldChanged)
ON_EN_CHANGE(IDC_PICTURE_OBJECT_NAME, OnFieldChanged)
ON_EN_CHANGE(IDC_PICTURE_MANUFACTURER, OnFieldChanged)
ON_EN_CHANGE(IDC_PICTURE_NOTE, OnFieldChanged)
ON_CBN_SELENDOK(IDC_PICTURE_CATEGORY, OnFieldChanged)
ON_CBN_SELENDOK(IDC_PICTURE_SCALE, OnFieldChanged)
ON_BN_CLICKED(IDC_PICTURE_IN_REPORT, OnFieldChanged)
ON_BN_CLICKED(IDC_PICTURE_RESIZEABLE, OnFieldChanged)
END_MESSAGE_MAP()

namespace {
constexpr UINT kCategories[] = {IDS_TRACK, IDS_SCENERY, IDS_STRUCTURES, IDS_ROLLING_STOCK, IDS_MISCELLANEOUS};
constexpr int kCatalogueEdits[] = {IDC_PICTURE_MANUFACTURER, IDC_PICTURE_TYPE,  IDC_PICTURE_OBJECT_NAME,
                                   IDC_PICTURE_PART_NO,      IDC_PICTURE_PRICE, IDC_PICTURE_NOTE};
constexpr int kCatalogueChoices[] = {IDC_PICTURE_CATEGORY, IDC_PICTURE_SCALE, IDC_PICTURE_IN_REPORT};
constexpr const char* kBitmapFilter = "Bitmap Files (*.bmp)|*.bmp||";
}  // namespace

CPicturePropertyDialog::CPicturePropertyDialog(CWnd* parent) : CDialog(PicturePropertiesTemplate(), parent) {}

CPicturePropertyDialog::~CPicturePropertyDialog() {
    if (m_pCopy != nullptr) {
        m_pCopy->ReleaseData();
        delete m_pCopy;
    }
}

void CPicturePropertyDialog::SetObject(CPaint* object, BOOL multiple, const CPose* pose) {
    m_pCopy = object != nullptr ? dynamic_cast<CBMP*>(object->Clone()) : nullptr;
    m_preview.SetObject(m_pCopy);
    m_bNoClickPose = pose == nullptr ? 1 : 0;
    m_nApplyMode = pose != nullptr && multiple ? 1 : 0;
}

BOOL CPicturePropertyDialog::GetResult(CPaint*& result, int& mode) {
    if (m_pCopy == nullptr) {
        mode = -1;
        return FALSE;
    }
    result = m_pCopy->Clone();
    mode = m_nApplyMode;
    return TRUE;
}

void CPicturePropertyDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_PICTURE_PREVIEW, m_preview);
    DDX_PathText(dx, IDC_PICTURE_NAME, m_strPictureName);
    m_fields.Exchange(dx, {IDC_PICTURE_MANUFACTURER, IDC_PICTURE_TYPE, IDC_PICTURE_OBJECT_NAME,
                           IDC_PICTURE_PART_NO, IDC_PICTURE_PRICE, IDC_PICTURE_NOTE, IDC_PICTURE_IN_REPORT});
    DDX_Check(dx, IDC_PICTURE_RESIZEABLE, m_bResizeable);
    DDX_Radio(dx, IDC_PICTURE_TO_CLICKED, m_nApplyMode);
}

BOOL CPicturePropertyDialog::OnInitDialog() {
    if (m_pCopy != nullptr) {
        m_fields.Read(*m_pCopy);
        m_bResizeable = m_pCopy->m_bScaleWithDocument;
        m_strPictureName = m_pCopy->m_strFile;
    }
    const BOOL result = CDialog::OnInitDialog();
    m_preview.SetObject(m_pCopy);
    FillChoices();
    UpdateApplyModeControls();
    m_bShown = true;
    return result;
}

void CPicturePropertyDialog::FillChoices() {
    auto& categories = *static_cast<CComboBox*>(GetDlgItem(IDC_PICTURE_CATEGORY));
    categories.ResetContent();
    for (UINT id : kCategories) categories.AddString(CStringTable::Text(id));
    categories.SetCurSel(m_pCopy != nullptr ? categories.FindStringExact(-1, m_pCopy->m_strCategory) : -1);
    m_fields.ShowScales(*static_cast<CComboBox*>(GetDlgItem(IDC_PICTURE_SCALE)));
}

CString CPicturePropertyDialog::ChosenText(int comboId) {
    auto& combo = *static_cast<CComboBox*>(GetDlgItem(comboId));
    CString text;
    if (combo.GetCurSel() >= 0)
        combo.GetLBText(combo.GetCurSel(), text);
    return text;
}

// The catalogue fields belong to one object: they are editable only for the clicked one.
void CPicturePropertyDialog::UpdateApplyModeControls() {
    if (m_bNoClickPose) {
        GetDlgItem(IDC_PICTURE_TO_SELECTED)->EnableWindow(FALSE);
        GetDlgItem(IDC_PICTURE_TO_ALL)->EnableWindow(FALSE);
        return;
    }
    const BOOL editable = m_nApplyMode == 0;
    for (int id : kCatalogueChoices) GetDlgItem(id)->EnableWindow(editable);
    for (int id : kCatalogueEdits) static_cast<CEdit*>(GetDlgItem(id))->SetReadOnly(!editable);
}

void CPicturePropertyDialog::OnApplyMode() {
    OnFieldChanged();
    UpdateApplyModeControls();
}

void CPicturePropertyDialog::OnFieldChanged() {
    if (m_pCopy == nullptr || !m_bShown || !UpdateData(TRUE))
        return;
    m_fields.TakeScale(*static_cast<CComboBox*>(GetDlgItem(IDC_PICTURE_SCALE)));
    m_pCopy->m_strCategory = ChosenText(IDC_PICTURE_CATEGORY);
    m_fields.Write(*m_pCopy);
    m_pCopy->m_bScaleWithDocument = m_bResizeable;
    m_preview.Invalidate();
}

void CPicturePropertyDialog::OnBrowse() {
    UpdateData(TRUE);
    CFileDialogWithPreview dialog(TRUE, "bmp",
                                  m_strPictureName.IsEmpty() ? "*.bmp" : m_strPictureName.c_str(),
                                  OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, kBitmapFilter, this);
    CString chosen;
    if (RunFileDialogIn(dialog, CDataFolders::Bitmaps, chosen) == IDOK)
        TakePicture(chosen, true);
}

bool CPicturePropertyDialog::TakePicture(const CString& path, bool report) {
    if (m_pCopy == nullptr)
        return false;
    const CString former = m_pCopy->m_strFile;
    m_pCopy->m_strFile = path;
    if (m_pCopy->LoadPicture(report) == nullptr) {
        m_pCopy->m_strFile = former;
        return false;
    }
    m_strPictureName = m_pCopy->m_strFile;
    UpdateData(FALSE);
    m_preview.Invalidate();
    return true;
}

// What the person is told of a typed picture the dialog could not take.
CString CPicturePropertyDialog::RefusalOfTyped() const {
    const CString typed = CWinPath::Native(m_strPictureName);
    if (typed.IsEmpty())
        return "A picture needs its file: type its name or choose it with Browse.";
    const std::optional<int> limit = ExceededPixelLimit(CWinPath::ResolveExisting(m_strPictureName.c_str()));
    if (!limit)
        return "Could not read the picture file " + typed +
               ": there is no such file, or it holds no .bmp picture.";
    CString tooLarge;
    tooLarge.Format(
        "The picture file %s is too large: a .bmp picture of its kind may hold at most %d megapixels.",
        typed.c_str(), *limit / (1024 * 1024));
    return tooLarge;
}

bool CPicturePropertyDialog::TakeTypedPicture() {
    if (m_pCopy == nullptr || m_strPictureName == m_pCopy->m_strFile || TakePicture(m_strPictureName, false))
        return true;
    MessageBox(RefusalOfTyped(), "Corvane", MB_OK | MB_ICONEXCLAMATION);
    GotoDlgCtrl(GetDlgItem(IDC_PICTURE_NAME));
    return false;
}

void CPicturePropertyDialog::OnOK() {
    if (!UpdateData(TRUE) || !TakeTypedPicture())
        return;
    if (m_pCopy != nullptr && !m_fields.TakePrice(*this, IDC_PICTURE_PRICE, m_pCopy->m_fPrice))
        return;
    EndDialog(IDOK);
}
