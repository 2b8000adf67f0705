#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/base/CWinPath.h"
#include "platform/cdlg/CFileDialog.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/cdlg/FolderListing.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CListCtrl.h"
#include "platform/r3d/Camera.h"
#include "platform/r3d/Scene.h"
#include "resources/StringTable.h"
#include "resources/TrainPropertiesTemplate.h"
#include "tests/view3d/TrainFixture.h"
#include "tools/datagen/DataPictures.h"
#include "tools/datagen/TrainModels.h"
#include "ui/CColorButton.h"
#include "view3d/C3DView.h"

namespace fs = std::filesystem;

namespace {

constexpr double kDegrees = 180.0 / 3.1415926535;

// The train in an open 3D window, with the models the data generator writes.
class Train3D : public TrainFixture {
  protected:
    void SetUp() override {
        TrainFixture::SetUp();
        ASSERT_TRUE(TrainModels::WriteAll(folder.Path()));
        ASSERT_TRUE(DataPictures::WriteAll(folder.Path()));
        // No data folders stand beside the test program: the profile names the generated ones.
        CProfile::Program().WriteProfileString("Paths", "Trains", (folder / "TRAINS").c_str());
        CProfile::Program().WriteProfileString("Paths", "Textures", (folder / "TEXTURES").c_str());
        Main().SendMessage(WM_COMMAND, ID_SHOW_3D_VIEW);
        host.RunUntilIdle();
        view = dynamic_cast<C3DView*>(Main().MDIGetActive()->GetActiveView());
        ASSERT_NE(view, nullptr);
    }
    CTestTrain* TrainWithModels(double x, double y) {
        CTestTrain* train = NewTrain(x, y);
        EXPECT_NE(train->m_hModel, nullptr);
        return train;
    }
    // The world centre of the polygons of a colour, given as 0-255 components.
    static r3d::Vec3 CentreOfColour(const r3d::Clump& model, int red, int green, int blue) {
        r3d::Vec3 sum{0.0f, 0.0f, 0.0f};
        int count = 0;
        const r3d::Matrix world = model.WorldMatrix();
        for (const r3d::Polygon& polygon : model.Polygons()) {
            const r3d::Material& m = polygon.material;
            if (std::lround(m.red * 255) != red || std::lround(m.green * 255) != green ||
                std::lround(m.blue * 255) != blue)
                continue;
            for (int number : polygon.vertices) {
                r3d::Vec3 p;
                model.GetVertex(number, p);
                sum += world.TransformPoint(p);
                ++count;
            }
        }
        return count > 0 ? sum * (1.0f / static_cast<float>(count)) : sum;
    }
    static r3d::Vec3 Unit(const r3d::Vec3& v) {
        const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
        return v * (1.0f / length);
    }

    C3DView* view = nullptr;
};

}  // namespace

