#include "catalog/CPartsListDialog.h"

#include <algorithm>
#include <cstdlib>

#include "catalog/CCataloguePrintout.h"
#include "catalog/CEditPartsListDialog.h"
#include "catalog/CatalogFilterLists.h"
#include "catalog/CatalogFormat.h"
#include "catalog/CatalogIcons.h"
#include "catalog/CatalogPaths.h"
#include "catalog/PartsFile.h"
#include "model/CCVNDoc.h"
#include "model/CDataFolders.h"
#include "platform/base/CException.h"
#include "platform/base/CFile.h"
#include "platform/base/CStringTable.h"
#include "platform/base/CWinPath.h"
#include "platform/cdlg/CFileDialog.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/DataExchange.h"
#include "platform/ctl/ListControlDefs.h"
#include "platform/win/MessageBoxes.h"
#include "resources/CatalogTemplates.h"
#include "resources/StringTable.h"

namespace {

constexpr CatalogColumn kColumns[] = {
    {"Manufacturer", 130, LVCFMT_LEFT}, {"Scale", 62, LVCFMT_LEFT},    {"Type", 88, LVCFMT_LEFT},
    {"Description", 136, LVCFMT_LEFT},  {"Part No.", 82, LVCFMT_LEFT}, {"Quantity", 62, LVCFMT_RIGHT},
    {"Price", 62, LVCFMT_RIGHT},        {"Total", 62, LVCFMT_RIGHT},   {"Note", 180, LVCFMT_LEFT},
};
// The record's field shown in each column but the total.
constexpr int kColumnFields[] = {
    CCatalogItem::kManufacturer, CCatalogItem::kScale,    CCatalogItem::kType,  CCatalogItem::kDescription,
    CCatalogItem::kPartNo,       CCatalogItem::kQuantity, CCatalogItem::kPrice, -1,
    CCatalogItem::kNote};
const std::vector<UINT> kTabNames = {IDS_TRACK,      IDS_SCENERY,       IDS_STRUCTURES, IDS_ROLLING_STOCK,
                                     IDS_ELECTRICAL, IDS_MISCELLANEOUS, IDS_ALL};
constexpr int kUnmarkedIcon = 0;
constexpr int kMarkedIcon = 1;
constexpr const char* kCheckAll = "Check all";
constexpr const char* kUncheckAll = "Uncheck all";
constexpr const char* kSaveChanges = "Save changes ?";
constexpr const char* kPartsFilter = "Parts Files (*.cvp)|*.cvp|All Files (*.*)|*.*||";
constexpr UINT kNavigationKeys[] = {VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN};
constexpr int kTextFields[] = {CCatalogItem::kManufacturer, CCatalogItem::kScale, CCatalogItem::kType,
                               CCatalogItem::kDescription, CCatalogItem::kPartNo};

void ShowReaderMessage(UINT message) {
    AfxMessageBox(CStringTable::Text(message));
}

// The rows' order: the texts byte by byte, then the quantity and the price by value.
bool ComesBefore(const CCatalogItem* first, const CCatalogItem* second) {
    for (int field : kTextFields)
        if (const int order = (*first)[field].Compare((*second)[field]); order != 0)
            return order < 0;
    const int firstQuantity = std::atoi((*first)[CCatalogItem::kQuantity]);
    const int secondQuantity = std::atoi((*second)[CCatalogItem::kQuantity]);
    if (firstQuantity != secondQuantity)
        return firstQuantity < secondQuantity;
    return std::atof((*first)[CCatalogItem::kPrice]) < std::atof((*second)[CCatalogItem::kPrice]);
}

}  // namespace

IMPLEMENT_DYNAMIC(CPartsListDialog, CCatalogBrowserDialog)

