#include "resources/WizardPageTemplates.h"

#include <initializer_list>
#include <utility>

#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/ListControlDefs.h"

namespace {

constexpr DWORD kPage = WS_CHILD | WS_CAPTION;
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kRadio = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
constexpr DWORD kList = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kFrame = WS_CHILD | WS_VISIBLE | SS_BLACKFRAME;
constexpr int kLabelLeft = 206;
constexpr int kEditLeft = 254;
constexpr int kRight = 304;
constexpr int kRowStep = 12;
constexpr int kEditHeight = 11;
constexpr int kRadioTop = 113;

using Rows = std::initializer_list<std::pair<UINT, const char*>>;

// Where the labels and the edit fields of the right-hand column begin.
struct Column {
    int labelLeft = kLabelLeft;
    int editLeft = kEditLeft;
};
// For labels longer than a word.
constexpr Column kWideLabels{190, 262};

// The preview frame on the left; its height leaves room for a row of radio buttons below.
DialogItem Preview(UINT id, int bottom = 108, int right = 200) {
    return {id, WC_STATIC, "", kFrame, CRect(7, 7, right, bottom)};
}

// Label and edit field pairs down the right-hand column, from the top given on; the labels
// take the ids given, or none.
void AddRows(std::vector<DialogItem>& items, Rows rows, int& top, Column column = {},
             std::initializer_list<UINT> labelIds = {}) {
    const UINT* labelId = labelIds.begin();
    for (const auto& [id, label] : rows) {
        const UINT labelControl = labelId != labelIds.end() ? *labelId++ : 0;
        items.emplace_back(labelControl, WC_STATIC, label, kLabel,
                           CRect(column.labelLeft, top + 2, column.editLeft - 2, top + 10));
        items.emplace_back(id, WC_EDIT, "", kEdit, CRect(column.editLeft, top, kRight, top + kEditHeight));
        top += kRowStep;
    }
}

// The "Editable fields" choice with its caption above it.
void AddEditableChoice(std::vector<DialogItem>& items, int& top) {
    items.emplace_back(0, WC_STATIC, "Editable fields", kLabel, CRect(kLabelLeft, top + 1, kRight, top + 9));
    top += 9;
    items.emplace_back(IDC_WIZARD_EDITABLE, WC_COMBOBOX, "", kList, CRect(kLabelLeft, top, kRight, top + 80),
                       0,
                       std::vector<CString>{"Radius - Angle", "Radius - Offset", "Radius - Length",
                                            "Angle - Offset", "Angle - Length", "Offset - Length"});
    top += 14;
}

// The two parameter sets of a page with two branches.
void AddBothSets(std::vector<DialogItem>& items, int& top) {
    AddRows(items,
            {{IDC_WIZARD_RADIUS1, "Radius 1"},
             {IDC_WIZARD_ANGLE1, "Angle 1"},
             {IDC_WIZARD_OFFSET1, "Offset 1"},
             {IDC_WIZARD_LENGTH1, "Length 1"},
             {IDC_WIZARD_RADIUS2, "Radius 2"},
             {IDC_WIZARD_ANGLE2, "Angle 2"},
             {IDC_WIZARD_OFFSET2, "Offset 2"},
             {IDC_WIZARD_LENGTH2, "Length 2"}},
            top);
}

// One group of radio buttons side by side under the preview.
void AddRadios(std::vector<DialogItem>& items, Rows radios, int width = 45) {
    int left = 7;
    DWORD group = WS_GROUP | WS_TABSTOP;
    for (const auto& [id, label] : radios) {
        items.emplace_back(id, WC_BUTTON, label, kRadio | group,
                           CRect(left, kRadioTop, left + width, kRadioTop + 10));
        group = 0;
        left += width + 4;
    }
}

DialogTemplate Page(UINT id, const char* caption, int height, std::vector<DialogItem> items) {
    return DialogTemplate(id, caption, kPage, CRect(0, 0, 311, height), std::move(items));
}

DialogTemplate StraightPage() {
    std::vector<DialogItem> items{Preview(IDC_STRAIGHT_PREVIEW, 127)};
    int top = 7;
    AddRows(items, {{IDC_STRAIGHT_LENGTH, "Length"}}, top);
    return Page(IDD_WIZARD_STRAIGHT, "Straight track", 134, std::move(items));
}

DialogTemplate CurvedPage() {
    std::vector<DialogItem> items{Preview(IDC_CURVED_PREVIEW, 127)};
    int top = 7;
    AddRows(items, {{IDC_CURVED_ANGLE, "Angle"}, {IDC_CURVED_RADIUS, "Radius"}}, top);
    return Page(IDD_WIZARD_CURVED, "Curved track", 134, std::move(items));
}

DialogTemplate TurnoutPage() {
    std::vector<DialogItem> items{Preview(IDC_TURNOUT_PREVIEW)};
    int top = 7;
    AddRows(items, {{IDC_WIZARD_ENTRY, "Entry Lng "}, {IDC_TURNOUT_LENGTH1, "Length 1"}}, top);
    AddEditableChoice(items, top);
    AddRows(items,
            {{IDC_WIZARD_RADIUS2, "Radius"},
             {IDC_WIZARD_ANGLE2, "Angle"},
             {IDC_WIZARD_OFFSET2, "Offset"},
             {IDC_WIZARD_LENGTH2, "Length"}},
            top);
    AddRadios(items, {{IDC_TURNOUT_LEFT, "Left"}, {IDC_TURNOUT_RIGHT, "Right"}});
    return Page(IDD_WIZARD_TURNOUT, "Turnout", 134, std::move(items));
}

DialogTemplate ThreeWayPage() {
    std::vector<DialogItem> items{Preview(IDC_3WAY_PREVIEW, 150)};
    int top = 7;
    AddRows(items, {{IDC_WIZARD_ENTRY, "Entry Lng"}}, top);
    AddEditableChoice(items, top);
    AddBothSets(items, top);
    AddRows(items, {{IDC_3WAY_LENGTH3, "Length 3"}}, top);
    return Page(IDD_WIZARD_3WAY, "3-way turnout", 159, std::move(items));
}

DialogTemplate CurvedTurnoutPage() {
    std::vector<DialogItem> items{Preview(IDC_CURVED_TURNOUT_PREVIEW, 135)};
    int top = 7;
    AddRows(items, {{IDC_WIZARD_ENTRY_CURVED, "Entry Lng"}}, top);
    AddEditableChoice(items, top);
    AddBothSets(items, top);
    std::vector<DialogItem> radios;
    AddRadios(radios, {{IDC_CURVED_TURNOUT_LEFT, "Left"},
                       {IDC_CURVED_TURNOUT_RIGHT, "Right"},
                       {IDC_CURVED_TURNOUT_WYE, "Wye"}});
    for (DialogItem& radio : radios) radio.rect.OffsetRect(0, 140 - kRadioTop);
    items.insert(items.end(), radios.begin(), radios.end());
    return Page(IDD_WIZARD_CURVED_TURNOUT, "Curved turnout", 159, std::move(items));
}

DialogTemplate TurntablePage() {
    std::vector<DialogItem> items{Preview(IDC_TURNTABLE_PREVIEW, 127)};
    int top = 7;
    AddRows(items, {{IDC_TURNTABLE_LENGTH, "Length"}}, top);
    return Page(IDD_WIZARD_TURNTABLE, "Turntable", 134, std::move(items));
}

DialogTemplate CrossoverPage() {
    std::vector<DialogItem> items{Preview(IDC_CROSSOVER_PREVIEW, 108, 184)};
    int top = 7;
    AddRows(items,
            {{IDC_CROSSOVER_LENGTH, "Length"},
             {IDC_CROSSOVER_SEPARATION, "Separation"},
             {IDC_CROSSOVER_RADIUS, "Curve's radius "},
             {IDC_CROSSOVER_ANGLE, "Curve's angle"}},
            top, kWideLabels, {1389, 1390, 1391, 1392});
    AddRadios(
        items,
        {{IDC_CROSSOVER_LEFT, "Left"}, {IDC_CROSSOVER_RIGHT, "Right"}, {IDC_CROSSOVER_DOUBLE, "Double"}});
    return Page(IDD_WIZARD_CROSSOVER, "Crossover", 134, std::move(items));
}

DialogTemplate CrossingPage() {
    std::vector<DialogItem> items{Preview(IDC_CROSSING_PREVIEW, 127)};
    int top = 7;
    AddRows(items,
            {{IDC_CROSSING_LENGTH1, "Length 1"},
             {IDC_CROSSING_ANGLE, "Angle"},
             {IDC_CROSSING_LENGTH2, "Length 2"}},
            top);
    return Page(IDD_WIZARD_CROSSING, "Crossing", 134, std::move(items));
}

DialogTemplate SlipSwitchPage() {
    std::vector<DialogItem> items{Preview(IDC_SLIP_PREVIEW)};
    int top = 7;
    AddRows(items, {{IDC_SLIP_LENGTH, "Length"}, {IDC_SLIP_ANGLE, "Angle"}}, top);
    AddRadios(items, {{IDC_SLIP_SINGLE, "Single"}, {IDC_SLIP_DOUBLE, "Double"}});
    return Page(IDD_WIZARD_SLIP_SWITCH, "Slip switch", 134, std::move(items));
}

DialogTemplate HelixPage() {
    std::vector<DialogItem> items{Preview(IDC_HELIX_PREVIEW, 108, 172)};
    int top = 7;
    const int radioLeft = kWideLabels.labelLeft - 12;
    items.emplace_back(IDC_HELIX_BY_GRADE, WC_BUTTON, "", kRadio | WS_GROUP | WS_TABSTOP,
                       CRect(radioLeft, top + 1, radioLeft + 10, top + 10));
    AddRows(items, {{IDC_HELIX_GRADE, "Grade"}}, top, kWideLabels);
    items.emplace_back(IDC_HELIX_BY_HEIGHT, WC_BUTTON, "", kRadio,
                       CRect(radioLeft, top + 1, radioLeft + 10, top + 10));
    AddRows(items,
            {{IDC_HELIX_TOTAL_HEIGHT, "Total height"},
             {IDC_HELIX_RADIUS, "Radius"},
             {IDC_HELIX_CURVE_ANGLE, "Curved Track Angle"},
             {IDC_HELIX_CURVE_COUNT, "Curved Track Count"},
             {IDC_HELIX_STRAIGHT_LENGTH, "Straight track lengths"}},
            top, kWideLabels);
    AddRadios(items, {{IDC_HELIX_LEFT, "Left helix"}, {IDC_HELIX_RIGHT, "Right helix"}}, 55);
    return Page(IDD_WIZARD_HELIX, "Helix track", 135, std::move(items));
}

DialogTemplate SpiralPage() {
    std::vector<DialogItem> items{Preview(IDC_SPIRAL_PREVIEW)};
    int top = 7;
    AddRows(items,
            {{IDC_SPIRAL_LENGTH, "Length"}, {IDC_SPIRAL_RADIUS, "Radius"}, {IDC_SPIRAL_OFFSET, "Offset"}},
            top);
    AddRadios(items, {{IDC_SPIRAL_LEFT, "Left"}, {IDC_SPIRAL_RIGHT, "Right"}});
    return Page(IDD_WIZARD_SPIRAL, "Spiral Easement", 134, std::move(items));
}

const std::vector<DialogTemplate>& Templates() {
    static const std::vector<DialogTemplate> templates{
        StraightPage(), CurvedPage(),        CrossoverPage(), CrossingPage(), SlipSwitchPage(), TurnoutPage(),
        ThreeWayPage(), CurvedTurnoutPage(), TurntablePage(), HelixPage(),    SpiralPage()};
    return templates;
}

}  // namespace

const DialogTemplate& WizardPageTemplate(UINT id) {
    for (const DialogTemplate& page : Templates())
        if (page.id == id)
            return page;
    return Templates().front();
}
