// Point entry in the real program on a real X server, ended as a person ends it.
#include <gtest/gtest.h>

#include "platform/win/AfxIds.h"
#include "resources/CommandIds.h"
#include "tests/desktop/ProgramOnDesktop.h"

namespace {
using namespace desktop;

// The OK button of a box with only OK sits centred 12 pixels above the client's foot, 23 pixels
// high, inside a frame of 3.
constexpr int kOkAboveFoot = 3 + 12 + 23 / 2;

class PointEntryOnDesktop : public ProgramOnDesktop {
  protected:
    void ChooseTool(const std::vector<MenuTitle>& titles, UINT tool) {
        for (const MenuTitle& title : titles) {
            const int index = IndexOf(*title.popup, tool);
            if (index >= 0)
                return ChooseItem(title, index);
        }
        FAIL() << "no menu holds tool " << tool;
    }
    // One click per point, each once the program has handled what came before (the tool chosen);
    // the points lie too far apart for a double click.
    void ClickPoints(const std::vector<std::pair<int, int>>& points) {
        for (const auto& [x, y] : points) {
            m_session.WaitUntilSettled(kPatience);
            m_session.Click(x, y);
        }
    }
    static const MenuTitle* TitleHolding(const std::vector<MenuTitle>& titles, UINT command) {
        for (const MenuTitle& title : titles)
            if (IndexOf(*title.popup, command) >= 0)
                return &title;
        return nullptr;
    }
};

TEST_F(PointEntryOnDesktop, TheSelfCrossingMessageOfABenchworkEntryClosesOnAClickOnOK) {
    const std::vector<MenuTitle> titles = LearnTitles();
    ChooseTool(titles, ID_TOOL_BENCHWORK);
    ClickPoints({{300, 300}, {600, 550}, {600, 300}, {300, 550}});
    m_session.MovePointer(400, 450);
    m_session.Key("ctrl+a");
    ASSERT_TRUE(WaitUntilSettledWith([&] { return m_session.Dialogs().size() == 1; }))
        << "shown:" << DialogNames();
    const DesktopSession::TopLevel box = m_session.Dialogs().front();
    m_session.Click(box.x + box.width / 2, box.y + box.height - kOkAboveFoot);
    EXPECT_TRUE(m_session.WaitUntil([&] { return m_session.Dialogs().empty(); }, kPatience))
        << "the box took no click; shown:" << DialogNames();
    ASSERT_TRUE(CancelDialogs());
    ExpectAnswers();
    ExpectCleanExit();
}

TEST_F(PointEntryOnDesktop, AMenuClickedDuringTerrainEntryOpensBeforeTheTerrainDialogAndOnlyOnce) {
    const std::vector<MenuTitle> titles = LearnTitles();
    const MenuTitle* draw = TitleHolding(titles, ID_TOOL_BOX);
    const MenuTitle* file = TitleHolding(titles, ID_FILE_OPEN);
    ASSERT_TRUE(draw != nullptr && file != nullptr);
    ChooseTool(titles, ID_TOOL_TERRAIN);
    ClickPoints({{300, 300}, {600, 300}, {600, 500}});
    m_session.MovePointer(450, 550);
    m_session.WaitUntilSettled(kPatience);
    // The click on the menu's title opens the menu, not the terrain's dialog.
    m_session.Click(draw->clickX, draw->clickY);
    ASSERT_TRUE(m_session.WaitUntil([&] { return PopupOpen() || !m_session.Dialogs().empty(); }, kPatience));
    ASSERT_TRUE(PopupOpen()) << "shown instead:" << DialogNames();
    const DesktopSession::TopLevel menu = m_session.Popups().front();
    m_session.Click(menu.x + menu.width / 2,
                    ItemCentreY(*draw->popup, IndexOf(*draw->popup, ID_TOOL_BOX), menu.y));
    // Box chosen, the entry ends with the terrain's dialog; no menu comes back after it.
    ASSERT_TRUE(m_session.WaitUntil([&] { return m_session.Dialogs().size() == 1; }, kPatience))
        << "shown:" << DialogNames();
    EXPECT_EQ(m_session.Dialogs().front().name, "Terrain properties");
    EXPECT_FALSE(PopupOpen());
    ASSERT_TRUE(CancelDialogs());
    EXPECT_FALSE(PopupOpen()) << "a menu opened after the dialog";
    // The next click on a title opens that title's menu.
    m_session.Click(file->clickX, file->clickY);
    ASSERT_TRUE(WaitForPopup(true)) << "the click after the dialog was lost";
    EXPECT_NEAR(m_session.Popups().front().x, file->clickX - 8, 2);
    CloseMenus();
    ExpectAnswers();
    ExpectCleanExit();
}

}  // namespace