BEGIN_MESSAGE_MAP(CPartsListDialog, CCatalogBrowserDialog)
ON_NOTIFY(TCN_SELCHANGE, IDC_CATALOG_TABS, OnTabChange)
ON_EN_CHANGE(IDC_CATALOG_PART_NO, OnFieldChange)
ON_EN_CHANGE(IDC_CATALOG_PRICE, OnFieldChange)
ON_EN_KILLFOCUS(IDC_CATALOG_PART_NO, OnFieldKillFocus)
ON_EN_KILLFOCUS(IDC_CATALOG_PRICE, OnFieldKillFocus)
ON_NOTIFY(NM_DBLCLK, IDC_CATALOG_LIST, OnListDoubleClick)
ON_NOTIFY(NM_CLICK, IDC_CATALOG_LIST, OnListClick)
ON_NOTIFY(NM_SETFOCUS, IDC_CATALOG_LIST, OnListSetFocus)
ON_NOTIFY(NM_KILLFOCUS, IDC_CATALOG_LIST, OnListKillFocus)
ON_NOTIFY(LVN_KEYDOWN, IDC_CATALOG_LIST, OnListKeyDown)
ON_BN_CLICKED(IDC_PARTS_OPEN_NEW, OnOpenNew)
ON_BN_CLICKED(IDC_PARTS_ADD, OnAdd)
ON_BN_CLICKED(IDC_PARTS_DUPLICATE, OnDuplicate)
ON_BN_CLICKED(IDC_PARTS_EDIT, OnEdit)
ON_BN_CLICKED(IDC_PARTS_DELETE, OnDelete)
ON_BN_CLICKED(IDC_PARTS_CHECK_ALL, OnCheckAll)
ON_BN_CLICKED(IDC_PARTS_PRINT, OnPrint)
END_MESSAGE_MAP()

CPartsListDialog::CPartsListDialog(CCVNDoc& document, CWnd* parent)
    : CCatalogBrowserDialog(PartsListTemplate(), kTabNames, parent), m_document(document) {}

CatalogueList& CPartsListDialog::Records() {
    return m_document.m_partsCatalogue;
}

CCatalogItem* CPartsListDialog::ItemAt(int row) const {
    return row >= 0 && row < m_list.GetItemCount() ? reinterpret_cast<CCatalogItem*>(m_list.GetItemData(row))
                                                   : nullptr;
}

void CPartsListDialog::DoDataExchange(CDataExchange* dx) {
    CCatalogBrowserDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_CATALOG_LIST, m_list);
}

BOOL CPartsListDialog::OnInitDialog() {
    CCatalogBrowserDialog::OnInitDialog();
    MakePartMarkIcons(m_marks);
    InsertCatalogColumns(m_list, kColumns);
    m_list.SetImageList(&m_marks, LVSIL_SMALL);
    m_bModified = false;
    ShowTab(FindFirstUsedTab());
    FillFilterCombos();
    FillList();
    GotoDlgCtrl(&m_list);
    return FALSE;
}

// ---- The parts file ----

BOOL CPartsListDialog::ReadPartsFile() {
    m_list.DeleteAllItems();
    const BOOL read =
        ::ReadPartsFile(RealCatalogPath(m_document.m_strPartsPath), Records(), ShowReaderMessage);
    m_list.RedrawItems(0, m_list.GetItemCount() - 1);
    return read;
}

BOOL CPartsListDialog::WritePartsFile() {
    if (!::WritePartsFile(RealCatalogPath(m_document.m_strPartsPath), Records())) {
        AfxMessageBox(CStringTable::Text(IDS_CANT_CREATE_CATALOG) + " " +
                      CWinPath::Native(m_document.m_strPartsPath));
        return FALSE;
    }
    m_bModified = false;
    return TRUE;
}

namespace {

bool OpenOrCreate(const CString& realPath) {
    CFile file;
    if (file.Open(realPath, CFile::modeRead))
        return true;
    if (!file.Open(realPath, CFile::modeCreate | CFile::modeWrite))
        return false;
    try {
        file.Close();
    } catch (const CException&) {
        return false;
    }
    return true;
}

}  // namespace

