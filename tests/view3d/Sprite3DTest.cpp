#include <gtest/gtest.h>

#include <string>

#include <cstring>

#include "platform/r3d/Clump.h"
#include "resources/Objects3DTemplates.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/gdi/Canvas.h"
#include "tests/support/TestPictures.h"
#include "tests/view3d/Objects3DPlan.h"
#include "view3d/CSprite.h"
#include "view3d/CSpritePropertyDialog.h"

namespace {

// A picture 20 by 40, a red middle on black, and its mask: white over the middle, black around.
CString WritePicture(Objects3DPlan& plan, const std::string& name, bool withMask) {
    Canvas picture(20, 40, RGB(0, 0, 0));
    picture.dc.FillSolidRect(5, 5, 10, 30, RGB(255, 0, 0));
    const std::filesystem::path path = plan.folder / "3DBITMAPS" / (name + ".bmp");
    EXPECT_TRUE(picture.bitmap.SaveBmpFile(path.string().c_str(), 24));
    if (withMask) {
        Canvas mask(20, 40, RGB(0, 0, 0));
        mask.dc.FillSolidRect(5, 5, 10, 30, RGB(255, 255, 255));
        EXPECT_TRUE(
            mask.bitmap.SaveBmpFile((plan.folder / "3DBITMAPS" / (name + ".msk")).string().c_str(), 24));
    }
    return CString(path.string().c_str());
}

CSprite* Sprite(Objects3DPlan& plan, double x1, double y1, double x3, double y3) {
    auto* sprite = AddToLayout(plan.host, new CSprite(0, &plan.tool, 0.0, 0.0));
    sprite->MoveBoxCorner(1, x1, y1, nullptr);
    sprite->MoveBoxCorner(3, x3, y3, nullptr);
    sprite->ComputeExtent(nullptr);
    return sprite;
}

}  // namespace

TEST(Sprite3D, TheRecordHoldsNamesElevationCornersAndFlagsInItsOrder) {
    Objects3DPlan plan;
    CSprite* sprite = Sprite(plan, 100.0, 900.0, 700.0, 100.0);
    sprite->m_strImage = "tree.bmp";
    sprite->m_strMask = "tree.msk";
    sprite->m_fElevation = 42.5;
    sprite->m_bShowOn2DPlan = 1;
    sprite->m_bShowBoxWhenGrouped = 1;
    sprite->m_bGrouped = 1;
    const std::vector<BYTE> record = StoreRecord(*sprite);
    size_t at = CommonPartSize(*sprite);
    ASSERT_EQ(record.size(), at + 9 + 9 + 8 + 10 * 8 + 3 * 4);
    EXPECT_EQ(std::string(record.begin() + static_cast<std::ptrdiff_t>(at) + 1,
                          record.begin() + static_cast<std::ptrdiff_t>(at) + 9),
              "tree.bmp");
    at += 18;
    double value = 0.0;
    std::memcpy(&value, record.data() + at, 8);
    EXPECT_EQ(value, 42.5);
    // Point 4 first, then 1, 2, 3 and the turn handle.
    std::memcpy(&value, record.data() + at + 8, 8);
    EXPECT_EQ(value, sprite->m_points[4].x);
    std::memcpy(&value, record.data() + at + 16, 8);
    EXPECT_EQ(value, sprite->m_points[4].y);
    std::memcpy(&value, record.data() + at + 24, 8);
    EXPECT_EQ(value, sprite->m_points[1].x);
    int grouped = 0;
    std::memcpy(&grouped, record.data() + record.size() - 4, 4);
    EXPECT_EQ(grouped, 1);

    // The pictures are missing: the names stay and one message says so; a missing mask is silent.
    plan.screen.AnswerMessageBox(IDOK);
    CSprite loaded;
    loaded.SetTool(&plan.tool);
    LoadRecord(loaded, record);
    EXPECT_EQ(StoreRecord(loaded), record);
    EXPECT_EQ(loaded.m_strImage, "tree.bmp");
    EXPECT_EQ(loaded.m_strMask, "tree.msk");
    ASSERT_EQ(plan.screen.MessageBoxes().size(), 1u);
    EXPECT_EQ(plan.screen.MessageBoxes()[0].text, "Could not read file tree.bmp");
    loaded.LoadBitmaps();
    EXPECT_EQ(plan.screen.MessageBoxes().size(), 1u);
    // A version-6 point array holds no outline points: five are added before the record's are read.
    plan.host.m_nFileVersion = 6;
    CSprite older;
    older.SetTool(&plan.tool);
    older.m_bMissingReported = 1;
    LoadRecord(older, AsVersion6Record(*sprite, record));
    EXPECT_EQ(older.m_bShowBoxWhenGrouped, 1);
    EXPECT_EQ(older.m_fElevation, 42.5);
    EXPECT_EQ(older.m_points[3].x, sprite->m_points[3].x);
}