TEST_F(Train3D, TheTrainIsALocomotiveAndItsCarsInOrderTiltedOnTheGradeWithTheBoilerLeading) {
    // 5 % up along +x.
    const CPose identity;
    Straight(2000.0, -8000.0, 22000.0, -8000.0, 0.0, 1000.0)->Update3D(&identity);
    CTestTrain* train = TrainWithModels(2000.0, -8000.0);
    train->FindConnection(&identity);
    for (int i = 0; i < 200; ++i) train->StepTrain(1);
    ASSERT_EQ(train->m_bRunning, 1);
    ASSERT_NE(train->m_hModel, nullptr);
    const r3d::Clump& model = *train->m_hModel;
    EXPECT_EQ(model.InScene(), layout->GetScene());
    ASSERT_EQ(model.Children().size(), 3u);
    EXPECT_EQ(model.Children()[0]->Tag(), 30);
    EXPECT_EQ(model.Children()[1]->Tag(), 31);
    EXPECT_EQ(model.Children()[2]->Tag(), 31);

    const double s = layout->Get3DScale();
    for (int vehicle = 0; vehicle < 3; ++vehicle) {
        const r3d::Clump& clump = *model.Children()[vehicle];
        // The models' fronts face -z in their own frame.
        const r3d::Vec3 along = Unit(clump.WorldMatrix().TransformVector({0.0f, 0.0f, -1.0f}));
        EXPECT_NEAR(std::asin(along.y) * kDegrees, std::atan(0.05) * kDegrees, 0.01) << vehicle;
        EXPECT_NEAR(along.z, 0.0f, 1e-5f);
        EXPECT_GT(along.x, 0.0f);
        // Centred on the vehicle's middle, give or take the tilt of its height.
        const CDoublePoint front = train->m_vehicles[2 * vehicle];
        const CDoublePoint back = train->m_vehicles[2 * vehicle + 1];
        r3d::Box box = clump.Bounds();
        EXPECT_NEAR(box.Centre().x, (front.x + back.x) / 2.0 / s - 8.0, 0.01);
        EXPECT_NEAR(box.Centre().z, -(front.y + back.y) / 2.0 / s - 8.0, 1e-3);
        EXPECT_NEAR(box.max.x - box.min.x, 1650.0 / s, 0.05);
    }
    // The boiler runs ahead of the cab, towards the way the train goes.
    const r3d::Clump& loco = *model.Children()[0];
    EXPECT_GT(CentreOfColour(loco, 20, 110, 50).x, CentreOfColour(loco, 170, 30, 25).x + 0.1f);

    // The picture shows the green boiler, the red cab and the blue cars.
    const r3d::Vec3 middle = loco.Bounds().Centre();
    view->GetCamera()->Reset();
    view->GetCamera()->MoveBy(middle + r3d::Vec3{-0.2f, 1.2f, 3.5f});
    view->GetCamera()->LookAt(middle + r3d::Vec3{-1.2f, 0.0f, 0.0f});
    view->Invalidate(FALSE);
    view->UpdateWindow();
    const r3d::Raster& picture = view->GetCamera()->Picture();
    int red = 0, green = 0, blue = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const r3d::Raster::Rgb p = picture.Pixel(x, y);
            red += p.r > 2 * p.g && p.r > 2 * p.b;
            green += p.g > 2 * p.r && p.g > p.b + 20;
            blue += p.b > 2 * p.r && p.b > p.g + 30;
        }
    EXPECT_GT(red, 50);
    EXPECT_GT(green, 50);
    EXPECT_GT(blue, 50);
}

TEST_F(Train3D, TheTrainsClumpsAreTheLocomotiveAndACopyOfTheCarForEachCar) {
    CTestTrain* train = TrainWithModels(5000.0, -8000.0);
    train->ResizeCars(3);
    const std::unique_ptr<r3d::Clump> model = train->BuildTrainClumps();
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->InScene(), nullptr);
    ASSERT_EQ(model->Children().size(), 4u);
    EXPECT_EQ(model->Children()[0]->Tag(), 30);
    for (size_t car = 1; car < 4; ++car) {
        EXPECT_EQ(model->Children()[car]->Tag(), 31) << car;
        EXPECT_EQ(model->Children()[car]->Polygons().size(), model->Children()[1]->Polygons().size());
    }
    // No locomotive, no model.
    train->m_strLocoFile.Empty();
    EXPECT_EQ(train->BuildTrainClumps(), nullptr);
}

TEST_F(Train3D, ACarModelThatCannotBeReadLeavesTheLocomotiveAndAFlatModelStaysFinite) {
    CTestTrain* train = TrainWithModels(5000.0, -8000.0);
    train->m_strCarFile = (folder / "TRAINS" / "missing.3ds").c_str();
    const CString missing = train->m_strCarFile;
    train->m_bRebuild3D = 1;
    const CPose identity;
    host.AnswerMessageBox(IDOK);
    train->Update3D(&identity);
    ASSERT_FALSE(host.MessageBoxes().empty());
    EXPECT_EQ(host.MessageBoxes().back().text, "Could not read the 3D model " + missing);
    EXPECT_TRUE(train->m_strCarFile.IsEmpty());
    ASSERT_NE(train->m_hModel, nullptr);
    ASSERT_EQ(train->m_hModel->Children().size(), 1u);
    EXPECT_EQ(train->m_hModel->Children()[0]->Tag(), 30);

    // A locomotive with no depth across would be scaled by a division by nothing.
    std::ofstream(folder / "flat.rwx") << "ModelBegin\nClumpBegin\nColor 1 0 0\nVertex 0 0 0\nVertex 1 0 0\n"
                                          "Vertex 1 1 0\nVertex 0 1 0\nQuad 1 2 3 4\nClumpEnd\nModelEnd\n";
    train->m_strLocoFile = (folder / "flat.rwx").c_str();
    train->m_bRebuild3D = 1;
    train->Update3D(&identity);
    ASSERT_NE(train->m_hModel, nullptr);
    ASSERT_FALSE(train->m_hModel->Children().empty());
    const r3d::Matrix world = train->m_hModel->Children()[0]->WorldMatrix();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_TRUE(std::isfinite(world.m[r][c])) << r << c;
}

