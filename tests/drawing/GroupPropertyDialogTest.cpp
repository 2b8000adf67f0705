#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "drawing/CGroupPropertyRunner.h"
#include "model/CGroup.h"
#include "model/CLengthFormat.h"
#include "platform/ctl/CEdit.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/host/HeadlessHost.h"
#include "platform/r3d/Clump.h"
#include "platform/win/WindowManager.h"
#include "resources/GroupPropertiesTemplate.h"
#include "resources/Resources.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/support/TestPictures.h"
#include "track/CTrack.h"

namespace {

bool SamePose(const CPose& a, const CPose& b) {
    return a.x == b.x && a.y == b.y && a.angle == b.angle;
}

// What the 3D objects of a test and their copies were asked to do.
struct ModelLog {
    struct Build {
        const CPaint* object;
        CPose pose;
    };
    std::vector<Build> builds;
    int removals = 0;
    int dialogs = 0;
    double heightSetInDialog = 0.0;
};

// A 3D object: it stands at its height, builds a model of its own and runs a 3D dialog that
// sets a new height.
class CStandIn3D : public CPaint {
  public:
    CStandIn3D(double height, ModelLog& log) : m_height(height), m_log(log) {}
    CString GetClassName() override { return "C3D"; }
    BOOL GetLowestElevation(double& elevation) const override {
        elevation = m_height;
        return TRUE;
    }
    void LowerElevations(const CPose*, double by) override { m_height -= by; }
    CPaint* Clone() override {
        auto* copy = new CStandIn3D(m_height, m_log);
        copy->m_parentPose = m_parentPose;
        return copy;
    }
    int Update3D(const CPose* pose) override {
        m_log.builds.push_back({this, pose != nullptr ? *pose : CPose()});
        m_hModel = std::make_unique<r3d::Clump>();
        return 1;
    }
    int Remove3D() override {
        ++m_log.removals;
        m_hModel.reset();
        return 1;
    }
    int Edit3DProperties(int) override {
        ++m_log.dialogs;
        m_height = m_log.heightSetInDialog;
        return 1;
    }

    double m_height;
    ModelLog& m_log;
};

class GroupPropertyDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WindowManager::Instance().Reset();
        m_track->m_fBeginElevation = 300.0;
        m_track->m_fEndElevation = 400.0;
        m_group.m_members.push_back(m_track);
        m_group.m_members.push_back(m_model);
        m_group.m_strName = "Station";
        m_group.SetTool(&plan.tool);
    }
    void TearDown() override {
        m_group.ReleaseData();
        WindowManager::Instance().Reset();
    }

    CString Shown(CWnd& modal, int id) {
        CString text;
        modal.GetDlgItem(id)->GetWindowText(text);
        return text;
    }
    std::vector<CPose> BuildsOf(const CPaint* object) const {
        std::vector<CPose> poses;
        for (const ModelLog::Build& build : log.builds)
            if (build.object == object)
                poses.push_back(build.pose);
        return poses;
    }
    // A length as the group's layout shows it (millimetres in the test plan).
    CString Length(double length) {
        CString text;
        CLengthFormat(plan.host.m_nUnitIndex).FormatLength(text, length);
        return text;
    }
    // Types the elevation and leaves the field, then OK.
    void RunTypingElevation(CGroupPropertyRunner& runner, const CString& typed, CString& shownAtOpen) {
        runner.SetObject(&m_group, nullptr, FALSE);
        runner.FindElevation();
        host.WhenModal("Group properties", [&, typed](CWnd& modal) {
            shownAtOpen = Shown(modal, IDC_GROUP_ELEVATION);
            CWnd* edit = modal.GetDlgItem(IDC_GROUP_ELEVATION);
            edit->SetWindowText("");
            host.ClickClient(edit, CPoint(3, 3));
            host.Type(typed);
            host.ClickClient(modal.GetDlgItem(IDC_GROUP_NAME), CPoint(3, 3));
            host.ClickClient(modal.GetDlgItem(IDOK), CPoint(3, 3));
        });
        ASSERT_EQ(runner.DoModal(), CGroupPropertiesDialog::kResultOk);
        runner.ApplyElevation();
    }

    HeadlessHost host;
    DrawingPlan plan;
    ModelLog log;
    CGroup m_group;
    CTrack* m_track = new CTrack();
    CStandIn3D* m_model = new CStandIn3D(200.0, log);
};

}  // namespace

