#include <cstdlib>
#include <cstring>

#include "app/CCVNApp.h"
#include "platform/host/Host.h"
#include "platform/win/CWnd.h"
#include "platform/win/WindowManager.h"

namespace {
bool Headless() {
    const char* value = std::getenv("CORVANE_HEADLESS");
    return value && std::strcmp(value, "1") == 0;
}

// The 3D driver keeps a shader cache of its own in the user's cache home and writes it through a
// memory map: once that disk is full the write faults and ends the program, however much room
// there was when the map was made. The program's few shaders compile quickly, so the driver keeps
// none, unless the person chose otherwise. Set before any thread runs, as the environment is
// shared by all of them.
void TurnOffDriverShaderCache() {
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    // The older name, for drivers that know no other.
    setenv("MESA_GLSL_CACHE_DISABLE", "true", 0);
}
}  // namespace

int main(int argc, char** argv) {
    TurnOffDriverShaderCache();
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
