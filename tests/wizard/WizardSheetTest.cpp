#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "drawing/CArc.h"
#include "drawing/CSizeLine.h"
#include "model/CPlanViewServices.h"
#include "model/Units.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/AfxIds.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/CView.h"
#include "platform/win/WindowDCs.h"
#include "resources/WizardPageTemplates.h"
#include "tests/support/TestPictures.h"
#include "tests/wizard/WizardFixture.h"
#include "track/CCircTrack.h"
#include "track/CTrack.h"
#include "wizard/CPage3Way.h"
#include "wizard/CPageCurved.h"
#include "wizard/CPageCurvedTurnout.h"
#include "wizard/CPageSpiral.h"
#include "wizard/CPageStraightTrack.h"
#include "wizard/CPageTurnTable.h"
#include "wizard/CPageTurnout.h"
#include "wizard/CTrackPreviewWnd.h"
#include "wizard/CWizardLabel.h"

namespace {

constexpr double kDegree = kPi / 180.0;

class WizardSheet : public WizardInProgram {
  protected:
    // The middle of the plan window, in layout units.
    CDoublePoint PlanCentre() {
        auto* plan = dynamic_cast<CPlanViewServices*>(Main().MDIGetActive()->GetActiveView());
        const CPoint centre = plan != nullptr ? plan->GetCenterPoint() : CPoint();
        return layout->m_tool.DeviceToLayout(centre.x, centre.y);
    }
    static CDoublePoint Middle(CPaint& object) {
        object.ComputeExtent(nullptr);
        return {(object.m_fMinX + object.m_fMaxX) * 0.5, (object.m_fMinY + object.m_fMaxY) * 0.5};
    }
    // Types into a page's field and places without leaving the field.
    template <class Page>
    CPaint* PlaceTyped(int index, UINT id, const CString& text) {
        RunWizard([&](CSheetWizard& sheet) {
            Type(Show<Page>(sheet, index), id, text);
            sheet.PressButton(PSBTN_OK);
        });
        return Newest();
    }
    // An opened group of two straights, or of two circles, off the origin.
    CGroup* OpenGroup(bool ofTrack = true) {
        CTool& tool = layout->m_tool;
        for (double y : {0.0, 2000.0}) {
            CPaint* member = tool.CreateObjectForTool(ofTrack ? kToolStraightTrack : kToolArc);
            if (ofTrack)
                static_cast<CTrack*>(member)->SetEnds(5000.0, 3000.0 + y, 9000.0, 3000.0 + y, 0, 0);
            else
                static_cast<CArc*>(member)->SetArc(5000.0, 3000.0 + y, 500.0, 500.0, 0.0, kFullTurn, 1, 0, 0);
            tool.AddObjectWithUndo(member, 1, 1);
        }
        tool.GroupSelection(1);
        auto* group = dynamic_cast<CGroup*>(layout->m_rootGroup.m_members.front());
        if (group == nullptr || !tool.EnterGroupEdit(1))
            return nullptr;
        return group;
    }
};

}  // namespace

