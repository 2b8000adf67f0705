#include "resources/TextPropertiesTemplate.h"

#include "platform/ctl/BasicControlDefs.h"

namespace {
constexpr DWORD kTextEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE |
                            ES_WANTRETURN | ES_AUTOVSCROLL;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
}  // namespace

const DialogTemplate& TextPropertiesTemplate() {
    static const DialogTemplate dialog{
        IDD_TEXT_PROPERTIES,
        "Text properties",
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
        CRect(0, 0, 201, 103),
        {
            {IDC_TEXT_EDIT, WC_EDIT, "", kTextEdit, CRect(7, 7, 194, 74)},
            {IDOK, WC_BUTTON, "OK", kButton | BS_DEFPUSHBUTTON, CRect(7, 82, 57, 96)},
            {ID_TEXT_FONT, WC_BUTTON, "Font...", kButton | BS_PUSHBUTTON, CRect(75, 82, 125, 96)},
            {IDCANCEL, WC_BUTTON, "Cancel", kButton | BS_PUSHBUTTON, CRect(144, 82, 194, 96)},
        }};
    return dialog;
}
