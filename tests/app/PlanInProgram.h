#pragma once

#include "tests/app/RunningProgram.h"

// The program started and past its splash, its new layout's plan window active and at hand.
class PlanInProgram : public RunningProgram {
  protected:
    void SetUp() override {
        RunningProgram::SetUp();
        ASSERT_TRUE(Start());
        host.AdvanceClock(CSplashWindow::kShowTime);
        plan = View();
        ASSERT_NE(plan, nullptr);
    }

    CCVNView* plan = nullptr;
};
