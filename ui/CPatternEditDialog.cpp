#include "ui/CPatternEditDialog.h"

#include "platform/base/CWinPath.h"
#include "platform/ctl/DataExchange.h"
#include "resources/PatternEditTemplate.h"
#include "ui/CFileDialogPatternPreview.h"
#include "ui/DataFolderFileDialog.h"

IMPLEMENT_DYNAMIC(CPatternEditDialog, CDialog)

BEGIN_MESSAGE_MAP(CPatternEditDialog, CDialog)
ON_BN_CLICKED(IDC_PATTERN_EDIT_BROWSE, OnBrowse)
ON_BN_CLICKED(IDC_PATTERN_EDIT_NEW, OnNew)
END_MESSAGE_MAP()

CPatternEditDialog::CPatternEditDialog(CWnd* parent) : CDialog(PatternEditTemplate(), parent) {
    m_grid.SetChangeHandler([this] { RefreshPreview(); });
}

void CPatternEditDialog::SetPatternName(const CString& name) {
    m_patternName = name;
    m_grid.LoadPattern(m_patternName);
}

void CPatternEditDialog::RefreshPreview() {
    if (m_preview.m_hWnd)
        m_preview.SetBrush(m_grid.Brush());
}

void CPatternEditDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_PATTERN_BITS, m_grid);
    DDX_Control(dx, IDC_PATTERN_PREVIEW, m_preview);
}

BOOL CPatternEditDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowName();
    RefreshPreview();
    return TRUE;
}

void CPatternEditDialog::ShowName() {
    SetDlgItemText(IDC_PATTERN_FILE_NAME, CWinPath::Native(m_patternName));
    Invalidate();
}

// The grid's static control may leave a press to the dialog: it reaches the grid in the
// grid's own coordinates.
void CPatternEditDialog::OnLButtonDown(UINT flags, CPoint point) {
    ClientToScreen(&point);
    m_grid.ScreenToClient(&point);
    m_grid.SendMessage(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
}

void CPatternEditDialog::OnBrowse() {
    if (!CFileDialogPatternPreview::ChoosePattern(m_patternName, this, m_patternName))
        return;
    m_grid.LoadPattern(m_patternName);
    RefreshPreview();
    ShowName();
}

void CPatternEditDialog::OnNew() {
    m_patternName.Empty();
    ShowName();
    m_grid.Clear();
}

// A pattern the user did not change is never written.
BOOL CPatternEditDialog::SaveChangedPattern() {
    if (!m_grid.IsModified())
        return TRUE;
    if (m_grid.IsNewPattern()) {
        CFileDialog dialog(FALSE, "pat", "*.pat", OFN_HIDEREADONLY, "Pattern Files (*.pat)|*.pat||", this);
        if (RunFileDialogIn(dialog, CDataFolders::Patterns, m_patternName) != IDOK) {
            m_patternName.Empty();
            return TRUE;
        }
    }
    return SavePatternFile(m_patternName, m_grid.Bitmap());
}

// A pattern that could not be written keeps the editor open, so the drawn bits are not lost.
void CPatternEditDialog::OnOK() {
    if (!SaveChangedPattern())
        return;
    CDialog::OnOK();
}
