#include "platform/cdlg/CFileDialog.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "platform/base/CWinPath.h"
#include "platform/cdlg/FolderPictures.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/CListCtrl.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/MessageBoxes.h"

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

namespace fs = std::filesystem;

namespace {
constexpr int kWidth = 280;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kTab = kChild | WS_TABSTOP;
// How far each folder of the folder line's list sits right of the one that holds it.
constexpr int kFolderIndent = 10;
constexpr int kFolderTextGap = 4;

// The standard controls; the read-only box only when it is not hidden.
std::vector<DialogItem> StandardItems(BOOL open, bool readOnlyBox) {
    std::vector<DialogItem> items{
        {stc4, WC_STATIC, open ? "Look &in:" : "Save &in:", kChild | SS_LEFT, CRect(7, 9, 48, 17)},
        {cmb2, WC_COMBOBOX, "", kTab | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
         CRect(50, 7, 250, 110)},
        {psh1, WC_BUTTON, "Up One Level", kTab | BS_OWNERDRAW, CRect(256, 6, 273, 20)},
        {lst1, WC_LISTVIEW, "",
         kTab | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
         CRect(7, 25, 273, 127)},
        {stc3, WC_STATIC, "File &name:", kChild | SS_LEFT, CRect(7, 135, 62, 143)},
        {edt1, WC_EDIT, "", kTab | WS_BORDER | ES_AUTOHSCROLL, CRect(65, 133, 212, 147)},
        {IDOK, WC_BUTTON, open ? "&Open" : "&Save", kTab | BS_DEFPUSHBUTTON, CRect(218, 133, 273, 147)},
        {stc2, WC_STATIC, open ? "Files of &type:" : "Save as &type:", kChild | SS_LEFT,
         CRect(7, 153, 62, 161)},
        {cmb1, WC_COMBOBOX, "", kTab | CBS_DROPDOWNLIST, CRect(65, 151, 212, 220)},
        {IDCANCEL, WC_BUTTON, "Cancel", kTab | BS_PUSHBUTTON, CRect(218, 151, 273, 165)},
    };
    if (readOnlyBox)
        items.push_back(
            {chx1, WC_BUTTON, "Open as &read-only", kTab | BS_AUTOCHECKBOX, CRect(65, 169, 212, 179)});
    return items;
}

CString SizeText(const FolderEntry& entry) {
    if (entry.isFolder)
        return CString();
    CString text;
    text.Format("%llu KB", static_cast<unsigned long long>((entry.size + 1023) / 1024));
    return text;
}

CString TypeText(const FolderEntry& entry) {
    if (entry.isFolder)
        return "File Folder";
    const int dot = entry.name.ReverseFind('.');
    if (dot <= 0 || dot == entry.name.GetLength() - 1)
        return "File";
    CString extension = entry.name.Mid(dot + 1);
    extension.MakeUpper();
    return extension + " File";
}

bool IsFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

// The folder of the file last chosen in any file dialog of the program.
fs::path& LastFolder() {
    static fs::path folder;
    return folder;
}

// Where a dialog without a folder of its own opens: the user's last folder, else the home
// folder. Never the working folder, which is the program's and says nothing of the user's files.
fs::path UsersFolder() {
    if (IsFolder(LastFolder()))
        return LastFolder();
    const char* home = std::getenv("HOME");
    return home && IsFolder(home) ? fs::path(home) : fs::path("/");
}
}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, LPCTSTR defaultExt, LPCTSTR fileName, DWORD flags,
                         LPCTSTR filter, CWnd* parent)
    : CDialog(),
      m_bOpenFileDialog(openFileDialog),
      m_defaultExt(CString(defaultExt ? defaultExt : "").TrimLeft(".")),
      m_initialName(fileName ? fileName : ""),
      m_types(ParseFileFilter(filter ? filter : "")) {
    m_pParentWnd = parent;
    m_ofn.Flags = flags;
    m_ofn.lpstrDefExt = defaultExt;
}

CFileDialog::~CFileDialog() = default;

INT_PTR CFileDialog::DoModal() {
    m_chosen.clear();
    BuildTemplate();
    InitModalIndirect(*m_built, m_pParentWnd);
    const INT_PTR result = CDialog::DoModal();
    if (result == IDOK && m_ofn.lpstrFile && m_ofn.nMaxFile > 0) {
        const CString path = GetPathName();
        const auto copied = std::min<std::size_t>(path.GetLength(), m_ofn.nMaxFile - 1);
        std::copy_n(path.c_str(), copied, m_ofn.lpstrFile);
        m_ofn.lpstrFile[copied] = '\0';
    }
    return result;
}

