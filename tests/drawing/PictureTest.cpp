#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>

#include "drawing/CBMP.h"
#include "drawing/CPicturePropertyDialog.h"
#include "drawing/StepLine.h"
#include "model/CDataFolders.h"
#include "model/CEditStep.h"
#include "model/CToolMode.h"
#include "model/Units.h"
#include "platform/base/CWinPath.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/CWnd.h"
#include "platform/win/WindowManager.h"
#include "resources/PicturePropertiesTemplate.h"
#include "resources/Resources.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/gdi/Canvas.h"
#include "tests/support/RunLengthPictures.h"
#include "tests/support/TestFolder.h"
#include "tests/support/TestPictures.h"
#include "tests/support/WorkingFolderKept.h"
#include "ui/LoadBitmapFile.h"

namespace {

using Bytes = std::vector<BYTE>;

class PictureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterResources();
        WindowManager::Instance().Reset();
        m_previousBase = CDataFolders::GetBaseFolder();
        CDataFolders::SetBaseFolder(CString(folder.Path().string().c_str()) + "/");
        std::filesystem::create_directories(folder / "BITMAPS");
    }
    void TearDown() override {
        CDataFolders::SetBaseFolder(m_previousBase);
        WindowManager::Instance().Reset();
    }

    // A picture 40 by 20 whose left half is red and right half blue.
    CString WritePicture(const std::filesystem::path& path) {
        Canvas picture(40, 20, kBlue);
        picture.dc.FillSolidRect(0, 0, 20, 20, kRed);
        EXPECT_TRUE(picture.bitmap.SaveBmpFile(path.string().c_str(), 24));
        return CString(path.string().c_str());
    }
    // Places a picture with the tool; the dialog that opens runs the action.
    CBMP* PlacePicture(double x0, double y0, double x1, double y1, HeadlessHost::ModalAction action) {
        host.WhenModal("Picture properties", std::move(action));
        plan.tool.m_toolMode.Set(kToolBitmapPicture);
        plan.Drag(x0, y0, x1, y1);
        plan.tool.m_toolMode.Set(kToolSelector);
        return plan.Newest<CBMP>();
    }
    void Press(CWnd& dialog, int id) { host.ClickClient(dialog.GetDlgItem(id), CPoint(3, 3)); }

    HeadlessHost host;
    TestFolder folder;
    DrawingPlan plan;
    CString m_previousBase;
    WorkingFolderKept m_workingFolder;
};

// A picture of the test's own, at (1000, 1000) reaching 2000 by 1000, not selected.
std::unique_ptr<CBMP> PictureOnPlan(DrawingPlan& plan, const CString& file, double angle) {
    auto picture = std::make_unique<CBMP>(0, &plan.tool, 1000.0, 1000.0);
    picture->m_pose.angle = angle;
    picture->MoveBoxCorner(3, 2000.0, 1000.0, nullptr);
    picture->m_strFile = file;
    EXPECT_NE(picture->LoadPicture(), nullptr);
    picture->ComputeExtent(nullptr);
    picture->RecalcDeviceBounds();
    return picture;
}

int CountOnPage(const CDC& printer, COLORREF colour) {
    const PixelSurface& page = *printer.Surface();
    int count = 0;
    for (int y = 0; y < page.Height(); ++y)
        for (int x = 0; x < page.Width(); ++x) count += ColorFromPixel(page.At(x, y)) == colour ? 1 : 0;
    return count;
}

}  // namespace

TEST(StepLine, WalksOnePixelAtATimeWithAnExtraRecordWhereBothCoordinatesMove) {
    std::vector<WalkRecord> records;
    ASSERT_EQ(StepLine(0, 0, 3, 1, records), 4);
    const int expected[5][2] = {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {3, 1}};
    ASSERT_EQ(records.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(records[i].x, expected[i][0]);
        EXPECT_EQ(records[i].y, expected[i][1]);
    }
    EXPECT_EQ(StepLine(5, 5, 5, 5, records), 0);
    EXPECT_EQ(records.size(), 1u);
    for (const auto& [x1, y1] :
         {std::pair{-7, 19}, std::pair{40, -3}, std::pair{-25, -25}, std::pair{0, -9}}) {
        const int n = StepLine(2, 3, x1, y1, records);
        EXPECT_EQ(records.back().x, x1);
        EXPECT_EQ(records.back().y, y1);
        for (int i = 1; i <= n; ++i)
            EXPECT_EQ(std::abs(records[i].x - records[i - 1].x) + std::abs(records[i].y - records[i - 1].y),
                      1);
    }
}

