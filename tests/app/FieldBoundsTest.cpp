#include <cstring>
#include <functional>
#include <stdexcept>

#include "drawing/C2DPropertyDialog.h"
#include "drawing/CPages.h"
#include "model/CLengthFormat.h"
#include "model/Units.h"
#include "platform/ctl/DataExchange.h"
#include "resources/DocumentSetupTemplate.h"
#include "resources/DrawingPropertiesTemplates.h"
#include "resources/Objects3DTemplates.h"
#include "resources/PreferencePagesTemplates.h"
#include "resources/TerrainEditorTemplates.h"
#include "terrain/CMount.h"
#include "tests/app/DialogsInProgram.h"
#include "view3d/C3D.h"
#include "view3d/CSprite.h"

// Every field with a range, in every unit it shows: the bounds its refusal names are taken, as
// those bounds, and a value beyond a bound that the unit shows as the bound is that bound; one
// the unit shows otherwise is refused.

namespace {

constexpr int kMillimetres = 8;

struct Bounds {
    CString lower;
    CString upper;
};

// The two ends a refusal names, "... between A and B.", before the forms of the unit.
Bounds NamedBounds(const CString& refusal) {
    const int forms = refusal.Find("\n\n");
    CString range = refusal.Left(forms < 0 ? refusal.GetLength() : forms);
    range = range.Mid(range.Find(" between ") + 9);
    range.TrimRight('.');
    const int middle = range.Find(" and ");
    return {range.Left(middle), range.Mid(middle + 5)};
}

// A text a little beyond the bound that a decimal unit shows as the bound; none for a unit of
// feet and inches or a bound with a fraction.
CString Beyond(const CString& bound, double direction, int unit) {
    double value = 0.0;
    if (std::strstr(UnitTable[unit].name, "feet, ") != nullptr || !ReadNumberText(bound, value))
        return {};
    CString text;
    text.Format("%.4f", value + direction * 0.0004);
    return text;
}

class FieldBounds : public DialogsInProgram {
  protected:
    void SetUp() override {
        DialogsInProgram::SetUp();
        BuildEveryClass();
        Layout().m_bGridShown = 1;
        Layout().m_nPrintScaleChoice = 1;
    }

  public:
    template <class Object>
    Object& First(const char* className) {
        for (CPaint* member : Members())
            if (member->GetClassName() == className)
                return static_cast<Object&>(*member);
        throw std::runtime_error(className);
    }
    // Types over the field's text; an editable list's text is selected as its edit field is.
    void TypeOver(CWnd& page, UINT field, const CString& text) {
        auto* list = dynamic_cast<CComboBox*>(page.GetDlgItem(static_cast<int>(field)));
        if (list == nullptr)
            return Retype(page, field, text);
        ClickControl(page, field);
        list->SetEditSel(0, -1);
        host.Type(text);
    }
};

struct RangedField {
    const char* caption;
    UINT command;
    // The sheet's page or the properties dialog's tab the field lies on.
    int page;
    int tab;
    UINT field;
    const char* selected;
    std::function<double()> stored;
    bool length = true;
};

}  // namespace

