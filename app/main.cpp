#include <cstdlib>
#include <cstring>

#include "platform/host/Host.h"
#include "platform/win/CWnd.h"
#include "platform/win/WindowManager.h"

namespace {
// The main window until the program's own frame arrives: closing it ends the program.
class MainWindow : public CWnd {
protected:
    void OnDestroy() override {
        PostQuitMessage(0);
        CWnd::OnDestroy();
    }
};

bool Headless() {
    const char* value = std::getenv("CORVANE_HEADLESS");
    return value && std::strcmp(value, "1") == 0;
}
}  // namespace

int main() {
    auto host = Host::Create();
    MainWindow main;
    if (!main.Create(nullptr, "Corvane", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0),
                     nullptr, 0))
        return 1;
    if (Headless()) {
        // A batch run: the window exists and paints once, then the program ends.
        WindowManager::Instance().RunUntilIdle();
        main.DestroyWindow();
        return 0;
    }
    const int exitCode = host->Run();
    if (IsWindow(main)) main.DestroyWindow();
    return exitCode;
}
