#pragma once

#include <cmath>
#include <fstream>
#include <string>

#include "model/CGroup.h"
#include "model/Units.h"
#include "platform/win/WindowDCs.h"
#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "tests/app/LayoutInProgram.h"
#include "track/CCircTrack.h"
#include "track/CTrack.h"
#include "view3d/CTestTrain.h"

// The running program with its new layout, on which the tests lay track in code and run test
// trains on the virtual clock.
class TrainFixture : public LayoutInProgram {
  protected:
    CTool& Tool() { return layout->m_tool; }

    CTrack* Straight(double bx, double by, double ex, double ey, double beginElevation = 0.0,
                     double endElevation = 0.0) {
        auto* piece = Place(new CTrack(0, &Tool(), bx, by));
        piece->SetEnds(bx, by, ex, ey, 0, 0);
        piece->m_fBeginElevation = beginElevation;
        piece->m_fEndElevation = endElevation;
        return piece;
    }
    CCircTrack* Curve(double cx, double cy, double radius, double start, double sweep) {
        auto* piece = Place(new CCircTrack(0, &Tool(), cx, cy));
        piece->SetArc(cx, cy, radius, start, sweep, 0, 0);
        piece->m_fBeginElevation = 0.0;
        piece->m_fEndElevation = 0.0;
        return piece;
    }
    // Pieces lie at height 0 unless a test raises them.
    // A closed loop: two straights of the length along x and two half circles of the radius,
    // running anticlockwise from (x, y).
    void Loop(double x, double y, double length, double radius) {
        Straight(x, y, x + length, y);
        Curve(x + length, y + radius, radius, 1.5 * kPi, kPi);
        Straight(x + length, y + 2.0 * radius, x, y + 2.0 * radius);
        Curve(x, y + radius, radius, 0.5 * kPi, kPi);
        JoinAll();
    }
    void JoinAll() {
        const CPose identity;
        layout->m_rootGroup.SetChanged(1);
        layout->m_rootGroup.UpdateConnections(&identity, 1);
        layout->m_rootGroup.SetChanged(0);
    }

    CTestTrain* NewTrain(double x, double y) {
        auto* train = new CTestTrain(&Tool(), x, y);
        layout->AddTestTrain(train);
        train->MarkDeselected();
        return train;
    }
    // A train set down on the track as the engine does at a release: it takes its first piece.
    CTestTrain* RunningTrain(double x, double y) {
        CTestTrain* train = NewTrain(x, y);
        const CPose identity;
        train->FindConnection(&identity);
        return train;
    }
    void Tick() { Main().SendMessage(WM_TIMER, CMainFrame::kTrainTimerId); }

    static double Distance(const CDoublePoint& a, const CDoublePoint& b) {
        return std::hypot(b.x - a.x, b.y - a.y);
    }
};
