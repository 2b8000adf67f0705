#include <filesystem>
#include <fstream>
#include <iterator>

#include "model/CCVNDoc.h"
#include "model/CDataFolders.h"
#include "platform/base/CWinPath.h"
#include "platform/cdlg/CColorDialog.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/ctl/CListCtrl.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TestFolder.h"
#include "tests/support/WorkingFolderKept.h"
#include "tests/track/TrackDialogFixture.h"
#include "track/CTrackMoreDialog.h"
#include "track/CTrackPropertyDialog.h"

namespace {

using TrackPropertiesOpenerTest = TrackDialogFixture;

}  // namespace

TEST_F(TrackPropertiesOpenerTest, EachApplyModeIsUndoneByOneUndoToTheExactFormerPieces) {
    CTrack* clicked = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    // Two pieces leaving one point the same way, as a turnout's routes do, are joined there.
    CTrack* joined = plan.Straight(0.0, 0.0, 1000.0, 50.0);
    CCircTrack* curve = plan.Curve(0.0, 5000.0, 3000.0, 0.25, 0.75);
    CPaint* root = plan.host.GetRootGroup();
    root->SetChanged(1);
    root->UpdateConnections(nullptr, 0);
    root->UpdateConnections(nullptr, 1);
    root->SetChanged(0);
    ASSERT_EQ(clicked->m_bBeginConnected, 1);
    plan.host.GetSelection().push_back(curve);
    curve->m_bSelected = 1;
    const std::vector<BYTE> clickedBefore = Record(*clicked);
    const std::vector<BYTE> joinedBefore = Record(*joined);
    const std::vector<BYTE> curveBefore = Record(*curve);
    constexpr int kRadios[] = {IDC_TRACK_APPLY_CLICKED, IDC_TRACK_APPLY_SELECTED, IDC_TRACK_APPLY_ALL};
    for (int mode : {CTrackPropertyDialog::kApplyToPiece, CTrackPropertyDialog::kApplyToSelection,
                     CTrackPropertyDialog::kApplyToAll}) {
        const int steps = plan.tool.GetUndoCount();
        host.WhenModal("Track properties", [&, mode](CWnd& dialog) {
            Click(dialog, kRadios[mode]);
            Enter(dialog, IDC_TRACK_GAUGE, Length(200.0));
            Click(dialog, IDC_TRACK_SHOW_AXIS);
            Click(dialog, IDOK);
        });
        ASSERT_EQ(clicked->EditProperties(&pose), 1) << mode;
        EXPECT_EQ(plan.tool.GetUndoCount(), steps + 1) << mode;
        // The selection holds the curve only: mode 1 reaches it, not the clicked piece.
        EXPECT_DOUBLE_EQ((mode == 1 ? static_cast<CParTrack*>(curve) : clicked)->m_fGauge, Parsed(200.0))
            << mode;
        EXPECT_EQ(joined->m_fGauge == Parsed(200.0), mode == 2) << mode;
        EXPECT_EQ(clicked->m_bBeginConnected, 1) << mode;
        plan.tool.Undo();
        EXPECT_EQ(Record(*clicked), clickedBefore) << mode;
        EXPECT_EQ(Record(*joined), joinedBefore) << mode;
        EXPECT_EQ(Record(*curve), curveBefore) << mode;
        EXPECT_EQ(plan.tool.GetUndoCount(), steps) << mode;
    }
}

TEST_F(TrackPropertiesOpenerTest, TheClickedPieceAloneMovesToKeepItsReferencePoint) {
    CCircTrack* curve = plan.Curve(0.0, 0.0, 3000.0, 0.0, 0.5);
    CTrack* other = plan.Straight(5000.0, 0.0, 6000.0, 0.0);
    for (CPaint* piece : {static_cast<CPaint*>(curve), static_cast<CPaint*>(other)}) {
        plan.host.GetSelection().push_back(piece);
        piece->m_bSelected = 1;
    }
    const CDoublePoint begin = curve->LocalToWorld(curve->m_points[5].x, curve->m_points[5].y);
    const CPose otherPose = other->m_pose;
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        EXPECT_TRUE(Checked(dialog, IDC_TRACK_APPLY_SELECTED));
        Click(dialog, IDC_TRACK_APPLY_CLICKED);
        Enter(dialog, IDC_TRACK_RADIUS_1, Length(4000.0));
        Click(dialog, IDOK);
    });
    ASSERT_EQ(curve->EditProperties(&pose), 1);
    EXPECT_NEAR(curve->m_fRadius, 4000.0, 0.01);
    const CDoublePoint after = curve->LocalToWorld(curve->m_points[5].x, curve->m_points[5].y);
    EXPECT_NEAR(after.x, begin.x, 1e-6);
    EXPECT_NEAR(after.y, begin.y, 1e-6);
    EXPECT_EQ(other->m_pose.x, otherPose.x);
    EXPECT_EQ(other->m_pose.y, otherPose.y);
    EXPECT_EQ(curve->m_bSelected, 1);
}

