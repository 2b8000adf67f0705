#include "platform/cdlg/CFontDialog.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/cdlg/FontFaces.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CListBox.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/MessageBoxes.h"
#include "platform/win/WindowDCs.h"

IMPLEMENT_DYNAMIC(CFontDialog, CDialog)

// Each choice is an always-open list with an edit above it: choosing in the list fills the
// edit, typing in the edit chooses the matching entry (for the size only an exact one).
struct ListWithEdit {
    UINT label;
    UINT edit;
    UINT list;
    bool exact;
};

namespace {
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kTab = kChild | WS_TABSTOP;
constexpr int kScreenDpi = 96;
constexpr const char* kStyles[] = {"Regular", "Italic", "Bold", "Bold Italic"};
constexpr int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

struct NamedColor {
    const char* name;
    COLORREF color;
};
constexpr NamedColor kColors[] = {
    {"Black", RGB(0, 0, 0)},       {"Maroon", RGB(128, 0, 0)},    {"Green", RGB(0, 128, 0)},
    {"Olive", RGB(128, 128, 0)},   {"Navy", RGB(0, 0, 128)},      {"Purple", RGB(128, 0, 128)},
    {"Teal", RGB(0, 128, 128)},    {"Gray", RGB(128, 128, 128)},  {"Silver", RGB(192, 192, 192)},
    {"Red", RGB(255, 0, 0)},       {"Lime", RGB(0, 255, 0)},      {"Yellow", RGB(255, 255, 0)},
    {"Blue", RGB(0, 0, 255)},      {"Fuchsia", RGB(255, 0, 255)}, {"Aqua", RGB(0, 255, 255)},
    {"White", RGB(255, 255, 255)},
};

constexpr ListWithEdit kFace{stc1, edt1, lst1, false};
constexpr ListWithEdit kStyle{stc2, edt2, lst2, false};
constexpr ListWithEdit kSize{stc3, edt3, lst3, true};
constexpr ListWithEdit kChoices[] = {kFace, kStyle, kSize};

std::vector<DialogItem> ChoiceItems(const ListWithEdit& choice, const char* label, int left, int right,
                                    DWORD sorted) {
    return {
        {choice.label, WC_STATIC, label, kChild | SS_LEFT, CRect(left, 7, right, 15)},
        {choice.edit, WC_EDIT, "", kTab | WS_BORDER | ES_AUTOHSCROLL, CRect(left, 16, right, 28)},
        {choice.list, WC_LISTBOX, "", kChild | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | sorted,
         CRect(left, 29, right, 92), WS_EX_CLIENTEDGE},
    };
}

std::vector<DialogItem> Items(DWORD flags) {
    const DWORD effects = (flags & CF_EFFECTS) ? 0 : WS_DISABLED;
    std::vector<DialogItem> items;
    for (const std::vector<DialogItem>& choice :
         {ChoiceItems(kFace, "&Font:", 7, 100, LBS_SORT), ChoiceItems(kStyle, "Font st&yle:", 106, 166, 0),
          ChoiceItems(kSize, "&Size:", 172, 210, 0)})
        items.insert(items.end(), choice.begin(), choice.end());
    std::vector<DialogItem> rest{
        {IDOK, WC_BUTTON, "OK", kTab | BS_DEFPUSHBUTTON, CRect(218, 16, 270, 30)},
        {IDCANCEL, WC_BUTTON, "Cancel", kTab | BS_PUSHBUTTON, CRect(218, 34, 270, 48)},
        {grp1, WC_BUTTON, "Effects", kChild | BS_GROUPBOX | effects, CRect(7, 98, 100, 158)},
        {chx1, WC_BUTTON, "Stri&keout", kTab | BS_AUTOCHECKBOX | effects, CRect(14, 110, 100, 120)},
        {chx2, WC_BUTTON, "&Underline", kTab | BS_AUTOCHECKBOX | effects, CRect(14, 123, 100, 133)},
        {stc4, WC_STATIC, "&Color:", kChild | SS_LEFT | effects, CRect(14, 140, 40, 148)},
        {cmb4, WC_COMBOBOX, "", kTab | CBS_DROPDOWNLIST | effects, CRect(42, 138, 94, 220)},
        {grp2, WC_BUTTON, "Sample", kChild | BS_GROUPBOX, CRect(106, 98, 210, 158)},
    };
    items.insert(items.end(), rest.begin(), rest.end());
    return items;
}

int PointsOf(const LOGFONT& font) {
    if (font.lfHeight == 0)
        return 8;
    return static_cast<int>(std::lround(std::abs(font.lfHeight) * 72.0 / kScreenDpi));
}
}  // namespace

