#include "resources/RotateByDegreesTemplate.h"

#include "platform/ctl/BasicControlDefs.h"

namespace {
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
}  // namespace

const DialogTemplate& RotateByDegreesTemplate() {
    static const DialogTemplate dialog{
        IDD_ROTATE_BY_DEGREES,
        "Rotate by degrees",
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
        CRect(0, 0, 186, 50),
        {
            {0, WC_STATIC, "Rotate by", kLabel, CRect(7, 10, 45, 18)},
            {IDC_ROTATE_DEGREES, WC_EDIT, "", kEdit, CRect(48, 7, 98, 21)},
            {0, WC_STATIC, "degrees", kLabel, CRect(102, 10, 140, 18)},
            {IDOK, WC_BUTTON, "OK", kButton | BS_DEFPUSHBUTTON, CRect(74, 29, 124, 43)},
            {IDCANCEL, WC_BUTTON, "Cancel", kButton | BS_PUSHBUTTON, CRect(129, 29, 179, 43)},
        }};
    return dialog;
}
