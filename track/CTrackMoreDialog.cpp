#include "track/CTrackMoreDialog.h"

#include "model/CLengthFormat.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "platform/base/CWinPath.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/DataExchange.h"
#include "resources/TrackPropertiesTemplates.h"
#include "track/CParTrack.h"
#include "track/TextureBrowsing.h"
#include "ui/LengthEntry.h"

BEGIN_MESSAGE_MAP(CTrackMoreDialog, CDialog)
ON_BN_CLICKED(IDC_MORE_BROWSE_TEXTURE, OnBrowseTunnelTexture)
ON_BN_CLICKED(IDC_MORE_USE_TEXTURE, OnUseTexture)
END_MESSAGE_MAP()

namespace {
constexpr LengthRange kTunnelSides{0.0, kLargestFieldLength};
}  // namespace

CTrackMoreDialog::CTrackMoreDialog(CWnd* parent) : CDialog(TrackMoreTemplate(), parent) {}

void CTrackMoreDialog::FillFromPiece(CParTrack* piece) {
    if (piece->m_pTool != nullptr && piece->m_pTool->m_pHost != nullptr)
        m_unitIndex = piece->m_pTool->m_pHost->GetUnitIndex();
    const CFieldFormat lengths = CFieldFormat::Lengths(CLengthFormat(m_unitIndex));
    m_tunnelWidth.Load(lengths, piece->m_fTunnelWidth);
    m_tunnelHeight.Load(lengths, piece->m_fTunnelHeight);
    m_tunnelTexture = piece->m_strTunnelTexture;
    m_useTexture = piece->m_bTunnelUsesTexture;
    m_railLineWidth = piece->m_nRailLineWidth;
    m_tieLineWidth = piece->m_nTieLineWidth;
}

void CTrackMoreDialog::ApplyToPiece(CParTrack* piece) {
    piece->m_fTunnelWidth = m_tunnelWidth.Value(kTunnelSides);
    piece->m_fTunnelHeight = m_tunnelHeight.Value(kTunnelSides);
    piece->m_strTunnelTexture = m_tunnelTexture;
    piece->m_bTunnelUsesTexture = m_useTexture;
    piece->m_nRailLineWidth = m_railLineWidth;
    piece->m_nTieLineWidth = m_tieLineWidth;
}

void CTrackMoreDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_MORE_TIE_WIDTH, m_tieWidthList);
    DDX_Control(dx, IDC_MORE_RAIL_WIDTH, m_railWidthList);
    DDX_Control(dx, IDC_MORE_USE_TEXTURE, m_useTextureButton);
    DDX_PathText(dx, IDC_MORE_TUNNEL_TEXTURE, m_tunnelTexture);
    m_tunnelWidth.Exchange(dx, IDC_MORE_TUNNEL_WIDTH, kTunnelSides,
                           DataExchangeMessages::kEnterNumberBetween);
    m_tunnelHeight.Exchange(dx, IDC_MORE_TUNNEL_HEIGHT, kTunnelSides,
                            DataExchangeMessages::kEnterNumberBetween);
}

BOOL CTrackMoreDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    EnableTexture();
    m_useTextureButton.SetCheck(m_useTexture != 0 ? 1 : 0);
    m_railWidthList.SetCurSel(m_railLineWidth - 1);
    m_tieWidthList.SetCurSel(m_tieLineWidth - 1);
    return TRUE;
}

void CTrackMoreDialog::EnableTexture() {
    GetDlgItem(IDC_MORE_TUNNEL_TEXTURE)->EnableWindow(m_useTexture != 0);
    GetDlgItem(IDC_MORE_BROWSE_TEXTURE)->EnableWindow(m_useTexture != 0);
}

void CTrackMoreDialog::OnUseTexture() {
    m_useTexture = m_useTextureButton.GetCheck() ? 1 : 0;
    EnableTexture();
}

void CTrackMoreDialog::OnBrowseTunnelTexture() {
    auto* edit = static_cast<CEdit*>(GetDlgItem(IDC_MORE_TUNNEL_TEXTURE));
    ReadPathText(*edit, m_tunnelTexture);
    if (!BrowseTextureFile(this, m_tunnelTexture))
        return;
    const CString shown = CWinPath::Native(m_tunnelTexture);
    edit->SetWindowText(shown);
    // The caret at the end brings the file name at the end of the path into view.
    edit->SetSel(0, shown.GetLength() - 1);
    edit->UpdateWindow();
}

int CTrackMoreDialog::ChosenWidth(const CLineWidthCombo& list, int former) {
    const int index = list.GetCurSel();
    return index >= 0 ? index + 1 : former;
}

void CTrackMoreDialog::OnOK() {
    m_railLineWidth = ChosenWidth(m_railWidthList, m_railLineWidth);
    m_tieLineWidth = ChosenWidth(m_tieWidthList, m_tieLineWidth);
    CDialog::OnOK();
}