TEST_F(WizardSheet, ReopensOnTheLastPageAndPlacesIntoTheMiddleOfThePlanWithOneUndo) {
    ASSERT_TRUE(IsEnabled(ID_TRACK_WIZARD));
    RunWizard([&](CSheetWizard& sheet) {
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_EQ(sheet.GetPageCount(), 11);
        EXPECT_EQ(TextOf(sheet, IDOK), "Place");
        EXPECT_EQ(TextOf(sheet, IDCANCEL), "Close");
        EXPECT_FALSE(sheet.GetDlgItem(ID_APPLY_NOW)->IsWindowVisible());
        CRect place, close, reset;
        sheet.GetDlgItem(IDOK)->GetWindowRect(&place);
        sheet.GetDlgItem(IDCANCEL)->GetWindowRect(&close);
        sheet.m_btnDefault.GetWindowRect(&reset);
        EXPECT_EQ(reset.Size(), close.Size());
        EXPECT_LT(reset.right, place.left);
        EXPECT_LT(place.right, close.left);
        auto& curved = Show<CPageCurved>(sheet, kCurvedPage);
        Enter(curved, IDC_CURVED_RADIUS, Length(3000.0));
        EXPECT_NEAR(curved.m_pTrack->m_fRadius, 3000.0, 1e-9);
        sheet.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(layout->m_nWizardPage, kCurvedPage);
    EXPECT_TRUE(layout->m_rootGroup.m_members.empty());

    const int undoSteps = layout->m_tool.GetUndoCount();
    CPaint* typedPiece = nullptr;
    RunWizard([&](CSheetWizard& sheet) {
        EXPECT_EQ(sheet.GetActiveIndex(), kCurvedPage);
        auto& curved = *dynamic_cast<CPageCurved*>(sheet.GetActivePage());
        EXPECT_EQ(TextOf(curved, IDC_CURVED_RADIUS), Length(3000.0));
        typedPiece = curved.m_pPiece;
        sheet.PressButton(PSBTN_OK);
    });
    ASSERT_EQ(layout->m_rootGroup.m_members.size(), 1U);
    auto* placed = dynamic_cast<CCircTrack*>(Newest());
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed, typedPiece);
    EXPECT_NEAR(placed->m_fRadius, 3000.0, 1e-9);
    EXPECT_TRUE(placed->IsSelected());
    EXPECT_EQ(placed->m_strScale, "HO");
    EXPECT_EQ(layout->m_tool.m_toolMode, kToolSelector);
    const CDoublePoint middle = Middle(*placed);
    const CDoublePoint centre = PlanCentre();
    EXPECT_NEAR(middle.x, centre.x, 1e-6);
    EXPECT_NEAR(middle.y, centre.y, 1e-6);

    Main().SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    EXPECT_TRUE(layout->m_rootGroup.m_members.empty());
    EXPECT_EQ(layout->m_tool.GetUndoCount(), undoSteps);
}

TEST_F(WizardSheet, AnOpenedGroupStandsStillWhileTheWizardRunsAndTakesThePlacedPieceOnItsMiddle) {
    CGroup* group = OpenGroup();
    ASSERT_NE(group, nullptr);
    group->m_pose.angle = 0.0;
    const CPose pose = group->m_pose;
    ASSERT_NE(pose.x, 0.0);
    group->ComputeExtent(nullptr);
    const CDoublePoint groupMiddle = Middle(*group);
    RunWizard([&](CSheetWizard& sheet) {
        EXPECT_EQ(group->m_pose.x, 0.0);
        EXPECT_EQ(group->m_pose.y, 0.0);
        sheet.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(group->m_pose.x, pose.x);
    EXPECT_EQ(group->m_pose.y, pose.y);
    EXPECT_EQ(group->m_members.size(), 2U);

    CPaint* oldPiece = group->m_members.back();
    const CDoublePoint oldEnd = WorldEnd(static_cast<CParTrack*>(oldPiece), 1);
    CPaint* piece = nullptr;
    RunWizard([&](CSheetWizard& sheet) {
        piece = Show<CPageTurnTable>(sheet, kTurntablePage).m_pPiece;
        sheet.PressButton(PSBTN_OK);
    });
    ASSERT_EQ(group->m_members.size(), 3U);
    EXPECT_EQ(group->m_members.front(), piece);
    const CDoublePoint middle = Middle(*piece);
    EXPECT_NEAR(middle.x, groupMiddle.x, 1e-6);
    EXPECT_NEAR(middle.y, groupMiddle.y, 1e-6);
    // The members already there keep their place on the plan.
    EXPECT_POINT_NEAR(WorldEnd(static_cast<CParTrack*>(oldPiece), 1), oldEnd.x, oldEnd.y, 1e-6);
    Main().SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    EXPECT_EQ(group->m_members.size(), 2U);
}

TEST_F(WizardSheet, PlaceTakesTypedValuesAndRefusesWhatMakesNoPiece) {
    auto* straight =
        dynamic_cast<CTrack*>(PlaceTyped<CPageStraightTrack>(kStraightPage, IDC_STRAIGHT_LENGTH, "30"));
    ASSERT_NE(straight, nullptr);
    EXPECT_NEAR(straight->m_fLength, 300.0, 1e-9);

    struct Angle {
        const char* typed;
        double sweep;
    };
    for (const Angle& angle :
         {Angle{"360", kPi * 1.9999944444444446}, Angle{"359.5", 359.5 * kDegree}, Angle{"1", kDegree}}) {
        auto* curve =
            dynamic_cast<CCircTrack*>(PlaceTyped<CPageCurved>(kCurvedPage, IDC_CURVED_ANGLE, angle.typed));
        ASSERT_NE(curve, nullptr);
        EXPECT_NEAR(curve->m_fSweep, angle.sweep, 1e-12) << angle.typed;
    }
    auto* curve = dynamic_cast<CCircTrack*>(PlaceTyped<CPageCurved>(kCurvedPage, IDC_CURVED_RADIUS, "30"));
    ASSERT_NE(curve, nullptr);
    EXPECT_EQ(curve->m_fRadius, 300.0);
    const size_t placed = layout->m_rootGroup.m_members.size();
    EXPECT_TRUE(host.MessageBoxes().empty());

    // Below the unit or a degree, or beyond a whole turn, nothing is placed.
    struct Refused {
        int page;
        UINT id;
        const char* typed;
    };
    for (const Refused& refused :
         {Refused{kStraightPage, IDC_STRAIGHT_LENGTH, "10"}, Refused{kStraightPage, IDC_STRAIGHT_LENGTH, "0"},
          Refused{kCurvedPage, IDC_CURVED_ANGLE, "-400"}, Refused{kCurvedPage, IDC_CURVED_ANGLE, "800"},
          Refused{kCurvedPage, IDC_CURVED_ANGLE, "0"}, Refused{kCurvedPage, IDC_CURVED_RADIUS, "-5"},
          Refused{kTurntablePage, IDC_TURNTABLE_LENGTH, "-5"}})
        EXPECT_EQ(BoxesOnPlace(refused.page, refused.id, refused.typed), 1U) << refused.typed;
    EXPECT_EQ(layout->m_rootGroup.m_members.size(), placed);
}

TEST_F(WizardSheet, The3WayPagePlacesTheEntryLengthTypedButNeverLeft) {
    CPaint* placed = PlaceTyped<CPage3Way>(k3WayPage, IDC_WIZARD_ENTRY, "0");
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(Members(placed).m_members.size(), 3U);

    placed = PlaceTyped<CPage3Way>(k3WayPage, IDC_WIZARD_ENTRY, "75");
    ASSERT_NE(placed, nullptr);
    ASSERT_EQ(Members(placed).m_members.size(), 4U);
    auto* through = dynamic_cast<CTrack*>(Members(placed).m_members.front());
    auto* entry = dynamic_cast<CTrack*>(Members(placed).m_members.back());
    ASSERT_NE(through, nullptr);
    ASSERT_NE(entry, nullptr);
    const CDoublePoint begin = WorldEnd(entry, 0), joint = WorldEnd(entry, 1);
    EXPECT_NEAR(std::hypot(joint.x - begin.x, joint.y - begin.y), 750.0, 1e-6);
    const CDoublePoint throughBegin = WorldEnd(through, 0);
    EXPECT_POINT_NEAR(throughBegin, joint.x, joint.y, 1e-6);
    EXPECT_EQ(through->m_bBeginConnected, 1);

    // Both the entry and the through route typed, neither left: Place takes the two.
    RunWizard([&](CSheetWizard& sheet) {
        auto& page = Show<CPage3Way>(sheet, k3WayPage);
        Type(page, IDC_WIZARD_ENTRY, "40");
        Type(page, IDC_3WAY_LENGTH3, "300");
        sheet.PressButton(PSBTN_OK);
    });
    ASSERT_EQ(Members(Newest()).m_members.size(), 4U);
    through = dynamic_cast<CTrack*>(Members(Newest()).m_members.front());
    entry = dynamic_cast<CTrack*>(Members(Newest()).m_members.back());
    ASSERT_NE(through, nullptr);
    ASSERT_NE(entry, nullptr);
    EXPECT_NEAR(entry->m_fLength, 400.0, 1e-6);
    EXPECT_NEAR(through->m_fLength, 3000.0, 1e-6);
}

TEST_F(WizardSheet, PlaceMarksTheBranchConnectedWhereItMeetsTheSwitchPoint) {
    RunWizard([&](CSheetWizard& sheet) {
        Click(Show<CPageTurnout>(sheet, kTurnoutPage), IDC_TURNOUT_RIGHT);
        sheet.PressButton(PSBTN_OK);
    });
    auto* curve = dynamic_cast<CCircTrack*>(*std::next(Members(Newest()).m_members.begin()));
    ASSERT_NE(curve, nullptr);
    EXPECT_EQ(curve->m_bBeginConnected, 0);
    EXPECT_EQ(curve->m_bEndConnected, 1);
    const CDoublePoint switchPoint =
        WorldEnd(static_cast<CParTrack*>(Members(Newest()).m_members.front()), 0);
    EXPECT_POINT_NEAR(WorldEnd(curve, 1), switchPoint.x, switchPoint.y, 1e-5);

    for (UINT hand : {IDC_CURVED_TURNOUT_RIGHT, IDC_CURVED_TURNOUT_WYE, IDC_CURVED_TURNOUT_LEFT}) {
        RunWizard([&](CSheetWizard& sheet) {
            auto& page = Show<CPageCurvedTurnout>(sheet, kCurvedTurnoutPage);
            Enter(page, IDC_WIZARD_ENTRY_CURVED, "0");
            Click(page, hand);
            sheet.PressButton(PSBTN_OK);
        });
        ASSERT_EQ(Members(Newest()).m_members.size(), 2U);
        auto* second = dynamic_cast<CCircTrack*>(Members(Newest()).m_members.back());
        ASSERT_NE(second, nullptr);
        const int atEnd = hand == IDC_CURVED_TURNOUT_LEFT ? 0 : 1;
        EXPECT_EQ(second->m_bEndConnected, atEnd) << hand;
        EXPECT_EQ(second->m_bBeginConnected, 1 - atEnd) << hand;
        // The marked end is the one both curves leave from.
        auto* first = static_cast<CParTrack*>(Members(Newest()).m_members.front());
        const CDoublePoint common = WorldEnd(first, hand == IDC_CURVED_TURNOUT_RIGHT ? 1 : 0);
        EXPECT_POINT_NEAR(WorldEnd(second, atEnd), common.x, common.y, 1e-5);
    }
}

TEST_F(WizardSheet, WithoutAPlanWindowPlacePlacesNothingAndLeavesTheGroupAsItWas) {
    // Circles, which the 3D window shows without textures.
    CGroup* group = OpenGroup(false);
    ASSERT_NE(group, nullptr);
    const CPose pose = group->m_pose;
    ASSERT_NE(pose.x, 0.0);
    Main().SendMessage(WM_COMMAND, ID_SHOW_3D_VIEW);
    CMDIChildWnd* plan = nullptr;
    for (CFrameWnd* frame : layout->Frames())
        if (frame != layout->Get3DFrame())
            plan = dynamic_cast<CMDIChildWnd*>(frame);
    ASSERT_NE(plan, nullptr);
    ASSERT_NE(layout->Get3DFrame(), nullptr);
    plan->SendMessage(WM_CLOSE);
    host.RunUntilIdle();
    ASSERT_EQ(ActiveLayout(), layout);
    RunWizard([&](CSheetWizard& sheet) {
        Show<CPageTurnout>(sheet, kTurnoutPage);
        sheet.PressButton(PSBTN_OK);
    });
    EXPECT_EQ(group->m_members.size(), 2U);
    EXPECT_EQ(group->m_pose.x, pose.x);
    EXPECT_EQ(group->m_pose.y, pose.y);
    EXPECT_EQ(group->m_pose.angle, pose.angle);
}

TEST_F(WizardSheet, EveryPagePreviewsItsPieceWithoutFillingTheFrame) {
    RunWizard([&](CSheetWizard& sheet) {
        for (int index = 0; index < sheet.GetPageCount(); ++index) {
            auto& page = Show<CPageWizard>(sheet, index);
            host.RunUntilIdle();
            CWnd* preview = page.m_pPreview;
            ASSERT_NE(preview, nullptr) << index;
            CRect client;
            preview->GetClientRect(&client);
            CRect sheetRect;
            sheet.GetWindowRect(&sheetRect);
            const COLORREF blank = GetSysColor(COLOR_WINDOW);
            int drawn = 0;
            for (int y = client.top; y < client.bottom; ++y)
                for (int x = client.left; x < client.right; ++x) {
                    CPoint at(x, y);
                    preview->ClientToScreen(&at);
                    if (ColorFromPixel(sheet.Surface()->At(at.x - sheetRect.left, at.y - sheetRect.top)) !=
                        blank)
                        ++drawn;
                }
            EXPECT_GT(drawn, 200) << index;
            EXPECT_LT(drawn, client.Width() * client.Height() / 2) << index;
            CString name;
            name.Format("wizard-page-%d.png", index);
            if (const CString png = TestPicturePath(name); !png.IsEmpty())
                host.DumpWindow(&sheet, png);
        }
        sheet.PressButton(PSBTN_CANCEL);
    });
}

namespace {

// The preview's own pixels, as the sheet shows them.
std::vector<std::uint32_t> PreviewPicture(CWnd& sheet, CWnd& preview) {
    CRect client;
    preview.GetClientRect(&client);
    preview.ClientToScreen(&client);
    CRect sheetRect;
    sheet.GetWindowRect(&sheetRect);
    std::vector<std::uint32_t> picture;
    for (int y = client.top; y < client.bottom; ++y)
        for (int x = client.left; x < client.right; ++x)
            picture.push_back(sheet.Surface()->At(x - sheetRect.left, y - sheetRect.top));
    return picture;
}

}  // namespace

// Fitting the preview to its labels measures their text round after round: a repaint of an
// unchanged page keeps the fit and its picture, and a change of the piece fits it once.
TEST_F(WizardSheet, ThePreviewFitsItsLabelsOncePerChangeAndNotOnEveryRepaint) {
    RunWizard([&](CSheetWizard& sheet) {
        for (int index = 0; index < sheet.GetPageCount(); ++index) {
            auto& page = Show<CPageWizard>(sheet, index);
            host.RunUntilIdle();
            CTrackPreviewWnd& preview = *page.m_pPreview;
            const int fits = preview.FitCount();
            const std::vector<std::uint32_t> picture = PreviewPicture(sheet, preview);
            EXPECT_GE(fits, 1) << index;
            for (int repaint = 0; repaint < 2; ++repaint) {
                preview.Invalidate(TRUE);
                host.RunUntilIdle();
                EXPECT_TRUE(PreviewPicture(sheet, preview) == picture) << index;
            }
            EXPECT_EQ(preview.FitCount(), fits) << index;
        }
        auto& straight = Show<CPageStraightTrack>(sheet, kStraightPage);
        host.RunUntilIdle();
        CTrackPreviewWnd& preview = *straight.m_pPreview;
        const int fits = preview.FitCount();
        Enter(straight, IDC_STRAIGHT_LENGTH, "250");
        host.RunUntilIdle();
        preview.Invalidate(TRUE);
        host.RunUntilIdle();
        EXPECT_EQ(preview.FitCount(), fits + 1);
        sheet.PressButton(PSBTN_CANCEL);
    });
}

namespace {

// The box a label's text covers in the preview as it is fitted, in layout units.
CTrackPreviewWnd::Box TextBox(CPageWizard& page, CWizardLabel& label) {
    CClientDC dc(page.m_pPreview);
    dc.SetMapMode(MM_LOMETRIC);
    const CPose zero;
    const CPose frame = page.m_pLabelGroup->WorldPose(&zero);
    CTrackPreviewWnd::Box box{1e300, 1e300, -1e300, -1e300};
    label.AddTextBounds(dc, &frame, page.m_pPreview->FitScale(), box.minX, box.minY, box.maxX, box.maxY);
    return box;
}

bool Apart(const CTrackPreviewWnd::Box& a, const CTrackPreviewWnd::Box& b) {
    return a.maxX <= b.minX || b.maxX <= a.minX || a.maxY <= b.minY || b.maxY <= a.minY;
}

}  // namespace

// The fit takes in what the labels' text covers, so no page draws to the edge of its preview;
// the turnout's "Angle" stands clear of its "Offset" on either hand, and the spiral's "Offset"
// of its dimension line.
TEST_F(WizardSheet, LabelsStayInsideThePreviewAndTheTurnoutsAngleClearsItsOffset) {
    RunWizard([&](CSheetWizard& sheet) {
        for (int index = 0; index < sheet.GetPageCount(); ++index) {
            auto& page = Show<CPageWizard>(sheet, index);
            host.RunUntilIdle();
            CWnd* preview = page.m_pPreview;
            ASSERT_NE(preview, nullptr);
            CRect client;
            preview->GetClientRect(&client);
            CRect sheetRect;
            sheet.GetWindowRect(&sheetRect);
            const COLORREF blank = GetSysColor(COLOR_WINDOW);
            int atEdge = 0;
            for (int y = client.top; y < client.bottom; ++y)
                for (int x = client.left; x < client.right; ++x) {
                    const bool edge = x < client.left + 2 || x >= client.right - 2 || y < client.top + 2 ||
                                      y >= client.bottom - 2;
                    CPoint at(x, y);
                    preview->ClientToScreen(&at);
                    if (edge && ColorFromPixel(sheet.Surface()->At(at.x - sheetRect.left,
                                                                   at.y - sheetRect.top)) != blank)
                        ++atEdge;
                }
            EXPECT_EQ(atEdge, 0) << index;
        }
        auto& turnout = Show<CPageTurnout>(sheet, kTurnoutPage);
        for (UINT hand : {IDC_TURNOUT_LEFT, IDC_TURNOUT_RIGHT}) {
            Click(turnout, hand);
            ASSERT_EQ(turnout.m_pLabel3->m_strText, "Offset");
            ASSERT_EQ(turnout.m_pLabel4->m_strText, "Angle");
            EXPECT_TRUE(Apart(TextBox(turnout, *turnout.m_pLabel3), TextBox(turnout, *turnout.m_pLabel4)))
                << hand;
        }
        // The spiral's "Offset" ends before the offset's dimension line and its arrowheads.
        auto& spiral = Show<CPageSpiral>(sheet, kSpiralPage);
        ASSERT_EQ(spiral.m_pLabel2->m_strText, "Offset");
        const CPose zero;
        const CPose frame = spiral.m_pLabelGroup->WorldPose(&zero);
        double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
        spiral.m_pDimLine2->GetBounds(&frame, minX, minY, maxX, maxY);
        EXPECT_LT(TextBox(spiral, *spiral.m_pLabel2).maxX, minX);
        // Fitting the labels leaves the piece its room: it spans most of its long label's width.
        spiral.m_pDimLine1->GetBounds(&frame, minX, minY, maxX, maxY);
        const CTrackPreviewWnd::Box length = TextBox(spiral, *spiral.m_pLabel1);
        EXPECT_GT(maxX - minX, 0.6 * (length.maxX - length.minX));
        sheet.PressButton(PSBTN_CANCEL);
    });
}