TEST_F(TrackPropertiesOpenerTest, TheMorePropertiesDialogEditsTheTunnelAndTheLineWidths) {
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    piece->m_bTunnelUsesTexture = 0;
    piece->m_nRailLineWidth = 3;
    piece->m_nTieLineWidth = 7;
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        host.WhenModal("More properties", [&](CWnd& more) {
            EXPECT_FALSE(Checked(more, IDC_MORE_USE_TEXTURE));
            EXPECT_FALSE(Enabled(more, IDC_MORE_TUNNEL_TEXTURE));
            EXPECT_FALSE(Enabled(more, IDC_MORE_BROWSE_TEXTURE));
            Click(more, IDC_MORE_USE_TEXTURE);
            EXPECT_TRUE(Enabled(more, IDC_MORE_TUNNEL_TEXTURE));
            EXPECT_TRUE(Enabled(more, IDC_MORE_BROWSE_TEXTURE));
            auto* rail = static_cast<CComboBox*>(more.GetDlgItem(IDC_MORE_RAIL_WIDTH));
            auto* tie = static_cast<CComboBox*>(more.GetDlgItem(IDC_MORE_TIE_WIDTH));
            EXPECT_EQ(rail->GetCurSel(), 2);
            EXPECT_EQ(tie->GetCurSel(), -1);
            rail->SetCurSel(0);
            Retype(more, IDC_MORE_TUNNEL_WIDTH, Length(500.0));
            Retype(more, IDC_MORE_TUNNEL_TEXTURE, "stone.bmp");
            Click(more, IDOK);
        });
        Click(dialog, IDC_TRACK_MORE);
        Click(dialog, IDOK);
    });
    ASSERT_EQ(piece->EditProperties(&pose), 1);
    EXPECT_EQ(piece->m_nRailLineWidth, 1);
    // A width the list has no entry for is kept.
    EXPECT_EQ(piece->m_nTieLineWidth, 7);
    EXPECT_EQ(piece->m_bTunnelUsesTexture, 1);
    EXPECT_DOUBLE_EQ(piece->m_fTunnelWidth, Parsed(500.0));
    EXPECT_EQ(piece->m_strTunnelTexture, "stone.bmp");

    // Cancel in the more dialog leaves the copy as it was.
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        host.WhenModal("More properties", [&](CWnd& more) {
            Retype(more, IDC_MORE_TUNNEL_WIDTH, Length(900.0));
            Click(more, IDCANCEL);
        });
        Click(dialog, IDC_TRACK_MORE);
        Click(dialog, IDOK);
    });
    ASSERT_EQ(piece->EditProperties(&pose), 1);
    EXPECT_DOUBLE_EQ(piece->m_fTunnelWidth, Parsed(500.0));
}

namespace {

// A document whose error boxes are kept instead of shown, in a program folder of its own.
class SettingsDoc : public CCVNDoc {
  public:
    void ReportError(const CString& text) override { m_errors.push_back(text); }
    std::vector<CString> m_errors;
};

std::vector<char> FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class TrackDefaultsTest : public TrackDialogFixture {
  protected:
    void SetUp() override {
        TrackDialogFixture::SetUp();
        m_previousBase = CDataFolders::GetBaseFolder();
        CDataFolders::SetBaseFolder(CWinPath::FromReal(m_folder.Path()) + "\\");
    }
    void TearDown() override {
        CDataFolders::SetBaseFolder(m_previousBase);
        TrackDialogFixture::TearDown();
    }
    // Chooses "as default" and the N scale.
    void ApplyAsDefaultInN() {
        host.WhenModal("Track properties", [&](CWnd& dialog) {
            Click(dialog, IDC_TRACK_APPLY_DEFAULT);
            auto* scale = static_cast<CComboBox*>(dialog.GetDlgItem(IDC_TRACK_SCALE));
            scale->SetCurSel(FindScale("N"));
            dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TRACK_SCALE, CBN_SELENDOK),
                               reinterpret_cast<LPARAM>(scale->GetSafeHwnd()));
            Click(dialog, IDOK);
        });
    }

    TestFolder m_folder;
    WorkingFolderKept m_workingFolder;
    CString m_previousBase;
};

}  // namespace

