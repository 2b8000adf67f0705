#include <algorithm>
#include <cmath>
#include <tuple>

#include "platform/gdi/PixelSurface.h"
#include "platform/win/MessageBoxes.h"
#include "tests/support/TestPictures.h"
#include "tests/track/TrackDialogFixture.h"
#include "track/CTrackPropertyDialog.h"
#include "track/TrackAngles.h"

namespace {

using TrackPropertyDialogTest = TrackDialogFixture;

}  // namespace

TEST_F(TrackPropertyDialogTest, AStraightOpensOnItselfWithItsLengthFocusedAndCancelChangesNothing) {
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    piece->m_fEndElevation = piece->m_fBeginElevation + 104.0;
    const std::vector<BYTE> before = Record(*piece);
    const int steps = plan.tool.GetUndoCount();
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        EXPECT_TRUE(Checked(dialog, IDC_TRACK_APPLY_CLICKED));
        EXPECT_FALSE(ReadOnly(dialog, IDC_TRACK_LENGTH));
        EXPECT_TRUE(Enabled(dialog, IDC_TRACK_LENGTH));
        EXPECT_EQ(CWnd::GetFocus(), dialog.GetDlgItem(IDC_TRACK_LENGTH));
        EXPECT_EQ(Shown(dialog, IDC_TRACK_LENGTH), Length(1000.0));
        EXPECT_EQ(Shown(dialog, IDC_TRACK_RADIUS_1), "0");
        EXPECT_EQ(Shown(dialog, IDC_TRACK_RADIUS_2), "0");
        EXPECT_EQ(Shown(dialog, IDC_TRACK_ARC_DEGREES), "0");
        EXPECT_EQ(Shown(dialog, IDC_TRACK_START_ANGLE), "0");
        EXPECT_EQ(Shown(dialog, IDC_TRACK_GRADE), "10");
        EXPECT_FALSE(dialog.GetDlgItem(IDC_TRACK_HOLD_RADIUS)->IsWindowVisible());
        EXPECT_TRUE(ReadOnly(dialog, IDC_TRACK_CATEGORY));
        // Typing reaches only the dialog's copy.
        Enter(dialog, IDC_TRACK_LENGTH, Length(500.0));
        Enter(dialog, IDC_TRACK_TIE_SPACING, Length(-20.0));
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(piece->EditProperties(&pose), 0);
    EXPECT_EQ(Record(*piece), before);
    EXPECT_EQ(plan.tool.GetUndoCount(), steps);
}

