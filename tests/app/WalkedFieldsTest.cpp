#include <algorithm>
#include <cctype>
#include <iostream>
#include <string>

#include "tests/app/WalkedFieldsInProgram.h"
#include "tests/app/WalkedUnits.h"
#include "tests/support/WalkPart.h"

namespace {

class WalkedFields : public WalkedFieldsInProgram, public WalkPart {};

// The walk on a layout kept in each unit.
class BoundedFields : public WalkedFieldsInProgram, public testing::WithParamInterface<int> {
  protected:
    void ShapeLayout() override { Layout().m_nUnitIndex = GetParam(); }
};

std::string UnitName(const testing::TestParamInfo<int>& info) {
    std::string name = UnitTable[info.param].name;
    std::replace_if(
        name.begin(), name.end(),
        [](char letter) { return !std::isalnum(static_cast<unsigned char>(letter)); }, '_');
    return name;
}

}  // namespace

TEST_P(WalkedFields, EveryFieldKeepsWhatIsLeftTakesWhatItNamesAndRefusesTheRest) {
    WalkMenuCommands([this](UINT command, const std::string& selected) { Discover(command, selected); });
    for (const Route& tool : tools) DiscoverPasses(tool);
    std::cout << places.size() << " fields in " << dialogs << " dialogs\n";
    RecordProperty("fields", static_cast<int>(places.size()));
    for (size_t ordinal = 0; ordinal < places.size(); ++ordinal) {
        const FieldPlace& place = places[ordinal];
        if (!Takes(static_cast<int>(ordinal)))
            continue;
        Restore(place.route.selected);
        const std::vector<BYTE> before = Kept(place);
        const size_t boxes = host.MessageBoxes().size();
        Work(place, [&](CWnd& dialog, CWnd& field) {
            host.ClickClient(&field, CPoint(3, 3));
            host.PressKey(VK_TAB);
            ClickConfirming(dialog);
        });
        if (!IsActing(place)) {
            if (host.MessageBoxes().size() != boxes)
                ADD_FAILURE() << place
                              << ": left and confirmed untouched, it is refused: " << LastBoxText().c_str();
            else if (Kept(place) != before || Layout().IsModified())
                ADD_FAILURE() << place << ": left and confirmed untouched, it changes the layout";
        }
        const CString word = Typed(place, "abc");
        if (word.IsEmpty()) {
            // A field of words shows the words it took.
            if (!IsActing(place) && Shown(place) != "abc")
                ADD_FAILURE() << place << ": takes abc but shows " << Shown(place).c_str();
            continue;
        }
        CString low;
        CString high;
        bool named = NamedBounds(word, low, high);
        for (const char* huge : {"1e30", "-1e30"}) {
            const CString refusal = Typed(place, huge);
            if (refusal.IsEmpty())
                ADD_FAILURE() << place << ": takes " << huge;
            named = named || NamedBounds(refusal, low, high);
        }
        // A wizard field's bounds make a piece only with what the page's other fields hold, and
        // the pages keep what was placed: its own walk sets those fields for each bound.
        if (!named || place.route.command == ID_TRACK_WIZARD)
            continue;
        for (const CString& bound : {low, high}) {
            const CString refusal = Typed(place, bound);
            const CString shown = refusal.IsEmpty() && !IsActing(place) ? Shown(place) : bound;
            if (!refusal.IsEmpty())
                ADD_FAILURE() << place << ": refuses the bound " << bound.c_str()
                              << " it names: " << refusal.c_str();
            else if (!ShowsValue(shown, bound, Layout().GetUnitIndex()))
                ADD_FAILURE() << place << ": takes " << bound.c_str() << " but shows " << shown.c_str();
        }
    }
    // The layout left as built, so closing the program asks nothing.
    Restore("");
}

// A field takes the bounds its refusal names, in every unit, and refuses a thousandth beyond
// either; a plain number's bounds, the same in every unit, are walked in the default one.
TEST_P(BoundedFields, EveryBoundedFieldTakesItsNamedBoundsAndRefusesAThousandthBeyond) {
    const int unit = GetParam();
    WalkMenuCommands([this](UINT command, const std::string& selected) { Discover(command, selected); });
    for (const Route& tool : tools) DiscoverPasses(tool);
    for (const FieldPlace& place : places) {
        const CString word = Typed(place, "abc");
        const bool length = word.Find("\n\n") >= 0;
        CString low;
        CString high;
        if (place.route.command == ID_TRACK_WIZARD || (unit != kDefaultUnitIndex && !length) ||
            !(NamedBounds(word, low, high) || NamedBounds(Typed(place, "1e30"), low, high)))
            continue;
        for (const CString& bound : {low, high})
            if (const CString refusal = Typed(place, bound); !refusal.IsEmpty())
                ADD_FAILURE() << place << ": refuses the bound " << bound.c_str()
                              << " it names: " << refusal.c_str();
        for (const CString& beyond :
             {ThousandthBeyond(low, -1.0, length, unit), ThousandthBeyond(high, 1.0, length, unit)})
            if (Typed(place, beyond).IsEmpty())
                ADD_FAILURE() << place << ": takes " << beyond.c_str() << " beyond the bounds it names, "
                              << low.c_str() << " and " << high.c_str();
    }
    Restore("");
}

INSTANTIATE_TEST_SUITE_P(EachPart, WalkedFields, testing::Range(0, kWalkParts));
INSTANTIATE_TEST_SUITE_P(EachUnit, BoundedFields, testing::ValuesIn(WalkedUnits()), UnitName);
