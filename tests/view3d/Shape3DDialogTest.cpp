#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/base/CWinPath.h"
#include "platform/cdlg/CFileDialog.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/cdlg/FolderListing.h"
#include "platform/ctl/CButton.h"
#include "platform/ctl/CListCtrl.h"
#include "platform/r3d/Camera.h"
#include "platform/r3d/Clump.h"
#include "resources/Objects3DPictures.h"
#include "resources/Objects3DTemplates.h"
#include "tests/support/TestPictures.h"
#include "tests/view3d/Objects3DPlan.h"
#include "view3d/C3D.h"
#include "view3d/C3DPropertyDialog.h"

namespace {

void Press(Objects3DPlan& plan, CWnd& dialog, int id) {
    plan.screen.ClickClient(dialog.GetDlgItem(id), CPoint(3, 3));
}

CString Text(CWnd& dialog, int id) {
    CString text;
    dialog.GetDlgItem(id)->GetWindowText(text);
    return text;
}

void Browse(Objects3DPlan& plan, CWnd& dialog, const std::filesystem::path& file) {
    plan.screen.WhenModal("Open", [&plan, file](CWnd& open) {
        open.GetDlgItem(edt1)->SetWindowText(file.string().c_str());
        plan.screen.PressKey(VK_RETURN);
    });
    Press(plan, dialog, IDC_3D_MODEL_BROWSE);
}

}  // namespace

TEST(Shape3DDialog, ANewShapeTakesTheBrowsedModelWithTheProposedHeightAndRefusesBadLengths) {
    Objects3DPlan plan;
    plan.WriteBoxModel("shed.rwx", 0.0f, 0.0f, 0.0f, 2.0f, 1.0f, 2.0f);
    int shown = 0;
    plan.screen.WhenModal("3D Objects properties", [&](CWnd& modal) {
        ++shown;
        auto& dialog = dynamic_cast<C3DPropertyDialog&>(modal);
        // A new shape changes only itself.
        EXPECT_FALSE(modal.GetDlgItem(IDC_3D_TO_SELECTED)->IsWindowEnabled());
        Browse(plan, modal, plan.folder / "SCRIPTS" / "shed.rwx");
        ASSERT_NE(dialog.GetPreviewModel(), nullptr);
        // The box's diagonal times the model's height over its ground diagonal: 1414.2 x 1 / 2.83.
        EXPECT_EQ(Text(modal, IDC_3D_HEIGHT), dialog.FormatLength(500.0));
        EXPECT_EQ(Text(modal, IDC_3D_TEXTURE_NAME), "");
        EXPECT_EQ(Text(modal, IDC_3D_TILT), "0.00");
        modal.GetDlgItem(IDC_3D_ELEVATION)->SetWindowText(dialog.FormatLength(-32000.1));
        plan.screen.AnswerMessageBox(IDOK);
        modal.SendMessage(WM_COMMAND, IDOK);
        ASSERT_EQ(plan.screen.MessageBoxes().size(), 1u);
        EXPECT_NE(plan.screen.MessageBoxes()[0].text.Find(dialog.FormatLength(32000.0)), -1);
        EXPECT_NE(plan.screen.MessageBoxes()[0].text.Find(dialog.FormatLength(-32000.0)), -1);
        EXPECT_EQ(CWnd::GetFocus(), modal.GetDlgItem(IDC_3D_ELEVATION));
        modal.GetDlgItem(IDC_3D_ELEVATION)->SetWindowText(dialog.FormatLength(-32000.0));
        modal.GetDlgItem(IDC_3D_HEIGHT)->SetWindowText(dialog.FormatLength(32000.1));
        plan.screen.AnswerMessageBox(IDOK);
        modal.SendMessage(WM_COMMAND, IDOK);
        ASSERT_EQ(plan.screen.MessageBoxes().size(), 2u);
        EXPECT_EQ(CWnd::GetFocus(), modal.GetDlgItem(IDC_3D_HEIGHT));
        modal.GetDlgItem(IDC_3D_HEIGHT)->SetWindowText(dialog.FormatLength(500.0));
        modal.GetDlgItem(IDC_3D_ELEVATION)->SetWindowText(dialog.FormatLength(0.0));
        // A turn beyond half a turn either way is refused naming the range, the model left.
        const r3d::Matrix turned = dialog.GetPreviewModel()->LocalMatrix();
        for (const char* typed : {"1e30", "-180.01"}) {
            modal.GetDlgItem(IDC_3D_REVOLVE)->SetFocus();
            modal.GetDlgItem(IDC_3D_REVOLVE)->SetWindowText(typed);
            modal.GetDlgItem(IDC_3D_TILT)->SetFocus();
            plan.screen.AnswerMessageBox(IDOK);
            modal.SendMessage(WM_COMMAND, IDOK);
            EXPECT_EQ(plan.screen.MessageBoxes().back().text, "Please enter a number between -180 and 180");
            EXPECT_EQ(CWnd::GetFocus(), modal.GetDlgItem(IDC_3D_REVOLVE));
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 3; ++c)
                    EXPECT_EQ(dialog.GetPreviewModel()->LocalMatrix().m[r][c], turned.m[r][c]) << typed;
        }
        modal.GetDlgItem(IDC_3D_REVOLVE)->SetWindowText("-180");
        if (const CString picture = TestPicturePath("shape-dialog.png"); !picture.IsEmpty())
            plan.screen.DumpWindow(&modal, picture);
        modal.SendMessage(WM_COMMAND, IDOK);
    });
    plan.tool.m_toolMode.Set(kTool3DObject);
    plan.tool.OnLButtonDown(0, 0.0, 0.0);
    plan.tool.OnMouseMove(0, 500.0, 500.0, 1);
    plan.tool.OnMouseMove(0, 1000.0, 1000.0, 1);
    plan.tool.OnLButtonUp(0, 1000.0, 1000.0);
    EXPECT_EQ(shown, 1);
    auto* shape = dynamic_cast<C3D*>(plan.host.CurrentGroup()->m_members.front());
    ASSERT_NE(shape, nullptr);
    EXPECT_NE(shape->m_strModelFile.Find("shed.rwx"), -1);
    // Within the thousandth of an inch the field shows.
    EXPECT_NEAR(shape->m_fHeight, 500.0, 0.254);
    EXPECT_TRUE(plan.host.IsModified());
}

