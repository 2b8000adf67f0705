#include "resources/TrackPropertiesTemplates.h"

#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/CComboBox.h"
#include "resources/TrackPropertiesPictures.h"

namespace {
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kCheck = kButton | BS_AUTOCHECKBOX;
constexpr DWORD kRadio = kButton | BS_AUTORADIOBUTTON;
constexpr DWORD kList = kButton | CBS_DROPDOWNLIST | WS_VSCROLL;
constexpr DWORD kIconButton = kButton | BS_ICON;
constexpr DWORD kColour = kButton | BS_OWNERDRAW;
constexpr DWORD kPicture = WS_CHILD | WS_VISIBLE | SS_BITMAP;
// The held-quantity marks show only for a circular curve.
constexpr DWORD kHiddenRadio = WS_CHILD | WS_TABSTOP | BS_AUTORADIOBUTTON;

// A label left of its edit, one row of the left column.
void AddField(std::vector<DialogItem>& items, const char* label, UINT id, int top) {
    items.emplace_back(0, WC_STATIC, label, kLabel, CRect(5, top + 2, 48, top + 10));
    items.emplace_back(id, WC_EDIT, "", kEdit, CRect(49, top, 86, top + 11));
}

// A label left of its edit in the right column.
void AddCatalogueField(std::vector<DialogItem>& items, const char* label, UINT id, int top, DWORD style) {
    items.emplace_back(0, WC_STATIC, label, kLabel, CRect(288, top + 2, 336, top + 10));
    items.emplace_back(id, WC_EDIT, "", style, CRect(338, top, 425, top + 11));
}

std::vector<DialogItem> ShapeAndSizeFields() {
    std::vector<DialogItem> items;
    AddField(items, "Length", IDC_TRACK_LENGTH, 5);
    items.emplace_back(IDC_TRACK_HOLD_LENGTH, WC_BUTTON, "Radio3", kHiddenRadio | WS_GROUP,
                       CRect(88, 6, 98, 15));
    AddField(items, "ArcDegrees\xB0", IDC_TRACK_ARC_DEGREES, 18);
    items.emplace_back(IDC_TRACK_HOLD_ANGLE, WC_BUTTON, "Radio2", kHiddenRadio, CRect(88, 19, 98, 28));
    AddField(items, "Radius (1)", IDC_TRACK_RADIUS_1, 31);
    items.emplace_back(IDC_TRACK_HOLD_RADIUS, WC_BUTTON, "Radio1", kHiddenRadio, CRect(88, 32, 98, 41));
    items.emplace_back(IDC_TRACK_HOLD_FRAME, WC_BUTTON, "", WS_CHILD | BS_GROUPBOX, CRect(87, 3, 100, 43));
    AddField(items, "Radius (2)", IDC_TRACK_RADIUS_2, 44);
    AddField(items, "Start angle\xB0", IDC_TRACK_START_ANGLE, 57);
    AddField(items, "Rail spacing", IDC_TRACK_GAUGE, 72);
    items.emplace_back(IDC_TRACK_RAIL_COLOR, WC_BUTTON, "", kColour, CRect(88, 72, 107, 83));
    AddField(items, "Tie length", IDC_TRACK_TIE_LENGTH, 85);
    items.emplace_back(IDC_TRACK_TIE_COLOR, WC_BUTTON, "", kColour, CRect(88, 85, 107, 96));
    AddField(items, "Tie spacing", IDC_TRACK_TIE_SPACING, 98);
    AddField(items, "Track sep.", IDC_TRACK_SEPARATION, 111);
    return items;
}

void AddElevationSection(std::vector<DialogItem>& items) {
    items.emplace_back(0, WC_STATIC, "Begin", kLabel, CRect(54, 126, 78, 134));
    items.emplace_back(0, WC_STATIC, "End", kLabel, CRect(82, 126, 106, 134));
    items.emplace_back(IDC_TRACK_ELEVATION_ENTRY, WC_BUTTON, "", kIconButton, CRect(5, 134, 29, 155));
    items.emplace_back(0, WC_STATIC, "Elev:", kLabel, CRect(31, 140, 52, 148));
    items.emplace_back(IDC_TRACK_BEGIN_ELEVATION, WC_EDIT, "", kEdit, CRect(52, 138, 79, 149));
    items.emplace_back(IDC_TRACK_END_ELEVATION, WC_EDIT, "", kEdit, CRect(80, 138, 107, 149));
    items.emplace_back(IDC_TRACK_GRADE_ENTRY, WC_BUTTON, "", kIconButton, CRect(5, 157, 29, 178));
    // The label sits above its radios: beside them in one row the three do not fit the column.
    items.emplace_back(0, WC_STATIC, "Fixed :", kLabel, CRect(31, 158, 70, 166));
    items.emplace_back(IDC_TRACK_FIXED_BEGIN, WC_BUTTON, "Begin", kRadio | BS_LEFTTEXT | WS_GROUP,
                       CRect(47, 167, 79, 177));
    items.emplace_back(IDC_TRACK_FIXED_END, WC_BUTTON, "End", kRadio | BS_LEFTTEXT, CRect(82, 167, 107, 177));
    items.emplace_back(0, WC_STATIC, "Grade %", kLabel, CRect(5, 183, 50, 191));
    items.emplace_back(IDC_TRACK_GRADE, WC_EDIT, "", kEdit | WS_GROUP, CRect(52, 181, 79, 192));
    items.emplace_back(IDC_TRACK_GRADE_DIRECTION, WC_BUTTON, "", kIconButton, CRect(81, 179, 105, 196));
}

void AddPreview(std::vector<DialogItem>& items) {
    items.emplace_back(0, WC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_ETCHEDVERT, CRect(108, 4, 109, 198));
    items.emplace_back(0, WC_STATIC, "Preview", kLabel, CRect(110, 4, 180, 12));
    items.emplace_back(IDC_TRACK_PREVIEW, WC_STATIC, "", WS_CHILD | WS_VISIBLE | WS_BORDER,
                       CRect(110, 13, 282, 180));
    items.emplace_back(0, WC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_ETCHEDVERT, CRect(285, 4, 286, 232));
}

// The bottom band of the left and middle columns.
void AddDrawingBand(std::vector<DialogItem>& items) {
    items.emplace_back(IDC_TRACK_RAIL_MODE_1, WC_BUTTON, "", kRadio | WS_GROUP, CRect(112, 186, 121, 196));
    items.emplace_back(IDB_RAIL_MODE_1, WC_STATIC, "", kPicture, CRect(122, 183, 149, 202));
    items.emplace_back(IDC_TRACK_RAIL_MODE_2, WC_BUTTON, "", kRadio, CRect(151, 186, 160, 196));
    items.emplace_back(IDB_RAIL_MODE_2, WC_STATIC, "", kPicture, CRect(161, 183, 188, 202));
    items.emplace_back(IDC_TRACK_RAIL_MODE_3, WC_BUTTON, "", kRadio, CRect(190, 186, 199, 196));
    items.emplace_back(IDB_RAIL_MODE_3, WC_STATIC, "", kPicture, CRect(200, 183, 227, 202));
    items.emplace_back(IDC_TRACK_SHOW_AXIS, WC_BUTTON, "Show &Axis", kCheck | WS_GROUP,
                       CRect(112, 209, 160, 218));
    items.emplace_back(IDC_TRACK_SHOW_TIES, WC_BUTTON, "Show &Ties", kCheck, CRect(162, 209, 210, 218));
    items.emplace_back(IDC_TRACK_RESIZEABLE, WC_BUTTON, "Resizeable", kCheck, CRect(212, 209, 270, 218));
    // Rows of nine units: a radio's circle and label are taller than eight.
    items.emplace_back(IDC_TRACK_STYLE_NORMAL, WC_BUTTON, "Normal", kRadio | WS_GROUP,
                       CRect(231, 181, 282, 190));
    items.emplace_back(IDC_TRACK_STYLE_BRIDGE, WC_BUTTON, "Bridge", kRadio, CRect(231, 190, 282, 199));
    items.emplace_back(IDC_TRACK_STYLE_TUNNEL, WC_BUTTON, "Tunnel", kRadio, CRect(231, 199, 282, 208));
    items.emplace_back(0, WC_STATIC, "Roadbed W", kLabel, CRect(5, 203, 43, 211));
    items.emplace_back(IDC_TRACK_ROADBED_WIDTH, WC_EDIT, "", kEdit | WS_GROUP, CRect(44, 201, 72, 212));
    items.emplace_back(0, WC_STATIC, "H", kLabel, CRect(74, 203, 79, 211));
    items.emplace_back(IDC_TRACK_ROADBED_HEIGHT, WC_EDIT, "", kEdit, CRect(80, 201, 107, 212));
    items.emplace_back(0, WC_STATIC, "Track", kLabel, CRect(5, 222, 24, 230));
    items.emplace_back(IDC_TRACK_TEXTURE, WC_EDIT, "", kEdit | ES_READONLY, CRect(25, 220, 120, 231));
    items.emplace_back(IDC_TRACK_BROWSE_TRACK, WC_BUTTON, "...", kButton, CRect(121, 220, 135, 231));
    items.emplace_back(0, WC_STATIC, "Roadbed", kLabel, CRect(140, 222, 171, 230));
    items.emplace_back(IDC_TRACK_ROADBED_TEXTURE, WC_EDIT, "", kEdit | ES_READONLY,
                       CRect(172, 220, 266, 231));
    items.emplace_back(IDC_TRACK_BROWSE_ROADBED, WC_BUTTON, "...", kButton, CRect(267, 220, 281, 231));
}

void AddCatalogueColumn(std::vector<DialogItem>& items) {
    AddCatalogueField(items, "Category", IDC_TRACK_CATEGORY, 4, kEdit | ES_READONLY);
    AddCatalogueField(items, "Manufacturer", IDC_TRACK_MANUFACTURER, 17, kEdit);
    items.emplace_back(0, WC_STATIC, "Scale", kLabel, CRect(288, 32, 336, 40));
    items.emplace_back(IDC_TRACK_SCALE, WC_COMBOBOX, "", kList, CRect(338, 30, 425, 130));
    AddCatalogueField(items, "Type", IDC_TRACK_TYPE, 43, kEdit);
    AddCatalogueField(items, "Name", IDC_TRACK_NAME, 56, kEdit);
    AddCatalogueField(items, "Part No.", IDC_TRACK_PART_NO, 69, kEdit);
    AddCatalogueField(items, "Price", IDC_TRACK_PRICE, 82, kEdit);
    items.emplace_back(IDC_TRACK_SHOW_IN_REPORT, WC_BUTTON, "Show in report", kCheck,
                       CRect(338, 95, 425, 104));
    items.emplace_back(0, WC_STATIC, "Note", kLabel, CRect(288, 109, 336, 117));
    items.emplace_back(IDC_TRACK_NOTE, WC_EDIT, "", kEdit | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                       CRect(338, 107, 425, 140));
    items.emplace_back(IDC_TRACK_APPLY_CLICKED, WC_BUTTON, "Apply settings to clicked piece only",
                       kRadio | WS_GROUP, CRect(288, 145, 428, 154));
    items.emplace_back(IDC_TRACK_APPLY_SELECTED, WC_BUTTON, "Apply settings to all selected", kRadio,
                       CRect(288, 155, 428, 164));
    items.emplace_back(IDC_TRACK_APPLY_ALL, WC_BUTTON, "Apply settings to all", kRadio,
                       CRect(288, 165, 428, 174));
    items.emplace_back(IDC_TRACK_APPLY_DEFAULT, WC_BUTTON, "Apply settings as default", kRadio,
                       CRect(288, 175, 428, 184));
    items.emplace_back(IDC_TRACK_MORE, WC_BUTTON, "More...", kButton | WS_GROUP, CRect(288, 192, 338, 206));
    items.emplace_back(IDOK, WC_BUTTON, "Ok", kButton | BS_DEFPUSHBUTTON, CRect(322, 216, 370, 230));
    items.emplace_back(IDCANCEL, WC_BUTTON, "Cancel", kButton | BS_PUSHBUTTON, CRect(376, 216, 425, 230));
}

}  // namespace