TEST_F(FieldBounds, TheBoundsARefusalNamesAreTakenAsThoseBoundsInEveryUnit) {
    const auto bench = [this]() -> CBenchwork& { return First<CBenchwork>("CBenchwork"); };
    const auto terrain = [this]() -> CMount& { return First<CMount>("CMount"); };
    const RangedField fields[] = {
        {"Benchwork properties", ID_EDIT_PROPERTIES, -1, 1, IDC_BENCHWORK_ELEVATION, "CBenchwork",
         [&] { return bench().m_fElevation; }},
        {"Benchwork properties", ID_EDIT_PROPERTIES, -1, 1, IDC_BENCHWORK_THICKNESS, "CBenchwork",
         [&] { return bench().m_fThickness; }},
        {"Terrain properties", ID_EDIT_PROPERTIES, -1, 1, IDC_GRID_SPACING, "CMount",
         [&] { return terrain().m_fGridSpacing; }},
        {"Terrain properties", ID_EDIT_PROPERTIES, -1, 1, IDC_TEXTURE_SCALE, "CMount",
         [&] { return terrain().m_fTextureScale; }, false},
        {"3D Objects properties", ID_EDIT_PROPERTIES, -1, 0, IDC_3D_ELEVATION, "C3D",
         [this] { return First<C3D>("C3D").m_fElevation; }},
        {"3D Objects properties", ID_EDIT_PROPERTIES, -1, 0, IDC_3D_HEIGHT, "C3D",
         [this] { return First<C3D>("C3D").m_fHeight; }},
        {"3D Bitmap properties", ID_EDIT_PROPERTIES, -1, 0, IDC_3D_ELEVATION, "CSprite",
         [this] { return First<CSprite>("CSprite").m_fElevation; }},
        // At view scale 1 the default page fits, the largest does not.
        {"Document setup", ID_DOCUMENT_SETUP, -1, 0, IDC_SETUP_VIEW_SCALE, nullptr,
         [this] { return Layout().m_fViewScale; }, false},
        {"Document setup", ID_DOCUMENT_SETUP, -1, 0, IDC_SETUP_WIDTH, nullptr,
         [this] { return Layout().m_fPageWidth; }},
        {"Document setup", ID_DOCUMENT_SETUP, -1, 0, IDC_SETUP_PRINT_SCALE, nullptr,
         [this] { return Layout().m_fPrintScale; }, false},
        {"Preferences", ID_PREFERENCES, 0, 0, IDC_METRIC_GRID_WIDTH, nullptr,
         [this] { return static_cast<double>(Layout().m_nGridWidth); }},
        {"Preferences", ID_PREFERENCES, 2, 0, IDC_TRAIN_ELEVATION_GAP, nullptr,
         [this] { return Layout().m_limits.maxElevationGap; }},
        {"Preferences", ID_PREFERENCES, 2, 0, IDC_TRAIN_GRADE, nullptr,
         [this] { return Layout().m_limits.maxGrade; }, false},
        {"Preferences", ID_PREFERENCES, 2, 0, IDC_TRAIN_ANGLE, nullptr,
         [this] { return Layout().m_limits.maxAngle; }, false},
        {"Preferences", ID_PREFERENCES, 2, 0, IDC_TRAIN_BEND_DEFORMATION, nullptr,
         [this] { return Layout().m_limits.bendLimit; }, false},
        {"Preferences", ID_PREFERENCES, 3, 0, IDC_OTHER_SNAP_RANGE, nullptr,
         [this] { return Layout().m_tool.m_fSnapDistance; }},
        {"Preferences", ID_PREFERENCES, 3, 0, IDC_OTHER_HANDLE_SIZE, nullptr,
         [this] { return Layout().m_tool.m_fHandleSize; }, false},
    };
    for (const RangedField& row : fields) {
        SCOPED_TRACE(row.caption);
        SCOPED_TRACE(row.field);
        for (int unit = 0; unit < kUnitCount; ++unit) {
            if (!row.length && unit != kMillimetres)
                continue;
            SCOPED_TRACE(unit);
            Layout().m_nUnitIndex = unit;
            // Opens the dialog on the field's page, types the text and presses Enter; answers how
            // many boxes came up, each answered, and closes a dialog left open with Cancel.
            const auto type = [&](const CString& text, bool refused) {
                if (row.selected != nullptr)
                    SelectOnly(row.selected);
                const size_t boxes = host.MessageBoxes().size();
                host.WhenModal(row.caption, [&](CWnd& dialog) {
                    if (row.tab > 0)
                        DialogInput::ClickTab(host, dialog.GetDlgItem(IDC_PROPERTIES_TABS), row.tab);
                    TypeOver(row.tab > 0 ? static_cast<CWnd&>(
                                               *static_cast<C2DPropertyDialog&>(dialog).GetPage(row.tab))
                                         : Page(dialog, row.page),
                             row.field, text);
                    if (refused)
                        host.AnswerMessageBox(IDOK);
                    host.PressKey(VK_RETURN);
                    if (dialog.InModalLoop())
                        ClickControl(dialog, IDCANCEL);
                });
                ChooseFromMenu(row.command);
                return host.MessageBoxes().size() - boxes;
            };
            ASSERT_EQ(type("1e30", true), 1U);
            const Bounds bounds = NamedBounds(host.MessageBoxes().back().text);
            for (const auto& [bound, direction] :
                 {std::pair{bounds.lower, -1.0}, std::pair{bounds.upper, 1.0}}) {
                SCOPED_TRACE(bound);
                EXPECT_EQ(type(bound, false), 0U) << host.MessageBoxes().back().text;
                const double taken = row.stored();
                if (!row.length)
                    continue;
                const CLengthFormat lengths(unit);
                const auto shown = [&](const CString& text) {
                    double length = 0.0;
                    EXPECT_TRUE(lengths.ReadTypedLength(text, length)) << text;
                    CString shownText;
                    lengths.FormatLength(shownText, length);
                    return shownText;
                };
                CString shownTaken;
                lengths.FormatLength(shownTaken, taken);
                EXPECT_EQ(shownTaken, shown(bound));
                // Shown as the bound, it is the bound; else it is refused.
                const CString beyond = Beyond(bound, direction, unit);
                if (beyond.IsEmpty())
                    continue;
                const bool shownAsBound = shown(beyond) == shown(bound);
                EXPECT_EQ(type(beyond, !shownAsBound), shownAsBound ? 0U : 1U) << beyond;
                EXPECT_EQ(row.stored(), taken) << beyond;
            }
        }
    }
}
