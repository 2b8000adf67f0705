#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "drawing/CSizeLine.h"
#include "drawing/DrawingObjects.h"
#include "model/CEditStep.h"
#include "model/CLengthFormat.h"
#include "model/CTrackTools.h"
#include "model/Units.h"
#include "platform/ctl/CButton.h"
#include "platform/ctl/CDialog.h"
#include "platform/host/HeadlessHost.h"
#include "resources/StringTable.h"
#include "resources/TrackToolTemplates.h"
#include "tests/gdi/Canvas.h"
#include "tests/track/TrackPlan.h"
#include "track/CElevationsDialog.h"
#include "track/CTrackToolSet.h"
#include "track/ElevationIcons.h"

// The track tools driven through the engine's mouse handlers at the starting zoom (one device
// unit is ten layout units), their dialogs through their controls on the headless host.

namespace {

constexpr COLORREF kOwnRail = RGB(10, 20, 30);
constexpr COLORREF kOwnTie = RGB(40, 50, 60);
constexpr int kMillimetres = 8;

class TrackTools : public ::testing::Test {
  protected:
    TrackTools() {
        RegisterDrawingObjects();
        plan.tool.SetViewScale(1.0, 10.0);
    }

    // Layout points handed to the engine as device points.
    void Press(double x, double y) { plan.tool.OnLButtonDown(0, x / 10.0, y / 10.0); }
    void Move(double x, double y) { plan.tool.OnMouseMove(0, x / 10.0, y / 10.0, 1); }
    void Release(double x, double y) { plan.tool.OnLButtonUp(0, x / 10.0, y / 10.0); }
    void Drag(std::vector<CDoublePoint> path) {
        Press(path.front().x, path.front().y);
        for (size_t i = 1; i < path.size(); ++i) Move(path[i].x, path[i].y);
        Release(path.back().x, path.back().y);
    }
    CTrack* Own(CTrack* piece) {
        piece->m_crRail = kOwnRail;
        piece->m_crTie = kOwnTie;
        return piece;
    }
    CTrackChain& Chain() { return static_cast<CTrackToolSet*>(plan.tool.TrackTools())->Chain(); }
    const CSizeLine* Band() { return static_cast<CTrackToolSet*>(plan.tool.TrackTools())->Parallel().Band(); }
    CString Length(double value) const {
        CString text;
        CLengthFormat(plan.host.m_nUnitIndex).FormatLength(text, value);
        return text;
    }
    static CString Shown(CWnd& dialog, int id) {
        CString text;
        dialog.GetDlgItem(id)->GetWindowText(text);
        return text;
    }
    void TypeInto(CWnd& dialog, int id, const CString& text) {
        CWnd* edit = dialog.GetDlgItem(id);
        edit->SetWindowText("");
        host.ClickClient(edit, CPoint(3, 3));
        host.Type(text);
    }
    void Click(CWnd& dialog, int id) { host.ClickClient(dialog.GetDlgItem(id), CPoint(3, 3)); }
    size_t MemberCount() const { return plan.host.m_pRoot->m_members.size(); }
    template <class T>
    T* Newest() const {
        return dynamic_cast<T*>(plan.host.m_pRoot->m_members.front());
    }

    HeadlessHost host;
    TrackPlan plan;
};

}  // namespace

TEST_F(TrackTools, SelectTrackChainPicksConnectedPiecesAndGivesTheirColoursBack) {
    CTrack* a = Own(plan.Straight(0.0, 0.0, 1000.0, 0.0));
    CTrack* b = Own(plan.Straight(1000.0, 0.0, 2000.0, 0.0));
    // Drawn backwards: the chain enters it at its end end.
    CTrack* c = Own(plan.Straight(3000.0, 0.0, 2000.0, 0.0));
    plan.tool.m_toolMode.Set(kToolSelectTrackChain);
    const int undoBefore = plan.tool.GetUndoCount();
    Press(500.0, 0.0);
    Move(1500.0, 0.0);
    Move(2500.0, 0.0);
    ASSERT_EQ(Chain().Length(), 3);
    EXPECT_EQ(Chain().FreeEnd(0), 0);
    EXPECT_EQ(Chain().FreeEnd(1), 0);
    EXPECT_EQ(Chain().FreeEnd(2), 1);
    for (CTrack* piece : {a, b, c}) EXPECT_EQ(piece->m_crRail, RGB(0, 200, 200));
    // Back over the first piece: a chain of one, the others in their own colours.
    Move(400.0, 0.0);
    ASSERT_EQ(Chain().Length(), 1);
    EXPECT_EQ(b->m_crRail, kOwnRail);
    EXPECT_EQ(c->m_crTie, kOwnTie);
    Move(1500.0, 0.0);
    Move(2500.0, 0.0);
    Release(2500.0, 0.0);
    EXPECT_EQ(Chain().Length(), 0);
    EXPECT_EQ(plan.tool.GetSelectedCount(), 3);
    for (CTrack* piece : {a, b, c}) {
        EXPECT_EQ(piece->m_crRail, kOwnRail);
        EXPECT_EQ(piece->m_crTie, kOwnTie);
    }
    EXPECT_EQ(plan.tool.m_toolMode, kToolSelectTrackChain);
    // One Undo takes the chain out of the selection.
    plan.tool.Undo();
    EXPECT_EQ(plan.tool.GetSelectedCount(), 0);
    EXPECT_EQ(plan.tool.GetUndoCount(), undoBefore);
    // A piece joined at the first piece's begin gives it the free end 1.
    CTrack* d = plan.Straight(-1000.0, 0.0, 0.0, 0.0);
    Press(500.0, 0.0);
    Move(-500.0, 0.0);
    ASSERT_EQ(Chain().Length(), 2);
    EXPECT_EQ(Chain().FreeEnd(0), 1);
    EXPECT_EQ(Chain().Piece(1), d);
    // Choosing another tool ends the chain.
    plan.tool.m_toolMode.Set(kToolSelector);
    EXPECT_EQ(Chain().Length(), 0);
    EXPECT_EQ(a->m_crRail, kOwnRail);
}