TEST_F(PictureTest, TheDataFolderLoaderSearchesTheBitmapFolderAndReportsAMissingFile) {
    WritePicture(folder / "BITMAPS" / "yard.bmp");
    CString name = "C:\\elsewhere\\yard.bmp";
    std::unique_ptr<CBitmap> found = LoadBitmapFile(name, "Bitmaps", "BITMAPS\\");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->GetBitmapDimension(), CSize(40, 20));
    EXPECT_EQ(name, CDataFolders::GetBaseFolder() + "BITMAPS\\yard.bmp");
    EXPECT_TRUE(host.MessageBoxes().empty());
    CString missing = "nowhere.bmp";
    EXPECT_EQ(LoadBitmapFile(missing, "Bitmaps", "BITMAPS\\"), nullptr);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, "Could not read file nowhere.bmp");
    EXPECT_EQ(missing, "nowhere.bmp");

    // A missing picture keeps the object's old one and name, after both messages.
    auto picture = std::make_unique<CBMP>(0, &plan.tool, 0.0, 0.0);
    picture->m_strFile = name;
    ASSERT_NE(picture->LoadPicture(), nullptr);
    CBitmap* old = picture->GetPicture();
    picture->m_strFile = "gone.bmp";
    EXPECT_EQ(picture->LoadPicture(), nullptr);
    EXPECT_EQ(picture->GetPicture(), old);
    ASSERT_EQ(host.MessageBoxes().size(), 3u);
    EXPECT_EQ(host.MessageBoxes()[2].text, "Could not create file gone.bmp");
    EXPECT_NE(host.MessageBoxes()[2].type & MB_ICONEXCLAMATION, 0u);
}