CFontDialog::CFontDialog(const LOGFONT* initial, DWORD flags, CDC*, CWnd* parent) : CDialog() {
    m_pParentWnd = parent;
    m_lf = initial ? *initial : CFont::DefaultLogFont();
    m_cf.Flags = flags | (initial ? CF_INITTOLOGFONTSTRUCT : 0);
    m_cf.lpLogFont = &m_lf;
    m_cf.iPointSize = PointsOf(m_lf) * 10;
}

CFontDialog::~CFontDialog() = default;

DialogTemplate CFontDialog::Template(DWORD flags) {
    return DialogTemplate(0, "Font", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                          CRect(0, 0, 277, 165), Items(flags));
}

INT_PTR CFontDialog::DoModal() {
    m_built = std::make_unique<DialogTemplate>(Template(m_cf.Flags));
    InitModalIndirect(*m_built, m_pParentWnd);
    const INT_PTR result = CDialog::DoModal();
    if (result == IDOK && m_cf.lpLogFont && m_cf.lpLogFont != &m_lf)
        *m_cf.lpLogFont = m_lf;
    return result;
}

BOOL CFontDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_cf.lpLogFont && m_cf.lpLogFont != &m_lf && (m_cf.Flags & CF_INITTOLOGFONTSTRUCT))
        m_lf = *m_cf.lpLogFont;
    CRect sample(112, 108, 204, 152);
    MapDialogRect(&sample);
    m_sample.Create(sample, this, stc5);
    CListBox* faces = List(kFace);
    for (const CString& face : FontFaceNames()) faces->AddString(face);
    const int face = faces->FindStringExact(-1, m_lf.lfFaceName);
    ChooseInList(kFace, face >= 0 && m_lf.lfFaceName[0] ? face : faces->FindStringExact(-1, "MS Sans Serif"));
    for (const char* style : kStyles) List(kStyle)->AddString(style);
    ChooseInList(kStyle, (m_lf.lfWeight >= FW_SEMIBOLD ? 2 : 0) + (m_lf.lfItalic ? 1 : 0));
    for (int size : kSizes) {
        CString text;
        text.Format("%d", size);
        List(kSize)->AddString(text);
    }
    SetDlgItemInt(kSize.edit, static_cast<UINT>(PointsOf(m_lf)));
    CheckDlgButton(chx1, m_lf.lfStrikeOut ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(chx2, m_lf.lfUnderline ? BST_CHECKED : BST_UNCHECKED);
    auto* colors = static_cast<CComboBox*>(GetDlgItem(cmb4));
    int chosen = 0;
    for (int i = 0; i < static_cast<int>(std::size(kColors)); ++i) {
        colors->AddString(kColors[i].name);
        if (kColors[i].color == m_cf.rgbColors)
            chosen = i;
    }
    colors->SetCurSel(chosen);
    ReadControls(false);
    return TRUE;
}

CListBox* CFontDialog::List(const ListWithEdit& choice) const {
    return static_cast<CListBox*>(GetDlgItem(choice.list));
}

void CFontDialog::ChooseInList(const ListWithEdit& choice, int index) {
    List(choice)->SetCurSel(index);
    ShowListChoiceInEdit(choice);
}

void CFontDialog::ShowListChoiceInEdit(const ListWithEdit& choice) {
    CString text;
    List(choice)->GetText(List(choice)->GetCurSel(), text);
    m_fillingEdit = true;
    SetDlgItemText(choice.edit, text);
    m_fillingEdit = false;
}

void CFontDialog::ChooseWhatEditSays(const ListWithEdit& choice) {
    CString text;
    GetDlgItemText(choice.edit, text);
    CListBox* list = List(choice);
    const int found = choice.exact ? list->FindStringExact(-1, text) : list->FindString(-1, text);
    list->SetCurSel(text.IsEmpty() ? -1 : found);
}