TEST(Shape3DDialog, TheModelBrowserOpensInTheScriptsFolderOnEveryModelKindAndTheFieldShowsTheRealPath) {
    Objects3DPlan plan;
    plan.WriteBoxModel("cvnhouse.rwx", 0.0f, 0.0f, 0.0f, 2.0f, 1.0f, 2.0f);
    std::ofstream(plan.folder / "SCRIPTS" / "tower.3ds") << "3ds";
    std::ofstream(plan.folder / "SCRIPTS" / "readme.txt") << "text";
    const std::filesystem::path house = plan.folder / "SCRIPTS" / "cvnhouse.rwx";
    CString shownFolder, shownName, shownModel;
    std::vector<CString> listed;
    bool nameFocused = false;
    plan.screen.WhenModal("3D Objects properties", [&](CWnd& modal) {
        plan.screen.WhenModal("Open", [&](CWnd& open) {
            shownFolder = dynamic_cast<CFileDialog&>(open).GetFolderPath();
            shownName = Text(open, edt1);
            nameFocused = CWnd::GetFocus() == open.GetDlgItem(edt1);
            auto* files = static_cast<CListCtrl*>(open.GetDlgItem(lst1));
            for (int i = 0; i < files->GetItemCount(); ++i) listed.push_back(files->GetItemText(i, 0));
            open.GetDlgItem(edt1)->SetWindowText("cvnhouse.rwx");
            plan.screen.PressKey(VK_RETURN);
        });
        Press(plan, modal, IDC_3D_MODEL_BROWSE);
        shownModel = Text(modal, IDC_3D_MODEL_NAME);
        modal.SendMessage(WM_COMMAND, IDOK);
    });
    plan.tool.m_toolMode.Set(kTool3DObject);
    plan.tool.OnLButtonDown(0, 0.0, 0.0);
    plan.tool.OnMouseMove(0, 1000.0, 1000.0, 1);
    plan.tool.OnLButtonUp(0, 1000.0, 1000.0);
    EXPECT_EQ(shownFolder, PathText(plan.folder / "SCRIPTS"));
    EXPECT_EQ(shownName, "");
    EXPECT_TRUE(nameFocused);
    EXPECT_EQ(listed, (std::vector<CString>{"cvnhouse.rwx", "tower.3ds"}));
    EXPECT_EQ(shownModel, PathText(house));
    auto* shape = dynamic_cast<C3D*>(plan.host.CurrentGroup()->m_members.front());
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->m_strModelFile, CWinPath::FromReal(house));
    // Afterwards the program folder is the working folder again.
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), plan.folder.Path()));
}