TEST(Sprite3D, ASpriteStandsAtItsElevationWithItsBoxSizeAndMovesWithoutARebuild) {
    Objects3DPlan plan;
    plan.Open3D();
    plan.host.m_f3DScale = 100.0;
    CSprite* sprite = Sprite(plan, 0.0, 400.0, 200.0, 0.0);
    sprite->SetImage(WritePicture(plan, "fir", false));
    sprite->LoadBitmaps();
    EXPECT_TRUE(sprite->m_strMask.Right(4) == ".msk");
    EXPECT_EQ(sprite->GetMask(), nullptr);
    EXPECT_TRUE(plan.screen.MessageBoxes().empty());
    sprite->m_fElevation = 150.0;
    ASSERT_EQ(sprite->Update3D(nullptr), 1);
    r3d::Clump* model = sprite->m_hModel.get();
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->Tag(), CSprite::kSpriteTag);
    EXPECT_TRUE(model->IsSprite());
    r3d::Box box = model->Bounds();
    EXPECT_NEAR(box.max.x - box.min.x, 2.0f, 1e-4);
    EXPECT_NEAR(box.max.y - box.min.y, 4.0f, 1e-4);
    EXPECT_NEAR(box.min.y, 1.5f, 1e-4);
    EXPECT_NEAR((box.min.x + box.max.x) / 2.0f, 1.0f - 8.0f, 1e-4);
    // Moved on the plan: the same model moves.
    sprite->m_pose.x += 500.0;
    ASSERT_EQ(sprite->Update3D(nullptr), 1);
    EXPECT_EQ(sprite->m_hModel.get(), model);
    box = model->Bounds();
    EXPECT_NEAR((box.min.x + box.max.x) / 2.0f, 6.0f - 8.0f, 1e-4);
    // Without a picture there is no 3D form.
    CSprite* empty = Sprite(plan, 0.0, 100.0, 100.0, 0.0);
    EXPECT_EQ(empty->Update3D(nullptr), 0);
}

TEST(Sprite3D, TheDialogKeepsABrowsedPicturesFullPathRefusesBadValuesAndItsResultIsUndone) {
    Objects3DPlan plan;
    CSprite* sprite = Sprite(plan, 0.0, 400.0, 200.0, 0.0);
    sprite->m_fElevation = 10.0;
    const CString outside = WritePicture(plan, "elm", true);
    plan.screen.WhenModal("3D Bitmap properties", [&](CWnd& modal) {
        auto* dialog = dynamic_cast<CSpritePropertyDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        dialog->TakePicture(outside);
        EXPECT_EQ(dialog->GetWorkingCopy()->m_strImage, outside);
        EXPECT_NE(dialog->GetWorkingCopy()->GetImage(), nullptr);
        EXPECT_NE(dialog->GetWorkingCopy()->GetMask(), nullptr);
        modal.GetDlgItem(IDC_3D_ELEVATION)->SetWindowText("-0.01");
        plan.screen.AnswerMessageBox(IDOK);
        modal.SendMessage(WM_COMMAND, IDOK);
        ASSERT_EQ(plan.screen.MessageBoxes().size(), 1u);
        EXPECT_EQ(plan.screen.MessageBoxes()[0].text.Left(35), "Please enter a number between 0 and");
        EXPECT_EQ(CWnd::GetFocus(), modal.GetDlgItem(IDC_3D_ELEVATION));
        modal.GetDlgItem(IDC_3D_ELEVATION)->SetWindowText("0");
        modal.GetDlgItem(IDC_3D_PRICE)->SetWindowText("-1");
        plan.screen.AnswerMessageBox(IDOK);
        modal.SendMessage(WM_COMMAND, IDOK);
        ASSERT_EQ(plan.screen.MessageBoxes().size(), 2u);
        EXPECT_EQ(CWnd::GetFocus(), modal.GetDlgItem(IDC_3D_PRICE));
        modal.GetDlgItem(IDC_3D_PRICE)->SetWindowText("2.50");
        if (const CString picture = TestPicturePath("bitmap-dialog.png"); !picture.IsEmpty())
            plan.screen.DumpWindow(&modal, picture);
        modal.SendMessage(WM_COMMAND, IDOK);
    });
    const int steps = plan.tool.GetUndoCount();
    ASSERT_EQ(sprite->EditProperties(&sprite->m_parentPose), 1);
    EXPECT_EQ(sprite->m_strImage, outside);
    EXPECT_EQ(sprite->m_fElevation, 0.0);
    EXPECT_EQ(sprite->m_fPrice, 2.5);
    ASSERT_EQ(plan.tool.GetUndoCount(), steps + 1);
    plan.tool.Undo();
    EXPECT_EQ(sprite->m_strImage, "");
    EXPECT_EQ(sprite->m_fElevation, 10.0);
    EXPECT_EQ(sprite->m_fPrice, 0.0);
}