BOOL CPartsListDialog::ChoosePartsFile(const CCVNDoc& document, CWnd* parent, CString& path, CString& name) {
    const CString& stored = document.m_strPartsPath;
    const CString folder = stored.IsEmpty() ? CDataFolders::GetDataFolder("Databases") : StoredFolderOf(stored);
    CFileDialog picker(TRUE, "CVP", document.m_strPartsFileName, OFN_HIDEREADONLY, kPartsFilter, parent);
    picker.m_ofn.lpstrInitialDir = folder.c_str();
    if (picker.DoModal() != IDOK || picker.GetPathName().IsEmpty())
        return FALSE;
    path = CWinPath::Stored(picker.GetPathName());
    name = picker.GetFileName();
    if (OpenOrCreate(RealCatalogPath(path)))
        return TRUE;
    AfxMessageBox(CStringTable::Text(IDS_CANT_OPEN_CATALOG) + " " + CWinPath::Native(path));
    return FALSE;
}

BOOL CPartsListDialog::OpenFirstPartsFile(CCVNDoc& document) {
    CString path;
    CString name;
    if (!ChoosePartsFile(document, nullptr, path, name))
        return FALSE;
    document.m_strPartsPath = path;
    document.m_strPartsFileName = name;
    ::ReadPartsFile(RealCatalogPath(path), document.m_partsCatalogue, ShowReaderMessage);
    return TRUE;
}

bool CPartsListDialog::SettleChanges() {
    if (!m_bModified)
        return true;
    if (AfxMessageBox(kSaveChanges, MB_OKCANCEL) == IDOK)
        return WritePartsFile() != FALSE;
    DiscardPartsChanges(Records());
    m_bModified = false;
    return true;
}

// The new file is had before anything is given up, so that a file that cannot be opened
// leaves the list and its changes as they were.
void CPartsListDialog::OnOpenNew() {
    CString path;
    CString name;
    if (!ChoosePartsFile(m_document, this, path, name))
        return;
    if (!SettleChanges()) {
        FillList();
        return;
    }
    m_document.m_strPartsPath = path;
    m_document.m_strPartsFileName = name;
    ReadPartsFile();
    ShowTab(FindFirstUsedTab());
    m_filters.fill(kAllFilter);
    FillFilterCombos();
    FillList();
}

void CPartsListDialog::OnOK() {
    if (WritePartsFile())
        EndDialog(IDOK);
}

void CPartsListDialog::OnCancel() {
    if (SettleChanges())
        EndDialog(IDCANCEL);
    else
        FillList();
}

// ---- Filters and rows ----

bool CPartsListDialog::MatchesTab(const CCatalogItem& item) const {
    return OnAllTab() || item[CCatalogItem::kCategory].CompareNoCase(CurrentTabName()) == 0;
}

int CPartsListDialog::FindFirstUsedTab() const {
    for (int tab = 0; tab < kTabCount; ++tab)
        for (const auto& entry : m_document.m_partsCatalogue) {
            const CCatalogItem* item = CatalogItemOf(entry);
            if (item->m_nEditState != CCatalogItem::kDeleted &&
                (*item)[CCatalogItem::kCategory].CompareNoCase(m_tabNames[tab]) == 0)
                return tab;
        }
    return 0;
}

void CPartsListDialog::FillFilterCombos() {
    SetDlgItemText(IDC_CATALOG_FILE_NAME, m_document.m_strPartsFileName);
    const std::array<CComboBox*, 4> lists = FilterLists(*this);
    for (CComboBox* list : lists) ResetFilterList(*list);
    for (const auto& entry : Records()) {
        const CCatalogItem& item = *CatalogItemOf(entry);
        if (item.m_nEditState != CCatalogItem::kSaved ||
            item[CCatalogItem::kCategory].CompareNoCase(CurrentTabName()) != 0)
            continue;
        AddFilterValue(*lists[0], item[CCatalogItem::kManufacturer]);
        for (const CString& piece : SplitScaleList(item[CCatalogItem::kScale]))
            AddFilterValue(*lists[1], piece);
        AddFilterValue(*lists[2], item[CCatalogItem::kType]);
        AddFilterValue(*lists[3], item[CCatalogItem::kDescription]);
    }
    for (CComboBox* list : lists) list->SetCurSel(list->FindStringExact(-1, kAllFilter));
}

