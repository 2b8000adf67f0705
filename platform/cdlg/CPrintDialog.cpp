#include "platform/cdlg/CPrintDialog.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <tuple>

#include "platform/base/FileSystemText.h"
#include "platform/cdlg/PrinterMargins.h"
#include "platform/cdlg/PrinterPropertiesDialog.h"
#include "platform/cdlg/PrinterQueue.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CSpinButtonCtrl.h"
#include "platform/ctl/DataExchange.h"
#include "platform/gdi/CDC.h"
#include "platform/win/CWinApp.h"
#include "platform/win/MessageBoxes.h"

IMPLEMENT_DYNAMIC(CPrintDialog, CDialog)

namespace {
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kTab = kChild | WS_TABSTOP;
constexpr UINT kCopiesSpin = 0x0491;
constexpr int kPrinterDpi = 300;
constexpr int kMaxCopies = 999;
constexpr int kSetupPaperTop = 44;

// The printer print setup chose; until it chooses one (name empty) jobs go to the default printer.
struct SessionPrinter {
    CString name;
    DEVMODE devMode;
};
SessionPrinter& Session() {
    static SessionPrinter printer;
    return printer;
}

std::vector<DialogItem> PrintItems(DWORD flags) {
    std::vector<DialogItem> items{
        {0, WC_BUTTON, "Printer", kChild | BS_GROUPBOX, CRect(7, 4, 273, 78)},
        {0, WC_STATIC, "&Name:", kChild | SS_LEFT, CRect(14, 18, 50, 26)},
        {cmb4, WC_COMBOBOX, "", kTab | CBS_DROPDOWNLIST | WS_GROUP, CRect(55, 16, 210, 100)},
        {psh2, WC_BUTTON, "P&roperties", kTab | BS_PUSHBUTTON, CRect(216, 15, 266, 29)},
        {0, WC_STATIC, "Where:", kChild | SS_LEFT, CRect(14, 33, 50, 41)},
        {stc5, WC_STATIC, "", kChild | SS_LEFT, CRect(55, 33, 266, 41)},
        {stc1, WC_STATIC, "&File:", kChild | SS_LEFT, CRect(14, 48, 50, 56)},
        {edt4, WC_EDIT, "", kTab | WS_BORDER | ES_AUTOHSCROLL, CRect(55, 46, 266, 60)},
    };
    if (!(flags & PD_HIDEPRINTTOFILE))
        items.push_back({chx1, WC_BUTTON, "Print to fi&le", kTab | BS_AUTOCHECKBOX, CRect(55, 64, 160, 74)});
    const DWORD pages = (flags & PD_NOPAGENUMS) ? WS_DISABLED : 0;
    const DWORD selection = (flags & PD_NOSELECTION) ? WS_DISABLED : 0;
    std::vector<DialogItem> rest{
        {grp1, WC_BUTTON, "Print range", kChild | BS_GROUPBOX, CRect(7, 82, 140, 142)},
        {rad1, WC_BUTTON, "&All", kTab | BS_AUTORADIOBUTTON | WS_GROUP, CRect(14, 94, 130, 104)},
        {rad3, WC_BUTTON, "Pa&ges", kChild | BS_AUTORADIOBUTTON | pages, CRect(14, 108, 50, 118)},
        {rad2, WC_BUTTON, "&Selection", kChild | BS_AUTORADIOBUTTON | selection, CRect(14, 124, 130, 134)},
        {0, WC_STATIC, "&from:", kChild | SS_LEFT | pages, CRect(52, 109, 72, 117)},
        {edt1, WC_EDIT, "", kTab | WS_BORDER | WS_GROUP | pages, CRect(72, 107, 96, 119)},
        {0, WC_STATIC, "&to:", kChild | SS_LEFT | pages, CRect(100, 109, 110, 117)},
        {edt2, WC_EDIT, "", kTab | WS_BORDER | pages, CRect(111, 107, 135, 119)},
        {grp2, WC_BUTTON, "Copies", kChild | BS_GROUPBOX, CRect(146, 82, 273, 142)},
        {0, WC_STATIC, "Number of &copies:", kChild | SS_LEFT, CRect(153, 97, 222, 105)},
        {edt3, WC_EDIT, "", kTab | WS_BORDER, CRect(224, 95, 264, 107)},
        {kCopiesSpin, UPDOWN_CLASS, "",
         kChild | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_NOTHOUSANDS | UDS_ARROWKEYS,
         CRect(254, 95, 264, 107)},
        {IDOK, WC_BUTTON, "OK", kTab | BS_DEFPUSHBUTTON | WS_GROUP, CRect(162, 150, 212, 164)},
        {IDCANCEL, WC_BUTTON, "Cancel", kTab | BS_PUSHBUTTON, CRect(218, 150, 273, 164)},
    };
    items.insert(items.end(), rest.begin(), rest.end());
    return items;
}

std::vector<DialogItem> SetupItems() {
    std::vector<DialogItem> items{
        {0, WC_BUTTON, "Printer", kChild | BS_GROUPBOX, CRect(7, 4, 273, 40)},
        {0, WC_STATIC, "&Name:", kChild | SS_LEFT, CRect(14, 20, 50, 28)},
        {cmb4, WC_COMBOBOX, "", kTab | CBS_DROPDOWNLIST | WS_GROUP, CRect(55, 18, 210, 100)},
        {psh2, WC_BUTTON, "P&roperties", kTab | BS_PUSHBUTTON, CRect(216, 17, 266, 31)},
    };
    std::vector<DialogItem> paper = PaperChoice::Items(kSetupPaperTop);
    items.insert(items.end(), paper.begin(), paper.end());
    items.push_back({IDOK, WC_BUTTON, "OK", kTab | BS_DEFPUSHBUTTON | WS_GROUP, CRect(162, 88, 212, 102)});
    items.push_back({IDCANCEL, WC_BUTTON, "Cancel", kTab | BS_PUSHBUTTON, CRect(218, 88, 273, 102)});
    return items;
}

CString SpoolFileName() {
    static int jobs = 0;
    const auto folder = std::filesystem::temp_directory_path();
    CString name;
    name.Format("corvane-print-%d-%d.pdf", static_cast<int>(getpid()), ++jobs);
    return PathText(folder / name.c_str());
}
}  // namespace

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent) : CDialog() {
    m_pParentWnd = parent;
    m_pd.Flags = flags | (printSetupOnly ? PD_PRINTSETUP : 0);
    m_pd.hDevMode = &m_devMode;
    GetDefaults();
}