TEST_F(GroupPropertyDialogTest, TheLowestMemberIsTheGroupElevationAndANewOneMovesEveryMember) {
    CString shown;
    // The shown text typed back is no move.
    {
        CGroupPropertyRunner runner;
        RunTypingElevation(runner, "20.000", shown);
    }
    EXPECT_EQ(shown, Length(200.0));
    EXPECT_EQ(shown, "20.000");
    EXPECT_DOUBLE_EQ(m_track->m_fBeginElevation, 300.0);
    EXPECT_DOUBLE_EQ(m_track->m_fEndElevation, 400.0);
    EXPECT_DOUBLE_EQ(m_model->m_height, 200.0);
    EXPECT_EQ(BuildsOf(m_model).size(), 0u);
    {
        CGroupPropertyRunner runner;
        RunTypingElevation(runner, "25", shown);
    }
    EXPECT_EQ(shown, "20.000");
    EXPECT_DOUBLE_EQ(m_track->m_fBeginElevation, 350.0);
    EXPECT_DOUBLE_EQ(m_track->m_fEndElevation, 450.0);
    EXPECT_DOUBLE_EQ(m_model->m_height, 250.0);
    // Every moved member has its 3D model rebuilt where its group places it.
    ASSERT_EQ(BuildsOf(m_model).size(), 1u);
    EXPECT_TRUE(SamePose(BuildsOf(m_model)[0], m_model->m_parentPose));

    // Feet and inches keep their inches; a bare 0 puts the lowest member at 0 (a negative is
    // refused).
    plan.host.m_nUnitIndex = 3;
    {
        CGroupPropertyRunner runner;
        RunTypingElevation(runner, "0", shown);
    }
    // 250 is 250 / 254 = 0.984 inch, which rounds to 63/64.
    EXPECT_EQ(shown, "0' 0 63/64\"");
    EXPECT_DOUBLE_EQ(m_model->m_height, 0.0);
    EXPECT_DOUBLE_EQ(m_track->m_fBeginElevation, 100.0);
    EXPECT_DOUBLE_EQ(m_track->m_fEndElevation, 200.0);
}

// A yard shows no finer than 0.915 mm: the elevation typed away and back is the exact one again.
TEST_F(GroupPropertyDialogTest, AnElevationTypedBackToItsShownTextMovesNothing) {
    plan.host.m_nUnitIndex = 0;
    m_model->m_height = 1000.0;
    m_track->m_fBeginElevation = 1000.0;
    m_track->m_fEndElevation = 1100.0;
    CGroupPropertyRunner runner;
    runner.SetObject(&m_group, nullptr, FALSE);
    runner.FindElevation();
    std::vector<CString> shown;
    host.WhenModal("Group properties", [&](CWnd& modal) {
        CWnd* edit = modal.GetDlgItem(IDC_GROUP_ELEVATION);
        shown.push_back(Shown(modal, IDC_GROUP_ELEVATION));
        for (const CString& typed : {CString("2"), shown.front()}) {
            edit->SetWindowText("");
            host.ClickClient(edit, CPoint(3, 3));
            host.Type(typed);
            host.ClickClient(modal.GetDlgItem(IDC_GROUP_NAME), CPoint(3, 3));
            shown.push_back(Shown(modal, IDC_GROUP_ELEVATION));
        }
        host.ClickClient(modal.GetDlgItem(IDOK), CPoint(3, 3));
    });
    ASSERT_EQ(runner.DoModal(), CGroupPropertiesDialog::kResultOk);
    runner.ApplyElevation();
    EXPECT_EQ(shown, (std::vector<CString>{"0.109", "2.000", "0.109"}));
    EXPECT_DOUBLE_EQ(m_model->m_height, 1000.0);
    EXPECT_DOUBLE_EQ(m_track->m_fBeginElevation, 1000.0);
}

TEST_F(GroupPropertyDialogTest, ATypedElevationIsReadInTheLayoutsUnitAndShownAsTheLayoutShowsLengths) {
    plan.host.m_nUnitIndex = 2;
    CGroupPropertyRunner runner;
    runner.SetObject(&m_group, nullptr, FALSE);
    runner.FindElevation();
    CString shownAfterTyping;
    host.WhenModal("Group properties", [&](CWnd& modal) {
        CWnd* edit = modal.GetDlgItem(IDC_GROUP_ELEVATION);
        edit->SetWindowText("");
        host.ClickClient(edit, CPoint(3, 3));
        host.Type("1' 6\"");
        host.ClickClient(modal.GetDlgItem(IDC_GROUP_NAME), CPoint(3, 3));
        shownAfterTyping = Shown(modal, IDC_GROUP_ELEVATION);
        host.ClickClient(modal.GetDlgItem(IDOK), CPoint(3, 3));
    });
    ASSERT_EQ(runner.DoModal(), CGroupPropertiesDialog::kResultOk);
    runner.ApplyElevation();
    // A foot is 3050 and six inches 6 x 254 = 1524.
    const double typed = 3050.0 + 1524.0;
    EXPECT_EQ(shownAfterTyping, "1' 6.000\"");
    EXPECT_DOUBLE_EQ(m_model->m_height, typed);
    EXPECT_DOUBLE_EQ(m_track->m_fBeginElevation, typed + 100.0);
    EXPECT_DOUBLE_EQ(m_track->m_fEndElevation, typed + 200.0);
}