void CFileDialog::BuildTemplate() {
    const bool readOnlyBox = m_bOpenFileDialog && !(m_ofn.Flags & OFN_HIDEREADONLY);
    std::vector<DialogItem> items = StandardItems(m_bOpenFileDialog, readOnlyBox);
    int height = readOnlyBox ? 184 : 170;
    int width = kWidth;
    const DialogTemplate* extension = nullptr;
    if (m_ofn.lpTemplateName && IS_INTRESOURCE(m_ofn.lpTemplateName))
        extension =
            FindDialogTemplate(static_cast<UINT>(reinterpret_cast<std::uintptr_t>(m_ofn.lpTemplateName)));
    if (extension) {
        // The extension's controls go below the standard ones; its placeholder for them is kept
        // hidden, so that the extension can still find it.
        for (const DialogItem& item : extension->items) {
            DialogItem placed = item;
            placed.rect.OffsetRect(0, height);
            if (item.id == stc32)
                placed.style &= ~WS_VISIBLE;
            items.push_back(placed);
        }
        width = std::max(width, extension->rect.Width());
        height += extension->rect.Height();
    }
    const CString caption =
        m_ofn.lpstrTitle ? CString(m_ofn.lpstrTitle) : CString(m_bOpenFileDialog ? "Open" : "Save As");
    m_built = std::make_unique<DialogTemplate>(extension ? extension->id : 0, caption,
                                               WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
                                               CRect(0, 0, width, height), std::move(items));
}

BOOL CFileDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    CListCtrl* list = FileList();
    CRect client;
    list->GetClientRect(&client);
    const int sizeWidth = client.Width() / 6;
    const int typeWidth = client.Width() / 4;
    list->InsertColumn(0, "Name", LVCFMT_LEFT, client.Width() - sizeWidth - typeWidth);
    list->InsertColumn(1, "Size", LVCFMT_RIGHT, sizeWidth);
    list->InsertColumn(2, "Type", LVCFMT_LEFT, typeWidth);
    for (const FileType& type : m_types) TypeCombo()->AddString(type.description);
    const int typeIndex = static_cast<int>(m_ofn.nFilterIndex) - 1;
    TypeCombo()->SetCurSel(typeIndex >= 0 && typeIndex < TypeCombo()->GetCount() ? typeIndex : 0);
    if (CWnd* readOnly = GetDlgItem(chx1))
        readOnly->SendMessage(BM_SETCHECK, (m_ofn.Flags & OFN_READONLY) ? BST_CHECKED : BST_UNCHECKED);

    // The initial folder and name may be written as this system does or in the program's stored
    // form. The name may carry its folder, or be a wildcard that filters the list.
    fs::path folder = DiskPath(CWinPath::Native(m_ofn.lpstrInitialDir));
    CString name = CWinPath::Native(m_initialName, folder);
    const fs::path initial = DiskPath(name);
    if (initial.has_parent_path() && IsFolder(initial.parent_path())) {
        folder = initial.parent_path();
        name = PathText(initial.filename());
    }
    if (HasWildcard(name))
        m_typedPatterns = SplitPatterns(name);
    SetDlgItemText(edt1, name);
    ShowFolder(IsFolder(folder) ? folder : UsersFolder());
    GotoDlgCtrl(GetDlgItem(edt1));
    return FALSE;
}

// --- The folder and its files --------------------------------------------------------------

void CFileDialog::ShowFolder(const fs::path& folder) {
    std::error_code error;
    fs::path canonical = fs::weakly_canonical(folder, error);
    m_folder = error ? folder : canonical;
    FillFolderCombo();
    FillFileList();
    OnFolderChange();
}

void CFileDialog::FillFolderCombo() {
    CComboBox* combo = FolderCombo();
    combo->ResetContent();
    m_folderChoices.clear();
    for (fs::path at = m_folder;; at = at.parent_path()) {
        m_folderChoices.insert(m_folderChoices.begin(), at);
        if (at == at.parent_path() || at.empty())
            break;
    }
    for (const fs::path& choice : m_folderChoices)
        combo->AddString(PathText(choice.has_filename() ? choice.filename() : choice));
    combo->SetCurSel(combo->GetCount() - 1);
    GetDlgItem(psh1)->EnableWindow(m_folderChoices.size() > 1);
}

