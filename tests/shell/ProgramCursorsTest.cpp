#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/win/Cursors.h"
#include "resources/ProgramCursors.h"

namespace {

using Pixel = CursorPicture::Pixel;

// Every cursor the plan view and the 3D view choose, by tool mode and by what lies under the mouse.
constexpr UINT kChosenIds[] = {308, 335, 311, 322, 521, 336, 316, 515, 517, 518, 513, 519, 520,
                               516, 522, 523, 318, 319, 321, 339, 320, 338, 461, 337, 314, 315,
                               379, 463, 462, 524, 373, 374, 378, 454, 427, 525, 464, 451};

std::string Rows(const CursorPicture& picture) {
    std::string rows;
    for (int y = 0; y < CursorPicture::kSize; ++y) {
        for (int x = 0; x < CursorPicture::kSize; ++x) rows += "-#o~"[static_cast<int>(picture.At(x, y))];
        rows += '\n';
    }
    return rows;
}

}  // namespace

TEST(ProgramCursors, EveryChosenCursorIsDrawnDistinctAndPointsWithInk) {
    std::set<std::string> pictures;
    for (UINT id : kChosenIds) {
        CursorPicture picture;
        ASSERT_TRUE(DrawProgramCursor(id, picture)) << id;
        const CPoint hot = picture.HotSpot();
        EXPECT_EQ(picture.At(hot.x, hot.y), Pixel::Black) << id;
        EXPECT_TRUE(pictures.insert(Rows(picture)).second) << id << " looks like another cursor";
    }
    CursorPicture none;
    EXPECT_FALSE(DrawProgramCursor(1, none));

    RegisterProgramCursors();
    for (UINT id : kChosenIds) {
        const HCURSOR cursor = LoadResourceCursor(id);
        ASSERT_NE(cursor, nullptr) << id;
        ASSERT_NE(cursor->picture, nullptr);
        EXPECT_EQ(cursor->resource, id);
    }
}

TEST(ProgramCursors, TheMoveCursorIsFourArrowsAroundItsMiddleWithAWhiteRim) {
    CursorPicture move;
    ASSERT_TRUE(DrawProgramCursor(373, move));
    EXPECT_EQ(move.HotSpot(), CPoint(15, 15));
    // The arms run from pixel 1 to pixel 29 through the middle, rimmed by white at both ends.
    for (int i = 1; i <= 29; ++i) {
        EXPECT_EQ(move.At(i, 15), Pixel::Black) << i;
        EXPECT_EQ(move.At(15, i), Pixel::Black) << i;
    }
    EXPECT_EQ(move.At(0, 15), Pixel::White);
    EXPECT_EQ(move.At(30, 15), Pixel::White);
    EXPECT_EQ(move.At(15, 0), Pixel::White);
    // Beside a head the arrow narrows to its shaft: white between the heads, clear in the corners.
    EXPECT_EQ(move.At(5, 11), Pixel::Black);
    EXPECT_EQ(move.At(10, 14), Pixel::White);
    EXPECT_EQ(move.At(10, 10), Pixel::Transparent);
    EXPECT_EQ(move.At(0, 0), Pixel::Transparent);
    EXPECT_EQ(move.At(31, 31), Pixel::Transparent);
}

TEST(ProgramCursors, APictureKeepsEachOfItsFourKindsOfPixel) {
    CursorPicture picture;
    EXPECT_EQ(picture.At(0, 0), Pixel::Transparent);
    picture.Set(0, 0, Pixel::Black);
    picture.Set(31, 0, Pixel::White);
    picture.Set(0, 31, Pixel::Inverted);
    picture.Set(32, 0, Pixel::Black);
    EXPECT_EQ(picture.At(0, 0), Pixel::Black);
    EXPECT_EQ(picture.At(31, 0), Pixel::White);
    EXPECT_EQ(picture.At(0, 31), Pixel::Inverted);
    EXPECT_EQ(picture.At(1, 0), Pixel::Transparent);
    EXPECT_EQ(picture.At(32, 0), Pixel::Transparent);
    picture.Set(0, 0, Pixel::Transparent);
    EXPECT_EQ(picture.At(0, 0), Pixel::Transparent);
}