TEST(Sprite3D, OnThePlanTheMaskedPictureShowsOnlyItsShapeOverWhatLiesBelow) {
    Objects3DPlan plan;
    plan.tool.SetViewScale(1.0, 10.0);
    // The picture's corner 1 at the top left: 200 by 400 plan units, 20 by 40 pixels.
    CSprite* sprite = Sprite(plan, 0.0, 0.0, 200.0, 400.0);
    sprite->SetImage(WritePicture(plan, "elm", true));
    sprite->LoadBitmaps();
    ASSERT_NE(sprite->GetMask(), nullptr);
    sprite->m_bShowOn2DPlan = 1;
    sprite->RecalcDeviceBounds();
    Canvas page(60, 60, RGB(0, 200, 0));
    plan.tool.SetTargetDC(&page.dc, &page.dc);
    plan.tool.m_rcUpdate = {0, 0, 60, 60};
    ASSERT_EQ(sprite->Draw(nullptr), 1);
    plan.tool.SetTargetDC(nullptr, nullptr);
    int red = 0, green = 0, other = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) {
            const COLORREF pixel = page.dc.GetPixel(x, y);
            (pixel == RGB(255, 0, 0) ? red : pixel == RGB(0, 200, 0) ? green : other) += 1;
        }
    // The red middle, 10 by 30 pixels, and the green below everywhere else.
    EXPECT_EQ(red, 300);
    EXPECT_EQ(green, 60 * 60 - 300);
    EXPECT_EQ(other, 0);
    // Without its mask the 3D bitmap is a box with a cross.
    sprite->m_strMask.Empty();
    sprite->LoadBitmaps();
    EXPECT_EQ(sprite->GetMask(), nullptr);
    Canvas boxPage(60, 60, RGB(0, 200, 0));
    plan.tool.SetTargetDC(&boxPage.dc, &boxPage.dc);
    ASSERT_EQ(sprite->Draw(nullptr), 1);
    plan.tool.SetTargetDC(nullptr, nullptr);
    std::string row;
    for (int x = 0; x < 30; ++x) row += boxPage.dc.GetPixel(x, 20) == RGB(0, 200, 0) ? '.' : '#';
    std::string column;
    for (int y = 0; y < 50; ++y) column += boxPage.dc.GetPixel(10, y) == RGB(0, 200, 0) ? '.' : '#';
    // The left side, the crossing diagonals and the right side; the top, the crossing and the bottom.
    EXPECT_EQ(row, "#.........#.........#.........");
    EXPECT_EQ(column, "#..................##...................#.........");
}

TEST(Sprite3D, ANewBitmapDrawnWithTheToolOpensItsDialogAndOneUndoTakesItAway) {
    Objects3DPlan plan;
    const CString picture = WritePicture(plan, "oak", true);
    int shown = 0;
    plan.screen.WhenModal("3D Bitmap properties", [&](CWnd& modal) {
        ++shown;
        dynamic_cast<CSpritePropertyDialog&>(modal).TakePicture(picture);
        modal.SendMessage(WM_COMMAND, IDOK);
    });
    const int steps = plan.tool.GetUndoCount();
    plan.tool.m_toolMode.Set(kTool3DBitmap);
    plan.tool.OnLButtonDown(0, 0.0, 0.0);
    plan.tool.OnMouseMove(0, 100.0, -200.0, 1);
    plan.tool.OnMouseMove(0, 200.0, -400.0, 1);
    plan.tool.OnLButtonUp(0, 200.0, -400.0);
    EXPECT_EQ(shown, 1);
    auto* sprite = dynamic_cast<CSprite*>(plan.host.CurrentGroup()->m_members.front());
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->m_strImage, picture);
    EXPECT_NE(sprite->GetImage(), nullptr);
    while (plan.tool.GetUndoCount() > steps) plan.tool.Undo();
    EXPECT_TRUE(plan.host.CurrentGroup()->m_members.empty());
}
