#include <set>
#include <utility>

#include "tests/desktop/ProgramOnDesktop.h"

namespace desktop {
namespace {

// Far more colours than the plan's and a dialog's frames, controls and text hold: a shaded 3D picture.
constexpr size_t kShadedColours = 400;
// The terrain's mesh, as the preview draws it: many pixels of a green no control is drawn in.
constexpr int kMeshPixels = 200;

// The program with its cache home on a full disk, where any cache written through a memory map
// would fault.
class FullDiskOnDesktop : public ProgramOnDesktop {
  protected:
    std::string StartProgram() override { return m_session.StartProgramOnFullDisk(); }

    size_t ColoursIn(const DesktopSession::TopLevel& window) {
        const std::vector<unsigned long> pixels =
            m_session.Pixels(window.x, window.y, window.width, window.height);
        return std::set<unsigned long>(pixels.begin(), pixels.end()).size();
    }

    // What a failure says of the program's end.
    std::string Ended() {
        const int code = m_session.WaitForExit(milliseconds(0));
        return code < 0 ? "the program runs" : "the program ended with " + std::to_string(code);
    }

    int GreenPixelsIn(const DesktopSession::TopLevel& window) {
        int green = 0;
        for (const unsigned long pixel : m_session.Pixels(window.x, window.y, window.width, window.height)) {
            const int r = static_cast<int>(pixel >> 16 & 0xFF), g = static_cast<int>(pixel >> 8 & 0xFF),
                      b = static_cast<int>(pixel & 0xFF);
            green += g > r + 32 && g > b + 32;
        }
        return green;
    }

    // Three corners clicked with the Terrain tool; choosing another tool ends the outline, and the
    // terrain keeps the properties proposed, selected.
    void MakeTerrain(const DesktopSession::TopLevel& main) {
        Choose(ID_TOOL_TERRAIN);
        for (const auto& [dx, dy] : {std::pair{-200, 150}, {200, 150}, {200, -150}}) {
            m_session.WaitUntilSettled(kPatience);
            m_session.Click(main.x + main.width / 2 + dx, main.y + main.height / 2 + dy);
        }
        m_session.WaitUntilSettled(kPatience);
        Choose(ID_TOOL_SELECTOR);
        ASSERT_TRUE(WaitUntilSettledWith([&] { return DialogNames() == " \"Terrain properties\""; }));
        m_session.Key("Return");
        ASSERT_TRUE(WaitUntilSettledWith([&] { return m_session.Dialogs().empty(); }));
    }
};

TEST_F(FullDiskOnDesktop, TheTerrainEditorsPreviewAndThe3DViewDrawAndTheProgramGoesOn) {
    DesktopSession::TopLevel main;
    ASSERT_TRUE(m_session.FindMainWindow(main));
    ASSERT_NO_FATAL_FAILURE(MakeTerrain(main));
    Choose(ID_TERRAIN_EDITOR);
    ASSERT_TRUE(WaitUntilSettledWith([&] { return DialogNames() == " \"Terrain Editor\""; }))
        << "shown:" << DialogNames() << "; " << Ended();
    const DesktopSession::TopLevel editor = m_session.Dialogs().front();
    EXPECT_TRUE(m_session.WaitUntil([&] { return GreenPixelsIn(editor) > kMeshPixels; }, kPatience))
        << "the preview drew nothing; " << Ended();
    ASSERT_TRUE(CancelDialogs());

    Choose(ID_SHOW_3D_VIEW);
    EXPECT_TRUE(m_session.WaitUntil([&] { return ColoursIn(main) > kShadedColours; }, kPatience))
        << "the 3D view drew nothing; " << Ended();
    ExpectAnswers();
    ExpectCleanExit();
}

}  // namespace
}  // namespace desktop
