#include "platform/cdlg/PrinterPropertiesDialog.h"

namespace {
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kTab = kChild | WS_TABSTOP;
constexpr int kPaperTop = 4;

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items = PaperChoice::Items(kPaperTop);
    std::vector<DialogItem> rest{
        {0, WC_STATIC, "Resolution:", kChild | SS_LEFT, CRect(7, 50, 60, 58)},
        {stc1, WC_STATIC, "", kChild | SS_LEFT, CRect(62, 50, 200, 58)},
        {IDOK, WC_BUTTON, "OK", kTab | BS_DEFPUSHBUTTON | WS_GROUP, CRect(162, 64, 212, 78)},
        {IDCANCEL, WC_BUTTON, "Cancel", kTab | BS_PUSHBUTTON, CRect(218, 64, 273, 78)},
    };
    items.insert(items.end(), rest.begin(), rest.end());
    return items;
}
}  // namespace

PrinterPropertiesDialog::PrinterPropertiesDialog(const CString& printer, const DEVMODE& settings,
                                                 CWnd* parent)
    : m_printer(printer), m_settings(settings) {
    m_pParentWnd = parent;
}

PrinterPropertiesDialog::~PrinterPropertiesDialog() = default;

INT_PTR PrinterPropertiesDialog::DoModal() {
    m_built = std::make_unique<DialogTemplate>(0, m_printer + " Properties",
                                               WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
                                               CRect(0, 0, 280, 84), Items());
    InitModalIndirect(*m_built, m_pParentWnd);
    return CDialog::DoModal();
}

BOOL PrinterPropertiesDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_paper.Attach(*this, kPaperTop, m_settings);
    CString resolution;
    resolution.Format("%d dots per inch", static_cast<int>(m_settings.dmPrintQuality));
    SetDlgItemText(stc1, resolution);
    return TRUE;
}

BOOL PrinterPropertiesDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (m_paper.OnCommand(LOWORD(wParam), HIWORD(wParam)))
        return TRUE;
    return CDialog::OnCommand(wParam, lParam);
}

void PrinterPropertiesDialog::OnOK() {
    m_paper.Read(m_settings);
    EndDialog(IDOK);
}