TEST_F(TrackTools, ChainElevationsRiseEvenlyAndOkIsRefusedWhileTrackSinks) {
    plan.host.m_nUnitIndex = kMillimetres;
    CTrack* a = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    CTrack* b = plan.Straight(1500.0, 0.0, 1000.0, 0.0);
    CTrack* c = plan.Straight(1500.0, 0.0, 2000.0, 0.0);
    for (CTrack* piece : {a, b, c}) piece->m_fBeginElevation = piece->m_fEndElevation = 0.0;
    plan.tool.m_toolMode.Set(kToolChainTrackElevations);
    plan.tool.m_bChainToolActive = 1;
    const int undoBefore = plan.tool.GetUndoCount();
    CString beginAtOpen, endAtOpen;
    host.WhenModal("Elevations", [&](CWnd& dialog) {
        beginAtOpen = Shown(dialog, IDC_ELEVATION_BEGIN);
        endAtOpen = Shown(dialog, IDC_ELEVATION_END);
        // An end below the benchwork is refused as it is left, naming 0 as the lowest.
        TypeInto(dialog, IDC_ELEVATION_END, Length(-100.0));
        host.AnswerMessageBox(IDOK);
        Click(dialog, IDC_ELEVATION_BEGIN);
        EXPECT_EQ(host.MessageBoxes().back().text, "Please enter a number between 0.000 and 64000.000.");
        // A falling grade takes the end below it: refused at OK, the dialog stays, nothing changed.
        TypeInto(dialog, IDC_ELEVATION_END, Length(0.0));
        Click(dialog, IDC_ELEVATION_EDIT_GRADE);
        Click(dialog, IDC_ELEVATION_DIRECTION);
        TypeInto(dialog, IDC_ELEVATION_GRADE, "10");
        Click(dialog, IDC_ELEVATION_OK);
        EXPECT_EQ(plan.host.m_messages.size(), 1u);
        EXPECT_EQ(c->m_fEndElevation, 0.0);
        Click(dialog, IDC_ELEVATION_EDIT_ELEVATIONS);
        TypeInto(dialog, IDC_ELEVATION_END, Length(200.0));
        Click(dialog, IDC_ELEVATION_OK);
    });
    Drag({{500.0, 0.0}, {1200.0, 0.0}, {1800.0, 0.0}});
    EXPECT_EQ(beginAtOpen, Length(0.0));
    EXPECT_EQ(endAtOpen, Length(0.0));
    ASSERT_EQ(plan.host.m_messages.size(), 1u);
    CString sinks;
    sinks.LoadString(IDS_TRACK_WOULD_SINK_BENEATH_BENCHWORK);
    EXPECT_EQ(plan.host.m_messages[0], sinks);
    EXPECT_NEAR(a->m_fEndElevation, 100.0, 1e-9);
    EXPECT_NEAR(b->m_fBeginElevation, 150.0, 1e-9);
    EXPECT_NEAR(b->m_fEndElevation, 100.0, 1e-9);
    EXPECT_NEAR(c->m_fEndElevation, 200.0, 1e-9);
    // The tool is ready for the next chain, the picked one is back in its colours.
    EXPECT_EQ(plan.tool.m_bChainToolActive, 1);
    EXPECT_EQ(Chain().Length(), 0);
    // One Undo gives every piece its elevations back.
    plan.tool.Undo();
    EXPECT_EQ(plan.tool.GetUndoCount(), undoBefore);
    for (CTrack* piece : {a, b, c}) {
        EXPECT_EQ(piece->m_fBeginElevation, 0.0);
        EXPECT_EQ(piece->m_fEndElevation, 0.0);
    }
    // Cancel applies nothing.
    host.WhenModal("Elevations", [&](CWnd& dialog) {
        TypeInto(dialog, IDC_ELEVATION_END, Length(300.0));
        Click(dialog, IDCANCEL);
    });
    Drag({{500.0, 0.0}, {1200.0, 0.0}});
    EXPECT_EQ(b->m_fBeginElevation, 0.0);
    EXPECT_EQ(plan.tool.GetUndoCount(), undoBefore);
}