TEST_F(GroupPropertyDialogTest, CatalogueFieldsGoIntoTheResultAndWithoutAClickOnlyThisGroupIsOffered) {
    const CString manufacturerBefore = m_group.m_strManufacturer;
    CGroupPropertyRunner runner;
    runner.SetObject(&m_group, nullptr, FALSE);
    runner.FindElevation();
    BOOL selectedOffered = TRUE, allOffered = TRUE;
    CString nameAtOpen;
    host.WhenModal("Group properties", [&](CWnd& modal) {
        nameAtOpen = Shown(modal, IDC_GROUP_NAME);
        selectedOffered = modal.GetDlgItem(IDC_GROUP_APPLY_SELECTED)->IsWindowEnabled();
        allOffered = modal.GetDlgItem(IDC_GROUP_APPLY_ALL)->IsWindowEnabled();
        modal.GetDlgItem(IDC_GROUP_MANUFACTURER)->SetWindowText("");
        host.ClickClient(modal.GetDlgItem(IDC_GROUP_MANUFACTURER), CPoint(3, 3));
        host.Type("Kibri");
        host.ClickClient(modal.GetDlgItem(IDOK), CPoint(3, 3));
    });
    ASSERT_EQ(runner.DoModal(), CGroupPropertiesDialog::kResultOk);
    int mode = -1;
    std::unique_ptr<CGroup> result = runner.TakeResult(mode);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(mode, 0);
    EXPECT_EQ(nameAtOpen, "Station");
    EXPECT_EQ(result->m_strManufacturer, "Kibri");
    EXPECT_EQ(result->m_strName, "Station");
    EXPECT_FALSE(selectedOffered);
    EXPECT_FALSE(allOffered);
    // The group itself changes only when its owner applies the result.
    EXPECT_EQ(m_group.m_strManufacturer, manufacturerBefore);
    result->ReleaseData();
}

TEST_F(GroupPropertyDialogTest, ApplyingToOtherObjectsLocksTheGroupsOwnSettings) {
    CGroupPropertyRunner runner;
    const CPose click;
    runner.SetObject(&m_group, &click, TRUE);
    runner.FindElevation();
    std::vector<BOOL> categoryEnabled, nameWritable;
    host.WhenModal("Group properties", [&](CWnd& modal) {
        const auto record = [&] {
            categoryEnabled.push_back(modal.GetDlgItem(IDC_GROUP_CATEGORY)->IsWindowEnabled());
            nameWritable.push_back((modal.GetDlgItem(IDC_GROUP_NAME)->GetStyle() & ES_READONLY) == 0);
        };
        record();
        host.ClickClient(modal.GetDlgItem(IDC_GROUP_APPLY_CLICKED), CPoint(3, 3));
        record();
        host.ClickClient(modal.GetDlgItem(IDC_GROUP_APPLY_ALL), CPoint(3, 3));
        record();
        host.ClickClient(modal.GetDlgItem(IDOK), CPoint(3, 3));
    });
    ASSERT_EQ(runner.DoModal(), CGroupPropertiesDialog::kResultOk);
    int mode = -1;
    std::unique_ptr<CGroup> result = runner.TakeResult(mode);
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(categoryEnabled, (std::vector<BOOL>{FALSE, TRUE, FALSE}));
    EXPECT_EQ(nameWritable, (std::vector<BOOL>{FALSE, TRUE, FALSE}));
    result->ReleaseData();
}