void CFileDialog::OnDrawItem(int id, DRAWITEMSTRUCT* item) {
    if (id == static_cast<int>(cmb2) && item)
        DrawFolderChoice(*item);
    else if (id == static_cast<int>(psh1) && item)
        FolderPictures::DrawUpOneLevelButton(*item->hDC, item->rcItem, (item->itemState & ODS_SELECTED) != 0,
                                             (item->itemState & ODS_DISABLED) == 0,
                                             (item->itemState & ODS_FOCUS) != 0);
    else
        CDialog::OnDrawItem(id, item);
}

// In the list each folder is indented under the one that holds it; the field shows the current
// folder without indent.
void CFileDialog::DrawFolderChoice(const DRAWITEMSTRUCT& item) {
    CDC& dc = *item.hDC;
    const CRect rect = item.rcItem;
    dc.FillSolidRect(&rect, GetSysColor(COLOR_WINDOW));
    const int index = static_cast<int>(item.itemID);
    if (index < 0 || index >= FolderCombo()->GetCount())
        return;
    const bool inField = (item.itemState & ODS_COMBOBOXEDIT) != 0;
    const int left = rect.left + 2 + (inField ? 0 : index * kFolderIndent);
    FolderPictures::DrawFolder(dc, CPoint(left, rect.top + (rect.Height() - FolderPictures::kIconHeight) / 2),
                               IsWindowEnabled());
    CString name;
    FolderCombo()->GetLBText(index, name);
    CRect text(left + FolderPictures::kIconWidth + kFolderTextGap, rect.top, rect.right, rect.bottom);
    text.right = std::min<int>(text.right, text.left + dc.GetTextExtent(name).cx + 4);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (selected)
        dc.FillSolidRect(&text, GetSysColor(COLOR_HIGHLIGHT));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    CRect label = text;
    label.left += 2;
    dc.DrawText(name, &label, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS)
        dc.DrawFocusRect(&text);
}

std::vector<CString> CFileDialog::CurrentPatterns() const {
    if (!m_typedPatterns.empty())
        return m_typedPatterns;
    const int type = TypeCombo()->GetCurSel();
    if (type >= 0 && type < static_cast<int>(m_types.size()))
        return m_types[type].patterns;
    return {"*.*"};
}

void CFileDialog::FillFileList() {
    CListCtrl* list = FileList();
    list->SetRedraw(FALSE);
    list->DeleteAllItems();
    m_entries = ListFolder(m_folder, CurrentPatterns());
    for (int i = 0; i < static_cast<int>(m_entries.size()); ++i) {
        const FolderEntry& entry = m_entries[i];
        list->InsertItem(LVIF_TEXT | LVIF_PARAM, i, entry.name, 0, 0, 0, static_cast<LPARAM>(i));
        list->SetItemText(i, 1, SizeText(entry));
        list->SetItemText(i, 2, TypeText(entry));
    }
    list->SetRedraw(TRUE);
}

CString CFileDialog::EditText() const {
    CString text;
    GetDlgItemText(edt1, text);
    return text.Trim();
}

// --- Notifications -------------------------------------------------------------------------

BOOL CFileDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id == cmb1 && code == CBN_SELCHANGE) {
        OnTypeSelected();
        return TRUE;
    }
    if (id == cmb2 && code == CBN_SELCHANGE) {
        OnFolderSelected();
        return TRUE;
    }
    if (id == psh1 && code == BN_CLICKED) {
        OnUpOneLevel();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CFileDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == lst1) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (header->code == LVN_ITEMCHANGED && (change->uNewState & LVIS_SELECTED) &&
            !(change->uOldState & LVIS_SELECTED))
            OnFileListChanged(change->iItem);
        if (header->code == NM_DBLCLK)
            OnFileListOpened(change->iItem);
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

void CFileDialog::OnFileListChanged(int item) {
    if (item < 0 || item >= static_cast<int>(m_entries.size()) || m_entries[item].isFolder)
        return;
    SetDlgItemText(edt1, m_entries[item].name);
    OnFileNameChange();
}

void CFileDialog::OnFileListOpened(int item) {
    if (item < 0 || item >= static_cast<int>(m_entries.size()))
        return;
    if (m_entries[item].isFolder) {
        ShowFolder(m_folder / m_entries[item].diskName);
        return;
    }
    SetDlgItemText(edt1, m_entries[item].name);
    OnOK();
}

void CFileDialog::OnTypeSelected() {
    m_typedPatterns.clear();
    const CString typed = EditText();
    if (HasWildcard(typed))
        SetDlgItemText(edt1, "");
    FillFileList();
    m_ofn.nFilterIndex = static_cast<DWORD>(TypeCombo()->GetCurSel() + 1);
    OnTypeChange();
}