const DialogTemplate& TrackPropertiesTemplate() {
    static const DialogTemplate dialog = [] {
        std::vector<DialogItem> items = ShapeAndSizeFields();
        AddElevationSection(items);
        AddPreview(items);
        AddDrawingBand(items);
        AddCatalogueColumn(items);
        return DialogTemplate(IDD_TRACK_PROPERTIES, "Track properties",
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, CRect(0, 0, 430, 235),
                              std::move(items));
    }();
    return dialog;
}

const DialogTemplate& TrackMoreTemplate() {
    constexpr DWORD kPicker = kList | CBS_OWNERDRAWFIXED;
    static const DialogTemplate dialog{
        IDD_TRACK_MORE,
        "More properties",
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
        CRect(0, 0, 255, 156),
        {
            {0, WC_BUTTON, "Tunnel properties", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(7, 7, 248, 80)},
            {0, WC_STATIC, "Tunnel width", kLabel, CRect(14, 22, 72, 30)},
            {IDC_MORE_TUNNEL_WIDTH, WC_EDIT, "", kEdit, CRect(75, 20, 135, 32)},
            {0, WC_STATIC, "Tunnel height", kLabel, CRect(14, 40, 72, 48)},
            {IDC_MORE_TUNNEL_HEIGHT, WC_EDIT, "", kEdit, CRect(75, 38, 135, 50)},
            {IDC_MORE_USE_TEXTURE, WC_BUTTON, "Use texture", kCheck, CRect(145, 39, 215, 49)},
            {0, WC_STATIC, "Tunnel texture", kLabel, CRect(14, 60, 72, 68)},
            {IDC_MORE_TUNNEL_TEXTURE, WC_EDIT, "", kEdit, CRect(75, 58, 220, 70)},
            {IDC_MORE_BROWSE_TEXTURE, WC_BUTTON, "...", kButton, CRect(224, 58, 242, 70)},
            {0, WC_BUTTON, "Rail properties", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(7, 86, 248, 128)},
            {0, WC_STATIC, "Rail line width", kLabel, CRect(14, 100, 80, 108)},
            {IDC_MORE_RAIL_WIDTH, WC_COMBOBOX, "", kPicker, CRect(85, 97, 160, 170)},
            {0, WC_STATIC, "Tie line width", kLabel, CRect(14, 114, 80, 122)},
            {IDC_MORE_TIE_WIDTH, WC_COMBOBOX, "", kPicker, CRect(85, 111, 160, 184)},
            {IDOK, WC_BUTTON, "OK", kButton | BS_DEFPUSHBUTTON | WS_GROUP, CRect(140, 135, 190, 149)},
            {IDCANCEL, WC_BUTTON, "Cancel", kButton | BS_PUSHBUTTON, CRect(198, 135, 248, 149)},
        }};
    return dialog;
}
