#include "platform/cdlg/CFontDialog.h"

#include <cmath>
#include <cstring>

#include "platform/cdlg/FontFaces.h"
#include "platform/ctl/CComboBox.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/MessageBoxes.h"
#include "platform/win/WindowDCs.h"

IMPLEMENT_DYNAMIC(CFontDialog, CDialog)

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

std::vector<DialogItem> Items(DWORD flags) {
    const DWORD effects = (flags & CF_EFFECTS) ? 0 : WS_DISABLED;
    return {
        {stc1, WC_STATIC, "&Font:", kChild | SS_LEFT, CRect(7, 7, 100, 15)},
        {cmb1, WC_COMBOBOX, "", kTab | CBS_DROPDOWNLIST | CBS_SORT, CRect(7, 17, 110, 120)},
        {stc2, WC_STATIC, "Font st&yle:", kChild | SS_LEFT, CRect(116, 7, 190, 15)},
        {cmb2, WC_COMBOBOX, "", kTab | CBS_DROPDOWNLIST, CRect(116, 17, 186, 90)},
        {stc3, WC_STATIC, "&Size:", kChild | SS_LEFT, CRect(192, 7, 230, 15)},
        {cmb3, WC_COMBOBOX, "", kTab | CBS_DROPDOWN, CRect(192, 17, 230, 120)},
        {IDOK, WC_BUTTON, "OK", kTab | BS_DEFPUSHBUTTON, CRect(238, 17, 290, 31)},
        {IDCANCEL, WC_BUTTON, "Cancel", kTab | BS_PUSHBUTTON, CRect(238, 35, 290, 49)},
        {grp1, WC_BUTTON, "Effects", kChild | BS_GROUPBOX | effects, CRect(7, 40, 110, 100)},
        {chx1, WC_BUTTON, "Stri&keout", kTab | BS_AUTOCHECKBOX | effects, CRect(14, 52, 100, 62)},
        {chx2, WC_BUTTON, "&Underline", kTab | BS_AUTOCHECKBOX | effects, CRect(14, 65, 100, 75)},
        {stc4, WC_STATIC, "&Color:", kChild | SS_LEFT | effects, CRect(14, 80, 40, 88)},
        {cmb4, WC_COMBOBOX, "", kTab | CBS_DROPDOWNLIST | effects, CRect(42, 78, 104, 160)},
        {stc5, WC_STATIC, "Sample", kChild | SS_LEFT, CRect(116, 42, 230, 50)},
    };
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

INT_PTR CFontDialog::DoModal() {
    m_built = std::make_unique<DialogTemplate>(0, "Font", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                                               CRect(0, 0, 297, 108), Items(m_cf.Flags));
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
    auto* faces = static_cast<CComboBox*>(GetDlgItem(cmb1));
    for (const CString& face : FontFaceNames()) faces->AddString(face);
    if (faces->SelectString(-1, m_lf.lfFaceName) < 0 || CString(m_lf.lfFaceName).IsEmpty())
        faces->SetCurSel(faces->FindStringExact(-1, "MS Sans Serif"));
    auto* styles = static_cast<CComboBox*>(GetDlgItem(cmb2));
    for (const char* style : kStyles) styles->AddString(style);
    styles->SetCurSel((m_lf.lfWeight >= FW_SEMIBOLD ? 2 : 0) + (m_lf.lfItalic ? 1 : 0));
    auto* sizes = static_cast<CComboBox*>(GetDlgItem(cmb3));
    for (int size : kSizes) {
        CString text;
        text.Format("%d", size);
        sizes->AddString(text);
    }
    SetDlgItemInt(cmb3, static_cast<UINT>(PointsOf(m_lf)));
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

bool CFontDialog::ReadControls(bool complain) {
    BOOL sizeOk = FALSE;
    const UINT points = GetDlgItemInt(cmb3, &sizeOk, FALSE);
    if (!sizeOk || points < 1 || points > 1638) {
        if (complain) {
            AfxMessageBox("Size must be a number between 1 and 1638.", MB_OK | MB_ICONEXCLAMATION);
            GotoDlgCtrl(GetDlgItem(cmb3));
        }
        return false;
    }
    CString face;
    GetDlgItemText(cmb1, face);
    std::strncpy(m_lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    m_lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    const int style = static_cast<CComboBox*>(GetDlgItem(cmb2))->GetCurSel();
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
    m_sampleFont.DeleteObject();
    m_sampleFont.CreateFontIndirect(&m_lf);
    const CRect sample = SampleRect();
    InvalidateRect(&sample);
    return true;
}

BOOL CFontDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT code = HIWORD(wParam);
    const BOOL handled = CDialog::OnCommand(wParam, lParam);
    if (IsWindow(this) && InModalLoop() &&
        (code == CBN_SELCHANGE || code == BN_CLICKED || code == CBN_EDITCHANGE))
        ReadControls(false);
    return handled;
}

void CFontDialog::OnOK() {
    if (!ReadControls(true))
        return;
    EndDialog(IDOK);
}

CRect CFontDialog::SampleRect() const {
    CRect sample(116, 52, 230, 100);
    MapDialogRect(&sample);
    return sample;
}

void CFontDialog::OnPaint() {
    CPaintDC dc(this);
    CRect sample = SampleRect();
    dc.DrawEdge(&sample, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    dc.FillSolidRect(&sample, GetSysColor(COLOR_BTNFACE));
    CFont* old = dc.SelectObject(&m_sampleFont);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_cf.rgbColors);
    dc.DrawText("AaBbYyZz", &sample, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.SelectObject(old);
}