TEST(Shape3DDialog, ThePreviewSpinsTurnsByTheScreensAxesAndTheOrientationOnOkReproducesIt) {
    Objects3DPlan plan;
    auto* shape = AddToLayout(plan.host, new C3D(0, &plan.tool, 0.0, 0.0));
    shape->MoveBoxCorner(1, 0.0, 1000.0, nullptr);
    shape->MoveBoxCorner(3, 1000.0, 0.0, nullptr);
    shape->m_strModelFile = plan.WriteBoxModel("shed.rwx", -1.0f, 0.0f, -0.5f, 1.0f, 0.5f, 0.5f);
    C3DPropertyDialog dialog;
    dialog.SetObject(shape, FALSE, &shape->m_parentPose);
    r3d::Matrix reached;
    plan.screen.WhenModal("3D Objects properties", [&](CWnd& modal) {
        C3DPreviewClump& preview = dialog.GetPreview();
        ASSERT_TRUE(preview.IsSpinning());
        EXPECT_NEAR(preview.GetSpinAngle(), 1.5 * 3.1415926535, 1e-12);
        for (int tick = 0; tick < 44; ++tick) preview.SendMessage(WM_TIMER, C3DPreviewClump::kSpinTimer);
        EXPECT_GT(preview.GetSpinAngle(), 6.2);
        preview.SendMessage(WM_TIMER, C3DPreviewClump::kSpinTimer);
        EXPECT_NEAR(preview.GetSpinAngle(), 0.0, 1e-9);
        Press(plan, modal, IDC_3D_ADJUST);
        EXPECT_FALSE(preview.IsSpinning());
        // Dragged sideways across the model: a turn about the screen's vertical.
        CRect client;
        preview.GetClientRect(&client);
        const CPoint centre = client.CenterPoint();
        plan.screen.DragClient(&preview, centre, CPoint(centre.x + 30, centre.y), 3);
        EXPECT_EQ(Text(modal, IDC_3D_PAN), "30.00");
        EXPECT_EQ(Text(modal, IDC_3D_TILT), "0.00");
        plan.screen.AdvanceClock(1000);
        // Then up the screen: the second turn is about the screen's horizontal, after the first.
        plan.screen.DragClient(&preview, centre, CPoint(centre.x, centre.y - 20), 2);
        r3d::Matrix expected = r3d::Matrix::Rotation({0.0f, 1.0f, 0.0f}, 30.0f);
        expected.Rotate(preview.GetCamera()->Right(), -20.0f, r3d::Combine::After);
        reached = dialog.GetPreviewModel()->LocalMatrix();
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) EXPECT_NEAR(reached.m[r][c], expected.m[r][c], 1e-4) << r << c;
        // The fields show Euler angles that give the same turn back.
        const double tilt = std::atof(Text(modal, IDC_3D_TILT).c_str());
        const double pan = std::atof(Text(modal, IDC_3D_PAN).c_str());
        const double revolve = std::atof(Text(modal, IDC_3D_REVOLVE).c_str());
        const r3d::Matrix shown = C3DPropertyDialog::FromEulerAngles(tilt, pan, revolve);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) EXPECT_NEAR(shown.m[r][c], expected.m[r][c], 1e-3) << r << c;
        // Leaving a field without a change does not touch the model.
        modal.GetDlgItem(IDC_3D_TILT)->SetFocus();
        modal.GetDlgItem(IDC_3D_PAN)->SetFocus();
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(dialog.GetPreviewModel()->LocalMatrix().m[r][c], reached.m[r][c]) << r << c;
        // Forward steps the camera toward the model; the buttons show the drawn icons.
        const float before = preview.GetCamera()->Position().z;
        Press(plan, modal, IDC_3D_FORWARD);
        EXPECT_NEAR(preview.GetCamera()->Position().z, before - 0.2f, 1e-4);
        EXPECT_EQ(static_cast<CButton*>(modal.GetDlgItem(IDC_3D_FORWARD))->GetIcon(),
                  Objects3DPicture(IDI_PREVIEW_FORWARD));
        EXPECT_NE(Objects3DPicture(IDI_PREVIEW_BACKWARD), nullptr);
        modal.SendMessage(WM_COMMAND, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    C3D* result = nullptr;
    int mode = -1;
    ASSERT_TRUE(dialog.GetResult(result, mode));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(result->GetOrientation().m[r][c], reached.m[r][c], 1e-6);
    // The shape given that orientation shows the model as the preview did.
    result->m_bShowOn2DPlan = 1;
    ASSERT_EQ(result->Update3D(nullptr), 1);
    // The shape's model is that turn followed by the fit's scaling and shifts alone.
    const r3d::Matrix fit = result->GetOrientation().Inverse() * result->m_hModel->LocalMatrix();
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            if (r != c) {
                EXPECT_NEAR(fit.m[r][c], 0.0f, 1e-5) << r << c;
            }
        }
    result->ReleaseData();
    delete result;
}