// The dialog opens on the chain's outer ends, whichever way round its end pieces lie.
TEST_F(TrackTools, ChainElevationsOpenOnTheOuterEndsOfTheChain) {
    plan.host.m_nUnitIndex = kMillimetres;
    CTrack* a = plan.Straight(1000.0, 0.0, 0.0, 0.0);
    CTrack* b = plan.Straight(1000.0, 0.0, 2000.0, 0.0);
    CTrack* c = plan.Straight(3000.0, 0.0, 2000.0, 0.0);
    a->m_fBeginElevation = b->m_fBeginElevation = 11.0;
    a->m_fEndElevation = 22.0;
    b->m_fEndElevation = c->m_fEndElevation = 33.0;
    c->m_fBeginElevation = 44.0;
    plan.tool.m_toolMode.Set(kToolChainTrackElevations);
    plan.tool.m_bChainToolActive = 1;
    CString beginAtOpen, endAtOpen;
    host.WhenModal("Elevations", [&](CWnd& dialog) {
        beginAtOpen = Shown(dialog, IDC_ELEVATION_BEGIN);
        endAtOpen = Shown(dialog, IDC_ELEVATION_END);
        Click(dialog, IDCANCEL);
    });
    Drag({{500.0, 0.0}, {1500.0, 0.0}, {2500.0, 0.0}});
    EXPECT_EQ(beginAtOpen, Length(22.0));
    EXPECT_EQ(endAtOpen, Length(44.0));
    // A chain of one piece opens on its own two ends.
    host.WhenModal("Elevations", [&](CWnd& dialog) {
        beginAtOpen = Shown(dialog, IDC_ELEVATION_BEGIN);
        endAtOpen = Shown(dialog, IDC_ELEVATION_END);
        Click(dialog, IDCANCEL);
    });
    Drag({{500.0, 0.0}, {600.0, 0.0}});
    EXPECT_EQ(beginAtOpen, Length(11.0));
    EXPECT_EQ(endAtOpen, Length(22.0));
}

// Confirmed untouched, the dialog keeps an elevation beyond what a person may type.
TEST_F(TrackTools, ChainElevationsConfirmedUntouchedKeepTheirElevations) {
    plan.host.m_nUnitIndex = 4;
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    piece->m_fBeginElevation = 700000.25;
    piece->m_fEndElevation = 12.5;
    plan.tool.m_toolMode.Set(kToolChainTrackElevations);
    plan.tool.m_bChainToolActive = 1;
    host.WhenModal("Elevations", [&](CWnd& dialog) { Click(dialog, IDC_ELEVATION_OK); });
    Drag({{500.0, 0.0}, {600.0, 0.0}});
    EXPECT_TRUE(host.MessageBoxes().empty());
    EXPECT_TRUE(host.UnansweredModals().empty());
    EXPECT_EQ(piece->m_fBeginElevation, 700000.25);
    EXPECT_EQ(piece->m_fEndElevation, 12.5);
    // Typed away and back to its shown text, a field stands for its exact elevation again.
    piece->m_fEndElevation = 12.34567;
    host.WhenModal("Elevations", [&](CWnd& dialog) {
        const CString shown = Shown(dialog, IDC_ELEVATION_END);
        TypeInto(dialog, IDC_ELEVATION_END, "2");
        Click(dialog, IDC_ELEVATION_BEGIN);
        TypeInto(dialog, IDC_ELEVATION_END, shown);
        Click(dialog, IDC_ELEVATION_OK);
    });
    Drag({{500.0, 0.0}, {600.0, 0.0}});
    EXPECT_EQ(piece->m_fEndElevation, 12.34567);
}

