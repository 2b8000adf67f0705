#include "resources/PatternEditTemplate.h"

#include "platform/ctl/BasicControlDefs.h"

namespace {
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kStatic = WS_CHILD | WS_VISIBLE | SS_LEFT;
}  // namespace

const DialogTemplate& PatternEditTemplate() {
    static const DialogTemplate dialog{
        IDD_PATTERN_EDIT,
        "Edit pattern",
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
        CRect(0, 0, 222, 135),
        {
            {IDC_PATTERN_FILE_NAME, WC_EDIT, "",
             WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | ES_READONLY, CRect(7, 7, 171, 19)},
            {IDC_PATTERN_EDIT_BROWSE, WC_BUTTON, "Browse...", kButton | BS_PUSHBUTTON,
             CRect(175, 7, 215, 19)},
            {0, WC_BUTTON, "Pattern bits", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(7, 23, 89, 103)},
            {IDC_PATTERN_BITS, WC_STATIC, "", kStatic, CRect(12, 33, 83, 98)},
            {IDC_PATTERN_PREVIEW, WC_STATIC, "", kStatic | WS_BORDER, CRect(94, 27, 215, 102)},
            {IDOK, WC_BUTTON, "Ok", kButton | BS_DEFPUSHBUTTON, CRect(7, 114, 57, 128)},
            {IDCANCEL, WC_BUTTON, "Cancel", kButton | BS_PUSHBUTTON, CRect(85, 114, 135, 128)},
            {IDC_PATTERN_EDIT_NEW, WC_BUTTON, "New", kButton | BS_PUSHBUTTON, CRect(163, 114, 213, 128)},
        }};
    return dialog;
}
