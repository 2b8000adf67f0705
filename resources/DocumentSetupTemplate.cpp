#include "resources/DocumentSetupTemplate.h"

#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/ListControlDefs.h"

namespace {
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kGroup = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;
constexpr DWORD kRadio = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
constexpr DWORD kCheck = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kScaleList = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN;
}  // namespace

const DialogTemplate& DocumentSetupTemplate() {
    static const DialogTemplate dialog{
        IDD_DOCUMENT_SETUP,
        "Document setup",
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
        CRect(0, 0, 250, 162),
        {
            {0, WC_BUTTON, "Document size", kGroup, CRect(7, 5, 120, 70)},
            {0, WC_STATIC, "Width", kLabel, CRect(14, 18, 60, 26)},
            {IDC_SETUP_WIDTH, WC_EDIT, "", kEdit, CRect(14, 27, 110, 40)},
            {0, WC_STATIC, "Height", kLabel, CRect(14, 44, 60, 52)},
            {IDC_SETUP_HEIGHT, WC_EDIT, "", kEdit, CRect(14, 53, 110, 66)},
            {0, WC_BUTTON, "View Scale", kGroup, CRect(127, 5, 243, 40)},
            {0, WC_STATIC, "1:", kLabel, CRect(134, 21, 144, 29)},
            {IDC_SETUP_VIEW_SCALE, WC_COMBOBOX, "", kScaleList, CRect(146, 18, 200, 100)},
            {0, WC_BUTTON, "Print Scale", kGroup, CRect(127, 43, 243, 90)},
            {IDC_SETUP_FIT_TO_PAGE, WC_BUTTON, "Fit To Page", kRadio | WS_GROUP | WS_TABSTOP,
             CRect(134, 55, 200, 65)},
            {IDC_SETUP_FIXED_SCALE, WC_BUTTON, "1:", kRadio, CRect(134, 71, 154, 81)},
            {IDC_SETUP_PRINT_SCALE, WC_EDIT, "", kEdit | WS_GROUP, CRect(156, 69, 200, 82)},
            {0, WC_BUTTON, "Print Preferences", kGroup, CRect(7, 93, 243, 137)},
            // One above the other: side by side the labels do not fit.
            {IDC_SETUP_PAGE_MARKERS, WC_BUTTON, "Show page alignment markers", kCheck,
             CRect(14, 105, 236, 115)},
            {IDC_SETUP_PAGE_NUMBERS, WC_BUTTON, "Show page numbers and scale", kCheck,
             CRect(14, 120, 236, 130)},
            {IDOK, WC_BUTTON, "OK", kButton | BS_DEFPUSHBUTTON, CRect(138, 142, 188, 156)},
            {IDCANCEL, WC_BUTTON, "Cancel", kButton | BS_PUSHBUTTON, CRect(193, 142, 243, 156)},
        }};
    return dialog;
}