TEST_F(Train3D, ThePropertiesDialogShowsTheTrainKeepsItsScrollBarsInRangeAndRebuildsOnlyForNewModelsOrCars) {
    CTestTrain* train = TrainWithModels(5000.0, -8000.0);
    train->m_nStatus = IDS_MAXIMUM_GRADE_EXCEEDED;
    train->m_elevations[5] = 120.0;
    const CString loco = train->m_strLocoFile;
    const CString missingCar = (folder / "TRAINS" / "nowhere.3ds").c_str();
    auto text = [](CWnd& dialog, int id) {
        CString value;
        dialog.GetDlgItem(id)->GetWindowText(value);
        return value;
    };
    auto keys = [](CWnd& dialog, int id, UINT key, int times) {
        for (int i = 0; i < times; ++i) dialog.GetDlgItem(id)->SendMessage(WM_KEYDOWN, key);
    };
    host.WhenModal("Train properties", [&](CWnd& dialog) {
        EXPECT_EQ(text(dialog, IDC_TRAIN_STATUS), "Maximum grade exceeded.");
        EXPECT_EQ(text(dialog, IDC_TRAIN_LOCO_FILE), PathText(folder / "TRAINS" / "cvnloco.3ds"));
        EXPECT_EQ(text(dialog, IDC_TRAIN_SPEED_LABEL), "40");
        EXPECT_EQ(text(dialog, IDC_TRAIN_CAR_COUNT_LABEL), "2");
        EXPECT_EQ(dynamic_cast<CColorButton*>(dialog.GetDlgItem(IDC_TRAIN_COLOR))->GetColor(),
                  CTestTrain::kDefaultColor);
        // Pages of ten stop at 100, and a line more is ignored there.
        keys(dialog, IDC_TRAIN_SPEED, VK_NEXT, 7);
        keys(dialog, IDC_TRAIN_SPEED, VK_RIGHT, 1);
        EXPECT_EQ(text(dialog, IDC_TRAIN_SPEED_LABEL), "100");
        // Lines stop at 0; then a page and back by lines.
        keys(dialog, IDC_TRAIN_CAR_COUNT, VK_LEFT, 3);
        EXPECT_EQ(text(dialog, IDC_TRAIN_CAR_COUNT_LABEL), "0");
        keys(dialog, IDC_TRAIN_CAR_COUNT, VK_NEXT, 1);
        keys(dialog, IDC_TRAIN_CAR_COUNT, VK_LEFT, 6);
        EXPECT_EQ(text(dialog, IDC_TRAIN_CAR_COUNT_LABEL), "4");
        dialog.SendMessage(WM_COMMAND, IDOK);
    });
    const CPose identity;
    EXPECT_EQ(train->EditProperties(&identity), 1);
    EXPECT_EQ(train->m_fSpeed, 100.0);
    ASSERT_EQ(train->m_nCarCount, 4);
    ASSERT_EQ(train->m_vehicles.size(), 10u);
    ASSERT_EQ(train->m_points.GetSize(), 20);
    // The two new cars stand in -y behind the last one, at its back elevation.
    for (int i = 6; i < 10; ++i) {
        EXPECT_EQ(train->m_vehicles[i].x, 5000.0);
        EXPECT_EQ(train->m_elevations[i], 120.0);
    }
    EXPECT_EQ(train->m_vehicles[6].y, train->m_vehicles[5].y - 330.0);
    EXPECT_EQ(train->m_vehicles[9].y, train->m_vehicles[5].y - 3300.0);
    ASSERT_NE(train->m_hModel, nullptr);
    EXPECT_EQ(train->m_hModel->Children().size(), 5u);

    // The same names again and another speed: the model stays as it is.
    const r3d::Clump* model = train->m_hModel.get();
    host.WhenModal("Train properties", [&](CWnd& dialog) {
        keys(dialog, IDC_TRAIN_SPEED, VK_LEFT, 5);
        dialog.SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(train->EditProperties(&identity), 0);
    EXPECT_EQ(train->m_fSpeed, 95.0);
    EXPECT_EQ(train->m_hModel.get(), model);

    // A car model that cannot be read: its name is emptied and the locomotive stays.
    host.WhenModal("Train properties", [&](CWnd& dialog) {
        dialog.GetDlgItem(IDC_TRAIN_CAR_FILE)->SetWindowText(missingCar);
        dialog.SendMessage(WM_COMMAND, IDOK);
    });
    host.AnswerMessageBox(IDOK);
    EXPECT_EQ(train->EditProperties(&identity), 1);
    EXPECT_EQ(host.MessageBoxes().back().text, "Could not read the 3D model " + missingCar);
    EXPECT_TRUE(train->m_strCarFile.IsEmpty());
    ASSERT_NE(train->m_hModel, nullptr);
    ASSERT_EQ(train->m_hModel->Children().size(), 1u);
    EXPECT_EQ(train->m_hModel->Children()[0]->Tag(), 30);

    // Cancel changes nothing.
    host.WhenModal("Train properties", [&](CWnd& dialog) {
        keys(dialog, IDC_TRAIN_CAR_COUNT, VK_LEFT, 4);
        dialog.SendMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(train->EditProperties(&identity), 0);
    EXPECT_EQ(train->m_nCarCount, 4);
}

TEST_F(Train3D, BrowsingForACarOpensTheTrainsFolderOnEveryModelKindAndShowsThePathAsThisSystemWritesIt) {
    CTestTrain* train = TrainWithModels(5000.0, -8000.0);
    std::ofstream(folder / "TRAINS" / "wagon.rwx") << "ModelBegin\nModelEnd\n";
    std::ofstream(folder / "TRAINS" / "notes.txt") << "not a model";
    const fs::path car = folder / "TRAINS" / "cvncar.3ds";
    CString shownFolder, shownName, firstType, shownAfter;
    std::vector<CString> listed;
    host.WhenModal("Train properties", [&](CWnd& dialog) {
        host.WhenModal("Open", [&](CWnd& open) {
            shownFolder = dynamic_cast<CFileDialog&>(open).GetFolderPath();
            open.GetDlgItem(edt1)->GetWindowText(shownName);
            static_cast<CComboBox*>(open.GetDlgItem(cmb1))->GetLBText(0, firstType);
            auto* files = static_cast<CListCtrl*>(open.GetDlgItem(lst1));
            for (int i = 0; i < files->GetItemCount(); ++i) listed.push_back(files->GetItemText(i, 0));
            host.PressKey(VK_RETURN);
        });
        host.ClickClient(dialog.GetDlgItem(IDC_TRAIN_BROWSE_CAR), CPoint(3, 3));
        dialog.GetDlgItem(IDC_TRAIN_CAR_FILE)->GetWindowText(shownAfter);
        dialog.SendMessage(WM_COMMAND, IDOK);
    });
    const CPose identity;
    train->EditProperties(&identity);
    EXPECT_EQ(shownFolder, PathText(folder / "TRAINS"));
    EXPECT_EQ(shownName, "cvncar.3ds");
    EXPECT_EQ(firstType, "3D Model files (*.3ds;*.rwx;*.dxf)");
    EXPECT_EQ(listed, (std::vector<CString>{"cvncar.3ds", "cvnloco.3ds", "wagon.rwx"}));
    EXPECT_EQ(shownAfter, PathText(car));
    EXPECT_EQ(train->m_strCarFile, CWinPath::FromReal(car));
    EXPECT_TRUE(host.UnansweredModals().empty());
}