TEST_F(TrackPropertyDialogTest, SeveralSelectedOpensOnTheSelectionAndWithoutAPlacementOnlyThePieceIsOffered) {
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    CTrack* other = plan.Straight(0.0, 500.0, 1000.0, 500.0);
    plan.host.GetSelection().push_back(piece);
    plan.host.GetSelection().push_back(other);
    piece->m_bSelected = other->m_bSelected = 1;
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        EXPECT_TRUE(Checked(dialog, IDC_TRACK_APPLY_SELECTED));
        for (int id : {IDC_TRACK_GRADE, IDC_TRACK_BEGIN_ELEVATION, IDC_TRACK_END_ELEVATION, IDC_TRACK_NAME,
                       IDC_TRACK_PRICE, IDC_TRACK_NOTE})
            EXPECT_TRUE(ReadOnly(dialog, id)) << id;
        EXPECT_FALSE(Enabled(dialog, IDC_TRACK_LENGTH));
        EXPECT_FALSE(Enabled(dialog, IDC_TRACK_SCALE));
        EXPECT_EQ(CWnd::GetFocus(), dialog.GetDlgItem(IDC_TRACK_GAUGE));
        // "As default" takes the scale and the length again.
        Click(dialog, IDC_TRACK_APPLY_DEFAULT);
        EXPECT_TRUE(Enabled(dialog, IDC_TRACK_SCALE));
        EXPECT_FALSE(Enabled(dialog, IDC_TRACK_SHOW_IN_REPORT));
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(piece->EditProperties(&pose), 0);

    host.WhenModal("Track properties", [&](CWnd& dialog) {
        EXPECT_TRUE(Checked(dialog, IDC_TRACK_APPLY_CLICKED));
        EXPECT_FALSE(Enabled(dialog, IDC_TRACK_APPLY_SELECTED));
        EXPECT_FALSE(Enabled(dialog, IDC_TRACK_APPLY_ALL));
        EXPECT_FALSE(Enabled(dialog, IDC_TRACK_APPLY_DEFAULT));
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(piece->EditProperties(nullptr), 0);
}

TEST_F(TrackPropertyDialogTest, ACurveHoldsItsRadiusRefusesALengthBeyondAFullTurnAndShowsTheNewSweep) {
    const double radius = 5000.0;
    CCircTrack* piece = plan.Curve(0.0, 0.0, radius, 0.0, 0.5);
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        EXPECT_TRUE(dialog.GetDlgItem(IDC_TRACK_HOLD_RADIUS)->IsWindowVisible());
        EXPECT_TRUE(Checked(dialog, IDC_TRACK_HOLD_RADIUS));
        EXPECT_EQ(Shown(dialog, IDC_TRACK_ARC_DEGREES), "28.648");
        const std::size_t shown = host.MessageBoxes().size();
        ExpectMessage();
        Enter(dialog, IDC_TRACK_LENGTH, Length(2.0 * radius * kTestPi + 1.0));
        EXPECT_EQ(MessagesSince(shown), std::vector<CString>{"Please enter a number between " + Length(10.0) +
                                                             " and " + Length(2.0 * radius * kTestPi) + "."});
        EXPECT_EQ(host.MessageBoxes().back().type & MB_ICONEXCLAMATION, MB_ICONEXCLAMATION);
        // The refused field keeps the text for mending, and has the focus.
        EXPECT_EQ(Shown(dialog, IDC_TRACK_LENGTH), Length(2.0 * radius * kTestPi + 1.0));
        EXPECT_EQ(CWnd::GetFocus(), dialog.GetDlgItem(IDC_TRACK_LENGTH));
        Enter(dialog, IDC_TRACK_LENGTH, Length(kTestPi * radius));
        EXPECT_EQ(Shown(dialog, IDC_TRACK_ARC_DEGREES), "180.00");
        // A length of 0 makes no curve, whichever quantity is held.
        ExpectMessage();
        Enter(dialog, IDC_TRACK_LENGTH, "0");
        EXPECT_EQ(MessagesSince(shown).size(), 2u);
        Enter(dialog, IDC_TRACK_LENGTH, Length(kTestPi * radius));
        // Typing the angle makes the radius the held quantity; typing the radius, the angle.
        Click(dialog, IDC_TRACK_RADIUS_1);
        EXPECT_TRUE(Checked(dialog, IDC_TRACK_HOLD_ANGLE));
        Click(dialog, IDC_TRACK_ARC_DEGREES);
        EXPECT_TRUE(Checked(dialog, IDC_TRACK_HOLD_RADIUS));
        ExpectMessage();
        Enter(dialog, IDC_TRACK_ARC_DEGREES, "400");
        EXPECT_EQ(MessagesSince(shown).back(), "Please enter a number between 0.115 and 360.");
        // The refused text stays to be mended; the shown sweep typed back changes nothing.
        EXPECT_EQ(Shown(dialog, IDC_TRACK_ARC_DEGREES), "400");
        Enter(dialog, IDC_TRACK_ARC_DEGREES, "180.00");
        EXPECT_EQ(MessagesSince(shown).size(), 3u);
        ExpectMessage();
        Enter(dialog, IDC_TRACK_RADIUS_1, "0");
        EXPECT_EQ(MessagesSince(shown).size(), 4u);
        EXPECT_EQ(Shown(dialog, IDC_TRACK_RADIUS_1), "0");
        Enter(dialog, IDC_TRACK_RADIUS_1, Length(radius));
        Click(dialog, IDOK);
    });
    ASSERT_EQ(piece->EditProperties(&pose), 1);
    EXPECT_DOUBLE_EQ(piece->m_fSweep, Parsed(kTestPi * radius) / radius);
    EXPECT_DOUBLE_EQ(piece->m_fRadius, radius);
    EXPECT_DOUBLE_EQ(piece->m_fLength, Parsed(kTestPi * radius));
}

