#include "shell/ToolBarPictures.h"

#include <vector>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CImageList.h"
#include "platform/gdi/PixelSurface.h"
#include "resources/BitmapIds.h"
#include "shell/CommandIcons.h"
#include "shell/ToolBarButtons.h"

namespace {
constexpr std::uint32_t kGrey = 0xC0C0C0;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kShadow = 0x808080;

std::vector<UINT> CommandsOf(UINT bitmapId) {
    std::span<const UINT> buttons;
    if (bitmapId == IDB_MAIN_TOOLBAR)
        buttons = MainToolBarButtons();
    if (bitmapId == IDB_TOOLS_TOOLBAR)
        buttons = ToolsToolBarButtons();
    if (bitmapId == IDB_CAMERA_TOOLBAR)
        buttons = CameraToolBarButtons();
    for (const ToolBarDropDown& dropDown : ToolsToolBarDropDowns())
        if (dropDown.paletteBitmap == bitmapId)
            buttons = dropDown.commands;
    std::vector<UINT> commands;
    for (UINT id : buttons)
        if (id != 0)
            commands.push_back(id);
    return commands;
}

BOOL IconStrip(const std::vector<UINT>& commands, CBitmap& bitmap) {
    PixelSurface strip(kIconWidth * static_cast<int>(commands.size()), kIconHeight, kGrey);
    for (std::size_t i = 0; i < commands.size(); ++i)
        DrawCommandIcon(strip, kIconWidth * static_cast<int>(i), commands[i]);
    return bitmap.CreateFromSurface(strip);
}

// Left half: the mask (white, black where the arrow is); right half: the arrow on black.
BOOL DropDownArrow(CBitmap& bitmap) {
    constexpr int kHalf = 9;
    PixelSurface picture(2 * kHalf, kIconHeight, kWhite);
    for (int x = kHalf; x < 2 * kHalf; ++x)
        for (int y = 0; y < kIconHeight; ++y) picture.Set(x, y, kBlack);
    for (int row = 0; row < 3; ++row)
        for (int x = 2 + row; x <= 6 - row; ++x) picture.Set(x, 9 + row, kBlack);
    return bitmap.CreateFromSurface(picture);
}

// Two raised ridges across the strip, upright while the bar is open, lying while collapsed.
BOOL Ridges(CBitmap& bitmap, bool upright) {
    const int width = upright ? 6 : 25;
    const int height = upright ? 19 : 6;
    PixelSurface picture(width, height, kGrey);
    for (int ridge = 0; ridge < 2; ++ridge)
        for (int along = 0; along < (upright ? height : width); ++along) {
            const int across = ridge * 3;
            const bool end = along == (upright ? height : width) - 1;
            for (int step = 0; step < 2; ++step) {
                const std::uint32_t colour = step == 0 && !end ? kWhite : kShadow;
                const int a = across + step;
                if (upright)
                    picture.Set(a, along, colour);
                else
                    picture.Set(along, a, colour);
            }
        }
    return bitmap.CreateFromSurface(picture);
}
}  // namespace

BOOL LoadToolBarPicture(UINT bitmapId, CBitmap& bitmap) {
    bitmap.DeleteObject();
    switch (bitmapId) {
        case IDB_DROP_DOWN_ARROW:
            return DropDownArrow(bitmap);
        case IDB_COLLAPSE_STRIP:
            return Ridges(bitmap, true);
        case IDB_COLLAPSED_BAR:
            return Ridges(bitmap, false);
        default:
            break;
    }
    const std::vector<UINT> commands = CommandsOf(bitmapId);
    return commands.empty() ? FALSE : IconStrip(commands, bitmap);
}

// The image drawn over white and over black: pixels that follow the background are transparent.
BOOL CopyImage(CImageList& source, int from, CImageList& target, int to) {
    const CSize size = source.GetImageSize();
    if (from < 0 || from >= source.GetImageCount() || size.cx <= 0 || size.cy <= 0)
        return FALSE;
    CBitmap overWhite, overBlack;
    overWhite.CreateBitmap(size.cx, size.cy, 1, 32, nullptr);
    overBlack.CreateBitmap(size.cx, size.cy, 1, 32, nullptr);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&overWhite);
    dc.FillSolidRect(0, 0, size.cx, size.cy, RGB(255, 255, 255));
    source.Draw(&dc, from, CPoint(0, 0), ILD_TRANSPARENT);
    dc.SelectObject(&overBlack);
    source.Draw(&dc, from, CPoint(0, 0), ILD_TRANSPARENT);
    dc.SelectObject(old);
    PixelSurface mask(size.cx, size.cy);
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            mask.Set(x, y, overWhite.Surface()->At(x, y) != overBlack.Surface()->At(x, y) ? kWhite : kBlack);
    CBitmap maskBitmap;
    maskBitmap.CreateFromSurface(mask);
    return target.Replace(to, &overBlack, &maskBitmap);
}
