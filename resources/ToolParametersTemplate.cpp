#include "resources/ToolParametersTemplate.h"

#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/ListControlDefs.h"

namespace {
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD kPicker =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED;
constexpr DWORD kColour = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr DWORD kCheck = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kGroup = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;
}  // namespace

const DialogTemplate& ToolParametersTemplate() {
    static const DialogTemplate dialog{
        IDD_TOOL_PARAMETERS,
        "Tool parameters",
        WS_POPUP | WS_CAPTION | WS_SYSMENU,
        CRect(0, 0, 150, 180),
        {
            {0, WC_BUTTON, "Line", kGroup, CRect(6, 3, 144, 72)},
            {0, WC_STATIC, "Style", kLabel, CRect(13, 18, 55, 26)},
            {IDC_LINE_STYLE, WC_COMBOBOX, "", kPicker, CRect(60, 15, 137, 95)},
            {0, WC_STATIC, "Width", kLabel, CRect(13, 37, 55, 45)},
            {IDC_LINE_WIDTH, WC_COMBOBOX, "", kPicker, CRect(60, 34, 137, 114)},
            {0, WC_STATIC, "Color", kLabel, CRect(13, 55, 55, 63)},
            {IDC_LINE_COLOR, WC_BUTTON, "Line color", kColour, CRect(60, 53, 100, 66)},
            {0, WC_BUTTON, "Fill", kGroup, CRect(6, 76, 144, 174)},
            {IDC_FILL, WC_BUTTON, "Fill", kCheck, CRect(13, 88, 60, 98)},
            {IDC_FILL_COLOR_LABEL, WC_STATIC, "Fill color", kLabel, CRect(23, 104, 75, 112)},
            {IDC_FILL_COLOR, WC_BUTTON, "Fill color", kColour, CRect(80, 102, 120, 115)},
            {IDC_PATTERN, WC_BUTTON, "Pattern", kCheck, CRect(13, 120, 70, 130)},
            {IDC_HATCH_LABEL, WC_STATIC, "Pattern", kLabel, CRect(23, 138, 75, 146)},
            {IDC_HATCH, WC_COMBOBOX, "", kPicker, CRect(80, 134, 137, 254)},
            {IDC_PATTERN_COLOR_LABEL, WC_STATIC, "Pattern color", kLabel, CRect(23, 157, 75, 165)},
            {IDC_PATTERN_COLOR, WC_BUTTON, "Pattern color", kColour, CRect(80, 155, 120, 168)},
        }};
    return dialog;
}
