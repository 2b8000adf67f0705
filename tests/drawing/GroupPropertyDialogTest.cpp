#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "drawing/CGroupPropertyRunner.h"
#include "model/CGroup.h"
#include "model/CLengthFormat.h"
#include "platform/ctl/CEdit.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/WindowManager.h"
#include "resources/GroupPropertiesTemplate.h"
#include "track/CTrack.h"

namespace {

// A 3D object: it stands at its height.
class CStandIn3D : public CPaint {
  public:
    explicit CStandIn3D(double height) : m_height(height) {}
    BOOL GetLowestElevation(double& elevation) const override {
        elevation = m_height;
        return TRUE;
    }
    void LowerElevations(const CPose*, double by) override { m_height -= by; }
    CPaint* Clone() override { return new CStandIn3D(m_height); }

    double m_height;
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
    CString Length(double length) {
        CString text;
        CLengthFormat(kDefaultUnitIndex).FormatLength(text, length);
        return text;
    }
    // The move a typed text makes from the lowest elevation: none within half a unit.
    double Move(const CString& typed, double lowest) {
        const double move = CLengthFormat(kDefaultUnitIndex).ParseLength(typed.c_str()) - lowest;
        return std::fabs(move) > 0.5 ? move : 0.0;
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
    CGroup m_group;
    CTrack* m_track = new CTrack();
    CStandIn3D* m_model = new CStandIn3D(200.0);
};

}  // namespace

TEST_F(GroupPropertyDialogTest, TheLowestMemberIsTheGroupElevationAndANewOneMovesEveryMember) {
    CString shown;
    {
        CGroupPropertyRunner runner;
        RunTypingElevation(runner, Length(250.0), shown);
    }
    const double raise = Move(Length(250.0), 200.0);
    EXPECT_GT(raise, 45.0);
    EXPECT_EQ(shown, Length(200.0));
    EXPECT_DOUBLE_EQ(m_track->m_fBeginElevation, 300.0 + raise);
    EXPECT_DOUBLE_EQ(m_track->m_fEndElevation, 400.0 + raise);
    EXPECT_DOUBLE_EQ(m_model->m_height, 200.0 + raise);

    // The same text again is no move; a negative one puts the lowest member at 0.
    const double lowest = m_model->m_height;
    {
        CGroupPropertyRunner runner;
        RunTypingElevation(runner, Length(lowest), shown);
    }
    const double again = Move(Length(lowest), lowest);
    EXPECT_EQ(shown, Length(lowest));
    EXPECT_DOUBLE_EQ(m_model->m_height, lowest + again);
    EXPECT_DOUBLE_EQ(m_track->m_fBeginElevation, 300.0 + raise + again);
    {
        CGroupPropertyRunner runner;
        RunTypingElevation(runner, "-100", shown);
    }
    EXPECT_DOUBLE_EQ(m_model->m_height, 0.0);
    EXPECT_NEAR(m_track->m_fEndElevation - m_track->m_fBeginElevation, 100.0, 1e-9);
}

TEST_F(GroupPropertyDialogTest, CatalogueFieldsGoIntoTheResultAndWithoutAClickOnlyThisGroupIsOffered) {
    const CString manufacturerBefore = m_group.m_strManufacturer;
    CGroupPropertyRunner runner;
    runner.SetObject(&m_group, nullptr, FALSE);
    runner.FindElevation();
    BOOL selectedOffered = TRUE, allOffered = TRUE, threeDShown = TRUE;
    CString nameAtOpen;
    host.WhenModal("Group properties", [&](CWnd& modal) {
        nameAtOpen = Shown(modal, IDC_GROUP_NAME);
        selectedOffered = modal.GetDlgItem(IDC_GROUP_APPLY_SELECTED)->IsWindowEnabled();
        allOffered = modal.GetDlgItem(IDC_GROUP_APPLY_ALL)->IsWindowEnabled();
        threeDShown = modal.GetDlgItem(IDC_GROUP_3D_PROPERTIES)->IsWindowVisible();
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
    EXPECT_FALSE(threeDShown);
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
