#pragma once

#include <gtest/gtest.h>

#include <iterator>

#include "model/CGroup.h"
#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "tests/app/LayoutInProgram.h"
#include "track/CParTrack.h"
#include "view3d/C3DView.h"

// The running program with its first layout in the plan window, for tests that lay track in
// it and look at it in the 3D view.
class TrackLayoutProgram : public LayoutInProgram {
  protected:
    // "3D View" on the layout as it stands; null when no 3D view came up.
    C3DView* Open3DView() {
        Command(ID_SHOW_3D_VIEW);
        return dynamic_cast<C3DView*>(Main().MDIGetActive()->GetActiveView());
    }
    void PlanCommand(UINT id) {
        plan->SendMessage(WM_COMMAND, id);
        host.RunUntilIdle();
    }
    // The layout's pieces in the order they were laid.
    CParTrack* Piece(int number) {
        auto it = layout->m_rootGroup.m_members.begin();
        std::advance(it, number);
        return dynamic_cast<CParTrack*>(*it);
    }
};