TEST_F(TrackPropertyDialogTest, TheGradeSetsTheEndFromTheFixedBeginAndTheDirectionButtonTurnsIt) {
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    piece->m_fBeginElevation = 100.0;
    piece->m_fEndElevation = 100.0;
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        EXPECT_FALSE(Enabled(dialog, IDC_TRACK_GRADE));
        Click(dialog, IDC_TRACK_GRADE_ENTRY);
        EXPECT_TRUE(Enabled(dialog, IDC_TRACK_GRADE));
        EXPECT_FALSE(Enabled(dialog, IDC_TRACK_BEGIN_ELEVATION));
        EXPECT_TRUE(Checked(dialog, IDC_TRACK_FIXED_BEGIN));
        Enter(dialog, IDC_TRACK_GRADE, "2");
        EXPECT_EQ(Shown(dialog, IDC_TRACK_END_ELEVATION), Length(120.0));
        Click(dialog, IDC_TRACK_GRADE_DIRECTION);
        EXPECT_EQ(Shown(dialog, IDC_TRACK_END_ELEVATION), Length(80.0));
        Click(dialog, IDC_TRACK_ELEVATION_ENTRY);
        EXPECT_TRUE(Enabled(dialog, IDC_TRACK_END_ELEVATION));
        // An end typed lower than the begin shows a falling grade as a positive whole percent.
        Enter(dialog, IDC_TRACK_END_ELEVATION, Length(70.0));
        EXPECT_EQ(Shown(dialog, IDC_TRACK_GRADE), "3");
        Click(dialog, IDOK);
    });
    ASSERT_EQ(piece->EditProperties(&pose), 1);
    EXPECT_DOUBLE_EQ(piece->m_fEndElevation, Parsed(70.0));
    EXPECT_DOUBLE_EQ(piece->m_fBeginElevation, 100.0);
}

// The grade shows whole percent; typed back to the text it opened with, it is the exact grade.
TEST_F(TrackPropertyDialogTest, TheGradeTypedBackToItsOpenedTextKeepsTheEndElevation) {
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    piece->m_fBeginElevation = 100.0;
    piece->m_fEndElevation = 109.8;
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        EXPECT_EQ(Shown(dialog, IDC_TRACK_GRADE), "1");
        Click(dialog, IDC_TRACK_GRADE_ENTRY);
        Enter(dialog, IDC_TRACK_GRADE, "5");
        EXPECT_EQ(Shown(dialog, IDC_TRACK_END_ELEVATION), Length(150.0));
        Enter(dialog, IDC_TRACK_GRADE, "1");
        EXPECT_EQ(Shown(dialog, IDC_TRACK_END_ELEVATION), Length(109.8));
        Click(dialog, IDOK);
    });
    piece->EditProperties(&pose);
    EXPECT_EQ(piece->m_fEndElevation, 109.8);
}

TEST_F(TrackPropertyDialogTest, LengthsUpTo64MetresAreTakenAndBeyondThatTheFieldIsRefused) {
    plan.host.m_nUnitIndex = 8;  // millimetres: a tenth of a millimetre is typed exactly
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    ExpectRefusedOnOk(*piece, IDC_TRACK_LENGTH, "64000.01",
                      "Please enter a number between 1.000 and " + Length(640000.0) + ".");
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        Enter(dialog, IDC_TRACK_LENGTH, "64000");
        Click(dialog, IDOK);
    });
    ASSERT_EQ(piece->EditProperties(&pose), 1);
    EXPECT_DOUBLE_EQ(piece->m_fLength, 640000.0);
    EXPECT_NEAR(piece->m_ptSecond.x - piece->m_ptFirst.x, 640000.0, 1e-6);

    // The message names the largest length in the document's unit.
    plan.host.m_nUnitIndex = kDefaultUnitIndex;
    EXPECT_EQ(Length(640000.0), "2519.685");
}

