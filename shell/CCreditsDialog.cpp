#include "shell/CCreditsDialog.h"

#include "platform/ctl/ControlFactory.h"
#include "resources/ProgramBitmaps.h"
#include "resources/ProgramDialogs.h"

BEGIN_MESSAGE_MAP(CCreditsDialog, CDialog)
ON_BN_CLICKED(IDC_CREDITS_FORWARD, OnForward)
ON_BN_CLICKED(IDC_CREDITS_BACKWARD, OnBackward)
ON_BN_CLICKED(IDC_CREDITS_RUN, OnRun)
ON_BN_CLICKED(IDC_CREDITS_STOP, OnStop)
ON_BN_CLICKED(IDC_CREDITS_FASTER, OnFaster)
ON_BN_CLICKED(IDC_CREDITS_SLOWER, OnSlower)
END_MESSAGE_MAP()

namespace {

struct ButtonPictures {
    UINT id;
    UINT up, down, focus, disabled;
};

constexpr std::array<ButtonPictures, 6> kButtonPictures = {{
    {IDC_CREDITS_FORWARD, IDB_CREDITS_FORWARD, IDB_CREDITS_FORWARD_DOWN, IDB_CREDITS_FORWARD_FOCUS, 0},
    {IDC_CREDITS_BACKWARD, IDB_CREDITS_BACKWARD, IDB_CREDITS_BACKWARD_DOWN, IDB_CREDITS_BACKWARD_FOCUS, 0},
    {IDC_CREDITS_RUN, IDB_CREDITS_RUN, IDB_CREDITS_RUN_DOWN, IDB_CREDITS_RUN_FOCUS, 0},
    {IDC_CREDITS_STOP, IDB_CREDITS_STOP, IDB_CREDITS_STOP_DOWN, IDB_CREDITS_STOP_FOCUS, 0},
    {IDC_CREDITS_FASTER, IDB_CREDITS_FASTER, IDB_CREDITS_FASTER_DOWN, IDB_CREDITS_FASTER_FOCUS,
     IDB_CREDITS_FASTER_DISABLED},
    {IDC_CREDITS_SLOWER, IDB_CREDITS_SLOWER, IDB_CREDITS_SLOWER_DOWN, IDB_CREDITS_SLOWER_FOCUS,
     IDB_CREDITS_SLOWER_DISABLED},
}};

}  // namespace

CCreditsDialog::CCreditsDialog() : CDialog(IDD_CREDITS) {}

BOOL CCreditsDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    ControlFactory::Subclass(m_credits, IDC_CREDITS_TEXT, this);
    if (ControlFactory::Subclass(m_picture, IDC_CREDITS_PICTURE, this) &&
        LoadProgramBitmap(IDB_CREDITS_BANNER, m_pictureBitmap))
        m_picture.SetBitmap(&m_pictureBitmap);
    SetUpButtons();
    m_credits.StartAnimation();
    return TRUE;
}

void CCreditsDialog::SetUpButtons() {
    for (size_t i = 0; i < kButtonPictures.size(); ++i) {
        const ButtonPictures& pictures = kButtonPictures[i];
        CBitmapButton& button = m_buttons[i];
        if (!ControlFactory::Subclass(button, pictures.id, this))
            continue;
        LoadProgramBitmap(pictures.up, button.m_bitmap);
        LoadProgramBitmap(pictures.down, button.m_bitmapSel);
        LoadProgramBitmap(pictures.focus, button.m_bitmapFocus);
        if (pictures.disabled != 0)
            LoadProgramBitmap(pictures.disabled, button.m_bitmapDisabled);
        button.SizeToContent();
    }
    GetDlgItem(IDC_CREDITS_SLOWER)->EnableWindow(m_credits.GetSpeed() > CCreditsCtrl::kMinSpeed);
}

void CCreditsDialog::OnForward() {
    m_credits.SetDirection(TRUE);
    m_credits.SetRunning(TRUE);
}

void CCreditsDialog::OnBackward() {
    m_credits.SetDirection(FALSE);
    m_credits.SetRunning(TRUE);
}

void CCreditsDialog::OnRun() {
    m_credits.SetRunning(TRUE);
}

void CCreditsDialog::OnStop() {
    m_credits.SetRunning(FALSE);
}

void CCreditsDialog::OnFaster() {
    m_credits.Faster();
    UpdateSpeedButtons(GetDlgItem(IDC_CREDITS_FASTER), GetDlgItem(IDC_CREDITS_SLOWER),
                       m_credits.GetSpeed() == CCreditsCtrl::kMaxSpeed);
}

void CCreditsDialog::OnSlower() {
    m_credits.Slower();
    UpdateSpeedButtons(GetDlgItem(IDC_CREDITS_SLOWER), GetDlgItem(IDC_CREDITS_FASTER),
                       m_credits.GetSpeed() == CCreditsCtrl::kMinSpeed);
}

void CCreditsDialog::UpdateSpeedButtons(CWnd* pressed, CWnd* other, bool atLimit) {
    if (pressed == nullptr || other == nullptr)
        return;
    other->EnableWindow(TRUE);
    if (atLimit) {
        GotoDlgCtrl(other);
        pressed->EnableWindow(FALSE);
    }
}