TEST_F(PictureTest, ANewPictureOpensItsDialogAndTakesTheBrowsedFileOnlyWhenItLoads) {
    const CString good = WritePicture(folder / "station.bmp");
    std::ofstream(folder / "junk.bmp") << "no picture";
    int shown = 0;
    CBMP* picture = PlacePicture(1000.0, 1000.0, 3000.0, 2000.0, [&](CWnd& dialog) {
        ++shown;
        host.WhenModal("Open", [&](CWnd& open) {
            open.GetDlgItem(edt1)->SetWindowText((folder / "junk.bmp").string().c_str());
            host.PressKey(VK_RETURN);
        });
        Press(dialog, IDC_PICTURE_BROWSE);
        CString name;
        dialog.GetDlgItem(IDC_PICTURE_NAME)->GetWindowText(name);
        EXPECT_EQ(name, "");
        host.WhenModal("Open", [&](CWnd& open) {
            open.GetDlgItem(edt1)->SetWindowText(good);
            host.PressKey(VK_RETURN);
        });
        Press(dialog, IDC_PICTURE_BROWSE);
        dialog.GetDlgItem(IDC_PICTURE_NAME)->GetWindowText(name);
        // The field shows the file as this system writes it; the picture keeps the stored form.
        EXPECT_EQ(name, good);
        EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), folder.Path()));
        Press(dialog, IDOK);
    });
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(picture->m_strName, "Bitmap");
    EXPECT_EQ(picture->m_strFile, CWinPath::FromReal(folder / "station.bmp"));
    ASSERT_NE(picture->GetPicture(), nullptr);
    // The junk file gave its two messages and nothing else changed.
    ASSERT_EQ(host.MessageBoxes().size(), 2u);
    EXPECT_TRUE(plan.host.m_bModified);

    // A click makes no picture and opens no dialog.
    const int count = plan.MemberCount();
    PlacePicture(500.0, 500.0, 500.0, 500.0, [&](CWnd& dialog) {
        ++shown;
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(plan.MemberCount(), count);
    EXPECT_EQ(shown, 1);
}

TEST_F(PictureTest, ANegativePriceIsRefusedWithTheFieldFocusedAndZeroIsAccepted) {
    CBMP picture(0, &plan.tool, 0.0, 0.0);
    picture.MoveBoxCorner(3, 100.0, 100.0, nullptr);
    CPicturePropertyDialog dialog;
    dialog.SetObject(&picture, FALSE, nullptr);
    host.WhenModal("Picture properties", [&](CWnd& modal) {
        modal.GetDlgItem(IDC_PICTURE_PRICE)->SetWindowText("-0.01");
        host.AnswerMessageBox(IDOK);
        Press(modal, IDOK);
        ASSERT_EQ(host.MessageBoxes().size(), 1u);
        EXPECT_EQ(host.MessageBoxes()[0].text, "Please enter a price between 0.00 and 1000000000.00.");
        EXPECT_NE(host.MessageBoxes()[0].type & MB_ICONEXCLAMATION, 0u);
        EXPECT_EQ(CWnd::GetFocus(), modal.GetDlgItem(IDC_PICTURE_PRICE));
        modal.GetDlgItem(IDC_PICTURE_PRICE)->SetWindowText("0");
        Press(modal, IDC_PICTURE_RESIZEABLE);
        EXPECT_EQ(dialog.GetWorkingCopy()->m_bScaleWithDocument, 0);
        Press(modal, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    CPaint* result = nullptr;
    int mode = -1;
    ASSERT_TRUE(dialog.GetResult(result, mode));
    EXPECT_EQ(mode, 0);
    EXPECT_EQ(result->m_fPrice, 0.0);
    EXPECT_EQ(result->m_bScaleWithDocument, 0);
    result->ReleaseData();
    delete result;
}

TEST_F(PictureTest, ATypedPictureNameIsTakenWhenItsPictureReadsAndRefusedNamingTheFileElse) {
    const CString red = WritePicture(folder / "BITMAPS" / "red.bmp");
    CBMP picture(0, &plan.tool, 0.0, 0.0);
    picture.m_strFile = red;
    picture.m_fPrice = 12.345;
    CPicturePropertyDialog dialog;
    dialog.SetObject(&picture, FALSE, nullptr);
    host.WhenModal("Picture properties", [&](CWnd& modal) {
        for (const char* typed : {"abc", ""}) {
            modal.GetDlgItem(IDC_PICTURE_NAME)->SetWindowText(typed);
            host.AnswerMessageBox(IDOK);
            Press(modal, IDOK);
            EXPECT_NE(host.MessageBoxes().back().text.Find(*typed ? "file abc:" : "Browse"), -1) << typed;
            EXPECT_EQ(CWnd::GetFocus(), modal.GetDlgItem(IDC_PICTURE_NAME));
        }
        EXPECT_EQ(host.MessageBoxes().size(), 2u);
        modal.GetDlgItem(IDC_PICTURE_NAME)->SetWindowText("red.bmp");
        Press(modal, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(CWinPath::Resolve(dialog.GetWorkingCopy()->m_strFile), CWinPath::Resolve(red));
    EXPECT_NE(dialog.GetWorkingCopy()->GetPicture(), nullptr);
    // The price left as it showed, 12.35, keeps what the picture had.
    EXPECT_EQ(dialog.GetWorkingCopy()->m_fPrice, 12.345);
}

// A typed picture larger than the program reads is refused as too large, with the most its kind
// may hold.
TEST_F(PictureTest, ATypedPictureTooLargeIsRefusedSayingHowLargeOneMayBe) {
    const struct {
        const char* name;
        FileBytes file;
        const char* most;
    } large[] = {{"plain.bmp", BmpFile(24, 0, 9000, 9000, {}, {}), "64 megapixels"},
                 {"runs.bmp", RunLengthBmpFile(1, 5000, 5000, RunLengthColors(2), {}), "16 megapixels"}};
    CBMP picture(0, &plan.tool, 0.0, 0.0);
    picture.m_strFile = WritePicture(folder / "BITMAPS" / "red.bmp");
    CPicturePropertyDialog dialog;
    dialog.SetObject(&picture, FALSE, nullptr);
    host.WhenModal("Picture properties", [&](CWnd& modal) {
        for (const auto& each : large) {
            WriteFileBytes(folder / each.name, each.file);
            const CString typed = (folder / each.name).string().c_str();
            modal.GetDlgItem(IDC_PICTURE_NAME)->SetWindowText(typed);
            host.AnswerMessageBox(IDOK);
            Press(modal, IDOK);
            EXPECT_EQ(host.MessageBoxes().back().text,
                      "The picture file " + CWinPath::Native(typed) +
                          " is too large: a .bmp picture of its kind may hold "
                          "at most " +
                          each.most + ".");
        }
        Press(modal, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(PictureTest, CornerPressesRecordTheCornerAndAPictureNotResizeableKeepsItsSize) {
    CBMP* picture = PlacePicture(1000.0, 1000.0, 3000.0, 2000.0, [&](CWnd& dialog) { Press(dialog, IDOK); });
    ASSERT_NE(picture, nullptr);
    ASSERT_TRUE(picture->IsSelected());
    plan.tool.MarkSaved();
    plan.host.m_bModified = FALSE;
    plan.Drag(3004.0, 2003.0, 3500.0, 2500.0);
    ASSERT_EQ(plan.tool.GetUndoStep(0)->m_nKind, kStepChangeGeometry);
    const GeometryPayload* payload = plan.tool.GetUndoStep(0)->GetPayload<GeometryPayload>();
    EXPECT_EQ(payload->x, 3000.0);
    EXPECT_EQ(payload->y, 2000.0);
    EXPECT_TRUE(plan.host.m_bModified);
    EXPECT_EQ(picture->m_points[3], (CDoublePoint{2500.0, 1500.0}));
    plan.tool.Undo();
    EXPECT_EQ(picture->m_points[3], (CDoublePoint{2000.0, 1000.0}));

    picture->m_bScaleWithDocument = 0;
    plan.Drag(3000.0, 2000.0, 3500.0, 2500.0);
    EXPECT_EQ(picture->m_points[3], (CDoublePoint{2000.0, 1000.0}));
    EXPECT_NE(plan.tool.GetUndoStep(0)->m_nKind, kStepChangeGeometry);
    picture->TrackCreate(nullptr, -1);
    picture->RescaleWithUndo(nullptr, 2.0, 0);
    EXPECT_EQ(picture->m_points[2], (CDoublePoint{0.0, 1000.0}));
    picture->m_bScaleWithDocument = 1;
    picture->RescaleWithUndo(nullptr, 2.0, 0);
    EXPECT_EQ(picture->m_points[2], (CDoublePoint{-2000.0, 2000.0}));
}

TEST_F(PictureTest, RecordsRoundTripAndReloadThePicture) {
    const CString file = WritePicture(folder / "BITMAPS" / "shed.bmp");
    auto picture = PictureOnPlan(plan, "shed.bmp", 0.5);
    EXPECT_EQ(picture->m_strFile, file.Left(0) + CDataFolders::GetBaseFolder() + "BITMAPS\\shed.bmp");
    const Bytes record = StoreRecord(*picture);
    const size_t common = CommonPartSize(*picture);
    EXPECT_EQ(record.size() - common, 1u + picture->m_strFile.GetLength() + 80u);
    CBMP read;
    read.SetTool(&plan.tool);
    LoadRecord(read, record);
    EXPECT_NE(read.GetPicture(), nullptr);
    EXPECT_EQ(StoreRecord(read), record);
    std::unique_ptr<CPaint> clone(read.Clone());
    EXPECT_EQ(StoreRecord(*clone), record);
    EXPECT_NE(static_cast<CBMP*>(clone.get())->GetPicture(), nullptr);

    plan.host.m_nFileVersion = 6;
    const Bytes older = AsVersion6Record(*picture, record);
    CBMP old;
    old.SetTool(&plan.tool);
    LoadRecord(old, older);
    ASSERT_EQ(old.m_points.GetSize(), CBMP::kPointCount);
    EXPECT_EQ(old.m_points[3], picture->m_points[3]);
    read.SetTool(nullptr);
    old.SetTool(nullptr);
}

TEST_F(PictureTest, ATurnedPictureCoversItsRectangleOnScreenAndLeavesTheRestAsItWas) {
    const CString file = WritePicture(folder / "turned.bmp");
    Canvas canvas(400, 300, kWhite);
    canvas.dc.FillSolidRect(0, 0, 400, 20, kBlack);
    plan.tool.SetTargetDC(&canvas.dc, nullptr);
    plan.tool.m_rcUpdate = DeviceRect{-10000, -10000, 10000, 10000};
    // Unturned: corner 1 at (100, 100), column 0 (red) there, columns toward corner 4.
    auto straight = PictureOnPlan(plan, file, 0.0);
    ASSERT_EQ(straight->Draw(nullptr), 1);
    EXPECT_EQ(straight->m_dwRop, static_cast<DWORD>(SRCCOPY));
    EXPECT_EQ(canvas.At(120, 150), kRed);
    EXPECT_EQ(canvas.At(280, 150), kBlue);
    EXPECT_EQ(canvas.At(50, 150), kWhite);
    EXPECT_EQ(canvas.At(50, 10), kBlack);
    const int covered =
        canvas.CountColor(kRed, CRect(0, 0, 400, 300)) + canvas.CountColor(kBlue, CRect(0, 0, 400, 300));
    // Unturned, the walks from corner 1 take 200 columns and 100 rows, the far end left out.
    // Measured from the first to the last of them (199 and 99 pixels), the last one reaches the
    // picture's width or height and so copies nothing: 199 x 99 pixels, from (100, 100).
    EXPECT_EQ(covered, 199 * 99);
    EXPECT_EQ(canvas.CountColor(kRed, CRect(100, 100, 299, 199)) +
                  canvas.CountColor(kBlue, CRect(100, 100, 299, 199)),
              199 * 99);

    // Turned by 30 degrees about corner 1: the same area, no holes, the rest untouched.
    canvas.dc.FillSolidRect(0, 20, 400, 280, kWhite);
    auto turned = PictureOnPlan(plan, file, kPi / 6.0);
    ASSERT_EQ(turned->Draw(nullptr), 1);
    const int area =
        canvas.CountColor(kRed, CRect(0, 0, 400, 300)) + canvas.CountColor(kBlue, CRect(0, 0, 400, 300));
    EXPECT_NEAR(area, 200 * 100, 700);
    const CDoublePoint centre = turned->LocalToWorld(1000.0, 500.0);
    EXPECT_NE(canvas.At(static_cast<int>(centre.x / 10.0), static_cast<int>(centre.y / 10.0)), kWhite);
    EXPECT_EQ(canvas.At(110, 240), kWhite);
    EXPECT_EQ(canvas.At(50, 10), kBlack);
    if (const CString png = TestPicturePath("picture-turned-30.png"); !png.IsEmpty())
        canvas.dc.WritePng(png);

    // On a hidden layer nothing is drawn, on screen or on paper.
    plan.tool.m_bLayerShown[turned->m_nLayer] = 0;
    canvas.dc.FillSolidRect(0, 20, 400, 280, kWhite);
    EXPECT_EQ(turned->Draw(nullptr), 0);
    EXPECT_EQ(canvas.CountColor(kWhite, CRect(0, 20, 400, 300)), 400 * 280);
    plan.tool.SetTargetDC(nullptr, nullptr);
}

// Repaints read the picture once and show the same pixels; a picture read again from its
// changed file is read once more and shows as a picture drawn from that file the first time.
TEST_F(PictureTest, RepaintsReadThePictureOnceAndAReloadedPictureAgain) {
    const CString file = WritePicture(folder / "kept.bmp");
    Canvas canvas(400, 300, kWhite);
    plan.tool.SetTargetDC(&canvas.dc, nullptr);
    plan.tool.m_rcUpdate = DeviceRect{-10000, -10000, 10000, 10000};
    const auto repaint = [&](CBMP& picture) {
        canvas.dc.FillSolidRect(0, 0, 400, 300, kWhite);
        EXPECT_EQ(picture.Draw(nullptr), 1);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x) pixels.push_back(canvas.At(x, y));
        return pixels;
    };
    auto turned = PictureOnPlan(plan, file, kPi / 6.0);
    const std::vector<COLORREF> first = repaint(*turned);
    EXPECT_EQ(repaint(*turned), first);
    EXPECT_EQ(repaint(*turned), first);
    EXPECT_EQ(turned->GetPictureSource().KeptCount(), 1);

    constexpr COLORREF kGreen = RGB(0, 255, 0);
    Canvas green(40, 20, kGreen);
    ASSERT_TRUE(green.bitmap.SaveBmpFile(file, 24));
    ASSERT_NE(turned->LoadPicture(), nullptr);
    const std::vector<COLORREF> reloaded = repaint(*turned);
    EXPECT_EQ(turned->GetPictureSource().KeptCount(), 2);
    EXPECT_EQ(std::count(reloaded.begin(), reloaded.end(), kRed), 0);
    EXPECT_NEAR(std::count(reloaded.begin(), reloaded.end(), kGreen), 200 * 100, 700);
    auto fresh = PictureOnPlan(plan, file, kPi / 6.0);
    EXPECT_EQ(repaint(*fresh), reloaded);
    plan.tool.SetTargetDC(nullptr, nullptr);
}

// Drawing reads the picture's pixels where they show: what it keeps of a picture is its format,
// the same few bytes however large the picture.
TEST_F(PictureTest, DrawingKeepsNoCopyOfThePicture) {
    Canvas canvas(400, 300, kWhite);
    plan.tool.SetTargetDC(&canvas.dc, nullptr);
    plan.tool.m_rcUpdate = DeviceRect{-10000, -10000, 10000, 10000};
    auto turned = PictureOnPlan(plan, WritePicture(folder / "kept.bmp"), kPi / 6.0);
    ASSERT_EQ(turned->Draw(nullptr), 1);
    EXPECT_EQ(turned->GetPictureSource().HeldBytes(), sizeof(BITMAPINFOHEADER));
    plan.tool.SetTargetDC(nullptr, nullptr);
}

// A 24-bit picture 42 pixels wide has rows padded to 44. The far end of the column walk reaches
// column 42, which lies in the padding: like the last row it copies nothing, and the picture
// covers 199 x 99 pixels as one of width 40 does, with no black column of padding.
TEST_F(PictureTest, APictureWhoseRowsArePaddedShowsNoPaddingAtItsFarEdge) {
    Canvas picture(42, 20, kBlue);
    picture.dc.FillSolidRect(0, 0, 21, 20, kRed);
    const std::filesystem::path path = folder / "padded.bmp";
    ASSERT_TRUE(picture.bitmap.SaveBmpFile(path.string().c_str(), 24));
    Canvas canvas(400, 300, kWhite);
    plan.tool.SetTargetDC(&canvas.dc, nullptr);
    plan.tool.m_rcUpdate = DeviceRect{-10000, -10000, 10000, 10000};
    auto shown = PictureOnPlan(plan, CString(path.string().c_str()), 0.0);
    ASSERT_EQ(shown->Draw(nullptr), 1);
    const CRect covered(100, 100, 299, 199);
    EXPECT_EQ(canvas.CountColor(kRed, covered) + canvas.CountColor(kBlue, covered), 199 * 99);
    EXPECT_EQ(canvas.CountColor(kBlack, CRect(0, 0, 400, 300)), 0);
    plan.tool.SetTargetDC(nullptr, nullptr);
}

TEST_F(PictureTest, APrintedPictureFillsItsTurnedRectangleAndLeavesThePaperAroundIt) {
    const CString file = WritePicture(folder / "printed.bmp");
    CDC printer;
    ASSERT_TRUE(printer.CreatePrinterDC((folder / "page.pdf").string().c_str(), 30));
    // Paper y grows downward while the plan's grows upward, as the print view maps it.
    printer.SetMapMode(MM_ANISOTROPIC);
    printer.SetWindowExt(1, 1);
    printer.SetViewportExt(1, -1);
    plan.tool.SetTargetDC(&printer, nullptr);
    plan.host.m_nPrintableWidth = 2400;
    plan.host.m_nPrintableHeight = 3400;
    plan.host.m_fPrintScale = 10.0;
    auto picture = std::make_unique<CBMP>(0, &plan.tool, 1000.0, -1000.0);
    picture->m_pose.angle = kPi / 6.0;
    picture->MoveBoxCorner(3, 1000.0, -600.0, nullptr);
    picture->m_strFile = file;
    ASSERT_NE(picture->LoadPicture(), nullptr);
    picture->ComputeExtent(nullptr);
    ASSERT_EQ(picture->Draw(nullptr), 1);
    EXPECT_EQ(picture->m_dwRop, static_cast<DWORD>(SRCPAINT));
    // Only the turned rectangle is inked: red and blue, no black left of the shape under it.
    const int red = CountOnPage(printer, kRed), blue = CountOnPage(printer, kBlue);
    EXPECT_NEAR(red + blue, 100 * 60, 300);
    EXPECT_NEAR(red, blue, 150);
    EXPECT_EQ(CountOnPage(printer, kWhite) + red + blue,
              printer.Surface()->Width() * printer.Surface()->Height());
    if (const CString png = TestPicturePath("picture-printed-30.png"); !png.IsEmpty())
        printer.Surface()->WritePng(png);
    plan.tool.SetTargetDC(nullptr, nullptr);
}

TEST_F(PictureTest, APictureDrawnFromItsTopLeftCornerShowsUprightOnThePlan) {
    const CString file = WritePicture(folder / "upright.bmp");
    // The plan's own mapping: logical y grows upward from the bottom edge.
    Canvas canvas(400, 300, kWhite);
    canvas.dc.SetMapMode(MM_LOMETRIC);
    canvas.dc.SetViewportOrg(0, 300);
    plan.tool.SetTargetDC(&canvas.dc, nullptr);
    plan.tool.m_rcUpdate = DeviceRect{-100000, -100000, 100000, 100000};
    auto picture = std::make_unique<CBMP>(0, &plan.tool, 500.0, 5000.0);
    picture->MoveBoxCorner(3, 3000.0, -2000.0, nullptr);
    picture->m_strFile = file;
    ASSERT_NE(picture->LoadPicture(), nullptr);
    picture->ComputeExtent(nullptr);
    picture->RecalcDeviceBounds();
    ASSERT_EQ(picture->Draw(nullptr), 1);
    // Logical x 50 to 350 is pixels 19 to 132; the left half is red as in the file.
    EXPECT_EQ(canvas.At(40, 150), kRed);
    EXPECT_EQ(canvas.At(110, 150), kBlue);
    plan.tool.SetTargetDC(nullptr, nullptr);
}

TEST_F(PictureTest, AHugePictureIsWorkedOnlyWhereTheViewShowsItAndEveryExitLeavesTheContextAsItWas) {
    const CString file = WritePicture(folder / "huge.bmp");
    Canvas canvas(400, 300, kWhite);
    plan.tool.SetTargetDC(&canvas.dc, nullptr);
    plan.tool.m_rcUpdate = DeviceRect{-100000, -100000, 100000, 100000};
    // One layout unit a pixel: the picture is 40000 by 20000 pixels, the view 400 by 300.
    plan.tool.SetViewScale(1.0, 1.0);
    auto picture = std::make_unique<CBMP>(0, &plan.tool, -100.0, -100.0);
    picture->MoveBoxCorner(3, 40000.0, 20000.0, nullptr);
    picture->m_strFile = file;
    ASSERT_NE(picture->LoadPicture(), nullptr);
    picture->ComputeExtent(nullptr);
    picture->RecalcDeviceBounds();
    CPen* pen = canvas.dc.GetCurrentPen();
    ASSERT_EQ(picture->Draw(nullptr), 1);
    EXPECT_EQ(canvas.CountColor(kRed, CRect(0, 0, 400, 300)), 400 * 300);
    EXPECT_EQ(canvas.dc.GetCurrentPen(), pen);
    EXPECT_EQ(canvas.dc.GetMapMode(), MM_TEXT);

    // Longer than any walk is made: only the outline is drawn and the context keeps its mapping and
    // pen.
    canvas.dc.SetMapMode(MM_LOMETRIC);
    canvas.dc.SetViewportOrg(0, 300);
    plan.tool.SetViewScale(1000.0, 1.0);
    picture->RecalcDeviceBounds();
    canvas.dc.FillSolidRect(0, 0, 400, 300, kWhite);
    EXPECT_EQ(picture->Draw(nullptr), 1);
    EXPECT_EQ(canvas.dc.GetMapMode(), MM_LOMETRIC);
    EXPECT_EQ(canvas.dc.GetViewportOrg(), CPoint(0, 300));
    EXPECT_EQ(canvas.dc.GetCurrentPen(), pen);
    plan.tool.SetTargetDC(nullptr, nullptr);
}

// Pictures drawn and let go leave behind no more than a few entries by which their drawings are
// shared, so that finding one stays as cheap with many pictures as with few.
TEST_F(PictureTest, PicturesLetGoLeaveNoTrailOfSharedDrawings) {
    Canvas canvas(400, 300, kWhite);
    plan.tool.SetTargetDC(&canvas.dc, nullptr);
    plan.tool.m_rcUpdate = DeviceRect{-10000, -10000, 10000, 10000};
    for (int i = 0; i < 300; ++i) {
        const CString file = WritePicture(folder / ("p" + std::to_string(i) + ".bmp"));
        EXPECT_EQ(PictureOnPlan(plan, file, 0.0)->Draw(nullptr), 1);
    }
    plan.tool.SetTargetDC(nullptr, nullptr);
    EXPECT_LE(CPictureSource::LentCount(), 128u);
}

// Eight objects naming one file hold one picture read from it, and drawing them all makes its
// turned pixels once; a copy shares it too. A small file claiming a huge picture is refused
// with the usual messages.
TEST_F(PictureTest, ObjectsNamingOneFileShareOnePictureAndAFileClaimingTooMuchIsRefused) {
    const CString file = WritePicture(folder / "shared.bmp");
    Canvas canvas(400, 300, kWhite);
    plan.tool.SetTargetDC(&canvas.dc, nullptr);
    plan.tool.m_rcUpdate = DeviceRect{-10000, -10000, 10000, 10000};
    std::vector<std::unique_ptr<CBMP>> pictures;
    for (int i = 0; i < 8; ++i) pictures.push_back(PictureOnPlan(plan, file, kPi / 8.0 * i));
    const std::shared_ptr<PixelSurface> surface = pictures[0]->GetPicture()->Surface();
    int kept = 0;
    for (const auto& picture : pictures) {
        EXPECT_EQ(picture->GetPicture()->Surface(), surface);
        ASSERT_EQ(picture->Draw(nullptr), 1);
        kept += picture->GetPictureSource().KeptCount();
    }
    EXPECT_EQ(kept, 1);
    std::unique_ptr<CPaint> copy(pictures[3]->Clone());
    EXPECT_EQ(static_cast<CBMP*>(copy.get())->GetPicture()->Surface(), surface);
    EXPECT_EQ(surface.use_count(), 10);
    plan.tool.SetTargetDC(nullptr, nullptr);

    const std::filesystem::path claiming = folder / "claiming.bmp";
    std::ofstream(claiming, std::ios::binary)
        .write(reinterpret_cast<const char*>(
                   RunLengthBmpFile(1, 8192, 8192, RunLengthColors(256), {0, 1}).data()),
               1080);
    CBMP refused(0, &plan.tool, 0.0, 0.0);
    refused.m_strFile = CString(claiming.string().c_str());
    EXPECT_EQ(refused.LoadPicture(), nullptr);
    ASSERT_EQ(host.MessageBoxes().size(), 2u);
    EXPECT_EQ(host.MessageBoxes()[0].text, "Could not read file " + CWinPath::Native(refused.m_strFile));
    EXPECT_EQ(host.MessageBoxes()[1].text, "Could not create file " + CWinPath::Native(refused.m_strFile));
}
