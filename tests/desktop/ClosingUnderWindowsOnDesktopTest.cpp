// A layout closed under its print preview in the real program on a real X server.
#include <gtest/gtest.h>

#include "platform/win/AfxIds.h"
#include "resources/CommandIds.h"
#include "tests/desktop/ProgramOnDesktop.h"

namespace {
using namespace desktop;

class ClosingUnderWindowsOnDesktop : public ProgramOnDesktop {};

// The preview ends with its layout: Escape after Ctrl+F4 finds a program that opens a new
// layout and answers, and it ends cleanly, with no report on its error output.
TEST_F(ClosingUnderWindowsOnDesktop, CtrlF4UnderThePrintPreviewThenEscape) {
    const std::vector<MenuTitle> titles = LearnTitles();
    ASSERT_FALSE(titles.empty());
    const int preview = IndexOf(*titles.front().popup, ID_FILE_PRINT_PREVIEW);
    ASSERT_GE(preview, 0);
    ChooseItem(titles.front(), preview);
    m_session.Key("ctrl+F4");
    ASSERT_TRUE(
        m_session.WaitUntil([&] { return MainTitle().find("Untitled") == std::string::npos; }, kPatience))
        << "the layout stayed open: " << MainTitle();
    m_session.Key("Escape");
    m_session.Key("ctrl+n");
    ASSERT_TRUE(m_session.WaitUntil([&] { return MainShown(); }, kPatience)) << MainTitle();
    ExpectAnswers();
    ExpectCleanExit();
}

}  // namespace
