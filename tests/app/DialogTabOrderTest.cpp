#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/base/CWinPath.h"
#include "platform/cdlg/CColorDialog.h"
#include "platform/cdlg/CFontDialog.h"
#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/CDialog.h"
#include "platform/ctl/CPropertySheet.h"
#include "platform/gdi/PixelSurface.h"
#include "tests/app/EveryClassLayout.h"
#include "tests/app/EveryDialogTemplate.h"
#include "view3d/CTrainPropertyDialog.h"

// Tab and Shift+Tab visit every shown, enabled tab stop of every dialog the program opens once
// a round, in the order of its template and into the pages it shows, and each stop shows that
// it has the focus.

namespace {

bool Is(const DialogItem& item, const char* className) {
    return CString(item.className).CompareNoCase(className) == 0;
}
bool IsRadio(const DialogItem& item) {
    const DWORD kind = item.style & BS_TYPEMASK;
    return Is(item, WC_BUTTON) && (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON);
}
bool CanTakeFocus(CWnd* control) {
    return control != nullptr && control->IsWindowVisible() && control->IsWindowEnabled();
}

// The button of items[at]'s radio group that Tab stops at: the checked one of those that can
// take the focus, else the first of them; none when no button of the group is a tab stop.
CWnd* RadioGroupStop(CDialog& dialog, const std::vector<DialogItem>& items, std::size_t at) {
    std::size_t first = at;
    while (first > 0 && (items[first].style & WS_GROUP) == 0) --first;
    std::size_t end = at + 1;
    while (end < items.size() && (items[end].style & WS_GROUP) == 0) ++end;
    std::vector<CWnd*> radios;
    bool tabStop = false;
    for (std::size_t i = first; i < end; ++i) {
        if (!IsRadio(items[i]))
            continue;
        tabStop = tabStop || (items[i].style & WS_TABSTOP);
        if (CWnd* radio = dialog.GetDlgItem(static_cast<int>(items[i].id)); CanTakeFocus(radio))
            radios.push_back(radio);
    }
    if (!tabStop || radios.empty())
        return nullptr;
    const auto checked = std::find_if(radios.begin(), radios.end(),
                                      [](CWnd* radio) { return radio->SendMessage(BM_GETCHECK); });
    return checked != radios.end() ? *checked : radios.front();
}

bool IsStop(CDialog& dialog, const std::vector<DialogItem>& items, std::size_t at, CWnd* control) {
    const DialogItem& item = items[at];
    if (!CanTakeFocus(control) || (Is(item, WC_BUTTON) && (item.style & BS_TYPEMASK) == BS_GROUPBOX))
        return false;
    if (IsRadio(item))
        return RadioGroupStop(dialog, items, at) == control;
    return (item.style & WS_TABSTOP) != 0;
}

// The pages a tab control shows: dialogs inside it, or beside it in its dialog.
std::vector<CDialog*> PagesShownBy(CDialog& dialog, CWnd& tabs) {
    std::vector<CDialog*> pages;
    for (const CWnd* parent : {static_cast<CWnd*>(&tabs), static_cast<CWnd*>(&dialog)})
        for (CWnd* child : parent->Children())
            if (auto* page = dynamic_cast<CDialog*>(child); page != nullptr && page->IsWindowVisible())
                pages.push_back(page);
    return pages;
}

// The tab stops in the order the template lists them, a page's after the tab control that shows
// it, and after them the stops the program added beside the template's.
void AddStops(CDialog& dialog, std::vector<CWnd*>& stops) {
    const std::vector<DialogItem>& items = dialog.GetTemplate()->items;
    std::set<CWnd*> listed;
    for (std::size_t at = 0; at < items.size(); ++at) {
        CWnd* control = items[at].id != 0 ? dialog.GetDlgItem(static_cast<int>(items[at].id)) : nullptr;
        if (control == nullptr)
            continue;
        listed.insert(control);
        if (IsStop(dialog, items, at, control))
            stops.push_back(control);
        if (Is(items[at], WC_TABCONTROL))
            for (CDialog* page : PagesShownBy(dialog, *control)) AddStops(*page, stops);
    }
    for (CWnd* child : dialog.Children())
        if (!listed.contains(child) && dynamic_cast<CDialog*>(child) == nullptr && CanTakeFocus(child) &&
            (child->GetStyle() & WS_TABSTOP))
            stops.push_back(child);
}

std::string Named(CWnd* control) {
    if (control == nullptr)
        return "nothing";
    CString text;
    control->GetWindowText(text);
    return std::to_string(control->GetDlgCtrlID()) + " \"" + text.c_str() + "\"";
}

// Where Tab (with Shift, backwards) should take the focus from where it is now.
CWnd* NextStop(CDialog& dialog, bool backwards) {
    std::vector<CWnd*> stops;
    AddStops(dialog, stops);
    const auto at = std::find(stops.begin(), stops.end(), CWnd::GetFocus());
    if (at == stops.end())
        return nullptr;
    const std::size_t count = stops.size();
    const std::size_t index = static_cast<std::size_t>(at - stops.begin());
    return stops[(index + (backwards ? count - 1 : 1)) % count];
}

class DialogTabOrder : public EveryClassLayout {
  protected:
    // The pixels of the control where it shows in its dialog.
    static std::vector<std::uint32_t> Look(CWnd* control) {
        std::vector<std::uint32_t> look;
        if (control == nullptr)
            return look;
        CWnd* top = control->GetTopLevelParent();
        const PixelSurface& pixels = *top->Surface();
        CRect place, frame;
        control->GetWindowRect(&place);
        top->GetWindowRect(&frame);
        place.OffsetRect(-frame.left, -frame.top);
        place &= CRect(0, 0, pixels.Width(), pixels.Height());
        for (int y = place.top; y < place.bottom; ++y)
            for (int x = place.left; x < place.right; ++x) look.push_back(pixels.At(x, y));
        return look;
    }
    // Presses Tab as often as the dialog has stops, then Shift+Tab as often: each press must take
    // the focus to the next stop the template gives (the held marks of a track's fields move as
    // the fields take the focus, so each step is worked out where it starts). With looks, each
    // control must look different as the focus leaves it.
    void ExpectRoundsThrough(CDialog& dialog, bool looks) {
        std::vector<CWnd*> stops;
        AddStops(dialog, stops);
        if (stops.empty())
            return;
        ASSERT_NE(std::find(stops.begin(), stops.end(), CWnd::GetFocus()), stops.end())
            << "the focus starts on " << Named(CWnd::GetFocus());
        std::vector<std::string> visited, wanted, unseen;
        for (bool backwards : {false, true}) {
            if (backwards)
                host.KeyDown(VK_SHIFT);
            for (std::size_t press = 0; press < stops.size(); ++press) {
                CWnd* left = CWnd::GetFocus();
                const std::vector<std::uint32_t> focused = Look(left);
                wanted.push_back(Named(NextStop(dialog, backwards)));
                host.PressKey(VK_TAB);
                host.RunUntilIdle();
                visited.push_back(Named(CWnd::GetFocus()));
                if (looks && CWnd::GetFocus() != left && Look(left) == focused)
                    unseen.push_back(Named(left));
            }
            if (backwards)
                host.KeyUp(VK_SHIFT);
        }
        EXPECT_EQ(visited, wanted);
        EXPECT_EQ(unseen, std::vector<std::string>{}) << "the focus did not show on these";
        ++m_dialogs;
    }
    // A property sheet is walked on each of its pages, turned with Ctrl+Tab.
    void ExpectEveryPageRoundsThrough(CDialog& dialog, bool looks) {
        auto* sheet = dynamic_cast<CPropertySheet*>(&dialog);
        const int pages = sheet != nullptr ? sheet->GetPageCount() : 1;
        for (int page = 0; page < pages; ++page) {
            SCOPED_TRACE(testing::Message() << "page " << page);
            if (page > 0) {
                host.KeyDown(VK_CONTROL);
                host.PressKey(VK_TAB);
                host.KeyUp(VK_CONTROL);
            }
            ExpectRoundsThrough(dialog, looks);
        }
    }
    // Opens a dialog with open (the first to open, or the one with the caption), walks it and
    // closes it with Escape.
    void Walk(const std::string& name, const std::function<void()>& open, bool looks = true,
              const char* caption = "") {
        SCOPED_TRACE(name);
        bool opened = false;
        host.WhenModal(caption, [&](CWnd& modal) {
            opened = true;
            auto& dialog = dynamic_cast<CDialog&>(modal);
            m_walked.insert(dialog.GetTemplateId());
            ExpectEveryPageRoundsThrough(dialog, looks);
            host.PressKey(VK_ESCAPE);
        });
        open();
        EXPECT_TRUE(opened);
    }
    // The tool parameters stay open beside the plan; a click on it gives it the keys.
    void WalkToolParameters() {
        SCOPED_TRACE("Tool parameters");
        Command(ID_TOOL_PARAMETERS);
        CDialog& dialog = Main().GetToolParametersDialog();
        ASSERT_TRUE(dialog.IsWindowVisible());
        host.ClickClient(&dialog, CPoint(1, 1));
        m_walked.insert(dialog.GetTemplateId());
        ExpectRoundsThrough(dialog, true);
        Command(ID_TOOL_PARAMETERS);
    }
    void WalkCommand(const char* name, UINT command) {
        Walk(name, [&] { Command(command); });
    }
    // Opens the properties of the member alone selected.
    void WalkProperties(CPaint* member) {
        Select(member);
        Walk(std::string("properties of ") + member->GetClassName().c_str(),
             [this] { Command(ID_EDIT_PROPERTIES); });
    }
    void Select(CPaint* member) {
        Layout().m_tool.DeselectAll(0, 0);
        member->SelectWithUndo(0, 0);
    }
    CPaint* FirstOf(const char* className) {
        for (CPaint* member : Members())
            if (member->GetClassName() == className)
                return member;
        return nullptr;
    }
    int m_dialogs = 0;
    std::set<UINT> m_walked;
};

}  // namespace

