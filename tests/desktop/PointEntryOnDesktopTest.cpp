// Point entry in the real program on a real X server, ended as a person ends it.
#include <gtest/gtest.h>

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
    // One click per point, too far apart in time for a double click.
    void ClickPoints(const std::vector<std::pair<int, int>>& points) {
        for (const auto& [x, y] : points) {
            m_session.Pause(milliseconds(700));
            m_session.Click(x, y);
        }
    }
};

TEST_F(PointEntryOnDesktop, TheSelfCrossingMessageOfABenchworkEntryClosesOnAClickOnOK) {
    const std::vector<MenuTitle> titles = LearnTitles();
    ChooseTool(titles, ID_TOOL_BENCHWORK);
    ClickPoints({{300, 300}, {600, 550}, {600, 300}, {300, 550}});
    m_session.MovePointer(400, 450);
    m_session.Key("ctrl+a");
    ASSERT_TRUE(m_session.WaitUntil([&] { return m_session.Dialogs().size() == 1; }, kPatience))
        << "shown:" << DialogNames();
    const DesktopSession::TopLevel box = m_session.Dialogs().front();
    m_session.Click(box.x + box.width / 2, box.y + box.height - kOkAboveFoot);
    EXPECT_TRUE(m_session.WaitUntil([&] { return m_session.Dialogs().empty(); }, kPatience))
        << "the box took no click; shown:" << DialogNames();
    ASSERT_TRUE(CancelDialogs());
    ExpectAnswers();
    ExpectCleanExit();
}

}  // namespace