TEST_F(TrackTools, TheElevationToolSetsSelectedTrackOnTheSpansGrade) {
    // Millimetres show tenths of a millimetre exactly, so OK reads back what was computed.
    plan.host.m_nUnitIndex = kMillimetres;
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    piece->m_fBeginElevation = 100.0;
    piece->m_fEndElevation = 80.0;
    piece->SelectWithUndo(0, 0);
    plan.tool.m_toolMode.Set(kToolSetTrackElevations);
    CString grade, endAfterGrade;
    bool falling = false, beginFixed = false, gradeEnabledAtOpen = true;
    host.WhenModal("Elevations", [&](CWnd& dialog) {
        grade = Shown(dialog, IDC_ELEVATION_GRADE);
        auto* direction = dynamic_cast<CButton*>(dialog.GetDlgItem(IDC_ELEVATION_DIRECTION));
        falling = direction != nullptr && direction->GetIcon() == ElevationIcon(IDI_ELEVATION_FALLING);
        gradeEnabledAtOpen = dialog.GetDlgItem(IDC_ELEVATION_GRADE)->IsWindowEnabled() != FALSE;
        // A picked end of a selected piece takes no elevation below the benchwork.
        TypeInto(dialog, IDC_ELEVATION_BEGIN, Length(-1.0));
        host.AnswerMessageBox(IDOK);
        Click(dialog, IDC_ELEVATION_END);
        EXPECT_EQ(host.MessageBoxes().back().text, "Please enter a number between 0.000 and 64000.000.");
        TypeInto(dialog, IDC_ELEVATION_BEGIN, Length(100.0));
        Click(dialog, IDC_ELEVATION_EDIT_GRADE);
        EXPECT_FALSE(dialog.GetDlgItem(IDC_ELEVATION_BEGIN)->IsWindowEnabled());
        beginFixed = static_cast<CDialog&>(dialog).IsDlgButtonChecked(IDC_ELEVATION_FIX_BEGIN) != 0;
        // A grade that would move the end beyond 64 m either way is refused naming the range.
        TypeInto(dialog, IDC_ELEVATION_GRADE, "1e30");
        host.AnswerMessageBox(IDOK);
        Click(dialog, IDC_ELEVATION_EDIT_GRADE);
        EXPECT_EQ(host.MessageBoxes().back().text, "Please enter a number between 0 and 63990.");
        EXPECT_EQ(CWnd::GetFocus(), dialog.GetDlgItem(IDC_ELEVATION_GRADE));
        EXPECT_EQ(Shown(dialog, IDC_ELEVATION_END), Length(80.0));
        TypeInto(dialog, IDC_ELEVATION_GRADE, "3");
        Click(dialog, IDC_ELEVATION_DIRECTION);
        Click(dialog, IDC_ELEVATION_DIRECTION);
        endAfterGrade = Shown(dialog, IDC_ELEVATION_END);
        Click(dialog, IDC_ELEVATION_OK);
    });
    Drag({{0.0, 0.0}, {500.0, 0.0}, {1000.0, 0.0}});
    EXPECT_EQ(grade, "2");
    EXPECT_TRUE(falling);
    EXPECT_FALSE(gradeEnabledAtOpen);
    EXPECT_TRUE(beginFixed);
    EXPECT_EQ(endAfterGrade, Length(70.0));
    EXPECT_NEAR(piece->m_fBeginElevation, 100.0, 1e-9);
    EXPECT_NEAR(piece->m_fEndElevation, 70.0, 1e-9);
    plan.tool.Undo();
    EXPECT_EQ(piece->m_fEndElevation, 80.0);
    // A drag from no end, or onto the same end, opens nothing.
    Drag({{500.0, 300.0}, {1000.0, 0.0}});
    Drag({{0.0, 0.0}, {0.0, 0.0}});
    EXPECT_TRUE(host.UnansweredModals().empty());
}

TEST_F(TrackTools, CurveStraightConnectionPlacesACurveAndAStraight) {
    plan.Straight(0.0, -1800.0, 0.0, -800.0);
    plan.Straight(2200.0, 0.0, 1200.0, 0.0);
    plan.tool.m_toolMode.Set(kToolConnectCurveStraight);
    const int undoBefore = plan.tool.GetUndoCount();
    Drag({{0.0, -800.0}, {600.0, -400.0}, {1200.0, 0.0}});
    ASSERT_EQ(MemberCount(), 4u);
    CCircTrack* curve = nullptr;
    CTrack* straight = nullptr;
    for (CPaint* member : plan.host.m_pRoot->m_members) {
        if (curve == nullptr)
            curve = dynamic_cast<CCircTrack*>(member);
        if (straight == nullptr && member != plan.host.m_pRoot->m_members.back())
            straight = dynamic_cast<CTrack*>(member);
    }
    ASSERT_NE(curve, nullptr);
    ASSERT_NE(straight, nullptr);
    EXPECT_NEAR(curve->m_fRadius, 800.0, 1e-6);
    const CDoublePoint centre = curve->LocalToWorld(curve->m_ptCentre.x, curve->m_ptCentre.y);
    EXPECT_NEAR(centre.x, 800.0, 1e-6);
    EXPECT_NEAR(centre.y, -800.0, 1e-6);
    EXPECT_NEAR(straight->m_fLength, 400.0, 1e-6);
    // Nothing was turned by the snap that follows the release.
    const CDoublePoint from = straight->LocalToWorld(straight->m_ptBegin.x, straight->m_ptBegin.y);
    const CDoublePoint to = straight->LocalToWorld(straight->m_ptEnd.x, straight->m_ptEnd.y);
    EXPECT_NEAR(from.x, 1200.0, 1e-6);
    EXPECT_NEAR(from.y, 0.0, 1e-6);
    EXPECT_NEAR(to.x, 800.0, 1e-6);
    EXPECT_NEAR(to.y, 0.0, 1e-6);
    const CDoublePoint arcBegin = curve->LocalToWorld(curve->m_ptBegin.x, curve->m_ptBegin.y);
    EXPECT_NEAR(arcBegin.x, 800.0, 1e-6);
    EXPECT_NEAR(arcBegin.y, 0.0, 1e-6);
    EXPECT_EQ(plan.tool.m_toolMode, kToolConnectCurveStraight);
    // Each placed piece is undone by itself, back to the layout as it was.
    while (plan.tool.GetUndoCount() > undoBefore) plan.tool.Undo();
    EXPECT_EQ(MemberCount(), 2u);
    // Parallel ends too close: the message is shown with the trains paused, nothing built.
    plan.Straight(-1000.0, 3000.0, 0.0, 3000.0);
    plan.Straight(-1000.0, 4000.0, 0.0, 4000.0);
    Drag({{0.0, 3000.0}, {0.0, 4000.0}});
    EXPECT_EQ(MemberCount(), 4u);
    ASSERT_EQ(plan.host.m_messages.size(), 1u);
    CString refused;
    refused.LoadString(IDS_TRANSITION_RADIUS_TOO_SMALL);
    EXPECT_EQ(plan.host.m_messages[0], refused);
    EXPECT_FALSE(plan.host.m_bModalDialog);
}

