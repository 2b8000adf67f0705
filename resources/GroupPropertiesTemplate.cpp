#include "resources/GroupPropertiesTemplate.h"

#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/CComboBox.h"

namespace {
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kCheck = kButton | BS_AUTOCHECKBOX;
constexpr DWORD kRadio = kButton | BS_AUTORADIOBUTTON;
constexpr DWORD kList = kButton | CBS_DROPDOWNLIST | WS_VSCROLL;
}  // namespace

const DialogTemplate& GroupPropertiesTemplate() {
    static const DialogTemplate dialog{
        IDD_GROUP_PROPERTIES,
        "Group properties",
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
        CRect(0, 0, 330, 236),
        {
            {0, WC_STATIC, "Preview", kLabel, CRect(7, 7, 120, 15)},
            {IDC_GROUP_PREVIEW, WC_STATIC, "", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(7, 17, 127, 107)},
            {0, WC_STATIC, "Group elevation", kLabel, CRect(7, 114, 67, 122)},
            {IDC_GROUP_ELEVATION, WC_EDIT, "", kEdit, CRect(70, 112, 127, 124)},
            {IDC_GROUP_AUTOMATIC, WC_BUTTON, "Automatic", kRadio | WS_GROUP, CRect(7, 130, 67, 140)},
            {IDC_GROUP_FIXED, WC_BUTTON, "Fixed", kRadio, CRect(70, 130, 127, 140)},
            {IDC_GROUP_EXPANSION, WC_BUTTON, "Allow group expansion in reports", kCheck | WS_GROUP,
             CRect(7, 144, 134, 154)},
            {IDC_GROUP_USE_BORDER, WC_BUTTON, "Use border", kCheck, CRect(7, 158, 67, 168)},
            {IDC_GROUP_BORDER_COLOR, WC_BUTTON, "", kButton | BS_OWNERDRAW, CRect(70, 156, 100, 170)},
            {IDC_GROUP_3D_PROPERTIES, WC_BUTTON, "3D Properties", kButton, CRect(7, 176, 77, 190)},
            {0, WC_STATIC, "Category", kLabel, CRect(137, 9, 187, 17)},
            {IDC_GROUP_CATEGORY, WC_COMBOBOX, "", kList, CRect(190, 7, 323, 87)},
            {0, WC_STATIC, "Manufacturer", kLabel, CRect(137, 25, 187, 33)},
            {IDC_GROUP_MANUFACTURER, WC_EDIT, "", kEdit, CRect(190, 23, 323, 35)},
            {0, WC_STATIC, "Scale", kLabel, CRect(137, 41, 187, 49)},
            {IDC_GROUP_SCALE, WC_COMBOBOX, "", kList, CRect(190, 39, 323, 139)},
            {0, WC_STATIC, "Type", kLabel, CRect(137, 57, 187, 65)},
            {IDC_GROUP_TYPE, WC_EDIT, "", kEdit, CRect(190, 55, 323, 67)},
            {0, WC_STATIC, "Name", kLabel, CRect(137, 73, 187, 81)},
            {IDC_GROUP_NAME, WC_EDIT, "", kEdit, CRect(190, 71, 323, 83)},
            {0, WC_STATIC, "Part No.", kLabel, CRect(137, 89, 187, 97)},
            {IDC_GROUP_PART_NO, WC_EDIT, "", kEdit, CRect(190, 87, 323, 99)},
            {0, WC_BUTTON, "Price", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(137, 103, 323, 135)},
            {0, WC_STATIC, "Price", kLabel, CRect(143, 117, 187, 125)},
            {IDC_GROUP_PRICE, WC_EDIT, "", kEdit, CRect(190, 115, 250, 127)},
            {IDC_GROUP_SHOW_IN_REPORT, WC_BUTTON, "Show in report", kCheck, CRect(255, 116, 320, 126)},
            {0, WC_STATIC, "Note", kLabel, CRect(137, 143, 187, 151)},
            {IDC_GROUP_NOTE, WC_EDIT, "", kEdit, CRect(190, 141, 323, 153)},
            {IDC_GROUP_APPLY_CLICKED, WC_BUTTON, "Apply settings to clicked piece only", kRadio | WS_GROUP,
             CRect(137, 162, 323, 172)},
            {IDC_GROUP_APPLY_SELECTED, WC_BUTTON, "Apply settings to all selected", kRadio,
             CRect(137, 174, 323, 184)},
            {IDC_GROUP_APPLY_ALL, WC_BUTTON, "Apply settings to all", kRadio, CRect(137, 186, 323, 196)},
            {IDOK, WC_BUTTON, "Ok", kButton | BS_DEFPUSHBUTTON | WS_GROUP, CRect(213, 215, 263, 229)},
            {IDCANCEL, WC_BUTTON, "Cancel", kButton | BS_PUSHBUTTON, CRect(273, 215, 323, 229)},
        }};
    return dialog;
}