// An elevation outside the range, left or not, is never stored: OK refuses it naming the range.
// The bound it names is taken as that bound.
TEST_F(TrackPropertyDialogTest, AnElevationOutsideTheRangeIsRefusedAndTheBoundItNamesIsTaken) {
    for (int unit : {0, kDefaultUnitIndex, 8}) {
        plan.host.m_nUnitIndex = unit;
        CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
        for (const char* typed : {"1e30", "-1", "-1e30", "words"})
            ExpectRefusedOnOk(*piece, IDC_TRACK_BEGIN_ELEVATION, typed,
                              "Please enter a number between 0 and " + Length(640000.0) +
                                  (CString(typed) == "words" ? "\n\n" + Lengths().DescribeTypedForms() : ""));
        // Below 0 by less than it shows, it shows as 0: the bound.
        for (const CString& typed : {Length(640000.0), CString("-0.0004")}) {
            host.WhenModal("Track properties", [&](CWnd& dialog) {
                Enter(dialog, IDC_TRACK_BEGIN_ELEVATION, typed);
                Click(dialog, IDOK);
            });
            ASSERT_EQ(piece->EditProperties(&pose), 1) << unit;
            EXPECT_EQ(piece->m_fBeginElevation, typed == "-0.0004" ? 0.0 : 640000.0) << unit;
        }
    }
}

TEST_F(TrackPropertyDialogTest, DegreesAreShownToThreeDecimalsRoundedByTheFourth) {
    EXPECT_DOUBLE_EQ(ShownDegrees(1.5 * kTestPi), 270.0);
    EXPECT_NEAR(ShownDegrees(2.0 * std::atan(0.4)), 43.603, 1e-9);
    CArcTrack* oval = plan.Oval(0.0, 0.0, 4000.0, 2000.0, 1.5 * kTestPi, 0.5 * kTestPi);
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        EXPECT_EQ(Shown(dialog, IDC_TRACK_START_ANGLE), "270");
        EXPECT_EQ(Shown(dialog, IDC_TRACK_ARC_DEGREES), "90");
        EXPECT_TRUE(ReadOnly(dialog, IDC_TRACK_LENGTH));
        // A quarter of an ellipse of radii 4000 and 2000 is about 4844 long.
        EXPECT_NEAR(Read(Shown(dialog, IDC_TRACK_LENGTH)), 4844.0, 10.0);
        EXPECT_FALSE(ReadOnly(dialog, IDC_TRACK_RADIUS_2));
        EXPECT_FALSE(dialog.GetDlgItem(IDC_TRACK_HOLD_RADIUS)->IsWindowVisible());
        // A new radius shows the arc's new length at once.
        const CString length = Shown(dialog, IDC_TRACK_LENGTH);
        Enter(dialog, IDC_TRACK_RADIUS_2, Length(3000.0));
        EXPECT_NE(Shown(dialog, IDC_TRACK_LENGTH), length);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(oval->EditProperties(&pose), 0);
    EXPECT_DOUBLE_EQ(oval->m_fRadiusY, 2000.0);
}

TEST_F(TrackPropertyDialogTest, EnterRightAfterTypingALengthHandsBackAPieceWhoseEndsFollow) {
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        Retype(dialog, IDC_TRACK_LENGTH, Length(2000.0));
        host.PressKey(VK_RETURN);
    });
    ASSERT_EQ(piece->EditProperties(&pose), 1);
    EXPECT_NEAR(piece->m_fLength, 2000.0, 0.01);
    EXPECT_NEAR(piece->m_ptSecond.x - piece->m_ptFirst.x, 2000.0, 0.01);
    EXPECT_NEAR(piece->m_ptEnd.x - piece->m_ptBegin.x, 2000.0, 0.01);
}