CPrintDialog::~CPrintDialog() = default;

void CPrintDialog::ResetSessionPrinter() {
    Session() = SessionPrinter();
}

BOOL CPrintDialog::GetDefaults() {
    m_printer = Session().name.IsEmpty() ? PrinterQueue::DefaultPrinter() : Session().name;
    m_devMode = Session().devMode;
    m_pd.nCopies = static_cast<WORD>(std::max<short>(1, m_devMode.dmCopies));
    return TRUE;
}

CString CPrintDialog::GetDriverName() const {
    return PrintsToQueue() ? "CUPS" : "PDF";
}

bool CPrintDialog::PrintsToQueue() const {
    return m_printer != PrinterQueue::kSaveAsPdf && !PrintToFile();
}

DialogTemplate CPrintDialog::Template(DWORD flags) {
    const bool setup = (flags & PD_PRINTSETUP) != 0;
    const CRect size = setup ? CRect(0, 0, 280, 108) : CRect(0, 0, 280, 170);
    return DialogTemplate(0, setup ? "Print Setup" : "Print",
                          WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, size,
                          setup ? SetupItems() : PrintItems(flags));
}

INT_PTR CPrintDialog::DoModal() {
    m_built = std::make_unique<DialogTemplate>(Template(m_pd.Flags));
    InitModalIndirect(*m_built, m_pParentWnd);
    return CDialog::DoModal();
}

BOOL CPrintDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    FillPrinters();
    if (m_pd.Flags & PD_PRINTSETUP) {
        m_paper.Attach(*this, kSetupPaperTop, m_devMode);
        return TRUE;
    }
    SetDlgItemText(edt4, m_strOutputFile);
    CheckDlgButton(chx1, PrintToFile() ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(rad1, rad3, PrintSelection() ? rad2 : PrintRange() ? rad3 : rad1);
    SetDlgItemInt(edt1, m_pd.nFromPage ? m_pd.nFromPage : m_pd.nMinPage);
    SetDlgItemInt(edt2, m_pd.nToPage ? m_pd.nToPage : m_pd.nMinPage);
    if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(kCopiesSpin)))
        spin->SetRange32(1, kMaxCopies);
    SetDlgItemInt(edt3, m_pd.nCopies);
    UpdateFileField();
    return TRUE;
}

