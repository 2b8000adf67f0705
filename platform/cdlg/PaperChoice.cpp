#include "platform/cdlg/PaperChoice.h"

#include <iterator>

#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CDialog.h"

namespace {
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kTab = kChild | WS_TABSTOP;

struct PaperKind {
    const char* name;
    short width;
    short length;
};
constexpr PaperKind kPapers[] = {
    {"A4 (210 x 297 mm)", 2100, 2970},   {"A3 (297 x 420 mm)", 2970, 4200},
    {"A5 (148 x 210 mm)", 1480, 2100},   {"Letter (8.5 x 11 in)", 2159, 2794},
    {"Legal (8.5 x 14 in)", 2159, 3556},
};

CRect PictureRect(int top) {
    return CRect(154, top + 10, 178, top + 34);
}
}  // namespace

std::vector<DialogItem> PaperChoice::Items(int top) {
    return {
        {grp2, WC_BUTTON, "Paper", kChild | BS_GROUPBOX, CRect(7, top, 140, top + 38)},
        {0, WC_STATIC, "Si&ze:", kChild | SS_LEFT, CRect(14, top + 17, 40, top + 25)},
        {cmb2, WC_COMBOBOX, "", kTab | CBS_DROPDOWNLIST | WS_GROUP, CRect(42, top + 15, 133, top + 87)},
        {grp1, WC_BUTTON, "Orientation", kChild | BS_GROUPBOX, CRect(146, top, 273, top + 38)},
        {rad1, WC_BUTTON, "P&ortrait", kTab | BS_AUTORADIOBUTTON | WS_GROUP,
         CRect(186, top + 11, 266, top + 21)},
        {rad2, WC_BUTTON, "L&andscape", kChild | BS_AUTORADIOBUTTON, CRect(186, top + 24, 266, top + 34)},
    };
}

void PaperChoice::Attach(CDialog& dialog, int top, const DEVMODE& settings) {
    m_dialog = &dialog;
    CRect picture = PictureRect(top);
    dialog.MapDialogRect(&picture);
    m_picture.Create(picture, &dialog, ico1);
    auto* combo = static_cast<CComboBox*>(dialog.GetDlgItem(cmb2));
    for (const PaperKind& paper : kPapers) combo->AddString(paper.name);
    Show(settings);
}

void PaperChoice::Show(const DEVMODE& settings) {
    int current = 0;
    for (int i = 0; i < static_cast<int>(std::size(kPapers)); ++i)
        if (kPapers[i].width == settings.dmPaperWidth && kPapers[i].length == settings.dmPaperLength)
            current = i;
    static_cast<CComboBox*>(m_dialog->GetDlgItem(cmb2))->SetCurSel(current);
    const bool landscape = settings.dmOrientation == DMORIENT_LANDSCAPE;
    m_dialog->CheckRadioButton(rad1, rad2, landscape ? rad2 : rad1);
    m_picture.SetLandscape(landscape);
}

bool PaperChoice::OnCommand(UINT id, UINT code) {
    if ((id != rad1 && id != rad2) || code != BN_CLICKED)
        return false;
    m_picture.SetLandscape(m_dialog->IsDlgButtonChecked(rad2) == BST_CHECKED);
    return true;
}

void PaperChoice::Read(DEVMODE& settings) const {
    const int paper = static_cast<CComboBox*>(m_dialog->GetDlgItem(cmb2))->GetCurSel();
    if (paper >= 0 && paper < static_cast<int>(std::size(kPapers))) {
        settings.dmPaperWidth = kPapers[paper].width;
        settings.dmPaperLength = kPapers[paper].length;
    }
    settings.dmOrientation =
        m_dialog->IsDlgButtonChecked(rad2) == BST_CHECKED ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
}
