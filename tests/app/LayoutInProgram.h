#pragma once

#include "model/CCVNDoc.h"
#include "tests/app/PlanInProgram.h"

// The program past its splash with its new layout at hand, for tests that build on the layout
// in code as well as through the windows.
class LayoutInProgram : public PlanInProgram {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PlanInProgram::SetUp());
        layout = ActiveLayout();
        ASSERT_NE(layout, nullptr);
    }

    CCVNDoc* layout = nullptr;
};
