#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "drawing/CBMP.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDecodedPictures.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/r3d/Clump.h"
#include "platform/r3d/Texture.h"
#include "tests/gdi/Canvas.h"
#include "tests/support/CacheHomeInFolder.h"
#include "tests/support/FileBytes.h"
#include "tests/support/PixelDigest.h"
#include "tests/support/PlainPictures.h"
#include "tests/support/RunLengthPictures.h"
#include "tests/view3d/Objects3DPlan.h"
#include "view3d/CSprite.h"

// Pictures read once the memory budget is spent hold only a stand-in; whatever draws them shows
// the picture as it was read, never the file as it is now, and reads no file to do it.

namespace {

constexpr COLORREF kLoaded = RGB(255, 0, 0);
constexpr COLORREF kLater = RGB(0, 0, 255);
constexpr COLORREF kGround = RGB(0, 200, 0);

// A picture of one colour, 20 by 40; a 3D bitmap's mask beside it, white where it shows.
CString WritePicture(const std::filesystem::path& path, COLORREF colour) {
    Canvas picture(20, 40, colour);
    EXPECT_TRUE(picture.bitmap.SaveBmpFile(path.string().c_str(), 24));
    Canvas mask(20, 40, RGB(255, 255, 255));
    EXPECT_TRUE(mask.bitmap.SaveBmpFile(path.parent_path().append("picture.msk").string().c_str(), 24));
    return CString(path.string().c_str());
}

// A run-length picture of one colour declaring 2,048 by 1,024 pixels, whose codes set none: held as
// its codes while the budget has room for them.
CString WriteSparsePicture(const std::filesystem::path& path, COLORREF colour) {
    const std::uint32_t pixel = GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    WriteFileBytes(path, RunLengthBmpFile(1, 2048, 1024, {pixel}, {0, 1}));
    return CString(path.string().c_str());
}

int Count(const PixelSurface& page, COLORREF colour) {
    int count = 0;
    for (int y = 0; y < page.Height(); ++y)
        for (int x = 0; x < page.Width(); ++x) count += ColorFromPixel(page.At(x, y)) == colour ? 1 : 0;
    return count;
}

// A picture 200 by 400 plan units, 20 by 40 pixels on the plan.
CBMP* PictureOf(Objects3DPlan& plan, bool threeD, const CString& file) {
    CBMP* picture = threeD ? new CSprite(0, &plan.tool, 0.0, 0.0) : new CBMP(0, &plan.tool, 0.0, 0.0);
    picture->MoveBoxCorner(1, 0.0, 0.0, nullptr);
    picture->MoveBoxCorner(3, 200.0, 400.0, nullptr);
    if (auto* sprite = dynamic_cast<CSprite*>(picture)) {
        sprite->SetImage(file);
        sprite->LoadBitmaps();
        sprite->m_bShowOn2DPlan = 1;
    } else {
        picture->m_strFile = file;
        picture->LoadPicture();
    }
    picture->ComputeExtent(nullptr);
    picture->RecalcDeviceBounds();
    return picture;
}

enum class Shown { kPlan, kPaper, kThreeD };

// The pixels of each colour the picture shows as: drawn on the plan or on paper (as printed and
// previewed, both through the paper's context), or as the texture of a 3D bitmap in 3D.
std::pair<int, int> LoadedAndLaterShown(Objects3DPlan& plan, CBMP& picture, Shown shown) {
    if (shown == Shown::kThreeD) {
        const std::unique_ptr<r3d::Clump> sprite = picture.Build3D(nullptr);
        if (sprite == nullptr || sprite->Polygons().empty() || !sprite->Polygons().front().material.texture)
            return {0, 0};
        const r3d::Raster& texels = sprite->Polygons().front().material.texture->Image();
        std::pair<int, int> counts;
        for (int y = 0; y < texels.Height(); ++y)
            for (int x = 0; x < texels.Width(); ++x) {
                counts.first += texels.Pixel(x, y) == r3d::Raster::Rgb{255, 0, 0} ? 1 : 0;
                counts.second += texels.Pixel(x, y) == r3d::Raster::Rgb{0, 0, 255} ? 1 : 0;
            }
        return counts;
    }
    Canvas screen(60, 60, kGround);
    CDC printer;
    if (shown == Shown::kPaper) {
        EXPECT_TRUE(printer.CreatePrinterDC((plan.folder / "page.pdf").string().c_str(), 30));
        plan.host.m_nPrintableWidth = 2400;
        plan.host.m_nPrintableHeight = 3400;
        plan.host.m_fPrintScale = 10.0;
    }
    CDC& target = shown == Shown::kPaper ? printer : screen.dc;
    plan.tool.SetTargetDC(&target, &target);
    plan.tool.m_rcUpdate = {-1000, -1000, 1000, 1000};
    EXPECT_EQ(picture.Draw(nullptr), 1);
    plan.tool.SetTargetDC(nullptr, nullptr);
    return {Count(*target.Surface(), kLoaded), Count(*target.Surface(), kLater)};
}

}  // namespace