TEST_F(TrackTools, SplineConnectionJoinsTwoEndsAndNeverAnEndToItself) {
    plan.Straight(-1000.0, 0.0, 0.0, 0.0);
    plan.Straight(2000.0, 0.0, 1000.0, 0.0);
    plan.tool.m_toolMode.Set(kToolConnectSpline);
    const int undoBefore = plan.tool.GetUndoCount();
    Drag({{0.0, 0.0}, {500.0, 100.0}, {1000.0, 0.0}});
    ASSERT_EQ(MemberCount(), 3u);
    auto* spline = Newest<CSplineTrack>();
    ASSERT_NE(spline, nullptr);
    EXPECT_NEAR(spline->GetControlPointWorld(6).x, 500.0, 1e-6);
    EXPECT_NEAR(spline->GetControlPointWorld(7).x, 500.0, 1e-6);
    EXPECT_NEAR(spline->m_fLength, 1000.0, 1e-6);
    EXPECT_EQ(spline->m_fBeginElevation, 41.25);
    plan.tool.Undo();
    EXPECT_EQ(MemberCount(), 2u);
    EXPECT_EQ(plan.tool.GetUndoCount(), undoBefore);
    // Another end lying on the pressed one gives no spline of no length.
    plan.Straight(0.0, 0.0, 0.0, 1000.0);
    Drag({{0.0, 0.0}, {0.0, 0.0}});
    EXPECT_EQ(MemberCount(), 3u);
    EXPECT_EQ(plan.tool.GetUndoCount(), undoBefore);
}