void CPrintDialog::FillPrinters() {
    m_printers = {PrinterQueue::kSaveAsPdf};
    for (const CString& queue : PrinterQueue::InstalledPrinters()) m_printers.push_back(queue);
    auto* combo = static_cast<CComboBox*>(GetDlgItem(cmb4));
    for (const CString& printer : m_printers) combo->AddString(printer);
    const auto found = std::find(m_printers.begin(), m_printers.end(), m_printer);
    combo->SetCurSel(found == m_printers.end() ? 0 : static_cast<int>(found - m_printers.begin()));
}

CString CPrintDialog::SelectedPrinter() const {
    const int index = static_cast<const CComboBox*>(GetDlgItem(cmb4))->GetCurSel();
    return index >= 0 && index < static_cast<int>(m_printers.size()) ? m_printers[index] : m_printer;
}

// The file field serves "Save as PDF" and printing to a file.
void CPrintDialog::UpdateFileField() {
    const bool queue = SelectedPrinter() != PrinterQueue::kSaveAsPdf;
    const bool toFile = !queue || IsDlgButtonChecked(chx1) == BST_CHECKED;
    SetDlgItemText(stc5, queue ? "CUPS printer queue" : "PDF file");
    GetDlgItem(edt4)->EnableWindow(toFile);
    GetDlgItem(stc1)->EnableWindow(toFile);
    if (CWnd* box = GetDlgItem(chx1))
        box->EnableWindow(queue);
}

// The settings print setup shows (or, in the print dialog, the job's) go to the printer's
// properties and come back changed when they are confirmed.
void CPrintDialog::ShowPrinterProperties() {
    const bool setup = (m_pd.Flags & PD_PRINTSETUP) != 0;
    DEVMODE settings = m_devMode;
    if (setup)
        m_paper.Read(settings);
    PrinterPropertiesDialog properties(SelectedPrinter(), settings, this);
    if (properties.DoModal() != IDOK)
        return;
    if (setup)
        m_paper.Show(properties.Settings());
    else
        m_devMode = properties.Settings();
}

BOOL CPrintDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (id == psh2 && HIWORD(wParam) == BN_CLICKED) {
        ShowPrinterProperties();
        return TRUE;
    }
    if ((m_pd.Flags & PD_PRINTSETUP) && m_paper.OnCommand(id, HIWORD(wParam)))
        return TRUE;
    if ((id == cmb4 && HIWORD(wParam) == CBN_SELCHANGE) || (id == chx1 && HIWORD(wParam) == BN_CLICKED)) {
        if (!(m_pd.Flags & PD_PRINTSETUP))
            UpdateFileField();
        return TRUE;
    }
    if ((id == edt1 || id == edt2) && HIWORD(wParam) == EN_CHANGE &&
        GetFocus() == GetDlgItem(static_cast<int>(id)))
        CheckRadioButton(rad1, rad3, rad3);
    return CDialog::OnCommand(wParam, lParam);
}

bool CPrintDialog::ReadPageRange() {
    BOOL fromOk = FALSE;
    BOOL toOk = FALSE;
    const UINT from = GetDlgItemInt(edt1, &fromOk, FALSE);
    const UINT to = GetDlgItemInt(edt2, &toOk, FALSE);
    for (auto [id, value, ok] : {std::tuple{edt1, from, fromOk}, std::tuple{edt2, to, toOk}}) {
        if (!ok || value < m_pd.nMinPage || value > m_pd.nMaxPage) {
            CString text;
            text.Format("This value is not within the page range.\nEnter a number between %u and %u.",
                        static_cast<UINT>(m_pd.nMinPage), static_cast<UINT>(m_pd.nMaxPage));
            AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
            GotoDlgCtrl(GetDlgItem(static_cast<int>(id)));
            return false;
        }
    }
    m_pd.nFromPage = static_cast<WORD>(std::min(from, to));
    m_pd.nToPage = static_cast<WORD>(std::max(from, to));
    return true;
}

