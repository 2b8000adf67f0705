// The sample MDI program on the desktop host, for looking at it: two sketches tiled in the main
// frame, one with a few strokes and the grid. Ends after the seconds given (default 5).
#include <cstdlib>
#include <filesystem>

#include "platform/base/CProfile.h"
#include "platform/host/SdlHost.h"
#include "tests/host/SampleMdiApp.h"

namespace {
class QuitTimer : public CWnd {
  protected:
    void OnTimer(UINT_PTR) override { PostQuitMessage(0); }
};
}  // namespace

int main(int argc, char** argv) {
    SdlHost host;
    if (!host.Opened())
        return 1;
    CProfile::Program().SetPath(std::filesystem::temp_directory_path() / "corvane-sample-desktop.ini");
    sample::SampleApp app;
    if (!app.InitInstance())
        return 1;
    app.OnFileNew();
    app.OnFileNew();
    app.Main()->MDITile();
    if (auto* view = dynamic_cast<sample::SketchView*>(app.Main()->GetActiveFrame()->GetActiveView())) {
        view->GetDocument()->points = {CPoint(20, 20), CPoint(120, 60), CPoint(60, 140), CPoint(200, 100)};
        view->GetDocument()->grid = true;
        view->Invalidate();
    }
    QuitTimer quit;
    quit.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0);
    quit.SetTimer(1, static_cast<UINT>((argc > 1 ? std::atoi(argv[1]) : 5) * 1000));
    return app.Run();
}
