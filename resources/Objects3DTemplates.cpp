#include "resources/Objects3DTemplates.h"

#include "platform/ctl/BasicControlDefs.h"

namespace {
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kShownEdit = kEdit | ES_READONLY;
constexpr DWORD kList = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kCheck = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kRadio = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON;
constexpr DWORD kFrame = WS_CHILD | WS_VISIBLE | SS_BLACKFRAME;
struct CatalogueRow {
    UINT id;
    const char* label;
    bool choice;
};

constexpr CatalogueRow kCatalogueRows[] = {
    {IDC_3D_CATEGORY, "Category", true}, {IDC_3D_MANUFACTURER, "Manufacturer", false},
    {IDC_3D_SCALE, "Scale", true},       {IDC_3D_TYPE, "Type", false},
    {IDC_3D_OBJECT_NAME, "Name", false}, {IDC_3D_PART_NO, "Part No.", false},
    {IDC_3D_PRICE, "Price", false},
};

// The catalogue fields, one labelled row every 16 units from the top, the labels at labelX
// and the fields from fieldX to right.
std::vector<DialogItem> CatalogueRows(int labelX, int fieldX, int right, int top) {
    std::vector<DialogItem> items;
    for (const CatalogueRow& row : kCatalogueRows) {
        items.emplace_back(0, WC_STATIC, row.label, kLabel, CRect(labelX, top + 2, fieldX - 3, top + 10));
        if (row.choice)
            items.emplace_back(row.id, WC_COMBOBOX, "", kList, CRect(fieldX, top, right, top + 80));
        else
            items.emplace_back(row.id, WC_EDIT, "", kEdit, CRect(fieldX, top, right, top + 12));
        top += 16;
    }
    return items;
}

std::vector<DialogItem> Join(std::vector<DialogItem> first, const std::vector<DialogItem>& second,
                             const std::vector<DialogItem>& third) {
    first.insert(first.end(), second.begin(), second.end());
    first.insert(first.end(), third.begin(), third.end());
    return first;
}

}  // namespace

const DialogTemplate& Object3DPropertiesTemplate() {
    static const DialogTemplate dialog{
        IDD_3D_OBJECT_PROPERTIES, "3D Objects properties", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
        CRect(0, 0, 380, 300),
        Join(
            {
                {0, WC_STATIC, "File name", kLabel, CRect(7, 9, 60, 17)},
                {IDC_3D_MODEL_NAME, WC_EDIT, "", kShownEdit, CRect(63, 7, 313, 19)},
                {IDC_3D_MODEL_BROWSE, WC_BUTTON, "Browse...", kButton, CRect(320, 6, 373, 20)},
                {0, WC_STATIC, "Texture name", kLabel, CRect(7, 25, 60, 33)},
                {IDC_3D_TEXTURE_NAME, WC_EDIT, "", kShownEdit, CRect(63, 23, 313, 35)},
                {IDC_3D_TEXTURE_BROWSE, WC_BUTTON, "Browse...", kButton, CRect(320, 22, 373, 36)},
                {IDC_3D_PREVIEW, WC_STATIC, "", kFrame, CRect(7, 42, 177, 172)},
                {IDC_3D_FORWARD, WC_BUTTON, "Forward", kButton | BS_ICON, CRect(7, 176, 60, 190)},
                {IDC_3D_BACKWARD, WC_BUTTON, "Backward", kButton | BS_ICON, CRect(64, 176, 120, 190)},
                {IDC_3D_PREVIEW_SPIN, WC_BUTTON, "Preview", kButton, CRect(124, 176, 177, 190)},
                {IDC_3D_RESTORE, WC_BUTTON, "Restore object", kButton, CRect(7, 194, 90, 208)},
                {IDC_3D_ADJUST, WC_BUTTON, "   Adjust orientation", kButton, CRect(94, 194, 177, 208)},
                {0, WC_STATIC, "Tilt", kLabel, CRect(7, 214, 30, 222)},
                {IDC_3D_TILT, WC_EDIT, "", kEdit, CRect(32, 212, 70, 224)},
                {0, WC_STATIC, "Pan", kLabel, CRect(74, 214, 92, 222)},
                {IDC_3D_PAN, WC_EDIT, "", kEdit, CRect(94, 212, 132, 224)},
                {0, WC_STATIC, "Revolve", kLabel, CRect(7, 230, 40, 238)},
                {IDC_3D_REVOLVE, WC_EDIT, "", kEdit, CRect(42, 228, 80, 240)},
            },
            CatalogueRows(185, 243, 373, 42),
            {
                {IDC_3D_HEIGHT_LABEL, WC_STATIC, "Height", kLabel, CRect(185, 156, 240, 164)},
                {IDC_3D_HEIGHT, WC_EDIT, "", kEdit, CRect(243, 154, 373, 166)},
                {IDC_3D_ELEVATION_LABEL, WC_STATIC, "Elevation", kLabel, CRect(185, 172, 240, 180)},
                {IDC_3D_ELEVATION, WC_EDIT, "", kEdit, CRect(243, 170, 373, 182)},
                {0, WC_STATIC, "Note", kLabel, CRect(185, 188, 240, 196)},
                {IDC_3D_NOTE, WC_EDIT, "", kEdit, CRect(243, 186, 373, 198)},
                {IDC_3D_IN_REPORT, WC_BUTTON, "Show in report", kCheck, CRect(185, 204, 280, 214)},
                {IDC_3D_RESIZEABLE, WC_BUTTON, "Resizeable", kCheck, CRect(285, 204, 373, 214)},
                {IDC_3D_SHOW_ON_PLAN, WC_BUTTON, "Show on 2D plan", kCheck, CRect(185, 216, 280, 226)},
                {IDC_3D_EXCLUDE, WC_BUTTON, "Exclude from terrain conforming", kCheck,
                 CRect(185, 228, 373, 238)},
                {IDC_3D_HIDE_BOX, WC_BUTTON, "Hide cross reference  box when object is grouped", kCheck,
                 CRect(7, 246, 250, 256)},
                {IDC_3D_TO_CLICKED, WC_BUTTON, "Apply settings to clicked piece only", kRadio | WS_GROUP,
                 CRect(7, 260, 170, 270)},
                {IDC_3D_TO_SELECTED, WC_BUTTON, "Apply settings to all selected", kRadio,
                 CRect(7, 272, 170, 282)},
                {IDC_3D_TO_ALL, WC_BUTTON, "Apply settings to all", kRadio, CRect(7, 284, 170, 294)},
                {IDOK, WC_BUTTON, "&OK", kButton | BS_DEFPUSHBUTTON | WS_GROUP, CRect(266, 278, 316, 292)},
                {IDCANCEL, WC_BUTTON, "&Cancel", kButton, CRect(323, 278, 373, 292)},
            })};
    return dialog;
}

