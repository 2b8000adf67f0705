#include "resources/CatalogTemplates.h"

#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/ListControlDefs.h"

namespace {

constexpr DWORD kDialog = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kCheck = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kFilter = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT;
constexpr DWORD kTabs = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kReportList =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED;
constexpr DWORD kTree = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | TVS_HASLINES | TVS_SHOWSELALWAYS;

// The filter row that the parts list and the library share: four lists and two fields.
std::vector<DialogItem> FilterItems(const char* fourthName, const char* partNoName) {
    return {
        {0, WC_STATIC, "Manufacturer", kLabel, CRect(7, 40, 110, 48)},
        {IDC_CATALOG_MANUFACTURER, WC_COMBOBOX, "", kFilter, CRect(7, 49, 110, 150)},
        {0, WC_STATIC, "Scale", kLabel, CRect(114, 40, 180, 48)},
        {IDC_CATALOG_SCALE, WC_COMBOBOX, "", kFilter, CRect(114, 49, 180, 150)},
        {0, WC_STATIC, "Type", kLabel, CRect(184, 40, 280, 48)},
        {IDC_CATALOG_TYPE, WC_COMBOBOX, "", kFilter, CRect(184, 49, 280, 150)},
        {0, WC_STATIC, fourthName, kLabel, CRect(284, 40, 433, 48)},
        {IDC_CATALOG_DESCRIPTION, WC_COMBOBOX, "", kFilter, CRect(284, 49, 433, 150)},
        {0, WC_STATIC, partNoName, kLabel, CRect(7, 68, 50, 76)},
        {IDC_CATALOG_PART_NO, WC_EDIT, "", kEdit, CRect(52, 66, 130, 78)},
        {0, WC_STATIC, "Price", kLabel, CRect(140, 68, 165, 76)},
        {IDC_CATALOG_PRICE, WC_EDIT, "", kEdit, CRect(167, 66, 220, 78)},
    };
}

std::vector<DialogItem> Join(std::vector<DialogItem> first, const std::vector<DialogItem>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// The parts list's and the library's dialog: the file name with its "Open / New" button, the
// category tabs, the filters, the list and the dialog's own buttons below it.
std::vector<DialogItem> BrowserItems(UINT openNew, const char* fourthName, const char* partNoName,
                                     const std::vector<DialogItem>& buttons) {
    std::vector<DialogItem> items = {
        {IDC_CATALOG_FILE_NAME, WC_STATIC, "", kLabel, CRect(7, 8, 250, 16)},
        {openNew, WC_BUTTON, "Open / New", kButton, CRect(373, 5, 433, 19)},
        {IDC_CATALOG_TABS, WC_TABCONTROL, "", kTabs, CRect(7, 22, 433, 37)},
    };
    items = Join(std::move(items), FilterItems(fourthName, partNoName));
    items.push_back({IDC_CATALOG_LIST, WC_LISTVIEW, "", kReportList, CRect(7, 84, 433, 230)});
    return Join(std::move(items), buttons);
}

// One labelled field of the edit dialog, row by row.
std::vector<DialogItem> EditRow(int row, const char* label, UINT id, DWORD extra = 0) {
    const int top = 7 + row * 16;
    return {{0, WC_STATIC, label, kLabel, CRect(7, top + 2, 60, top + 10)},
            {id, WC_EDIT, "", kEdit | extra, CRect(62, top, 230, top + 12)}};
}

}  // namespace

const DialogTemplate& PartsListTemplate() {
    static const DialogTemplate dialog{
        IDD_PARTS_LIST, "Manufacturer Parts List", kDialog, CRect(0, 0, 440, 257),
        BrowserItems(IDC_PARTS_OPEN_NEW, "Description", "Part No.",
                     {
                         {IDC_PARTS_ADD, WC_BUTTON, "Add", kButton, CRect(7, 236, 57, 250)},
                         {IDC_PARTS_DUPLICATE, WC_BUTTON, "Duplicate", kButton, CRect(61, 236, 111, 250)},
                         {IDC_PARTS_EDIT, WC_BUTTON, "Edit", kButton, CRect(115, 236, 165, 250)},
                         {IDC_PARTS_DELETE, WC_BUTTON, "Delete", kButton, CRect(169, 236, 219, 250)},
                         {IDC_PARTS_CHECK_ALL, WC_BUTTON, "Check all", kButton, CRect(223, 236, 273, 250)},
                         {IDC_PARTS_PRINT, WC_BUTTON, "Print", kButton, CRect(277, 236, 327, 250)},
                         {IDOK, WC_BUTTON, "OK", kButton | BS_DEFPUSHBUTTON, CRect(333, 236, 381, 250)},
                         {IDCANCEL, WC_BUTTON, "Cancel", kButton, CRect(385, 236, 433, 250)},
                     })};
    return dialog;
}

const DialogTemplate& EditPartsListTemplate() {
    std::vector<DialogItem> items;
    const std::pair<const char*, UINT> fields[] = {
        {"Category", IDC_EDIT_CATEGORY},
        {"Manufacturer", IDC_EDIT_MANUFACTURER},
        {"Scale", IDC_EDIT_SCALE},
        {"Type", IDC_EDIT_TYPE},
        {"Description", IDC_EDIT_DESCRIPTION},
        {"Part No.", IDC_EDIT_PART_NO},
        {"Quantity", IDC_EDIT_QUANTITY},
        {"Price", IDC_CATALOG_PRICE},
        {"Note", IDC_EDIT_NOTE},
    };
    for (int row = 0; row < 9; ++row)
        items = Join(std::move(items),
                     EditRow(row, fields[row].first, fields[row].second, row == 0 ? ES_READONLY : 0));
    items.push_back({IDOK, WC_BUTTON, "OK", kButton | BS_DEFPUSHBUTTON, CRect(126, 156, 176, 170)});
    items.push_back({IDCANCEL, WC_BUTTON, "Cancel", kButton, CRect(180, 156, 230, 170)});
    static const DialogTemplate dialog{IDD_EDIT_PARTS_LIST, "Edit Parts List", kDialog, CRect(0, 0, 237, 177),
                                       std::move(items)};
    return dialog;
}

const DialogTemplate& LibraryTemplate() {
    static const DialogTemplate dialog{
        IDD_LIBRARY, "Library", kDialog, CRect(0, 0, 440, 257),
        BrowserItems(
            IDC_LIBRARY_OPEN_NEW, "Name", "Catalog No.",
            {
                {IDC_CATALOG_PROPERTIES, WC_BUTTON, "Properties", kButton, CRect(7, 236, 67, 250)},
                {IDC_LIBRARY_ADD_TO_PLAN, WC_BUTTON, "Add to plan", kButton, CRect(71, 236, 131, 250)},
                {IDC_CATALOG_DELETE, WC_BUTTON, "Delete", kButton, CRect(135, 236, 185, 250)},
                {IDC_LIBRARY_PRINT, WC_BUTTON, "Print", kButton, CRect(189, 236, 239, 250)},
                {IDOK, WC_BUTTON, "OK", kButton | BS_DEFPUSHBUTTON, CRect(383, 236, 433, 250)},
            })};
    return dialog;
}

const DialogTemplate& LibraryNoticeTemplate() {
    static const DialogTemplate dialog{
        IDD_LIBRARY_NOTICE,
        "",
        WS_POPUP | WS_BORDER,
        CRect(0, 0, 210, 28),
        {{IDC_LIBRARY_NOTICE_TEXT, WC_STATIC, "The selection was added to the current symbol library.",
          WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(5, 10, 205, 20)}}};
    return dialog;
}

const DialogTemplate& MaterialsReportTemplate() {
    static const DialogTemplate dialog{
        IDD_MATERIALS_REPORT,
        "Materials Report",
        kDialog,
        CRect(0, 0, 460, 258),
        {
            {IDC_CATALOG_LIST, WC_LISTVIEW, "", kReportList, CRect(7, 7, 340, 230)},
            {0, WC_STATIC, "Sort order", kLabel, CRect(347, 7, 453, 15)},
            {IDC_REPORT_SORT_ORDER, WC_TREEVIEW, "", kTree, CRect(347, 17, 453, 120)},
            {IDC_REPORT_TRACK, WC_BUTTON, "Track", kCheck, CRect(347, 126, 400, 136)},
            {IDC_REPORT_SCENERY, WC_BUTTON, "Scenery", kCheck, CRect(347, 138, 400, 148)},
            {IDC_REPORT_STRUCTURES, WC_BUTTON, "Structures", kCheck, CRect(347, 150, 400, 160)},
            {IDC_REPORT_ROLLING_STOCK, WC_BUTTON, "Rolling stock", kCheck, CRect(347, 162, 453, 172)},
            {IDC_REPORT_MISCELLANEOUS, WC_BUTTON, "Miscellaneous", kCheck, CRect(347, 174, 453, 184)},
            {IDC_REPORT_SORT, WC_BUTTON, "Sort", kCheck, CRect(407, 126, 453, 136)},
            {IDC_REPORT_INVENTORY, WC_BUTTON, "Inventory", kCheck, CRect(407, 138, 453, 148)},
            {0, WC_STATIC, "Total", kLabel, CRect(347, 196, 375, 204)},
            {IDC_REPORT_TOTAL, WC_STATIC, "999999.00", WS_CHILD | WS_VISIBLE | SS_RIGHT,
             CRect(377, 196, 453, 204)},
            {IDC_CATALOG_PROPERTIES, WC_BUTTON, "Properties", kButton, CRect(7, 237, 67, 251)},
            {IDC_REPORT_PRINT, WC_BUTTON, "Print", kButton, CRect(71, 237, 131, 251)},
            {IDCANCEL, WC_BUTTON, "Done", kButton | BS_DEFPUSHBUTTON, CRect(393, 237, 453, 251)},
        }};
    return dialog;
}