TEST(PicturesPastTheBudget, EveryDrawingShowsThePictureAsReadWhateverBecameOfItsFile) {
    const CacheHomeInFolder cache;
    Objects3DPlan plan;
    plan.tool.SetViewScale(1.0, 10.0);
    auto held = SpendThePictureBudget(plan.folder.Path());
    struct Case {
        const char* what;
        bool threeD;
        Shown shown;
        bool deleted;
        // The turned drawing covers all but the last column and row; a texture every texel.
        int loaded;
        bool asCodes = false;
    };
    const Case cases[] = {
        {"the plan, its file overwritten", false, Shown::kPlan, false, 19 * 39},
        {"the plan, its file deleted", false, Shown::kPlan, true, 19 * 39},
        {"paper, its file overwritten", false, Shown::kPaper, false, 19 * 39},
        {"a 3D bitmap on the plan", true, Shown::kPlan, false, 19 * 39},
        {"a 3D bitmap on paper, its file deleted", true, Shown::kPaper, true, 19 * 39},
        {"a 3D bitmap in 3D, its file overwritten", true, Shown::kThreeD, false, 20 * 40},
        {"held as its codes, the plan, its file overwritten", false, Shown::kPlan, false, 19 * 39, true},
        {"held as its codes, paper, its file deleted", false, Shown::kPaper, true, 19 * 39, true},
        {"held as its codes, a 3D bitmap in 3D", true, Shown::kThreeD, false, 1024 * 512, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto path = plan.folder / "3DBITMAPS" / "picture.bmp";
        const auto write = c.asCodes ? WriteSparsePicture : WritePicture;
        // Codes are held only in the budget's room.
        if (c.asCodes && held.size() == 4)
            held.pop_back();
        std::unique_ptr<CBMP> picture(PictureOf(plan, c.threeD, write(path, kLoaded)));
        CBitmap* stored = c.threeD ? static_cast<CSprite*>(picture.get())->GetImage() : picture->GetPicture();
        ASSERT_NE(stored, nullptr);
        EXPECT_EQ(stored->Surface()->Width(), 1);
        if (c.deleted)
            std::filesystem::remove(path);
        else
            write(path, kLater);
        const std::uint64_t reads = CDecodedPictures::FileReads();
        EXPECT_EQ(LoadedAndLaterShown(plan, *picture, c.shown), std::make_pair(c.loaded, 0));
        EXPECT_EQ(CDecodedPictures::FileReads(), reads);
    }
}

// Once the budget has room again a stand-in's picture is held in memory; one that can no longer
// be had draws as a picture whose file was missing at opening: its outline and handles.
TEST(PicturesPastTheBudget, AStandInIsHeldAgainOnceMemoryFreesOrElseShowsItsOutline) {
    const CacheHomeInFolder cache;
    Objects3DPlan plan;
    plan.tool.SetViewScale(1.0, 10.0);
    auto held = SpendThePictureBudget(plan.folder.Path());
    const CString file = WritePicture(plan.folder / "picture.bmp", kLoaded);
    std::unique_ptr<CBMP> lost(PictureOf(plan, false, file));
    // Another program empties the cache file: the picture can no longer be had from it. The next
    // picture goes to another cache folder.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(cache.Folder().Path()))
        if (entry.is_regular_file())
            std::filesystem::resize_file(entry.path(), 0);
    const CacheHomeInFolder laterCache;
    std::unique_ptr<CBMP> kept(PictureOf(plan, false, WritePicture(plan.folder / "kept.bmp", kLoaded)));
    std::unique_ptr<CBMP> missing(PictureOf(plan, false, "nowhere.bmp"));
    const auto drawn = [&plan](CBMP& picture) {
        Canvas screen(60, 60, kGround);
        plan.tool.SetTargetDC(&screen.dc, &screen.dc);
        plan.tool.m_rcUpdate = {-1000, -1000, 1000, 1000};
        picture.m_bSelected = 1;
        EXPECT_EQ(picture.Draw(nullptr), 1);
        plan.tool.SetTargetDC(nullptr, nullptr);
        return PixelDigest(*screen.bitmap.Surface());
    };
    EXPECT_EQ(drawn(*lost), drawn(*missing));
    EXPECT_NE(drawn(*lost), PixelDigest(*Canvas(60, 60, kGround).bitmap.Surface()));

    held.clear();
    const std::size_t before = CDecodedPictures::HeldBytes();
    std::filesystem::remove(plan.folder / "kept.bmp");
    drawn(*kept);
    EXPECT_EQ(CDecodedPictures::HeldBytes(), before + 20 * 40 * 4);
}