TEST_F(TrackPropertyDialogTest, OkRefusesAShapeThatMakesThePieceInvalid) {
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    // A piece of no length is not made: its range names the shortest one.
    ExpectRefusedOnOk(*piece, IDC_TRACK_LENGTH, "0",
                      "Please enter a number between " + Length(10.0) + " and " + Length(640000.0) + ".");

    // A sweep of 0 makes no curve: as it is typed, the range names the sweeps that keep the held
    // radius's curve 1 mm long at least.
    CCircTrack* curve = plan.Curve(0.0, 0.0, 5000.0, 0.0, 0.5);
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        const std::size_t shown = host.MessageBoxes().size();
        ExpectMessage();
        Enter(dialog, IDC_TRACK_ARC_DEGREES, "0");
        EXPECT_EQ(MessagesSince(shown), std::vector<CString>{"Please enter a number between 0.115 and 360."});
        EXPECT_EQ(CWnd::GetFocus(), dialog.GetDlgItem(IDC_TRACK_ARC_DEGREES));
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(curve->EditProperties(&pose), 0);
    EXPECT_DOUBLE_EQ(curve->m_fSweep, 0.5);
}

TEST_F(TrackPropertyDialogTest, ANegativeTieSpacingNeverReachesTheCopyAndOkRefusesItAndThePrice) {
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    piece->m_bShowTies = 1;
    const double spacing = piece->m_fTieSpacing, gauge = piece->m_fGauge;
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        auto& properties = dynamic_cast<CTrackPropertyDialog&>(dialog);
        Enter(dialog, IDC_TRACK_TIE_SPACING, Length(-30.0));
        Enter(dialog, IDC_TRACK_GAUGE, Length(-165.0));
        EXPECT_EQ(properties.GetEditedCopy()->m_fTieSpacing, spacing);
        EXPECT_EQ(properties.GetEditedCopy()->m_fGauge, gauge);
        Enter(dialog, IDC_TRACK_GAUGE, Length(165.0));
        Enter(dialog, IDC_TRACK_PRICE, "-1");
        const std::size_t shown = host.MessageBoxes().size();
        ExpectMessage();
        Click(dialog, IDOK);
        // The tie spacing is checked first.
        EXPECT_EQ(MessagesSince(shown),
                  std::vector<CString>{"Please enter a number between 0 and " + Length(640000.0)});
        EXPECT_EQ(CWnd::GetFocus(), dialog.GetDlgItem(IDC_TRACK_TIE_SPACING));
        Enter(dialog, IDC_TRACK_TIE_SPACING, Length(110.0));
        ExpectMessage();
        Click(dialog, IDOK);
        EXPECT_EQ(host.MessageBoxes().back().text, "Please enter a price between 0.00 and 1000000000.00.");
        EXPECT_EQ(CWnd::GetFocus(), dialog.GetDlgItem(IDC_TRACK_PRICE));
        Enter(dialog, IDC_TRACK_PRICE, "0");
        Click(dialog, IDOK);
    });
    ASSERT_EQ(piece->EditProperties(&pose), 1);
    EXPECT_EQ(piece->m_fPrice, 0.0);
}

TEST_F(TrackPropertyDialogTest, AnotherScaleRederivesTheSizesAndRaisesTheElevations) {
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    const double begin = piece->m_fBeginElevation;
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        auto* scale = static_cast<CComboBox*>(dialog.GetDlgItem(IDC_TRACK_SCALE));
        EXPECT_EQ(scale->GetCurSel(), FindScale("HO"));
        scale->SetCurSel(FindScale("N"));
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TRACK_SCALE, CBN_SELENDOK),
                           reinterpret_cast<LPARAM>(scale->GetSafeHwnd()));
        EXPECT_EQ(Shown(dialog, IDC_TRACK_GAUGE), Length(89.7));
        EXPECT_EQ(Shown(dialog, IDC_TRACK_BEGIN_ELEVATION), Length(begin + (89.7 - 165.0) * 0.25));
        Click(dialog, IDOK);
    });
    ASSERT_EQ(piece->EditProperties(&pose), 1);
    EXPECT_EQ(piece->m_strScale, "N");
    EXPECT_DOUBLE_EQ(piece->m_fGauge, 89.7);
}

