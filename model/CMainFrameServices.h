#pragma once

#include "model/CPaint.h"
#include "platform/base/WinTypes.h"

// What a layout document needs of the program's main window: the pause of the test-train
// timer, the timer itself, the clipboard list shared by every document, the layer selector,
// the status panes and the printer's page. The main window implements it; documents find it through the
// application's main window and do without it when there is none (tests, batch runs).
class CMainFrameServices {
  public:
    virtual ~CMainFrameServices() = default;

    // While paused, the test-train timer moves nothing (modal dialogs, the save prompt).
    virtual void SetTrainPause(BOOL paused) = 0;
    // A test train was placed or set down: the trains run from the next tick on.
    virtual void StartTrainTimer() = 0;
    // No document holds a test train any more.
    virtual void StopTrainTimer() = 0;
    virtual BOOL IsTrainTimerRunning() const = 0;
    virtual CPaintList* GetClipboardList() = 0;
    // The layer selector shows the given layer.
    virtual void ShowActiveLayer(int layer) = 0;
    // A plan view shows the drawing tools, a 3D view the camera.
    virtual void ShowToolBarsFor(BOOL planView) { (void)planView; }
    // The status panes take the active document's status texts.
    virtual void UpdateStatusPanes() = 0;
    // The default printer's printable width and height in tenths of a millimetre; zero
    // without a printer.
    virtual void GetPrintableSize(int& width, int& height) const = 0;
};
