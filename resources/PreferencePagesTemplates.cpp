#include "resources/PreferencePagesTemplates.h"

#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/ListControlDefs.h"

namespace {
constexpr DWORD kPage = WS_CHILD | WS_CAPTION;
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kList = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kCheck = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kColour = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kGroup = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;
const CRect kPageRect(0, 0, 250, 160);

// A label over an edit box, the rows 30 dialog units apart.
std::vector<DialogItem> LabelledEdits(std::initializer_list<std::pair<UINT, const char*>> rows,
                                      int labelWidth) {
    std::vector<DialogItem> items;
    int top = 8;
    for (const auto& [id, label] : rows) {
        items.emplace_back(0, WC_STATIC, label, kLabel, CRect(7, top + 2, 7 + labelWidth, top + 10));
        items.emplace_back(id, WC_EDIT, "", kEdit, CRect(10 + labelWidth, top, 243, top + 13));
        top += 18;
    }
    return items;
}
}  // namespace

const DialogTemplate& MetricPageTemplate() {
    static const DialogTemplate page{
        IDD_METRIC_PAGE,
        "Metrics && Grid",
        kPage,
        kPageRect,
        {
            {0, WC_STATIC, "Units", kLabel, CRect(7, 9, 60, 17)},
            {IDC_METRIC_UNITS, WC_COMBOBOX, "", kList, CRect(72, 7, 177, 110)},
            {0, WC_STATIC, "Default train scale", kLabel, CRect(7, 27, 70, 35)},
            {IDC_METRIC_TRAIN_SCALE, WC_COMBOBOX, "", kList, CRect(72, 25, 177, 128)},
            {0, WC_STATIC, "Back color", kLabel, CRect(7, 45, 60, 53)},
            {IDC_METRIC_BACK_COLOR, WC_BUTTON, "Back color", kColour, CRect(72, 43, 112, 56)},
            {0, WC_BUTTON, "Grid", kGroup, CRect(7, 62, 243, 150)},
            {IDC_METRIC_GRID_SHOWN, WC_BUTTON, "Show", kCheck, CRect(14, 74, 70, 84)},
            {IDC_METRIC_WIDTH_LABEL, WC_STATIC, "Width", kLabel, CRect(14, 92, 60, 100)},
            {IDC_METRIC_GRID_WIDTH, WC_EDIT, "", kEdit, CRect(72, 90, 177, 103)},
            {IDC_METRIC_HEIGHT_LABEL, WC_STATIC, "Height", kLabel, CRect(14, 110, 60, 118)},
            {IDC_METRIC_GRID_HEIGHT, WC_EDIT, "", kEdit, CRect(72, 108, 177, 121)},
            {IDC_METRIC_COLOR_LABEL, WC_STATIC, "Color", kLabel, CRect(14, 128, 60, 136)},
            {IDC_METRIC_GRID_COLOR, WC_BUTTON, "Grid color", kColour, CRect(72, 126, 112, 139)},
        }};
    return page;
}

const DialogTemplate& View3DPageTemplate() {
    static const DialogTemplate page{
        IDD_3D_VIEW_PAGE,
        "3D View",
        kPage,
        kPageRect,
        {
            {0, WC_STATIC, "Default Benchwork texture :", kLabel, CRect(7, 9, 120, 17)},
            {IDC_3D_TEXTURE, WC_EDIT, "", kEdit, CRect(7, 19, 190, 32)},
            {IDC_3D_BROWSE_TEXTURE, WC_BUTTON, "Browse...", kButton, CRect(195, 19, 243, 32)},
            {IDC_3D_USE_BACKDROP, WC_BUTTON, "Use backdrop", kCheck, CRect(7, 42, 100, 52)},
            {0, WC_STATIC, "Backdrop", kLabel, CRect(7, 58, 120, 66)},
            {IDC_3D_BACKDROP, WC_EDIT, "", kEdit, CRect(7, 68, 190, 81)},
            {IDC_3D_BROWSE_BACKDROP, WC_BUTTON, "Browse...", kButton, CRect(195, 68, 243, 81)},
            {0, WC_STATIC, "Background", kLabel, CRect(7, 93, 60, 101)},
            {IDC_3D_BACKGROUND, WC_BUTTON, "Background", kColour, CRect(65, 91, 105, 104)},
        }};
    return page;
}

const DialogTemplate& TrainPageTemplate() {
    static const DialogTemplate page{
        IDD_TRAIN_PAGE, "Train", kPage, kPageRect,
        LabelledEdits({{IDC_TRAIN_CONNECTION_DISTANCE, "Maximum distance between track connections"},
                       {IDC_TRAIN_ELEVATION_GAP, "Maximum elevation gap between connections"},
                       {IDC_TRAIN_GRADE, "Maximum grade (%)"},
                       {IDC_TRAIN_ANGLE, "Maximum angle between track connections \xB0"},
                       {IDC_TRAIN_BEND_DEFORMATION, "Maximum track bend deformation (0.0 - 1.0)"}},
                      170)};
    return page;
}

const DialogTemplate& OtherPageTemplate() {
    static const DialogTemplate page{IDD_OTHER_PAGE, "Other", kPage, kPageRect,
                                     LabelledEdits({{IDC_OTHER_SNAP_RANGE, "Snap sensitivity range"},
                                                    {IDC_OTHER_HANDLE_SIZE, "Selector tool handle sizes"}},
                                                   110)};
    return page;
}

const DialogTemplate& DirectoryPageTemplate() {
    static const DialogTemplate page{IDD_DIRECTORY_PAGE, "Directories", kPage, CRect(0, 0, 250, 190),
                                     LabelledEdits({{IDC_DIR_3D_OBJECTS, "3D Objects"},
                                                    {IDC_DIR_BACKDROPS, "Backdrops"},
                                                    {IDC_DIR_TEXTURES, "Textures"},
                                                    {IDC_DIR_TRAINS, "Trains && Cars"},
                                                    {IDC_DIR_3D_TEXTURES, "3D Textures"},
                                                    {IDC_DIR_3D_BITMAPS, "3DBitmaps"},
                                                    {IDC_DIR_DATABASES, "Databases"},
                                                    {IDC_DIR_LIBRARIES, "Libraries"},
                                                    {IDC_DIR_PATTERNS, "Patterns"},
                                                    {IDC_DIR_BITMAPS, "Bitmaps"}},
                                                   60)};
    return page;
}
