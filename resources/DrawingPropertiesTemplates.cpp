#include "resources/DrawingPropertiesTemplates.h"

#include "platform/ctl/BasicControlDefs.h"

namespace {
constexpr DWORD kPage = WS_CHILD | DS_CONTROL;
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD kHiddenLabel = WS_CHILD | SS_LEFT;
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kList = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kPicker = kList | CBS_OWNERDRAWFIXED;
constexpr DWORD kCheck = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kColour = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kGroup = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;
constexpr DWORD kRadio = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON;
}  // namespace

const DialogTemplate& TwoDPropertiesTemplate() {
    static const DialogTemplate dialog{
        IDD_2D_PROPERTIES,
        "2D Object properties",
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
        CRect(0, 0, 430, 260),
        {
            {IDC_PROPERTIES_TABS, WC_TABCONTROL, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
             CRect(7, 7, 217, 137)},
            {IDC_PROPERTIES_PREVIEW, WC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_BLACKFRAME,
             CRect(224, 7, 423, 137)},
            {0, WC_STATIC, "Category", kLabel, CRect(7, 146, 55, 154)},
            {IDC_PROPERTIES_CATEGORY, WC_COMBOBOX, "", kList, CRect(58, 144, 150, 214)},
            {0, WC_STATIC, "Manufacturer", kLabel, CRect(7, 162, 55, 170)},
            {IDC_PROPERTIES_MANUFACTURER, WC_EDIT, "", kEdit, CRect(58, 160, 150, 172)},
            {0, WC_STATIC, "Scale", kLabel, CRect(7, 178, 55, 186)},
            {IDC_PROPERTIES_SCALE, WC_COMBOBOX, "", kList, CRect(58, 176, 150, 256)},
            {0, WC_STATIC, "Type", kLabel, CRect(7, 194, 55, 202)},
            {IDC_PROPERTIES_TYPE, WC_EDIT, "", kEdit, CRect(58, 192, 150, 204)},
            {0, WC_STATIC, "Name", kLabel, CRect(158, 146, 195, 154)},
            {IDC_PROPERTIES_NAME, WC_EDIT, "", kEdit, CRect(198, 144, 290, 156)},
            {0, WC_STATIC, "Part No.", kLabel, CRect(158, 162, 195, 170)},
            {IDC_PROPERTIES_PART_NO, WC_EDIT, "", kEdit, CRect(198, 160, 290, 172)},
            {0, WC_STATIC, "Price", kLabel, CRect(158, 178, 195, 186)},
            {IDC_PROPERTIES_PRICE, WC_EDIT, "", kEdit, CRect(198, 176, 290, 188)},
            {0, WC_STATIC, "Note", kLabel, CRect(158, 194, 195, 202)},
            {IDC_PROPERTIES_NOTE, WC_EDIT, "", kEdit, CRect(198, 192, 290, 204)},
            {IDC_PROPERTIES_IN_REPORT, WC_BUTTON, "Show in report", kCheck, CRect(7, 212, 100, 222)},
            {IDC_APPLY_TO_CLICKED, WC_BUTTON, "Apply settings to clicked piece only", kRadio | WS_GROUP,
             CRect(298, 146, 423, 156)},
            {IDC_APPLY_TO_SELECTED, WC_BUTTON, "Apply settings to all selected", kRadio,
             CRect(298, 160, 423, 170)},
            {IDC_APPLY_TO_ALL, WC_BUTTON, "Apply settings to all", kRadio, CRect(298, 174, 423, 184)},
            {IDOK, WC_BUTTON, "&OK", kButton | BS_DEFPUSHBUTTON | WS_GROUP, CRect(316, 239, 366, 253)},
            {IDCANCEL, WC_BUTTON, "&Cancel", kButton, CRect(373, 239, 423, 253)},
        }};
    return dialog;
}

const DialogTemplate& Line1PageTemplate() {
    static const DialogTemplate page{
        IDD_LINE1_PAGE,
        "",
        kPage,
        CRect(0, 0, 200, 110),
        {
            {0, WC_BUTTON, "Line", kGroup, CRect(5, 3, 195, 58)},
            {0, WC_STATIC, "Style:", kLabel, CRect(12, 15, 45, 23)},
            {IDC_LINE_STYLE, WC_COMBOBOX, "", kPicker, CRect(48, 13, 140, 93)},
            {0, WC_STATIC, "Width:", kLabel, CRect(12, 29, 45, 37)},
            {IDC_LINE_WIDTH, WC_COMBOBOX, "", kPicker, CRect(48, 27, 140, 107)},
            {0, WC_STATIC, "Color:", kLabel, CRect(12, 43, 45, 51)},
            {IDC_LINE_COLOR, WC_BUTTON, "Line color", kColour, CRect(48, 41, 90, 53)},
            {IDC_POINTS_COLOR_LABEL, WC_STATIC, "Points color:", kHiddenLabel, CRect(100, 43, 145, 51)},
            {IDC_POINTS_COLOR, WC_BUTTON, "Points color", kColour & ~WS_VISIBLE, CRect(148, 41, 190, 53)},
            {IDC_INSIDE_GROUP, WC_BUTTON, "Inside", kGroup & ~WS_VISIBLE, CRect(5, 62, 195, 100)},
            {IDC_FILL_ON, WC_BUTTON, "Fill", kCheck & ~WS_VISIBLE, CRect(12, 74, 60, 84)},
            {IDC_FILL_COLOR_LABEL, WC_STATIC, "Fill color:", kHiddenLabel, CRect(70, 75, 110, 83)},
            {IDC_FILL_COLOR, WC_BUTTON, "Fill color", kColour & ~WS_VISIBLE, CRect(112, 73, 154, 85)},
        }};
    return page;
}

