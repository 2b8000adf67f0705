#pragma once

#include "model/CCVNDoc.h"
#include "platform/win/WindowDCs.h"
#include "shell/CCVNView.h"
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

    // An object made in code joins the plan's root group, as a placement puts it there.
    template <class Object>
    Object* Place(Object* object) {
        CGroup& root = layout->m_rootGroup;
        root.m_members.push_back(object);
        object->SetOwnerGroup(&root);
        const CPose world = root.WorldPose(nullptr);
        object->SetParentPose(&world);
        return object;
    }
    // The layout point under a client point of the plan window, as the engine gets it.
    CDoublePoint LayoutAt(CPoint client) {
        CClientDC dc(plan);
        plan->OnPrepareDC(&dc);
        dc.DPtoLP(&client);
        return layout->m_tool.DeviceToLayout(client.x, client.y);
    }
    // The screen point of a plan point, and of a logical point of the plan window.
    CPoint ScreenOfPlan(CDoublePoint world) {
        return ScreenOfLogical(layout->m_tool.LayoutToDevice(world.x, world.y, 0));
    }
    CPoint ScreenOfLogical(CPoint at) {
        CClientDC dc(plan);
        plan->OnPrepareDC(&dc);
        dc.LPtoDP(&at);
        plan->ClientToScreen(&at);
        return at;
    }

    CCVNDoc* layout = nullptr;
};
