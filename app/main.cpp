#include <cstdlib>
#include <cstring>

#include "app/CCVNApp.h"
#include "platform/base/HugePageHeap.h"
#include "platform/host/Host.h"
#include "platform/win/CWnd.h"
#include "platform/win/WindowManager.h"

namespace {
bool Headless() {
    const char* value = std::getenv("CORVANE_HEADLESS");
    return value && std::strcmp(value, "1") == 0;
}
}  // namespace

int main(int argc, char** argv) {
    RestartWithHugePageHeap(argv);
    // The desktop host shows windows from their pixels; a GL-backed window surface would
    // clash with the 3D library's own GL context.
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    auto host = Host::Create();
    if (!host)
        return EXIT_FAILURE;
    CCVNApp app;
    app.SetCommandLine(argc, argv);
    if (!app.InitApplication() || !app.InitInstance()) {
        // A print start ends here too, once the layout is printed.
        if (IsWindow(app.m_pMainWnd))
            app.m_pMainWnd->DestroyWindow();
        return app.ExitInstance();
    }
    if (Headless()) {
        // A batch run: the program comes up, paints once and ends.
        WindowManager::Instance().RunUntilIdle();
        if (IsWindow(app.m_pMainWnd))
            app.m_pMainWnd->DestroyWindow();
        return app.ExitInstance();
    }
    return app.Run();
}