// The program's dialogs as it opens them; then the templates it showed none of, as they are.
TEST_F(DialogTabOrder, EveryDialogTabsThroughEachShownStopOnceEachWay) {
    std::ofstream(folder / "parts.cvp", std::ios::binary) << "Track;Acme;HO;S;D;1;1;1.00;N;\r\n";
    Layout().m_strPartsPath = CWinPath::FromReal(folder / "parts.cvp");
    for (const auto& [name, command] : {std::pair<const char*, UINT>{"About", ID_APP_ABOUT},
                                        {"Document setup", ID_DOCUMENT_SETUP},
                                        {"Preferences", ID_PREFERENCES},
                                        {"Layers", ID_LAYERS},
                                        {"Materials report", ID_MATERIALS_REPORT},
                                        {"Parts list", ID_PARTS_LIST},
                                        {"Track wizard", ID_TRACK_WIZARD},
                                        {"Open", ID_FILE_OPEN},
                                        {"Save as", ID_FILE_SAVE_AS},
                                        {"Print setup", ID_FILE_PRINT_SETUP},
                                        {"Print", ID_FILE_PRINT}})
        WalkCommand(name, command);
    WalkToolParameters();
    // The colour and font pickers, as a colour button and a text's dialog open them.
    Walk("Color", [&] { CColorDialog(RGB(0, 0, 255), CC_RGBINIT, &Main()).DoModal(); });
    Walk("Font", [&] { CFontDialog(nullptr, CF_SCREENFONTS | CF_EFFECTS, nullptr, &Main()).DoModal(); });
    BuildEveryClass();
    for (CPaint* member : std::vector<CPaint*>(Members().begin(), Members().end())) WalkProperties(member);
    Select(FirstOf("CTrack"));
    WalkCommand("Rotate by degrees", ID_ROTATE_BY_DEGREES);
    Walk(
        "More properties",
        [&] {
            host.WhenModal("Track properties", [&](CWnd& track) {
                host.ClickClient(track.GetDlgItem(IDC_TRACK_MORE), CPoint(3, 3));
                host.PressKey(VK_ESCAPE);
            });
            Command(ID_EDIT_PROPERTIES);
        },
        true, "More properties");
    Walk("Train properties", [&] { CTrainPropertyDialog(&Main()).DoModal(); });
    Select(FirstOf("CMount"));
    WalkCommand("Terrain editor", ID_TERRAIN_EDITOR);
    for (const DialogTemplate* dialogTemplate : EveryDialogTemplate()) {
        if ((dialogTemplate->style & WS_CHILD) || m_walked.contains(dialogTemplate->id))
            continue;
        // Owner-drawn controls and empty lists show what the program gives them: only the order
        // is the template's own.
        Walk(
            std::string("template ") + std::to_string(dialogTemplate->id),
            [&] { CDialog(*dialogTemplate, &Main()).DoModal(); }, false);
    }
    // Each page of a sheet counts: the walk reached them all.
    EXPECT_GE(m_dialogs, 62);
}