TEST_F(TrackPropertyDialogTest, TheDialogShowsThePieceInItsPreview) {
    CTrack* straight = plan.Straight(0.0, 0.0, 3000.0, 0.0);
    CCircTrack* curve = plan.Curve(0.0, 0.0, 3000.0, 0.25, 1.5);
    CArcTrack* oval = plan.Oval(0.0, 0.0, 4000.0, 2000.0, 1.5 * kTestPi, 0.5 * kTestPi);
    const std::pair<CParTrack*, const char*> pieces[] = {{straight, "track-properties-straight.png"},
                                                         {curve, "track-properties-curve.png"},
                                                         {oval, "track-properties-oval.png"}};
    for (const auto& [piece, picture] : pieces) {
        host.WhenModal("Track properties", [&, picture](CWnd& dialog) {
            // The preview draws the piece in its rail colour somewhere inside its frame.
            host.RunUntilIdle();
            CWnd* preview = dialog.GetDlgItem(IDC_TRACK_PREVIEW);
            CRect area, window;
            preview->GetWindowRect(&area);
            dialog.GetWindowRect(&window);
            int railPixels = 0;
            for (int y = area.top; y < area.bottom; ++y)
                for (int x = area.left; x < area.right; ++x)
                    railPixels += ColorFromPixel(dialog.Surface()->At(x - window.left, y - window.top)) ==
                                  piece->m_crRail;
            EXPECT_GT(railPixels, 20) << picture;
            if (const CString path = TestPicturePath(picture); !path.IsEmpty())
                host.DumpWindow(&dialog, path);
            if (piece == straight) {
                host.WhenModal("More properties", [&](CWnd& more) {
                    if (const CString path = TestPicturePath("track-more-properties.png"); !path.IsEmpty())
                        host.DumpWindow(&more, path);
                    Click(more, IDCANCEL);
                });
                Click(dialog, IDC_TRACK_MORE);
            }
            Click(dialog, IDCANCEL);
        });
        EXPECT_EQ(piece->EditProperties(&pose), 0);
    }
}

// A piece of no extent, as a file may hold one, leaves the preview fitting a few units across
// the whole window: the end letters still stand at their size on the screen, centred on the ends.
TEST_F(TrackPropertyDialogTest, APieceOfNoExtentShowsTheEndLettersAtScreenSizeInThePreview) {
    CTrack* piece = plan.Straight(0.0, 0.0, 0.0, 0.0);
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        host.RunUntilIdle();
        CWnd* preview = dialog.GetDlgItem(IDC_TRACK_PREVIEW);
        CRect area, window;
        preview->GetClientRect(&area);
        preview->ClientToScreen(&area);
        dialog.GetWindowRect(&window);
        CRect letters(area.right, area.bottom, area.left, area.top);
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (ColorFromPixel(dialog.Surface()->At(x - window.left, y - window.top)) == RGB(0, 0, 0)) {
                    letters.left = std::min(letters.left, x);
                    letters.top = std::min(letters.top, y);
                    letters.right = std::max(letters.right, x + 1);
                    letters.bottom = std::max(letters.bottom, y + 1);
                }
        ASSERT_LT(letters.left, letters.right);
        // "B" and "E" of the 16-pixel system font, ten pixels either side of the one point.
        EXPECT_LE(letters.Height(), 16);
        EXPECT_LE(letters.Width(), 40);
        EXPECT_NEAR(letters.CenterPoint().x, area.CenterPoint().x, 3);
        EXPECT_NEAR(letters.CenterPoint().y, area.CenterPoint().y, 3);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(piece->EditProperties(&pose), 0);
}