TEST_F(TrackTools, ParallelTrackFromThePressToThePlacedPieces) {
    CTrack* piece = Own(plan.Straight(0.0, 0.0, 1000.0, 0.0));
    piece->SelectWithUndo(1, 1);
    const int undoBefore = plan.tool.GetUndoCount();
    plan.tool.OnCreateParallelTrack();
    ASSERT_EQ(plan.tool.m_bParallelToolActive, 1);
    EXPECT_EQ(plan.tool.GetSelectedCount(), 0);
    Press(500.0, 0.0);
    EXPECT_EQ(plan.tool.m_bChainToolActive, 1);
    Release(500.0, 0.0);
    // The band is the tool's own, never a member of the layout.
    const CSizeLine* band = Band();
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->m_bExtraHandles, 0);
    EXPECT_EQ(MemberCount(), 1u);
    plan.tool.OnMouseMove(0, 50.0, 30.0, 0);
    EXPECT_EQ(MemberCount(), 1u);
    CString prefilled;
    host.WhenModal("Parallel track", [&](CWnd& dialog) {
        prefilled = Shown(dialog, IDC_PARALLEL_OFFSET);
        Click(dialog, IDOK);
    });
    Press(500.0, 300.0);
    EXPECT_EQ(prefilled, Length(300.0));
    auto* copy = Newest<CTrack>();
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy, piece);
    const CDoublePoint begin = copy->LocalToWorld(copy->m_ptBegin.x, copy->m_ptBegin.y);
    const CDoublePoint end = copy->LocalToWorld(copy->m_ptEnd.x, copy->m_ptEnd.y);
    EXPECT_NEAR(begin.x, 0.0, 1e-6);
    EXPECT_NEAR(begin.y, 300.0, 1e-6);
    EXPECT_NEAR(end.x, 1000.0, 1e-6);
    EXPECT_NEAR(end.y, 300.0, 1e-6);
    EXPECT_EQ(copy->m_crRail, kOwnRail);
    EXPECT_EQ(piece->m_crRail, kOwnRail);
    EXPECT_EQ(Band(), nullptr);
    EXPECT_EQ(MemberCount(), 2u);
    EXPECT_EQ(plan.tool.m_bParallelToolActive, 1);
    EXPECT_EQ(plan.tool.GetSelectedCount(), 1);
    // One Undo takes the new piece away, the next gives back the selection the command found.
    plan.tool.Undo();
    EXPECT_EQ(MemberCount(), 1u);
    EXPECT_FALSE(piece->IsSelected());
    while (plan.tool.GetUndoCount() > undoBefore) plan.tool.Undo();
    EXPECT_EQ(MemberCount(), 1u);
    EXPECT_EQ(plan.tool.GetSelectedCount(), 1);
    EXPECT_TRUE(piece->IsSelected());
    plan.tool.OnCreateParallelTrack();

    // Below the track, a distance typed below an inch and Enter at once: an inch.
    Press(500.0, 0.0);
    Release(500.0, 0.0);
    plan.tool.OnMouseMove(0, 50.0, -30.0, 0);
    host.WhenModal("Parallel track", [&](CWnd& dialog) {
        TypeInto(dialog, IDC_PARALLEL_OFFSET, Length(100.0));
        host.PressKey(VK_RETURN);
    });
    Press(500.0, -300.0);
    auto* below = Newest<CTrack>();
    ASSERT_NE(below, nullptr);
    EXPECT_NEAR(below->LocalToWorld(below->m_ptBegin.x, below->m_ptBegin.y).y, -254.0, 1e-6);

    // Cancel builds nothing.
    const size_t before = MemberCount();
    Press(500.0, 0.0);
    Release(500.0, 0.0);
    plan.tool.OnMouseMove(0, 50.0, 40.0, 0);
    host.WhenModal("Parallel track", [&](CWnd& dialog) { Click(dialog, IDCANCEL); });
    Press(500.0, 400.0);
    EXPECT_EQ(MemberCount(), before);
    EXPECT_EQ(Band(), nullptr);
}

TEST_F(TrackTools, TheParallelLiesAtTheDistanceEnteredAndABandOnTheChainsLineBuildsNothing) {
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    plan.tool.OnCreateParallelTrack();
    // A band shorter than the ties: the dialog offers the tie length, and 2 in typed is 2 in.
    Press(500.0, 0.0);
    Release(500.0, 0.0);
    plan.tool.OnMouseMove(0, 50.0, 10.0, 0);
    CString prefilled;
    host.WhenModal("Parallel track", [&](CWnd& dialog) {
        prefilled = Shown(dialog, IDC_PARALLEL_OFFSET);
        TypeInto(dialog, IDC_PARALLEL_OFFSET, Length(508.0));
        Click(dialog, IDOK);
    });
    Press(500.0, 100.0);
    ASSERT_GT(piece->m_fTieLength, 100.0);
    EXPECT_EQ(prefilled, Length(piece->m_fTieLength));
    auto* copy = Newest<CTrack>();
    ASSERT_NE(copy, piece);
    EXPECT_NEAR(copy->LocalToWorld(copy->m_ptBegin.x, copy->m_ptBegin.y).y, 508.0, 1e-6);

    // The cursor set down on a slanted chain's own line: nothing lies on top of the chain.
    CTrack* slanted = plan.Straight(0.0, 2000.0, 900.0, 2300.0);
    const size_t before = MemberCount();
    Press(450.0, 2150.0);
    Release(450.0, 2150.0);
    plan.tool.OnMouseMove(0, 30.0, 210.0, 0);
    host.WhenModal("Parallel track", [&](CWnd& dialog) {
        TypeInto(dialog, IDC_PARALLEL_OFFSET, Length(508.0));
        Click(dialog, IDOK);
    });
    Press(300.0, 2100.0);
    EXPECT_EQ(MemberCount(), before);
    EXPECT_EQ(Newest<CTrack>(), slanted);
}

TEST_F(TrackTools, ACurveOffsetToOrPastItsCentreIsNotBuiltAndIsNamed) {
    CCircTrack* curve = plan.Curve(0.0, 0.0, 500.0, 0.0, kPi / 2.0);
    plan.tool.OnCreateParallelTrack();
    // The curve runs anticlockwise from (500, 0) to (0, 500); the band is pulled from its end
    // toward the centre.
    Press(500.0 * std::cos(kPi / 4.0), 500.0 * std::sin(kPi / 4.0));
    Release(500.0 * std::cos(kPi / 4.0), 500.0 * std::sin(kPi / 4.0));
    plan.tool.OnMouseMove(0, 0.0, 20.0, 0);
    host.WhenModal("Parallel track", [&](CWnd& dialog) {
        TypeInto(dialog, IDC_PARALLEL_OFFSET, Length(500.0));
        Click(dialog, IDOK);
    });
    const size_t before = MemberCount();
    Press(0.0, 200.0);
    EXPECT_EQ(MemberCount(), before);
    ASSERT_EQ(plan.host.m_messages.size(), 1u);
    CString inside;
    inside.LoadString(IDS_PARALLEL_TRACK_INSIDE_RADIUS);
    EXPECT_EQ(plan.host.m_messages[0], "Min Radius=" + Length(curve->m_fRadius) + ".\n " + inside);
}

