#include "resources/TerrainEditorTemplates.h"

#include <iterator>

#include "platform/ctl/BasicControlDefs.h"
#include "platform/gdi/CBrush.h"
#include "resources/PaintPicture.h"

namespace {
constexpr DWORD kPage = WS_CHILD | DS_CONTROL;
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD kHiddenLabel = WS_CHILD | SS_LEFT;
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kHiddenEdit = WS_CHILD | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kHiddenButton = WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kHiddenCheck = WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kIconButton = kButton | BS_ICON;
constexpr DWORD kRadio = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON;
constexpr DWORD kGroup = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;
}  // namespace

const DialogTemplate& BenchworkPageTemplate() {
    static const DialogTemplate page{
        IDD_BENCHWORK_PAGE,
        "",
        kPage,
        CRect(0, 0, 200, 110),
        {
            {IDC_THICKNESS_LABEL, WC_STATIC, "Thickness", kLabel, CRect(8, 8, 60, 16)},
            {0, WC_STATIC, "Elevation", kLabel, CRect(104, 8, 156, 16)},
            {IDC_BENCHWORK_THICKNESS, WC_EDIT, "", kEdit, CRect(8, 18, 90, 30)},
            {IDC_BENCHWORK_ELEVATION, WC_EDIT, "", kEdit, CRect(104, 18, 186, 30)},
            {IDC_TEXTURE_LABEL, WC_STATIC, "Benchwork texture:", kLabel, CRect(8, 36, 120, 44)},
            {IDC_BENCHWORK_TEXTURE, WC_EDIT, "", kEdit | ES_READONLY, CRect(8, 46, 148, 58)},
            {IDC_BENCHWORK_BROWSE, WC_BUTTON, "Browse...", kButton, CRect(152, 45, 194, 59)},
            {IDC_GRID_SPACING_LABEL, WC_STATIC, "Grid spacing", kHiddenLabel, CRect(8, 64, 60, 72)},
            {IDC_GRID_SPACING, WC_EDIT, "", kHiddenEdit, CRect(62, 62, 112, 74)},
            {IDC_OPEN_TERRAIN_EDITOR, WC_BUTTON, "Terrain editor...", kHiddenButton, CRect(120, 61, 194, 75)},
            {IDC_TEXTURE_SCALE_LABEL, WC_STATIC, "Texture Scale (1...32)", kHiddenLabel,
             CRect(8, 80, 84, 88)},
            {IDC_TEXTURE_SCALE, WC_EDIT, "", kHiddenEdit, CRect(86, 78, 112, 90)},
            {IDC_ALLOW_CONFORM, WC_BUTTON, "Allow conform to objects", kHiddenCheck, CRect(8, 95, 110, 105)},
            {0, WC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_ETCHEDFRAME, CRect(116, 80, 194, 106)},
            {IDC_FIXED_BORDER, WC_BUTTON, "Fixed border", kHiddenCheck, CRect(122, 88, 190, 98)},
        }};
    return page;
}

const DialogTemplate& TerrainEditorTemplate() {
    static const DialogTemplate dialog{
        IDD_TERRAIN_EDITOR,
        "Terrain Editor",
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
        CRect(0, 0, 350, 200),
        {
            {IDC_TERRAIN_PREVIEW, WC_STATIC, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP,
             CRect(7, 7, 207, 171)},
            {IDC_ROTATE_LEFT, WC_BUTTON, "Rotate Left", kButton, CRect(7, 177, 67, 191)},
            {IDC_ROTATE_RIGHT, WC_BUTTON, "Rotate Right", kButton, CRect(72, 177, 132, 191)},
            {0, WC_BUTTON, "Select point", kGroup, CRect(214, 4, 343, 66)},
            {IDC_SELECT_FORWARD, WC_BUTTON, "", kIconButton, CRect(270, 14, 288, 30)},
            {IDC_SELECT_LEFT, WC_BUTTON, "", kIconButton, CRect(250, 30, 268, 46)},
            {IDC_SELECT_RIGHT, WC_BUTTON, "", kIconButton, CRect(290, 30, 308, 46)},
            {IDC_SELECT_BACK, WC_BUTTON, "", kIconButton, CRect(270, 46, 288, 62)},
            {0, WC_STATIC, "Elevation:", kLabel, CRect(214, 74, 260, 82)},
            {IDC_KNOT_ELEVATION, WC_EDIT, "", kEdit, CRect(262, 72, 343, 84)},
            {IDC_CHANGE_SELECTED_ONLY, WC_BUTTON, "Change selected point only", kRadio | WS_GROUP,
             CRect(214, 90, 343, 100)},
            {IDC_CHANGE_NEARBY, WC_BUTTON, "Change nearby points also", kRadio, CRect(214, 102, 343, 112)},
            {0, WC_STATIC, "Elastic (%):", kLabel | WS_GROUP, CRect(224, 118, 270, 126)},
            {IDC_ELASTIC_PERCENT, WC_EDIT, "", kEdit, CRect(272, 116, 302, 128)},
            {IDC_FALLOFF_LINEAR, WC_BUTTON, "Linear", kRadio | WS_GROUP, CRect(224, 132, 270, 142)},
            {IDC_FALLOFF_CUBICAL, WC_BUTTON, "Cubical", kRadio, CRect(274, 132, 320, 142)},
            {IDC_ROLL_BACK, WC_BUTTON, "Roll Back 1 Change", kButton | WS_GROUP, CRect(214, 150, 286, 164)},
            {IDC_RESET_TERRAIN, WC_BUTTON, "Reset Terrain", kButton, CRect(290, 150, 343, 164)},
            {IDOK, WC_BUTTON, "OK", kButton | BS_DEFPUSHBUTTON, CRect(234, 177, 284, 191)},
            {IDCANCEL, WC_BUTTON, "Cancel", kButton, CRect(293, 177, 343, 191)},
        }};
    return dialog;
}

BOOL PaintArrowIcon(CBitmap& bitmap, UINT iconId) {
    constexpr int kSize = 16;
    // The arrow pointing up; the other three turn it.
    static const POINT kUp[] = {{8, 2}, {14, 9}, {10, 9}, {10, 14}, {6, 14}, {6, 9}, {2, 9}};
    return PaintPicture(bitmap, kSize, kSize, [iconId](CDC& dc) {
        dc.FillSolidRect(0, 0, kSize, kSize, RGB(192, 192, 192));
        POINT arrow[std::size(kUp)];
        for (size_t i = 0; i < std::size(kUp); ++i) {
            const LONG x = kUp[i].x, y = kUp[i].y;
            switch (iconId) {
                case IDI_ARROW_BACK:
                    arrow[i] = {x, kSize - y};
                    break;
                case IDI_ARROW_LEFT:
                    arrow[i] = {y, x};
                    break;
                case IDI_ARROW_RIGHT:
                    arrow[i] = {kSize - y, x};
                    break;
                default:
                    arrow[i] = {x, y};
                    break;
            }
        }
        CBrush black(RGB(0, 0, 0));
        CBrush* oldBrush = dc.SelectObject(&black);
        dc.Polygon(arrow, static_cast<int>(std::size(arrow)));
        dc.SelectObject(oldBrush);
    });
}