TEST_F(TrackPropertyDialogTest, ASweepThatLeavesNoFiniteRadiusNeverReachesThePreview) {
    CCircTrack* curve = plan.Curve(0.0, 0.0, 3000.0, 0.25, 1.0);
    const std::vector<BYTE> before = Record(*curve);
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        auto& properties = dynamic_cast<CTrackPropertyDialog&>(dialog);
        // With the length held, the sweep derives the radius from the length: one of 0 is
        // refused, naming the sweeps that keep the radius at most 64 m.
        Click(dialog, IDC_TRACK_HOLD_LENGTH);
        const std::size_t shown = host.MessageBoxes().size();
        ExpectMessage();
        Enter(dialog, IDC_TRACK_ARC_DEGREES, "0");
        EXPECT_EQ(MessagesSince(shown), std::vector<CString>{"Please enter a number between 0.269 and 360."});
        EXPECT_DOUBLE_EQ(dynamic_cast<CCircTrack*>(properties.GetEditedCopy())->m_fRadius, 3000.0);
        EXPECT_EQ(Shown(dialog, IDC_TRACK_RADIUS_1), Length(3000.0));
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(curve->EditProperties(&pose), 0);
    EXPECT_EQ(Record(*curve), before);
}

TEST_F(TrackPropertyDialogTest, ADegreeFieldThatIsNoNumberFallsBackToTheClickedPiece) {
    CArcTrack* oval = plan.Oval(0.0, 0.0, 4000.0, 2000.0, 1.5 * kTestPi, 0.5 * kTestPi);
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        Retype(dialog, IDC_TRACK_START_ANGLE, "east");
        const std::size_t shown = host.MessageBoxes().size();
        ExpectMessage();
        Click(dialog, IDC_TRACK_APPLY_ALL);
        EXPECT_EQ(MessagesSince(shown).size(), 1u);
        EXPECT_TRUE(Checked(dialog, IDC_TRACK_APPLY_CLICKED));
        EXPECT_FALSE(Checked(dialog, IDC_TRACK_APPLY_ALL));
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(oval->EditProperties(&pose), 0);
    EXPECT_DOUBLE_EQ(oval->m_fStartAngle, 1.5 * kTestPi);
}

// A length or angle typed away and back to the text it showed is the exact one again, as are
// the lengths a change recomputed.
TEST_F(TrackPropertyDialogTest, AFieldTypedAwayAndBackKeepsThePieceAsItWas) {
    CTrack* straight = plan.Straight(0.0, 0.0, 1000.123456, 0.0);
    CCircTrack* curve = plan.Curve(0.0, 3000.0, 5000.123456, 3000.0, 0.5);
    const CString away = Length(2000.0);
    const std::tuple<CParTrack*, int, CString> fields[] = {{straight, IDC_TRACK_LENGTH, away},
                                                           {curve, IDC_TRACK_RADIUS_1, away},
                                                           {curve, IDC_TRACK_LENGTH, away},
                                                           {curve, IDC_TRACK_TIE_LENGTH, away},
                                                           {curve, IDC_TRACK_ARC_DEGREES, "2"}};
    for (const auto& [piece, id, typed] : fields) {
        const std::vector<BYTE> before = Record(*piece);
        host.WhenModal("Track properties", [&](CWnd& dialog) {
            const CString shown = Shown(dialog, id);
            Enter(dialog, id, typed);
            EXPECT_NE(Shown(dialog, id), shown);
            Enter(dialog, id, shown);
            Click(dialog, IDOK);
        });
        piece->EditProperties(&pose);
        EXPECT_EQ(Record(*piece), before) << id;
    }
}

// An elliptic arc keeps the length it was stored with while its shape is the one it opened with.
TEST_F(TrackPropertyDialogTest, AnOvalKeepsItsStoredLengthUntilItsShapeChanges) {
    CArcTrack* oval = plan.Oval(0.0, 0.0, 4000.0, 2000.0, 1.5 * kTestPi, 0.5 * kTestPi);
    oval->m_fLength += 3.0;
    const std::vector<BYTE> before = Record(*oval);
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        const CString length = Shown(dialog, IDC_TRACK_LENGTH);
        Enter(dialog, IDC_TRACK_GAUGE, Length(20.0));
        EXPECT_EQ(Shown(dialog, IDC_TRACK_LENGTH), length);
        Enter(dialog, IDC_TRACK_RADIUS_2, Length(3000.0));
        EXPECT_NE(Shown(dialog, IDC_TRACK_LENGTH), length);
        Click(dialog, IDCANCEL);
    });
    oval->EditProperties(&pose);
    EXPECT_EQ(Record(*oval), before);
}