TEST(Shape3DDialog, EulerAnglesOfPanTiltRevolveComeBackFromTheirMatrix) {
    for (const auto& [tilt, pan, revolve] :
         {std::tuple{10.0, 20.0, 30.0}, std::tuple{-45.0, 170.0, -5.0}, std::tuple{80.0, -90.0, 60.0},
          std::tuple{90.0, 30.0, 0.0}, std::tuple{-90.0, -30.0, 0.0}, std::tuple{20.0, 180.0, -180.0},
          std::tuple{-20.0, -180.0, 180.0}}) {
        double t = 0.0, p = 0.0, r = 0.0;
        C3DPropertyDialog::EulerAngles(C3DPropertyDialog::FromEulerAngles(tilt, pan, revolve), t, p, r);
        EXPECT_NEAR(t, tilt, 1e-3);
        EXPECT_NEAR(p, pan, 1e-3);
        EXPECT_NEAR(r, revolve, 1e-3);
    }
}

TEST(Shape3DDialog, AnUprightTurnTypedAndConfirmedShowsTheAnglesItKeepsBeforeItCloses) {
    Objects3DPlan plan;
    auto* shape = AddToLayout(plan.host, new C3D(0, &plan.tool, 0.0, 0.0));
    shape->m_strModelFile = plan.WriteBoxModel("shed.rwx", -1.0f, 0.0f, -0.5f, 1.0f, 0.5f, 0.5f);
    C3DPropertyDialog dialog;
    dialog.SetObject(shape, FALSE, &shape->m_parentPose);
    plan.screen.WhenModal("3D Objects properties", [&](CWnd& modal) {
        modal.GetDlgItem(IDC_3D_TILT)->SetWindowText("90");
        modal.GetDlgItem(IDC_3D_REVOLVE)->SetWindowText("30");
        plan.screen.AnswerMessageBox(IDOK);
        modal.SendMessage(WM_COMMAND, IDOK);
        ASSERT_EQ(plan.screen.MessageBoxes().size(), 1u);
        EXPECT_EQ(Text(modal, IDC_3D_TILT), "90.00");
        EXPECT_EQ(std::fabs(std::atof(Text(modal, IDC_3D_PAN).c_str())), 30.0);
        EXPECT_EQ(Text(modal, IDC_3D_REVOLVE), "0.00");
        modal.SendMessage(WM_COMMAND, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(plan.screen.MessageBoxes().size(), 1u);
}
