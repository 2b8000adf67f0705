#pragma once

#include "shell/CCVNView.h"
#include "tests/app/RunningProgram.h"

// The program started and past its splash, its new layout's plan window active: commands go
// through the main window and drags through the plan, as a person gives them.
class PlanInProgram : public RunningProgram {
  protected:
    void SetUp() override {
        RunningProgram::SetUp();
        ASSERT_TRUE(Start());
        host.AdvanceClock(CSplashWindow::kShowTime);
    }
    CCVNView* View() { return dynamic_cast<CCVNView*>(Main().MDIGetActive()->GetActiveView()); }
    void Command(UINT id) {
        Main().SendMessage(WM_COMMAND, id);
        host.RunUntilIdle();
    }
    void Drag(CPoint from, CPoint to) {
        // A press soon after the last one on the same spot would be a double click.
        host.AdvanceClock(1000);
        host.DragClient(View(), from, to, 6);
        host.RunUntilIdle();
    }
};
