#include "resources/LayerPropertiesTemplate.h"

#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/ListControlDefs.h"

namespace {
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kList =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED;
}  // namespace

const DialogTemplate& LayerPropertiesTemplate() {
    static const DialogTemplate dialog{
        IDD_LAYER_PROPERTIES,
        "Layer properties",
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
        CRect(0, 0, 240, 150),
        {
            // Wide enough for the four columns (330 pixels) and the list's border.
            {IDC_LAYER_LIST, WC_LISTVIEW, "", kList, CRect(7, 7, 233, 123)},
            {IDOK, WC_BUTTON, "OK", kButton | BS_DEFPUSHBUTTON, CRect(128, 129, 178, 143)},
            {IDCANCEL, WC_BUTTON, "Cancel", kButton | BS_PUSHBUTTON, CRect(183, 129, 233, 143)},
        }};
    return dialog;
}