bool CPartsListDialog::IsShown(const CCatalogItem& item) const {
    const auto passes = [](const CString& filter, const CString& value) {
        return filter == kAllFilter || filter == value;
    };
    return item.m_nEditState != CCatalogItem::kDeleted && MatchesTab(item) &&
           passes(m_filters[0], item[CCatalogItem::kManufacturer]) &&
           (m_filters[1] == kAllFilter || ScaleMatches(item[CCatalogItem::kScale], m_filters[1])) &&
           passes(m_filters[2], item[CCatalogItem::kType]) &&
           passes(m_filters[3], item[CCatalogItem::kDescription]) &&
           (m_strPartNoFilter.IsEmpty() || m_strPartNoFilter == item[CCatalogItem::kPartNo]) &&
           (m_fPriceFilter == 0.0 || m_fPriceFilter == std::atof(item[CCatalogItem::kPrice]));
}

int CPartsListDialog::SetRow(const CCatalogItem& item, int row, bool insert) {
    if (insert)
        row = m_list.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, row, item[CCatalogItem::kManufacturer],
                                0, 0, item.m_bChecked ? kMarkedIcon : kUnmarkedIcon,
                                reinterpret_cast<LPARAM>(&item));
    for (int column = 0; column <= kNoteColumn; ++column)
        m_list.SetItemText(
            row, column, column == kTotalColumn ? FormatPrice(item.GetTotal()) : item[kColumnFields[column]]);
    return row;
}

void CPartsListDialog::SetMark(int row, bool marked) {
    m_list.SetItem(row, 0, LVIF_IMAGE, nullptr, marked ? kMarkedIcon : kUnmarkedIcon, 0, 0, 0);
}

void CPartsListDialog::FillList() {
    m_nMarkedRows = 0;
    m_list.SetRedraw(FALSE);
    m_list.DeleteAllItems();
    std::vector<const CCatalogItem*> shown;
    for (const auto& entry : Records())
        if (IsShown(*CatalogItemOf(entry)))
            shown.push_back(CatalogItemOf(entry));
    std::stable_sort(shown.begin(), shown.end(), ComesBefore);
    for (const CCatalogItem* item : shown) {
        SetRow(*item, m_list.GetItemCount(), true);
        m_nMarkedRows += item->m_bChecked ? 1 : 0;
    }
    UpdateCheckAllText();
    if (m_list.GetSelectedCount() == 0 && m_list.GetItemCount() > 0)
        SelectOnly(0);
    EnableItemButtons(m_list.GetSelectedCount() > 0);
    m_list.SetRedraw(TRUE);
}

void CPartsListDialog::UpdateCheckAllText() {
    CString text;
    GetDlgItemText(IDC_PARTS_CHECK_ALL, text);
    const int rows = m_list.GetItemCount();
    if (text == kCheckAll && m_nMarkedRows == rows)
        SetDlgItemText(IDC_PARTS_CHECK_ALL, kUncheckAll);
    else if (text != kCheckAll && m_nMarkedRows == 0)
        SetDlgItemText(IDC_PARTS_CHECK_ALL, kCheckAll);
}

void CPartsListDialog::EnableItemButtons(bool enable) {
    for (int id : {IDC_PARTS_DUPLICATE, IDC_PARTS_DELETE, IDC_PARTS_EDIT})
        GetDlgItem(id)->EnableWindow(enable);
    GetDlgItem(IDC_PARTS_CHECK_ALL)->EnableWindow(m_list.GetItemCount() > 0);
    UpdatePrintButton();
    m_bItemButtons = enable;
}

void CPartsListDialog::UpdatePrintButton() {
    GetDlgItem(IDC_PARTS_PRINT)->EnableWindow(m_list.GetItemCount() > 0 && m_nMarkedRows != 0);
}