const DialogTemplate& LinePageTemplate() {
    static const DialogTemplate page{
        IDD_LINE_PAGE,
        "",
        kPage,
        CRect(0, 0, 200, 110),
        {
            {0, WC_BUTTON, "Line", kGroup, CRect(5, 3, 195, 52)},
            {0, WC_STATIC, "Style:", kLabel, CRect(12, 15, 45, 23)},
            {IDC_LINE_STYLE, WC_COMBOBOX, "", kPicker, CRect(48, 13, 140, 93)},
            {0, WC_STATIC, "Width:", kLabel, CRect(12, 27, 45, 35)},
            {IDC_LINE_WIDTH, WC_COMBOBOX, "", kPicker, CRect(48, 25, 140, 105)},
            {0, WC_STATIC, "Color:", kLabel, CRect(12, 39, 45, 47)},
            {IDC_LINE_COLOR, WC_BUTTON, "Line color", kColour, CRect(48, 37, 90, 49)},
            {0, WC_BUTTON, "Arrows", kGroup, CRect(5, 55, 195, 105)},
            {0, WC_STATIC, "Style:", kLabel, CRect(12, 67, 45, 75)},
            {IDC_ARROW_STYLE, WC_COMBOBOX, "", kPicker, CRect(48, 65, 140, 145)},
            {0, WC_STATIC, "Length:", kLabel, CRect(12, 79, 45, 87)},
            {IDC_ARROW_LENGTH, WC_COMBOBOX, "", kPicker, CRect(48, 77, 140, 157)},
            {0, WC_STATIC, "Width:", kLabel, CRect(12, 91, 45, 99)},
            {IDC_ARROW_WIDTH, WC_COMBOBOX, "", kPicker, CRect(48, 89, 140, 169)},
        }};
    return page;
}

const DialogTemplate& FramesPageTemplate() {
    static const DialogTemplate page{
        IDD_FRAMES_PAGE,
        "",
        kPage,
        CRect(0, 0, 200, 110),
        {
            {0, WC_BUTTON, "Frames", kGroup, CRect(5, 3, 195, 58)},
            {0, WC_STATIC, "Style:", kLabel, CRect(12, 15, 45, 23)},
            {IDC_FRAME_STYLE, WC_COMBOBOX, "", kPicker, CRect(48, 13, 140, 93)},
            {0, WC_STATIC, "Width:", kLabel, CRect(12, 29, 45, 37)},
            {IDC_FRAME_WIDTH, WC_COMBOBOX, "", kPicker, CRect(48, 27, 140, 107)},
            {0, WC_STATIC, "Color:", kLabel, CRect(12, 43, 45, 51)},
            {IDC_FRAME_COLOR, WC_BUTTON, "Frames color", kColour, CRect(48, 41, 90, 53)},
        }};
    return page;
}

const DialogTemplate& FillPageTemplate() {
    static const DialogTemplate page{
        IDD_FILL_PAGE,
        "",
        kPage,
        CRect(0, 0, 200, 110),
        {
            {IDC_FILL_ON, WC_BUTTON, "Fill", kCheck, CRect(10, 8, 60, 18)},
            {IDC_FILL_COLOR_TEXT, WC_STATIC, "Color", kLabel, CRect(70, 9, 100, 17)},
            {IDC_FILL_COLOR, WC_BUTTON, "Fill color", kColour, CRect(104, 7, 146, 19)},
            {0, WC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, CRect(5, 25, 195, 26)},
            {IDC_PATTERN_ON, WC_BUTTON, "Pattern", kCheck, CRect(10, 32, 60, 42)},
            {IDC_PATTERN_COLOR_TEXT, WC_STATIC, "Pattern color", kLabel, CRect(70, 33, 100, 41)},
            {IDC_PATTERN_COLOR, WC_BUTTON, "Pattern color", kColour, CRect(104, 31, 146, 43)},
            {IDC_PATTERNS, WC_BUTTON, "Patterns", kRadio | WS_GROUP, CRect(10, 50, 60, 60)},
            {IDC_HATCH, WC_COMBOBOX, "", kPicker, CRect(70, 48, 160, 128)},
            {IDC_CUSTOM, WC_BUTTON, "Custom", kRadio, CRect(10, 68, 60, 78)},
            {IDC_PATTERN_NEW, WC_BUTTON, "New", kButton | WS_GROUP, CRect(70, 66, 110, 80)},
            {IDC_PATTERN_BROWSE, WC_BUTTON, "Browse", kButton, CRect(115, 66, 155, 80)},
        }};
    return page;
}