const DialogTemplate& Bitmap3DPropertiesTemplate() {
    static const DialogTemplate dialog{
        IDD_3D_BITMAP_PROPERTIES, "3D Bitmap properties", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
        CRect(0, 0, 330, 246),
        Join(
            {
                {0, WC_STATIC, "File name", kLabel, CRect(7, 9, 55, 17)},
                {IDC_3D_TEXTURE_NAME, WC_EDIT, "", kShownEdit, CRect(58, 7, 263, 19)},
                {IDC_3D_BITMAP_BROWSE, WC_BUTTON, "Browse...", kButton, CRect(270, 6, 323, 20)},
                {IDC_3D_BITMAP_PREVIEW, WC_STATIC, "", kFrame, CRect(7, 27, 150, 137)},
            },
            CatalogueRows(158, 213, 323, 27),
            {
                {IDC_3D_ELEVATION_LABEL, WC_STATIC, "Elevation", kLabel, CRect(158, 141, 210, 149)},
                {IDC_3D_ELEVATION, WC_EDIT, "", kEdit, CRect(213, 139, 323, 151)},
                {0, WC_STATIC, "Note", kLabel, CRect(7, 159, 55, 167)},
                {IDC_3D_NOTE, WC_EDIT, "", kEdit, CRect(58, 157, 323, 169)},
                {IDC_3D_IN_REPORT, WC_BUTTON, "Show in report", kCheck, CRect(7, 176, 100, 186)},
                {IDC_3D_RESIZEABLE, WC_BUTTON, "Resizeable", kCheck, CRect(7, 188, 100, 198)},
                {IDC_3D_SHOW_ON_PLAN, WC_BUTTON, "Show on 2D plan", kCheck, CRect(7, 200, 100, 210)},
                {IDC_3D_HIDE_BOX, WC_BUTTON, "Hide cross reference  box when object is grouped", kCheck,
                 CRect(7, 212, 210, 222)},
                {IDC_3D_TO_CLICKED, WC_BUTTON, "Apply settings to clicked piece only", kRadio | WS_GROUP,
                 CRect(158, 176, 323, 186)},
                {IDC_3D_TO_SELECTED, WC_BUTTON, "Apply settings to all selected", kRadio,
                 CRect(158, 188, 323, 198)},
                {IDC_3D_TO_ALL, WC_BUTTON, "Apply settings to all", kRadio, CRect(158, 200, 323, 210)},
                {IDOK, WC_BUTTON, "&OK", kButton | BS_DEFPUSHBUTTON | WS_GROUP, CRect(216, 226, 266, 240)},
                {IDCANCEL, WC_BUTTON, "&Cancel", kButton, CRect(273, 226, 323, 240)},
            })};
    return dialog;
}