void CPartsListDialog::SelectOnly(int row) {
    m_list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

int CPartsListDialog::FocusedSelectedRow() const {
    const int focused = m_list.GetNextItem(-1, LVNI_FOCUSED);
    return focused >= 0 && (m_list.GetItemState(focused, LVIS_SELECTED) & LVIS_SELECTED) ? focused : -1;
}

// ---- Handlers ----

void CPartsListDialog::OnTabChange(NMHDR*, LRESULT* result) {
    m_nTab = ChosenTab();
    m_filters.fill(kAllFilter);
    FillFilterCombos();
    FillList();
    *result = 0;
}

void CPartsListDialog::OnFieldChange() {
    m_bFieldChanged = true;
}

// Fields also lose the focus while the dialog is being taken down; nothing is filtered then.
void CPartsListDialog::OnFieldKillFocus() {
    if (!InModalLoop() || !m_bFieldChanged || !UpdateData(TRUE))
        return;
    m_bFieldChanged = false;
    FillList();
}

void CPartsListDialog::OnListDoubleClick(NMHDR*, LRESULT* result) {
    const int row = m_list.GetNextItem(-1, LVNI_FOCUSED);
    if (CCatalogItem* item = ItemAt(row)) {
        item->m_bChecked = !item->m_bChecked;
        m_nMarkedRows += item->m_bChecked ? 1 : -1;
        SetMark(row, item->m_bChecked);
        UpdatePrintButton();
    }
    *result = 0;
}

void CPartsListDialog::OnListClick(NMHDR*, LRESULT* result) {
    const bool selected = m_list.GetSelectedCount() > 0;
    if (selected != m_bItemButtons)
        EnableItemButtons(selected);
    *result = 0;
}

void CPartsListDialog::OnListSetFocus(NMHDR*, LRESULT* result) {
    if (m_list.GetItemCount() > 0 && m_list.GetSelectedCount() == 0) {
        SelectOnly(0);
        EnableItemButtons(true);
    }
    *result = 0;
}

void CPartsListDialog::OnListKillFocus(NMHDR*, LRESULT* result) {
    if (m_list.GetItemCount() > 0 && m_list.GetSelectedCount() == 0)
        EnableItemButtons(false);
    *result = 0;
}

void CPartsListDialog::OnListKeyDown(NMHDR* header, LRESULT* result) {
    const UINT key = reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey;
    const bool navigation =
        std::find(std::begin(kNavigationKeys), std::end(kNavigationKeys), key) != std::end(kNavigationKeys);
    const int focused = m_list.GetNextItem(-1, LVNI_FOCUSED);
    if (m_list.GetItemCount() > 0 && navigation && (GetKeyState(VK_CONTROL) & 0x8000) == 0 && focused >= 0) {
        m_list.SetItemState(focused, LVIS_SELECTED, LVIS_SELECTED);
        EnableItemButtons(true);
    }
    *result = 0;
}

bool CPartsListDialog::RunEditDialog(CCatalogItem& item) {
    CEditPartsListDialog editor(this);
    editor.LoadFrom(item);
    if (editor.DoModal() != IDOK)
        return false;
    editor.StoreInto(item);
    return true;
}

void CPartsListDialog::OnAdd() {
    int row = FocusedSelectedRow();
    if (row >= 0)
        m_list.SetItemState(row, 0, LVIS_SELECTED);
    row = std::max(row, 0);
    auto item = std::make_unique<CCatalogItem>();
    (*item)[CCatalogItem::kCategory] = CurrentTabName();
    if (!RunEditDialog(*item))
        return;
    item->m_nEditState = CCatalogItem::kAdded;
    item->m_nSequence = NextSequenceNumber(Records());
    CCatalogItem& added = *item;
    Records().push_back(std::move(item));
    row = SetRow(added, std::min(row, m_list.GetItemCount()), true);
    m_bModified = true;
    SelectOnly(row);
    EnableItemButtons(true);
}

void CPartsListDialog::OnDuplicate() {
    std::vector<int> rows;
    for (int row = m_list.GetNextItem(-1, LVNI_SELECTED); row >= 0;
         row = m_list.GetNextItem(row, LVNI_SELECTED))
        rows.push_back(row);
    for (size_t done = 0; done < rows.size(); ++done) {
        const int row = rows[done] + static_cast<int>(done);
        std::unique_ptr<CCatalogItem> copy = ItemAt(row)->Duplicate();
        copy->m_nSequence = NextSequenceNumber(Records());
        m_nMarkedRows += copy->m_bChecked ? 1 : 0;
        SetRow(*copy, row + 1, true);
        Records().push_back(std::move(copy));
        m_list.SetItemState(row, LVIS_FOCUSED, LVIS_FOCUSED);
    }
    if (!rows.empty())
        m_bModified = true;
    UpdatePrintButton();
}

void CPartsListDialog::OnEdit() {
    int row = FocusedSelectedRow();
    for (int last = m_list.GetItemCount() - 1; row < 0 && last >= 0; --last)
        if (m_list.GetItemState(last, LVIS_SELECTED) & LVIS_SELECTED)
            row = last;
    CCatalogItem* item = ItemAt(row);
    if (item == nullptr || !RunEditDialog(*item))
        return;
    SetRow(*item, row, false);
    m_bModified = true;
}

void CPartsListDialog::OnDelete() {
    int lastRemoved = -1;
    for (int row = m_list.GetNextItem(-1, LVNI_SELECTED); row >= 0;
         row = m_list.GetNextItem(row - 1, LVNI_SELECTED)) {
        CCatalogItem* item = ItemAt(row);
        item->m_nEditState = CCatalogItem::kDeleted;
        m_nMarkedRows -= item->m_bChecked ? 1 : 0;
        m_list.DeleteItem(row);
        lastRemoved = row;
    }
    if (lastRemoved < 0)
        return;
    m_bModified = true;
    if (m_list.GetItemCount() == 0) {
        EnableItemButtons(false);
        return;
    }
    SelectOnly(std::min(lastRemoved, m_list.GetItemCount() - 1));
    UpdatePrintButton();
}

void CPartsListDialog::OnCheckAll() {
    CString text;
    GetDlgItemText(IDC_PARTS_CHECK_ALL, text);
    const bool mark = text == kCheckAll;
    for (const auto& entry : Records()) {
        CCatalogItem* item = CatalogItemOf(entry);
        if (MatchesTab(*item))
            item->m_bChecked = mark;
    }
    SetDlgItemText(IDC_PARTS_CHECK_ALL, mark ? kUncheckAll : kCheckAll);
    for (int row = 0; row < m_list.GetItemCount(); ++row) SetMark(row, mark);
    m_nMarkedRows = mark ? m_list.GetItemCount() : 0;
    UpdatePrintButton();
}

// ---- Printing ----

void CPartsListDialog::FillPrintout(CCataloguePrintout& printout) const {
    double total = 0.0;
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        const CCatalogItem* item = ItemAt(row);
        if (!item->m_bChecked)
            continue;
        printout.AddRow({(*item)[CCatalogItem::kManufacturer], (*item)[CCatalogItem::kScale],
                         (*item)[CCatalogItem::kDescription], (*item)[CCatalogItem::kPartNo],
                         (*item)[CCatalogItem::kQuantity], (*item)[CCatalogItem::kPrice],
                         FormatPrice(item->GetTotal())});
        total += item->GetTotal();
    }
    printout.SetTotals({"Total", "", "", "", "", "", FormatPrice(total)});
}

void CPartsListDialog::OnPrint() {
    CCataloguePrintout printout(m_document.m_strPartsFileName + "  Parts List",
                                {{"Manufacturer", 0.27f, false},
                                 {"Scale", 0.10f, false},
                                 {"Description", 0.27f, false},
                                 {"Part", 0.12f, false},
                                 {"Qty", 0.05f, true},
                                 {"Price", 0.09f, true},
                                 {"Total", 0.10f, true}},
                                CCataloguePrintout::PageRule::kPixels);
    FillPrintout(printout);
    printout.PrintWithDialog();
}
