#include "platform/ctl/CDialog.h"

#include <cctype>
#include <climits>

#include "platform/ctl/CDataExchange.h"
#include "platform/ctl/CTabCtrl.h"
#include "platform/ctl/ControlFactory.h"
#include "platform/ctl/DialogNavigation.h"
#include "platform/ctl/DialogUnits.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/CWinApp.h"
#include "platform/win/CommandInProgress.h"
#include "platform/win/WindowManager.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)
BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {
// The tabs Ctrl+Tab turns: the first row of tabs a person can reach.
CTabCtrl* ShownTabs(CWnd* dialog) {
    for (CWnd* control : DialogNavigation::Descendants(dialog))
        if (auto* tabs = dynamic_cast<CTabCtrl*>(control); tabs && DialogNavigation::CanFocus(tabs))
            return tabs;
    return nullptr;
}

bool HasDialogAncestor(const CWnd* window) {
    for (CWnd* parent = window->GetParent(); parent; parent = parent->GetParent())
        if (dynamic_cast<CDialog*>(parent))
            return true;
    return false;
}

bool IsShiftDown() {
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

// The desktop host also reports the letter of an Alt chord as typed text; it is no text. Other
// characters typed with Alt held come from AltGr.
bool IsAltChordLetter(WPARAM ch) {
    return (GetKeyState(VK_MENU) & 0x8000) && std::isalnum(static_cast<unsigned char>(ch));
}
}  // namespace

CDialog::CDialog() = default;

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_pParentWnd(parent),
      m_nIDHelp(templateId),
      m_template(FindDialogTemplate(templateId)),
      m_templateId(templateId) {}

CDialog::CDialog(const DialogTemplate& dialogTemplate, CWnd* parent)
    : m_pParentWnd(parent),
      m_nIDHelp(dialogTemplate.id),
      m_template(&dialogTemplate),
      m_templateId(dialogTemplate.id) {}

// --- Running --------------------------------------------------------------------------------

INT_PTR CDialog::DoModal() {
    if (!m_template && m_templateId)
        m_template = FindDialogTemplate(m_templateId);
    if (!m_template)
        return -1;
    CWnd* owner =
        m_pParentWnd ? m_pParentWnd->GetTopLevelParent() : WindowManager::Instance().GetActiveWindow();
    CWnd* previousFocus = GetFocus();
    if (!CreateFromTemplate(owner, false))
        return -1;
    const bool disableOwner = owner && IsWindow(owner) && owner->IsWindowEnabled();
    if (disableOwner)
        owner->EnableWindow(FALSE);
    ShowWindow(SW_SHOW);
    const int result = RunModalLoop();
    if (disableOwner && IsWindow(owner))
        owner->EnableWindow(TRUE);
    DestroyWindow();
    if (IsWindow(previousFocus))
        previousFocus->SetFocus();
    return result;
}

BOOL CDialog::InitModalIndirect(const DialogTemplate& dialogTemplate, CWnd* parent) {
    m_template = &dialogTemplate;
    m_templateId = dialogTemplate.id;
    if (parent)
        m_pParentWnd = parent;
    return TRUE;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_templateId = templateId;
    m_nIDHelp = templateId;
    m_template = FindDialogTemplate(templateId);
    if (!m_template)
        return FALSE;
    return CreateIndirect(*m_template, parent);
}

BOOL CDialog::CreateIndirect(const DialogTemplate& dialogTemplate, CWnd* parent) {
    m_template = &dialogTemplate;
    m_templateId = dialogTemplate.id;
    // A modeless dialog made straight from its template has that template's help; a child one
    // (a page) leaves F1 to the dialog it sits in.
    if (m_nIDHelp == 0 && (dialogTemplate.style & WS_CHILD) == 0)
        m_nIDHelp = dialogTemplate.id;
    if (parent)
        m_pParentWnd = parent;
    return CreateFromTemplate(m_pParentWnd, (dialogTemplate.style & WS_VISIBLE) != 0);
}

BOOL CDialog::CreateFromTemplate(CWnd* parent, bool visible) {
    const DialogTemplate& dialog = *m_template;
    const bool child = (dialog.style & WS_CHILD) != 0;
    if (!m_font.GetSafeHandle())
        m_font.CreatePointFont(dialog.fontPointSize * 10, dialog.fontFace);
    const DialogUnits units(m_font);
    const CRect placed = units.ToPixels(dialog.rect);
    const CRect client = units.ToPixels(CRect(0, 0, dialog.rect.Width(), dialog.rect.Height()));
    DWORD style = dialog.style & ~WS_VISIBLE;
    if (!child)
        style |= WS_POPUP;
    const DWORD exStyle = child ? WS_EX_CONTROLPARENT : 0;
    if (!CreateEx(exStyle, nullptr, dialog.caption, style, client, parent, child ? dialog.id : 0))
        return FALSE;
    const CRect insets = NonClientInsets();
    CRect frame(placed.TopLeft(), CSize(client.Width() + insets.left + insets.right,
                                        client.Height() + insets.top + insets.bottom));
    if (!child && parent) {
        CPoint origin;
        parent->ClientToScreen(&origin);
        frame.OffsetRect(origin);
    }
    MoveWindow(&frame);
    if (!child && ((dialog.style & DS_CENTER) || dialog.rect.TopLeft() == CPoint(0, 0)))
        CenterWindow(parent);
    if (!CreateControls()) {
        DestroyWindow();
        return FALSE;
    }
    if (SendMessage(WM_INITDIALOG))
        GotoDlgCtrl(DialogNavigation::FirstTabStop(this));
    if (visible)
        ShowWindow(SW_SHOW);
    return m_hWnd ? TRUE : FALSE;
}

bool CDialog::CreateControls() {
    const DialogUnits units(m_font);
    for (const DialogItem& item : m_template->items) {
        CWnd* control = ControlFactory::Create(item, units.ToPixels(item.rect), this);
        if (!control)
            return false;
        control->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(&m_font), FALSE);
        if (CString(item.className).CompareNoCase(WC_BUTTON) == 0 &&
            (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            m_defaultId = item.id;
    }
    return true;
}

void CDialog::EndDialog(int result) {
    if (InModalLoop())
        EndModalLoop(result);
    else
        ShowWindow(SW_HIDE);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    if (saveAndValidate && CDataExchange::IsRefusing())
        return FALSE;
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

// --- Keyboard -------------------------------------------------------------------------------

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (IsHelpKey(*msg) && HelpContext() != 0)
        return ShowHelp();
    if ((GetStyle() & WS_CHILD) && HasDialogAncestor(this))
        return FALSE;
    return IsDialogMessage(msg);
}

// F1 alone; Shift+F1 is the frame's help on a clicked item.
bool CDialog::IsHelpKey(const MSG& msg) {
    return msg.message == WM_KEYDOWN && msg.wParam == VK_F1 && !IsShiftDown() &&
           (GetKeyState(VK_CONTROL) & 0x8000) == 0;
}

UINT CDialog::HelpContextId() const {
    return m_nIDHelp;
}

// A dialog without help of its own (a common dialog, a message box) has that of the dialog it
// came from, else that of the command that opened it.
DWORD_PTR CDialog::HelpContext() const {
    if (const UINT id = HelpContextId())
        return HID_BASE_RESOURCE + id;
    for (CWnd* owner = GetOwner(); owner; owner = owner->GetOwner())
        if (const auto* dialog = dynamic_cast<const CDialog*>(owner))
            return dialog->HelpContext();
    const UINT command = CommandInProgress::Current();
    return command != 0 ? HID_BASE_COMMAND + command : 0;
}

BOOL CDialog::ShowHelp() {
    if (CWinApp* app = AfxGetApp())
        app->WinHelp(HelpContext());
    return TRUE;
}

BOOL CDialog::IsDialogMessage(MSG* msg) {
    CWnd* focus = msg->hwnd;
    if (focus != this && !IsChild(focus))
        return FALSE;
    switch (msg->message) {
        case WM_CHAR:
            return IsAltChordLetter(msg->wParam);
        case WM_SYSKEYDOWN:
            return PressAccessKey(focus, static_cast<UINT>(msg->wParam));
        case WM_KEYDOWN:
            break;
        default:
            return FALSE;
    }
    if (const int step = CTabCtrl::TurnKeyStep(*msg); step != 0 && TurnTabs(step))
        return TRUE;
    const UINT code = focus == this ? 0 : static_cast<UINT>(focus->SendMessage(WM_GETDLGCODE, msg->wParam));
    const UINT key = static_cast<UINT>(msg->wParam);
    switch (key) {
        case VK_TAB:
            if (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS))
                return FALSE;
            MoveFocus(DialogNavigation::NextTabStop(this, focus, IsShiftDown()));
            return TRUE;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN: {
            if (focus == this || (code & (DLGC_WANTARROWS | DLGC_WANTALLKEYS)))
                return FALSE;
            CWnd* next = DialogNavigation::NextInGroup(focus, key == VK_LEFT || key == VK_UP);
            if (next == focus)
                return TRUE;
            MoveFocus(next);
            if ((next->SendMessage(WM_GETDLGCODE) & DLGC_RADIOBUTTON) &&
                (next->GetStyle() & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
                next->SendMessage(BM_CLICK);
            return TRUE;
        }
        case VK_RETURN:
            if (code & DLGC_WANTALLKEYS)
                return FALSE;
            if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
                focus->SendMessage(BM_CLICK);
            else
                PressDefaultButton();
            return TRUE;
        case VK_ESCAPE:
            if (code & DLGC_WANTALLKEYS)
                return FALSE;
            PressCommandButton(IDCANCEL);
            return TRUE;
        default:
            return FALSE;
    }
}

// Wherever the focus is, as no control wants these keys for itself. The focus stays on the tabs
// or on a control still shown; one the turn hid goes to the first control after the tabs, which
// is the new page's.
bool CDialog::TurnTabs(int step) {
    CTabCtrl* tabs = ShownTabs(this);
    if (!tabs)
        return false;
    CWnd* before = GetFocus();
    tabs->TurnBy(step);
    const bool kept = GetFocus() == before && DialogNavigation::CanFocus(before);
    if (before != tabs && !kept)
        MoveFocus(DialogNavigation::NextTabStop(this, tabs, false));
    return true;
}

// Alt and a letter: a label's letter moves to its control; a button's own letter presses it
// (a check box or radio button takes the focus too), unless another control shares the letter.
BOOL CDialog::PressAccessKey(CWnd* focus, UINT key) {
    const bool letterOrDigit = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
    const DialogNavigation::AccessKeyTarget target =
        DialogNavigation::FindAccessKey(this, focus, letterOrDigit ? static_cast<char>(key) : 0);
    if (!target.control)
        return FALSE;
    const UINT code = static_cast<UINT>(target.control->SendMessage(WM_GETDLGCODE));
    const bool pushButton = (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
    const bool press = target.ownText && !target.shared && (code & DLGC_BUTTON);
    if (!pushButton || !press)
        GotoDlgCtrl(target.control);
    if (press)
        target.control->SendMessage(BM_CLICK);
    return TRUE;
}

void CDialog::MoveFocus(CWnd* control) {
    if (control)
        GotoDlgCtrl(control);
}

// Enter presses the default button where the focus is: the focus stays put.
void CDialog::PressDefaultButton() {
    PressCommandButton(static_cast<int>(LOWORD(GetDefID())));
}

void CDialog::PressCommandButton(int id) {
    CWnd* button = nullptr;
    for (CWnd* control : DialogNavigation::Descendants(this))
        if (control->GetDlgCtrlID() == id)
            button = control;
    if (button && (!button->IsWindowEnabled() || !button->IsWindowVisible()))
        return;
    SendMessage(WM_COMMAND, MAKEWPARAM(id, static_cast<int>(BN_CLICKED)), reinterpret_cast<LPARAM>(button));
}

// --- Controls -------------------------------------------------------------------------------

void CDialog::GotoDlgCtrl(CWnd* control) {
    if (!control || !IsWindow(control))
        return;
    m_lastFocus = control;
    if (!IsWindowVisible())
        return;
    control->SetFocus();
    // The control left may rewrite this one's text as it loses the focus, or take the focus
    // back to refuse what was typed: the text is selected once the focus has settled here.
    CWnd* focus = GetFocus();
    const bool focused = focus == control || (focus && control->IsChild(focus));
    if (focused && (control->SendMessage(WM_GETDLGCODE) & DLGC_HASSETSEL))
        control->SendMessage(EM_SETSEL, 0, -1);
}

void CDialog::NextDlgCtrl() {
    MoveFocus(DialogNavigation::NextTabStop(this, GetFocus(), false));
}
void CDialog::PrevDlgCtrl() {
    MoveFocus(DialogNavigation::NextTabStop(this, GetFocus(), true));
}

void CDialog::SetDefID(UINT id) {
    auto restyle = [this](UINT buttonId, DWORD type) {
        CWnd* button = GetDlgItem(static_cast<int>(buttonId));
        if (button && (button->SendMessage(WM_GETDLGCODE) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
            button->SendMessage(BM_SETSTYLE, type, TRUE);
    };
    restyle(m_defaultId, BS_PUSHBUTTON);
    m_defaultId = id;
    restyle(id, BS_DEFPUSHBUTTON);
}

DWORD CDialog::GetDefID() const {
    return static_cast<DWORD>(MAKELONG(static_cast<int>(m_defaultId), DC_HASDEFID));
}

void CDialog::CheckRadioButton(int firstId, int lastId, int checkId) {
    for (int id = firstId; id <= lastId; ++id)
        CheckDlgButton(id, id == checkId ? BST_CHECKED : BST_UNCHECKED);
}

int CDialog::GetCheckedRadioButton(int firstId, int lastId) {
    for (int id = firstId; id <= lastId; ++id)
        if (IsDlgButtonChecked(id))
            return id;
    return 0;
}

void CDialog::CheckDlgButton(int id, UINT check) {
    SendDlgItemMessage(id, BM_SETCHECK, check);
}

UINT CDialog::IsDlgButtonChecked(int id) const {
    return static_cast<UINT>(SendDlgItemMessage(id, BM_GETCHECK));
}

void CDialog::SetDlgItemText(int id, LPCTSTR text) {
    if (CWnd* control = GetDlgItem(id))
        control->SetWindowText(text);
}

int CDialog::GetDlgItemText(int id, CString& text) const {
    text.Empty();
    if (CWnd* control = GetDlgItem(id))
        control->GetWindowText(text);
    return text.GetLength();
}

int CDialog::GetDlgItemText(int id, LPTSTR buffer, int maxCount) const {
    CWnd* control = GetDlgItem(id);
    if (!control) {
        if (buffer && maxCount > 0)
            buffer[0] = '\0';
        return 0;
    }
    return control->GetWindowText(buffer, maxCount);
}

void CDialog::SetDlgItemInt(int id, UINT value, BOOL isSigned) {
    CString text;
    if (isSigned)
        text.Format("%d", static_cast<int>(value));
    else
        text.Format("%u", value);
    SetDlgItemText(id, text);
}

UINT CDialog::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
    if (translated)
        *translated = FALSE;
    CString text;
    GetDlgItemText(id, text);
    text.Trim();
    const char* at = text.c_str();
    const bool negative = isSigned && *at == '-';
    if (negative)
        ++at;
    if (!std::isdigit(static_cast<unsigned char>(*at)))
        return 0;
    unsigned long long value = 0;
    for (; std::isdigit(static_cast<unsigned char>(*at)); ++at) {
        value = value * 10 + static_cast<unsigned>(*at - '0');
        const unsigned long long limit = isSigned ? (negative ? 1ULL + INT_MAX : INT_MAX) : UINT_MAX;
        if (value > limit)
            return 0;
    }
    if (*at != '\0')
        return 0;
    if (translated)
        *translated = TRUE;
    return negative ? static_cast<UINT>(-static_cast<long long>(value)) : static_cast<UINT>(value);
}

LRESULT CDialog::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    CWnd* control = GetDlgItem(id);
    return control ? control->SendMessage(message, wParam, lParam) : 0;
}

void CDialog::MapDialogRect(RECT* rect) const {
    *rect = DialogUnits(const_cast<CFont&>(m_font)).ToPixels(CRect(*rect));
}

// --- Messages -------------------------------------------------------------------------------

BOOL CDialog::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CDialog::OnClose() {
    PressCommandButton(IDCANCEL);
}

void CDialog::OnSetFocus(CWnd*) {
    CWnd* target = IsWindow(m_lastFocus) && IsChild(m_lastFocus) ? m_lastFocus : nullptr;
    if (!DialogNavigation::CanFocus(target))
        target = DialogNavigation::FirstTabStop(this);
    if (target)
        GotoDlgCtrl(target);
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_INITDIALOG:
            *result = OnInitDialog();
            return TRUE;
        case DM_GETDEFID:
            *result = static_cast<LRESULT>(GetDefID());
            return TRUE;
        case DM_SETDEFID:
            SetDefID(static_cast<UINT>(wParam));
            *result = TRUE;
            return TRUE;
        case WM_NEXTDLGCTL:
            if (lParam)
                GotoDlgCtrl(reinterpret_cast<CWnd*>(wParam));
            else
                MoveFocus(DialogNavigation::NextTabStop(this, GetFocus(), wParam != 0));
            *result = 0;
            return TRUE;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE && IsChild(GetFocus()))
                m_lastFocus = GetFocus();
            return CWnd::OnWndMsg(message, wParam, lParam, result);
        default:
            return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
}
