#include "resources/PicturePropertiesTemplate.h"

#include "platform/ctl/BasicControlDefs.h"

namespace {
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kList = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kCheck = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kRadio = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON;
}  // namespace

const DialogTemplate& PicturePropertiesTemplate() {
    static const DialogTemplate dialog{
        IDD_PICTURE_PROPERTIES,
        "Picture properties",
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
        CRect(0, 0, 330, 222),
        {
            {0, WC_STATIC, "Picture name", kLabel, CRect(7, 9, 55, 17)},
            {IDC_PICTURE_NAME, WC_EDIT, "", kEdit, CRect(58, 7, 263, 19)},
            {IDC_PICTURE_BROWSE, WC_BUTTON, "Browse...", kButton, CRect(270, 6, 323, 20)},
            {IDC_PICTURE_PREVIEW, WC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_BLACKFRAME,
             CRect(7, 27, 150, 137)},
            {0, WC_STATIC, "Category", kLabel, CRect(158, 29, 210, 37)},
            {IDC_PICTURE_CATEGORY, WC_COMBOBOX, "", kList, CRect(213, 27, 323, 97)},
            {0, WC_STATIC, "Manufacturer", kLabel, CRect(158, 45, 210, 53)},
            {IDC_PICTURE_MANUFACTURER, WC_EDIT, "", kEdit, CRect(213, 43, 323, 55)},
            {0, WC_STATIC, "Scale", kLabel, CRect(158, 61, 210, 69)},
            {IDC_PICTURE_SCALE, WC_COMBOBOX, "", kList, CRect(213, 59, 323, 139)},
            {0, WC_STATIC, "Type", kLabel, CRect(158, 77, 210, 85)},
            {IDC_PICTURE_TYPE, WC_EDIT, "", kEdit, CRect(213, 75, 323, 87)},
            {0, WC_STATIC, "Name", kLabel, CRect(158, 93, 210, 101)},
            {IDC_PICTURE_OBJECT_NAME, WC_EDIT, "", kEdit, CRect(213, 91, 323, 103)},
            {0, WC_STATIC, "Part No.", kLabel, CRect(158, 109, 210, 117)},
            {IDC_PICTURE_PART_NO, WC_EDIT, "", kEdit, CRect(213, 107, 323, 119)},
            {0, WC_STATIC, "Price", kLabel, CRect(158, 125, 210, 133)},
            {IDC_PICTURE_PRICE, WC_EDIT, "", kEdit, CRect(213, 123, 323, 135)},
            {0, WC_STATIC, "Note", kLabel, CRect(7, 147, 55, 155)},
            {IDC_PICTURE_NOTE, WC_EDIT, "", kEdit, CRect(58, 145, 323, 157)},
            {IDC_PICTURE_IN_REPORT, WC_BUTTON, "Show in report", kCheck, CRect(7, 164, 100, 174)},
            {IDC_PICTURE_RESIZEABLE, WC_BUTTON, "Resizeable", kCheck, CRect(7, 178, 100, 188)},
            {IDC_PICTURE_TO_CLICKED, WC_BUTTON, "Apply settings to clicked piece only", kRadio | WS_GROUP,
             CRect(158, 164, 323, 174)},
            {IDC_PICTURE_TO_SELECTED, WC_BUTTON, "Apply settings to all selected", kRadio,
             CRect(158, 176, 323, 186)},
            {IDC_PICTURE_TO_ALL, WC_BUTTON, "Apply settings to all", kRadio, CRect(158, 188, 323, 198)},
            {IDOK, WC_BUTTON, "&OK", kButton | BS_DEFPUSHBUTTON | WS_GROUP, CRect(216, 202, 266, 216)},
            {IDCANCEL, WC_BUTTON, "&Cancel", kButton, CRect(273, 202, 323, 216)},
        }};
    return dialog;
}