TEST_F(TrackTools, TheChainStartsAtTheFrontMostPieceOfTheEditedGroupOnly) {
    CTrack* back = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    CTrack* front = plan.Straight(0.0, 50.0, 1000.0, 50.0);
    // A piece inside a group is part of the group, never a chain piece of its own.
    CGroup* group = NewGroup(&plan.tool);
    AddToLayout(plan.host, group);
    plan.tool.m_toolMode.Set(kToolSelectTrackChain);
    Press(500.0, 25.0);
    ASSERT_EQ(Chain().Length(), 1);
    EXPECT_EQ(Chain().Piece(0), front);
    EXPECT_NE(Chain().Piece(0), back);
    Release(500.0, 25.0);
    // A press beside every piece starts nothing; the zoom changes the reach of the next press.
    Press(500.0, 5000.0);
    EXPECT_EQ(Chain().Length(), 0);
    Release(500.0, 5000.0);
    plan.tool.SetViewScale(1.0, 100.0);
    plan.tool.OnLButtonDown(0, 50.0 / 10.0, 700.0 / 100.0);
    EXPECT_EQ(Chain().Length(), 1);
}

TEST_F(TrackTools, ASplineChainGetsAnApproximatedParallelAndABandOfNoLengthBuildsNothing) {
    CSplineTrack* spline = plan.Spline({{0.0, 0.0}, {300.0, 100.0}, {700.0, 100.0}, {1000.0, 0.0}});
    plan.tool.OnCreateParallelTrack();
    Press(500.0, 0.0);
    Release(500.0, 0.0);
    // OK on a band that was never pulled: nothing is built, the tool waits for the next chain.
    const size_t withBand = MemberCount();
    host.WhenModal("Parallel track", [&](CWnd& dialog) { Click(dialog, IDOK); });
    Press(1000.0, 0.0);
    EXPECT_EQ(MemberCount(), withBand);
    EXPECT_TRUE(plan.host.m_messages.empty());
    EXPECT_EQ(plan.tool.m_bParallelToolActive, 1);

    Press(500.0, 0.0);
    Release(500.0, 0.0);
    // Pulled up from the free end at (1000, 0), across the end's direction.
    plan.tool.OnMouseMove(0, 100.0 + 9.0, 30.0, 0);
    host.WhenModal("Parallel track", [&](CWnd& dialog) { Click(dialog, IDOK); });
    Press(1090.0, 300.0);
    auto* offset = Newest<CSplineTrack>();
    ASSERT_NE(offset, nullptr);
    ASSERT_NE(offset, spline);
    ASSERT_EQ(offset->LastIndex(), CSplineTrack::kFirstKnot + 3);
    // Each knot moved across its handle's direction, by the distance, to the upper side.
    const CDoublePoint first = offset->GetControlPointWorld(CSplineTrack::kFirstKnot);
    const CDoublePoint last = offset->GetControlPointWorld(CSplineTrack::kFirstKnot + 3);
    const double distance = std::hypot(first.x, first.y);
    EXPECT_NEAR(std::hypot(last.x - 1000.0, last.y), distance, 1e-6);
    EXPECT_GT(first.y, 0.0);
    EXPECT_GT(last.y, 0.0);
    EXPECT_NEAR(first.x * 300.0 + first.y * 100.0, 0.0, 1e-6);
    CString approximated;
    approximated.LoadString(IDS_PARALLEL_SPLINE_APPROXIMATED);
    ASSERT_EQ(plan.host.m_messages.size(), 1u);
    EXPECT_EQ(plan.host.m_messages[0], approximated);
}

