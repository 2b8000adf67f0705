#include <gtest/gtest.h>

#include <SDL.h>

#include <csignal>
#include <cstdlib>
#include <functional>

#include "platform/base/CProfile.h"
#include "platform/ctl/CMessageBoxWnd.h"
#include "platform/host/SdlHost.h"
#include "platform/win/CDocTemplate.h"
#include "platform/win/CMenuPopupWnd.h"
#include "platform/win/MessageBoxes.h"
#include "platform/win/WindowManager.h"
#include "tests/host/SampleMdiApp.h"
#include "tests/support/TestFolder.h"

using namespace sample;

namespace {
WindowManager& Manager() {
    return WindowManager::Instance();
}

// The person at the desktop: looks at the screen on every tick of a timer, and answers the save
// question with answer (none when it is 0) once whatever beforeAnswer did is done. Other windows are left
// alone. A program that has not ended after a few seconds is given up on.
class DesktopUser : public CWnd {
  public:
    int answer = IDNO;
    std::function<void()> onFirstTick;
    std::function<void()> beforeAnswer;
    std::vector<CString> questions;

  protected:
    void OnTimer(UINT_PTR) override {
        if (++m_ticks > kPatienceTicks)
            PostQuitMessage(-1);
        if (onFirstTick) {
            const std::function<void()> step = std::move(onFirstTick);
            onFirstTick = nullptr;
            step();
            return;
        }
        auto* box = dynamic_cast<CMessageBoxWnd*>(Manager().GetActiveWindow());
        if (box == nullptr || box->Text().Find("Save changes") != 0 || !box->InModalLoop())
            return;
        questions.push_back(box->Text());
        if (beforeAnswer)
            beforeAnswer();
        if (answer != 0)
            box->EndModalLoop(answer);
    }

  private:
    static constexpr int kPatienceTicks = 600;
    int m_ticks = 0;
};

// The sample program on SDL's dummy video driver, with a modified sketch open; the test sends
// what the desktop sends and runs the program's loop until it ends.
class SdlHostClosing : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        Manager().Reset();
        host = std::make_unique<SdlHost>();
        if (!host->Opened())
            GTEST_SKIP() << "SDL has no dummy video driver here";
        CProfile::Program().SetPath(folder / "corvane.ini");
        ASSERT_TRUE(app.InitInstance());
        app.OnFileNew();
        Document()->points.emplace_back(5, 5);
        Document()->SetModifiedFlag();
        ASSERT_TRUE(user.Create(nullptr, "User", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0));
        user.SetTimer(1, 5);
        Manager().RunUntilIdle();
    }
    void TearDown() override {
        if (IsWindow(app.m_pMainWnd)) {
            Document()->SetModifiedFlag(FALSE);
            app.m_pMainWnd->SendMessage(WM_CLOSE);
        }
        if (IsWindow(&user))
            user.DestroyWindow();
        host.reset();
        Manager().ClearQuit();
        CProfile::Program().SetPath(CProfile::DefaultPath());
    }

    SketchDoc* Document() {
        const std::vector<CDocument*>& documents = app.Templates().front()->Documents();
        return documents.empty() ? nullptr : static_cast<SketchDoc*>(documents.front());
    }
    // What the desktop sends when the window manager's close button or Alt+F4 closes the window.
    void DesktopClose(CWnd* window) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.event = SDL_WINDOWEVENT_CLOSE;
        event.window.windowID = host->SdlWindowId(window);
        host->HandleEvent(event);
    }
    void ProgramQuit() {
        SDL_Event event{};
        event.type = SDL_QUIT;
        host->HandleEvent(event);
    }
    void ExpectEndedAfterOneQuestion() {
        EXPECT_EQ(user.questions, std::vector<CString>{"Save changes to Sketch1?"});
        EXPECT_EQ(app.m_pMainWnd, nullptr);
        EXPECT_TRUE(app.Templates().front()->Documents().empty());
    }

    TestFolder folder;
    std::unique_ptr<SdlHost> host;
    SampleApp app;
    DesktopUser user;
};
}  // namespace