TEST_F(TrackDefaultsTest, AsDefaultChangesTheModelScaleOfTheDocumentAndOfTheStoredPreferencesOnly) {
    {
        SettingsDoc stored;
        stored.m_nDefaultScaleIndex = 5;
        stored.m_fPageWidth = 30000.0;
        ASSERT_TRUE(stored.WritePreferences());
    }
    const std::vector<char> preferences = FileBytes(m_folder.Path() / "DefPref.Dat");
    SettingsDoc doc;
    doc.m_fPageWidth = 40000.0;
    CTrack* piece = new CTrack(0, &doc.m_tool, 0.0, 0.0);
    piece->SetEnds(0.0, 0.0, 1000.0, 0.0, 0, 0);
    const int steps = doc.m_tool.GetUndoCount();
    const std::vector<BYTE> before = Record(*piece);
    ApplyAsDefaultInN();
    ASSERT_EQ(piece->EditProperties(&pose), 1);
    EXPECT_EQ(doc.m_nDefaultScaleIndex, FindScale("N"));
    EXPECT_EQ(doc.m_fPageWidth, 40000.0);
    EXPECT_EQ(doc.m_tool.GetUndoCount(), steps);
    EXPECT_EQ(Record(*piece), before);
    EXPECT_TRUE(doc.m_errors.empty());

    SettingsDoc next;
    EXPECT_EQ(next.m_nDefaultScaleIndex, FindScale("N"));
    EXPECT_EQ(next.m_fPageWidth, 30000.0);
    EXPECT_EQ(next.m_tool.m_pDefaultTrack->m_strScale, "N");
    EXPECT_DOUBLE_EQ(next.m_tool.m_pDefaultTrack->m_fGauge, 89.7);
    // Only the model scale differs from what was stored.
    EXPECT_NE(FileBytes(m_folder.Path() / "DefPref.Dat"), preferences);
    next.m_nDefaultScaleIndex = 5;
    ASSERT_TRUE(next.WritePreferences());
    EXPECT_EQ(FileBytes(m_folder.Path() / "DefPref.Dat"), preferences);

    // Files that cannot be written are reported; still no undo step.
    {
        FileSizeLimit limit(16);
        ApplyAsDefaultInN();
        ASSERT_EQ(piece->EditProperties(&pose), 1);
    }
    EXPECT_FALSE(doc.m_errors.empty());
    EXPECT_EQ(doc.m_tool.GetUndoCount(), steps);
    piece->ReleaseData();
    delete piece;
}

TEST_F(TrackPropertiesOpenerTest, InsideAnOpenGroupTheSelectionModeReachesTheGroupsSelectedPieces) {
    CTrack* first = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    CTrack* second = plan.Straight(0.0, 500.0, 1000.0, 500.0);
    first->Select();
    second->Select();
    plan.tool.GroupSelection(0);
    ASSERT_EQ(plan.tool.EnterGroupEdit(1), 1);
    plan.tool.SelectAll(0);
    ASSERT_EQ(plan.tool.GetSelectedCount(), 2);
    const std::vector<BYTE> before = Record(*second);
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        EXPECT_TRUE(Checked(dialog, IDC_TRACK_APPLY_SELECTED));
        Enter(dialog, IDC_TRACK_TIE_SPACING, Length(150.0));
        Click(dialog, IDOK);
    });
    ASSERT_EQ(first->EditProperties(&first->m_parentPose), 1);
    EXPECT_DOUBLE_EQ(first->m_fTieSpacing, Parsed(150.0));
    EXPECT_DOUBLE_EQ(second->m_fTieSpacing, Parsed(150.0));
    plan.tool.Undo();
    EXPECT_EQ(Record(*second), before);
    plan.tool.ExitGroupEdit(0);
}

TEST_F(TrackDefaultsTest, ATextureIsPickedFromTheProgramsTextureFolderAndAColourFromTheColourDialog) {
    std::filesystem::create_directory(m_folder.Path() / "TEXTURES");
    std::ofstream(m_folder.Path() / "TEXTURES" / "stone.bmp") << "BM";
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        host.WhenModal("Open", [&](CWnd& open) {
            auto* files = static_cast<CListCtrl*>(open.GetDlgItem(lst1));
            ASSERT_EQ(files->GetItemCount(), 1);
            CRect item;
            files->GetItemRect(0, &item, LVIR_LABEL);
            host.ClickClient(files, item.CenterPoint());
            host.PressKey(VK_RETURN);
        });
        Click(dialog, IDC_TRACK_BROWSE_TRACK);
        host.WhenModal("Color", [&](CWnd& colour) {
            static_cast<CColorDialog&>(colour).SetCurrentColor(RGB(10, 200, 30));
            host.PressKey(VK_RETURN);
        });
        Click(dialog, IDC_TRACK_RAIL_COLOR);
        // The colour reaches the copy at once.
        EXPECT_EQ(dynamic_cast<CTrackPropertyDialog&>(dialog).GetEditedCopy()->m_crRail, RGB(10, 200, 30));
        Click(dialog, IDOK);
    });
    ASSERT_EQ(piece->EditProperties(&pose), 1);
    EXPECT_EQ(piece->m_strTrackTexture, CWinPath::FromReal(m_folder.Path() / "TEXTURES" / "stone.bmp"));
    EXPECT_EQ(piece->m_crRail, RGB(10, 200, 30));
    EXPECT_EQ(piece->m_strRoadbedTexture, "agragate.bmp");
}