void CFileDialog::OnFolderSelected() {
    const int choice = FolderCombo()->GetCurSel();
    if (choice >= 0 && choice < static_cast<int>(m_folderChoices.size()))
        ShowFolder(m_folderChoices[choice]);
}

void CFileDialog::OnUpOneLevel() {
    if (m_folder.has_parent_path() && m_folder.parent_path() != m_folder)
        ShowFolder(m_folder.parent_path());
}

// --- Choosing ------------------------------------------------------------------------------

void CFileDialog::OnOK() {
    // Enter on a folder in the list opens it.
    if (GetFocus() == FileList()) {
        const int item = FileList()->GetNextItem(-1, LVNI_SELECTED);
        if (item >= 0 && item < static_cast<int>(m_entries.size()) && m_entries[item].isFolder) {
            ShowFolder(m_folder / m_entries[item].diskName);
            return;
        }
    }
    if (!AcceptTypedName())
        return;
    if (CWnd* readOnly = GetDlgItem(chx1)) {
        const bool checked = readOnly->SendMessage(BM_GETCHECK) == BST_CHECKED;
        m_ofn.Flags = checked ? (m_ofn.Flags | OFN_READONLY) : (m_ofn.Flags & ~OFN_READONLY);
    }
    m_ofn.nFilterIndex = static_cast<DWORD>(TypeCombo()->GetCurSel() + 1);
    LastFolder() = m_chosen.parent_path();
    EndDialog(IDOK);
}

fs::path CFileDialog::TypedPath(const CString& typed) const {
    const fs::path path = DiskPath(typed);
    return path.is_absolute() ? path : m_folder / path;
}

bool CFileDialog::AcceptTypedName() {
    const CString typed = EditText();
    if (typed.IsEmpty())
        return false;
    if (HasWildcard(typed)) {
        m_typedPatterns = SplitPatterns(typed);
        FillFileList();
        return false;
    }
    fs::path path = TypedPath(typed);
    if (IsFolder(path)) {
        SetDlgItemText(edt1, "");
        ShowFolder(path);
        return false;
    }
    if (!m_defaultExt.IsEmpty() && !path.has_extension() && (!m_bOpenFileDialog || !Exists(path)))
        path += DiskPath("." + m_defaultExt).string();
    if (!ConfirmChoice(path))
        return false;
    m_chosen = path;
    if (OnFileNameOK()) {
        m_chosen.clear();
        return false;
    }
    return true;
}

bool CFileDialog::ConfirmChoice(const fs::path& path) {
    const CString shown = PathText(path);
    if (!IsFolder(path.parent_path())) {
        AfxMessageBox(shown + "\nPath does not exist.\nCheck the path and try again.",
                      MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const bool exists = Exists(path);
    if (m_bOpenFileDialog && (m_ofn.Flags & OFN_FILEMUSTEXIST) && !exists) {
        AfxMessageBox(shown + "\nFile not found.\nCheck the file name and try again.",
                      MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (!m_bOpenFileDialog && (m_ofn.Flags & OFN_OVERWRITEPROMPT) && exists)
        return AfxMessageBox(shown + " already exists.\nDo you want to replace it?",
                             MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
    return true;
}

// --- The answer ----------------------------------------------------------------------------

fs::path CFileDialog::AnswerPath() const {
    if (!m_chosen.empty())
        return m_chosen;
    if (!IsWindow(const_cast<CFileDialog*>(this)))
        return {};
    const CString typed = EditText();
    return typed.IsEmpty() || HasWildcard(typed) ? fs::path() : TypedPath(typed);
}

CString CFileDialog::GetPathName() const {
    return PathText(AnswerPath());
}

CString CFileDialog::GetFileName() const {
    return PathText(AnswerPath().filename());
}

CString CFileDialog::GetFileExt() const {
    const CString extension = PathText(AnswerPath().extension());
    return extension.IsEmpty() ? extension : extension.Mid(1);
}

CString CFileDialog::GetFileTitle() const {
    return PathText(AnswerPath().stem());
}

CString CFileDialog::GetFolderPath() const {
    return PathText(m_folder);
}

CComboBox* CFileDialog::FolderCombo() const {
    return static_cast<CComboBox*>(GetDlgItem(cmb2));
}
CComboBox* CFileDialog::TypeCombo() const {
    return static_cast<CComboBox*>(GetDlgItem(cmb1));
}
CListCtrl* CFileDialog::FileList() const {
    return static_cast<CListCtrl*>(GetDlgItem(lst1));
}