TEST_F(GroupPropertyDialogTest, TheCopysModelLivesWhileTheDialogIsOpenAndItsDialogMayMoveTheElevation) {
    m_group.m_pose = CPose(100.0, 0.0, 0.0);
    m_model->m_parentPose = CPose(7.0, 8.0, 0.0);
    log.heightSetInDialog = 120.0;
    CGroupPropertyRunner runner;
    const CPose click(0.0, 50.0, 0.0);
    runner.SetObject(&m_group, &click, FALSE);
    runner.FindElevation();
    BOOL threeDShown = FALSE;
    size_t buildsAtOpen = 0;
    int removalsWhileOpen = -1;
    CString shownAfterDialog;
    host.WhenModal("Group properties", [&](CWnd& modal) {
        threeDShown = modal.GetDlgItem(IDC_GROUP_3D_PROPERTIES)->IsWindowVisible();
        buildsAtOpen = log.builds.size();
        if (const CString png = TestPicturePath("group-properties.png"); !png.IsEmpty()) {
            host.RunUntilIdle();
            EXPECT_TRUE(modal.Surface()->WritePng(png));
        }
        host.ClickClient(modal.GetDlgItem(IDC_GROUP_3D_PROPERTIES), CPoint(3, 3));
        shownAfterDialog = Shown(modal, IDC_GROUP_ELEVATION);
        removalsWhileOpen = log.removals;
        host.ClickClient(modal.GetDlgItem(IDCANCEL), CPoint(3, 3));
    });
    EXPECT_NE(runner.DoModal(), CGroupPropertiesDialog::kResultOk);
    EXPECT_TRUE(threeDShown);
    // The copy's model is built where the copy stands under the click.
    ASSERT_EQ(buildsAtOpen, 1u);
    EXPECT_NE(log.builds[0].object, m_model);
    EXPECT_TRUE(SamePose(log.builds[0].pose, CPose(100.0, 50.0, 0.0)));
    EXPECT_EQ(log.dialogs, 1);
    EXPECT_EQ(shownAfterDialog, Length(120.0));
    EXPECT_EQ(removalsWhileOpen, 0);
    EXPECT_EQ(log.removals, 1);
    // Only the copy was edited.
    EXPECT_DOUBLE_EQ(m_model->m_height, 200.0);

    // A group without a 3D object offers no "3D Properties" and builds no model.
    CGroup plain;
    plain.m_members.push_back(new CTrack());
    CGroupPropertyRunner plainRunner;
    plainRunner.SetObject(&plain, nullptr, FALSE);
    host.WhenModal("Group properties", [&](CWnd& modal) {
        threeDShown = modal.GetDlgItem(IDC_GROUP_3D_PROPERTIES)->IsWindowVisible();
        host.ClickClient(modal.GetDlgItem(IDCANCEL), CPoint(3, 3));
    });
    plainRunner.DoModal();
    EXPECT_FALSE(threeDShown);
    EXPECT_EQ(log.builds.size(), 1u);
    plain.ReleaseData();
}

TEST_F(GroupPropertyDialogTest, ANegativePriceIsRefusedAtThePriceField) {
    CGroupPropertyRunner runner;
    runner.SetObject(&m_group, nullptr, FALSE);
    runner.FindElevation();
    bool openAfterRefusal = false;
    CWnd* focusAfterRefusal = nullptr;
    CWnd* priceField = nullptr;
    host.WhenModal("Group properties", [&](CWnd& modal) {
        priceField = modal.GetDlgItem(IDC_GROUP_PRICE);
        priceField->SetWindowText("");
        host.ClickClient(priceField, CPoint(3, 3));
        host.Type("-1");
        host.AnswerMessageBox(IDOK);
        host.ClickClient(modal.GetDlgItem(IDOK), CPoint(3, 3));
        openAfterRefusal = modal.InModalLoop();
        focusAfterRefusal = CWnd::GetFocus();
        priceField->SetWindowText("");
        host.ClickClient(priceField, CPoint(3, 3));
        // Text that is no number is no price either.
        host.Type("abc");
        host.AnswerMessageBox(IDOK);
        host.ClickClient(modal.GetDlgItem(IDOK), CPoint(3, 3));
        host.Type("2");
        host.ClickClient(modal.GetDlgItem(IDOK), CPoint(3, 3));
    });
    ASSERT_EQ(runner.DoModal(), CGroupPropertiesDialog::kResultOk);
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(focusAfterRefusal, priceField);
    ASSERT_EQ(host.MessageBoxes().size(), 2u);
    EXPECT_EQ(host.MessageBoxes()[0].text, "Please enter a price between 0.00 and 1000000000.00.");
    EXPECT_EQ(host.MessageBoxes()[1].text, "Please enter a price between 0.00 and 1000000000.00.");
    EXPECT_EQ(host.MessageBoxes()[0].caption, "Corvane");
    EXPECT_EQ(host.MessageBoxes()[0].type & MB_ICONWARNING, static_cast<UINT>(MB_ICONWARNING));
    int mode = -1;
    std::unique_ptr<CGroup> result = runner.TakeResult(mode);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->m_fPrice, 2.0);
    result->ReleaseData();
}
