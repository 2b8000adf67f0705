#include "view3d/CTrainPropertyDialog.h"

#include <algorithm>

#include "model/AssetLoaders.h"
#include "model/CDataFolders.h"
#include "platform/base/CWinPath.h"
#include "platform/cdlg/CFileDialog.h"
#include "platform/ctl/DataExchange.h"
#include "resources/TrainPropertiesTemplate.h"
#include "ui/DataFolderFileDialog.h"
#include "ui/PickButtonColor.h"

namespace {

constexpr int kLineStep = 1;
constexpr int kPageStep = 10;

}  // namespace

IMPLEMENT_DYNAMIC(CTrainPropertyDialog, CDialog)

BEGIN_MESSAGE_MAP(CTrainPropertyDialog, CDialog)
ON_WM_HSCROLL()
ON_BN_CLICKED(IDC_TRAIN_BROWSE_LOCO, OnBrowseLoco)
ON_BN_CLICKED(IDC_TRAIN_BROWSE_CAR, OnBrowseCar)
ON_BN_CLICKED(IDC_TRAIN_COLOR, OnColor)
END_MESSAGE_MAP()

CTrainPropertyDialog::CTrainPropertyDialog(CWnd* parent) : CDialog(TrainPropertiesTemplate(), parent) {}

void CTrainPropertyDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_TRAIN_SPEED, m_speedBar);
    DDX_Control(dx, IDC_TRAIN_CAR_COUNT, m_carCountBar);
    DDX_Control(dx, IDC_TRAIN_COLOR, m_colorButton);
    DDX_PathText(dx, IDC_TRAIN_LOCO_FILE, m_strLocoFile);
    DDX_PathText(dx, IDC_TRAIN_CAR_FILE, m_strCarFile);
    DDX_Text(dx, IDC_TRAIN_STATUS, m_strStatus);
}

BOOL CTrainPropertyDialog::OnInitDialog() {
    if (m_nStatusId != 0)
        m_strStatus.LoadString(m_nStatusId);
    CDialog::OnInitDialog();
    m_speedBar.SetScrollRange(0, kMaxSpeed);
    m_carCountBar.SetScrollRange(0, kMaxCarCount);
    m_colorButton.SetColor(m_crColor);
    m_speedBar.SetScrollPos(m_nSpeed);
    m_carCountBar.SetScrollPos(m_nCarCount);
    ShowPosition(m_speedBar, IDC_TRAIN_SPEED_LABEL);
    ShowPosition(m_carCountBar, IDC_TRAIN_CAR_COUNT_LABEL);
    return TRUE;
}

void CTrainPropertyDialog::ShowPosition(CScrollBar& bar, int labelId) {
    CString text;
    text.Format("%d", bar.GetScrollPos());
    SetDlgItemText(labelId, text);
}

void CTrainPropertyDialog::OnHScroll(UINT code, UINT position, CScrollBar* scrollBar) {
    const bool speed = scrollBar == &m_speedBar;
    if (!speed && scrollBar != &m_carCountBar)
        return;
    int low = 0, high = 0;
    scrollBar->GetScrollRange(&low, &high);
    const int now = scrollBar->GetScrollPos();
    int wanted = now;
    switch (code) {
        case SB_LINELEFT:
            wanted = now - kLineStep;
            break;
        case SB_LINERIGHT:
            wanted = now + kLineStep;
            break;
        case SB_PAGELEFT:
            wanted = now - kPageStep;
            break;
        case SB_PAGERIGHT:
            wanted = now + kPageStep;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            wanted = static_cast<int>(position);
            break;
        case SB_LEFT:
            wanted = low;
            break;
        case SB_RIGHT:
            wanted = high;
            break;
        default:
            return;
    }
    scrollBar->SetScrollPos(std::clamp(wanted, low, high));
    (speed ? m_nSpeed : m_nCarCount) = scrollBar->GetScrollPos();
    ShowPosition(*scrollBar, speed ? IDC_TRAIN_SPEED_LABEL : IDC_TRAIN_CAR_COUNT_LABEL);
}

void CTrainPropertyDialog::Browse(int editId, const char* defaultExtension, CString& file) {
    ReadPathText(*GetDlgItem(editId), file);
    // Without a model the list shows every kind of model, not only the first type's.
    CFileDialog dialog(TRUE, defaultExtension, file, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kModelFileFilter,
                       this);
    if (RunFileDialogIn(dialog, CDataFolders::Trains, file) == IDOK)
        SetDlgItemText(editId, CWinPath::Native(file));
}

void CTrainPropertyDialog::OnBrowseLoco() {
    Browse(IDC_TRAIN_LOCO_FILE, "*.3ds", m_strLocoFile);
}

void CTrainPropertyDialog::OnBrowseCar() {
    Browse(IDC_TRAIN_CAR_FILE, "3ds", m_strCarFile);
}

void CTrainPropertyDialog::OnColor() {
    PickButtonColor(m_colorButton, this);
}

void CTrainPropertyDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    m_nSpeed = m_speedBar.GetScrollPos();
    m_nCarCount = m_carCountBar.GetScrollPos();
    m_crColor = m_colorButton.GetColor();
    EndDialog(IDOK);
}