TEST_F(SdlHostClosing, RepeatedCloseRequestsAskOnceAndEndTheProgramAfterTheAnswer) {
    // The window manager's close may come twice before the program looks, and more often while
    // the question is up; the program quit (a signal) may join in.
    DesktopClose(app.m_pMainWnd);
    DesktopClose(app.m_pMainWnd);
    user.beforeAnswer = [this] {
        DesktopClose(app.m_pMainWnd);
        ProgramQuit();
        Manager().RunUntilIdle();
    };
    host->Run();
    ExpectEndedAfterOneQuestion();
}

TEST_F(SdlHostClosing, ASignalCancelsTheOpenDialogAndEndsWithoutAskingAboutChanges) {
    struct sigaction current {};
    sigaction(SIGTERM, nullptr, &current);
    ASSERT_NE(current.sa_handler, SIG_DFL) << "the desktop host catches the termination signal";
    int dialogAnswer = 0;
    int laterAnswer = 0;
    user.onFirstTick = [&] {
        std::raise(SIGTERM);
        dialogAnswer = AfxMessageBox("Busy", MB_OKCANCEL);
        // A dialog the program opens on its way out does not hold it up either.
        laterAnswer = AfxMessageBox("Still busy", MB_OKCANCEL);
    };
    // The program ends with the status of one ended by the signal.
    EXPECT_EQ(host->Run(), 128 + SIGTERM);
    EXPECT_EQ(dialogAnswer, IDCANCEL);
    EXPECT_EQ(laterAnswer, IDCANCEL);
    EXPECT_TRUE(user.questions.empty());
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_TRUE(app.Templates().front()->Documents().empty());
}

TEST_F(SdlHostClosing, AnInterruptFromTheTerminalEndsTheProgramAsTheTerminationSignalDoes) {
    struct sigaction current {};
    sigaction(SIGINT, nullptr, &current);
    ASSERT_NE(current.sa_handler, SIG_DFL) << "the desktop host catches the interrupt";
    int dialogAnswer = 0;
    user.onFirstTick = [&] {
        std::raise(SIGINT);
        dialogAnswer = AfxMessageBox("Busy", MB_OKCANCEL);
    };
    EXPECT_EQ(host->Run(), 128 + SIGINT);
    EXPECT_EQ(dialogAnswer, IDCANCEL);
    EXPECT_TRUE(user.questions.empty());
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_TRUE(app.Templates().front()->Documents().empty());
}

TEST_F(SdlHostClosing, ASignalWhileTheProgramAsksAboutChangesEndsIt) {
    // Nobody answers the question: the signal ends it, and no second one comes.
    user.answer = 0;
    user.beforeAnswer = [this] {
        if (user.questions.size() == 1)
            std::raise(SIGTERM);
    };
    DesktopClose(app.m_pMainWnd);
    EXPECT_EQ(host->Run(), 128 + SIGTERM);
    ExpectEndedAfterOneQuestion();
}

TEST_F(SdlHostClosing, AltF4TakenByTheWindowManagerOpensNoMenu) {
    // The window manager keeps the F4 of its Alt+F4: the program sees Alt go down, the close
    // request, and Alt come up, which alone would be a tap of Alt that opens the menu bar.
    const auto altKey = [this](Uint32 type) {
        SDL_Event event{};
        event.type = type;
        event.key.keysym.sym = SDLK_LALT;
        event.key.keysym.mod = type == SDL_KEYDOWN ? KMOD_LALT : KMOD_NONE;
        host->HandleEvent(event);
    };
    bool menuOpen = false;
    user.beforeAnswer = [&] { menuOpen = CMenuPopupWnd::Current() != nullptr; };
    altKey(SDL_KEYDOWN);
    DesktopClose(app.m_pMainWnd);
    altKey(SDL_KEYUP);
    host->Run();
    EXPECT_FALSE(menuOpen);
    ExpectEndedAfterOneQuestion();
}
