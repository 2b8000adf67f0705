#pragma once

#include "model/CTool.h"
#include "tests/model/TestLayout.h"

// An engine without a window, on the test host, at the starting zoom: one device unit is ten
// layout units.
struct EnginePlan {
    EnginePlan() : host(tool) { tool.SetViewScale(1.0, 10.0); }

    // A rubber box in the layout from (left, bottom) to (right, top), its extent computed.
    CTestRubberBox* AddRubberBox(double left, double bottom, double right, double top) {
        auto* box = AddToLayout(host, new CTestRubberBox(&tool, left, bottom, right, top));
        box->ComputeExtent(nullptr);
        return box;
    }

    CTool tool;
    CTestHost host;
};