// The copies as every whole-number field takes them: a text that is no whole number from 1 to
// kMaxCopies is refused naming the range, and stays, selected, for the person to mend.
bool CPrintDialog::ReadCopies(int& copies) {
    CDataExchange dx(this, TRUE);
    try {
        CString text;
        DDX_Text(&dx, edt3, text);
        DDV_WholeNumberText(&dx, text, 1, kMaxCopies, copies);
    } catch (const CUserException&) {
        return false;
    }
    return true;
}

void CPrintDialog::OnOK() {
    const CString printer = SelectedPrinter();
    if (m_pd.Flags & PD_PRINTSETUP) {
        m_paper.Read(m_devMode);
    } else {
        const bool toFile = printer == PrinterQueue::kSaveAsPdf || IsDlgButtonChecked(chx1) == BST_CHECKED;
        CString file;
        GetDlgItemText(edt4, file);
        file.Trim();
        if (toFile && file.IsEmpty()) {
            AfxMessageBox("Enter the name of the file to print to.", MB_OK | MB_ICONEXCLAMATION);
            GotoDlgCtrl(GetDlgItem(edt4));
            return;
        }
        const bool range = IsDlgButtonChecked(rad3) == BST_CHECKED;
        if (range && !ReadPageRange())
            return;
        int copies = 1;
        if (!ReadCopies(copies))
            return;
        m_strOutputFile = file;
        m_pd.nCopies = static_cast<WORD>(copies);
        m_devMode.dmCopies = static_cast<short>(copies);
        m_pd.Flags &= ~(PD_PAGENUMS | PD_SELECTION | PD_PRINTTOFILE);
        m_pd.Flags |= (range ? PD_PAGENUMS : 0) | (IsDlgButtonChecked(rad2) ? PD_SELECTION : 0) |
                      (printer != PrinterQueue::kSaveAsPdf && toFile ? PD_PRINTTOFILE : 0);
    }
    m_printer = printer;
    Session().name = m_printer;
    Session().devMode = m_devMode;
    // The main window keeps the printer's margins for the layouts: it measures them again.
    if (CWnd* main = AfxGetMainWnd())
        main->SendMessage(WM_DEVMODECHANGE, 0, reinterpret_cast<LPARAM>(m_printer.c_str()));
    if (m_pd.Flags & PD_RETURNDC)
        CreatePrinterDC();
    EndDialog(IDOK);
}

// --- The printer DC ------------------------------------------------------------------------

CSize CPrintDialog::PaperSize() const {
    const CSize portrait(m_devMode.dmPaperWidth, m_devMode.dmPaperLength);
    return m_devMode.dmOrientation == DMORIENT_LANDSCAPE ? CSize(portrait.cy, portrait.cx) : portrait;
}

CRect CPrintDialog::Margins() const {
    return PrinterMargins::Of(m_printer, CSize(m_devMode.dmPaperWidth, m_devMode.dmPaperLength),
                              m_devMode.dmOrientation == DMORIENT_LANDSCAPE);
}

CString CPrintDialog::GetOutputPath() const {
    if (!PrintsToQueue())
        return m_strOutputFile;
    if (m_spoolFile.IsEmpty())
        const_cast<CPrintDialog*>(this)->m_spoolFile = SpoolFileName();
    return m_spoolFile;
}

CDC* CPrintDialog::CreatePrinterDC() {
    m_dc = std::make_unique<CDC>();
    const CSize paper = PaperSize();
    if (!m_dc->CreatePrinterDC(GetOutputPath(), kPrinterDpi, paper.cx, paper.cy, Margins()))
        m_dc.reset();
    return m_dc.get();
}

BOOL CPrintDialog::SendToPrinter() {
    if (!PrintsToQueue() || m_spoolFile.IsEmpty())
        return TRUE;
    const bool sent = PrinterQueue::SendToPrinter(m_printer, m_spoolFile, m_pd.nCopies);
    std::remove(DiskPath(m_spoolFile).c_str());
    m_spoolFile.Empty();
    return sent ? TRUE : FALSE;
}