TEST_F(TrackTools, AnEllipticArcGetsASplineOnItsOffsetCurve) {
    CArcTrack* arc = plan.Oval(0.0, 0.0, 1000.0, 1000.0, 0.0, kPi / 2.0);
    arc->m_fBeginElevation = 20.0;
    arc->m_fEndElevation = 40.0;
    plan.tool.OnCreateParallelTrack();
    const double on = 1000.0 * std::cos(kPi / 4.0);
    Press(on, on);
    Release(on, on);
    // Pulled outward from the free end at (0, 1000).
    plan.tool.OnMouseMove(0, 0.0, 130.0, 0);
    host.WhenModal("Parallel track", [&](CWnd& dialog) { Click(dialog, IDOK); });
    Press(0.0, 1300.0);
    auto* offset = Newest<CSplineTrack>();
    ASSERT_NE(offset, nullptr);
    // Sixteen division angles over the quarter, so sixteen knots, all on the circle of 1300.
    EXPECT_EQ(offset->SegmentCount(), 15);
    for (int knot = CSplineTrack::kFirstKnot; knot <= offset->LastIndex(); knot += 3) {
        const CDoublePoint p = offset->GetControlPointWorld(knot);
        EXPECT_NEAR(std::hypot(p.x, p.y), 1300.0, 1e-6);
    }
    EXPECT_EQ(offset->m_fBeginElevation, 20.0);
    EXPECT_EQ(offset->m_fEndElevation, 40.0);
    EXPECT_EQ(offset->m_fGauge, arc->m_fGauge);
    EXPECT_TRUE(plan.host.m_messages.empty());
}

TEST_F(TrackTools, UndoWhileTheBandIsOutLeavesTheParallelToolWaiting) {
    plan.tool.m_toolMode.Set(kToolStraightTrack);
    Drag({{0.0, 0.0}, {500.0, 0.0}, {1000.0, 0.0}});
    plan.tool.m_toolMode.Set(kToolSelector);
    plan.tool.OnCreateParallelTrack();
    Press(500.0, 0.0);
    Release(500.0, 0.0);
    ASSERT_EQ(Chain().Length(), 1);
    // The band and then the piece itself are undone.
    plan.tool.Undo();
    plan.tool.Undo();
    plan.tool.Undo();
    EXPECT_EQ(MemberCount(), 0u);
    EXPECT_EQ(Chain().Length(), 0);
    plan.tool.OnMouseMove(0, 50.0, 30.0, 0);
    Press(500.0, 300.0);
    Release(500.0, 300.0);
    EXPECT_TRUE(host.UnansweredModals().empty());
    EXPECT_EQ(plan.tool.m_bParallelToolActive, 1);
}

TEST_F(TrackTools, TheChainStepRisesEvenlyOverThePiecesUpToTheGivenOne) {
    CTrack* a = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    // Drawn backwards, so its begin end lies at the far end of the run.
    CTrack* b = plan.Straight(3000.0, 0.0, 1000.0, 0.0);
    CTrack* c = plan.Straight(3000.0, 0.0, 4000.0, 0.0);
    CElevationsDialog dialog(plan.tool, nullptr, std::vector<CPaint*>{a, b, c});
    // Only the first two pieces, 3000 long, from 0 to 300.
    dialog.DistributeChainFrom(3000.0, 0.0, 300.0, 1);
    const std::vector<ElevationRecord>& results = dialog.m_distribution.m_results;
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].object, a);
    EXPECT_NEAR(results[0].begin, 0.0, 1e-9);
    EXPECT_NEAR(results[0].end, 100.0, 1e-9);
    EXPECT_EQ(results[1].object, b);
    EXPECT_NEAR(results[1].begin, 300.0, 1e-9);
    EXPECT_NEAR(results[1].end, 100.0, 1e-9);
    EXPECT_EQ(dialog.m_distribution.m_bSinks, 0);
}

// The band is drawn over the plan while it is pulled, and leaves the picture with the dialog.
TEST_F(TrackTools, TheBandIsDrawnWhilePulledAndGoesWithTheDialog) {
    plan.Straight(0.0, 0.0, 1000.0, 0.0);
    Canvas canvas(200, 200);
    canvas.dc.SetMapMode(MM_ANISOTROPIC);
    canvas.dc.SetWindowExt(1, 1);
    canvas.dc.SetViewportExt(1, -1);
    canvas.dc.SetViewportOrg(50, 150);
    // The ink above the track's middle, on a fresh picture of the plan.
    const auto inkAbove = [&] {
        canvas.dc.FillSolidRect(-50, -50, 200, 200, RGB(255, 255, 255));
        plan.tool.SetTargetDC(&canvas.dc, nullptr);
        plan.tool.m_rcUpdate = DeviceRect{-100000, -100000, 100000, 100000};
        plan.host.m_pRoot->RecalcDeviceBounds();
        plan.tool.DrawLayout();
        plan.tool.SetTargetDC(nullptr, nullptr);
        const CRect above(0, 0, 200, 140);
        return above.Width() * above.Height() - canvas.CountColor(RGB(255, 255, 255), above);
    };
    const int track = inkAbove();
    plan.tool.OnCreateParallelTrack();
    Press(500.0, 0.0);
    Release(500.0, 0.0);
    plan.tool.OnMouseMove(0, 50.0, 30.0, 0);
    ASSERT_NE(Band(), nullptr);
    EXPECT_GT(inkAbove(), track + 20);
    host.WhenModal("Parallel track", [&](CWnd& dialog) { Click(dialog, IDCANCEL); });
    Press(500.0, 300.0);
    EXPECT_EQ(inkAbove(), track);
}