// Up and Down in an edit move through the list under it, as in a list with an edit of its own.
BOOL CFontDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_UP || msg->wParam == VK_DOWN))
        for (const ListWithEdit& choice : kChoices)
            if (msg->hwnd == GetDlgItem(choice.edit)) {
                StepThroughList(choice, msg->wParam == VK_UP ? -1 : 1);
                return TRUE;
            }
    return CDialog::PreTranslateMessage(msg);
}

void CFontDialog::StepThroughList(const ListWithEdit& choice, int step) {
    CListBox* list = List(choice);
    if (list->GetCount() == 0)
        return;
    const int current = list->GetCurSel();
    ChooseInList(choice, std::clamp(current < 0 ? 0 : current + step, 0, list->GetCount() - 1));
    GetDlgItem(choice.edit)->SendMessage(EM_SETSEL, 0, -1);
    ReadControls(false);
}

// The entry of a list that the edit above it names exactly, or -1 (with a message and the
// focus on the edit when complaining).
int CFontDialog::NamedEntry(const ListWithEdit& choice, const char* complaint, bool complain) {
    CString text;
    GetDlgItemText(choice.edit, text);
    const int index = List(choice)->FindStringExact(-1, text.Trim());
    if (index < 0 && complain) {
        AfxMessageBox(complaint, MB_OK | MB_ICONEXCLAMATION);
        GotoDlgCtrl(GetDlgItem(choice.edit));
    }
    return index;
}

bool CFontDialog::ReadControls(bool complain) {
    const int faceIndex = NamedEntry(
        kFace, "There is no font with that name.\nChoose a font from the list of fonts.", complain);
    if (faceIndex < 0)
        return false;
    const int style = NamedEntry(
        kStyle, "There is no style of this font by that name.\nChoose a style from the list of styles.",
        complain);
    if (style < 0)
        return false;
    BOOL sizeOk = FALSE;
    const UINT points = GetDlgItemInt(kSize.edit, &sizeOk, FALSE);
    if (!sizeOk || points < 1 || points > 1638) {
        if (complain) {
            AfxMessageBox("Size must be a number between 1 and 1638.", MB_OK | MB_ICONEXCLAMATION);
            GotoDlgCtrl(GetDlgItem(kSize.edit));
        }
        return false;
    }
    CString face;
    List(kFace)->GetText(faceIndex, face);
    std::strncpy(m_lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    m_lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    m_lf.lfWeight = style >= 2 ? FW_BOLD : FW_NORMAL;
    m_lf.lfItalic = (style % 2) ? TRUE : FALSE;
    m_lf.lfHeight = -static_cast<LONG>(std::lround(points * static_cast<double>(kScreenDpi) / 72));
    m_lf.lfWidth = 0;
    m_cf.iPointSize = static_cast<int>(points) * 10;
    if (m_cf.Flags & CF_EFFECTS) {
        m_lf.lfStrikeOut = IsDlgButtonChecked(chx1) ? TRUE : FALSE;
        m_lf.lfUnderline = IsDlgButtonChecked(chx2) ? TRUE : FALSE;
        const int color = static_cast<CComboBox*>(GetDlgItem(cmb4))->GetCurSel();
        if (color >= 0 && color < static_cast<int>(std::size(kColors)))
            m_cf.rgbColors = kColors[color].color;
    }
    m_sample.SetSampleFont(m_lf, m_cf.rgbColors);
    return true;
}

BOOL CFontDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    for (const ListWithEdit& choice : kChoices) {
        if (id == choice.list && code == LBN_SELCHANGE)
            ShowListChoiceInEdit(choice);
        else if (id == choice.edit && code == EN_CHANGE && !m_fillingEdit)
            ChooseWhatEditSays(choice);
    }
    const BOOL handled = CDialog::OnCommand(wParam, lParam);
    if (IsWindow(this) && InModalLoop() &&
        (code == CBN_SELCHANGE || code == BN_CLICKED || code == LBN_SELCHANGE || code == EN_CHANGE))
        ReadControls(false);
    return handled;
}

void CFontDialog::OnOK() {
    if (!ReadControls(true))
        return;
    EndDialog(IDOK);
}
