#include "ui/LoadDibFile.h"

#include "platform/base/FileSystemText.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CDecodedPictures.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/win/Cursors.h"
#include "platform/win/WindowManager.h"

std::unique_ptr<CBitmap> LoadDibFile(CDC* dc, const char* path) {
    SetCursor(LoadStandardCursor(IDC_WAIT));
    std::shared_ptr<PixelSurface> surface =
        path != nullptr ? CDecodedPictures::Read(DiskPath(path)) : nullptr;
    std::unique_ptr<CBitmap> bitmap;
    if (surface) {
        // A monochrome device takes a monochrome bitmap; every other device true colour.
        const bool monochrome = dc != nullptr && dc->GetDeviceCaps(BITSPIXEL) == 1;
        bitmap = std::make_unique<CBitmap>();
        if (!bitmap->ShareSurface(std::move(surface), monochrome))
            bitmap.reset();
    }
    SetCursor(LoadStandardCursor(IDC_ARROW));
    return bitmap;
}
