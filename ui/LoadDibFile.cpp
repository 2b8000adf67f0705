#include "ui/LoadDibFile.h"

#include "platform/base/FileSystemText.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/DibFormat.h"
#include "platform/win/Cursors.h"
#include "platform/win/WindowManager.h"

std::unique_ptr<CBitmap> LoadDibFile(CDC* dc, const char* path) {
    SetCursor(LoadStandardCursor(IDC_WAIT));
    const BmpImage image = path != nullptr ? ReadCutShortBmpFile(DiskPath(path)) : BmpImage{};
    std::unique_ptr<CBitmap> bitmap;
    if (image.surface) {
        // A monochrome device takes a monochrome bitmap; every other device true colour.
        const bool monochrome = dc != nullptr && dc->GetDeviceCaps(BITSPIXEL) == 1;
        bitmap = std::make_unique<CBitmap>();
        if (!bitmap->CreateFromSurface(*image.surface, monochrome))
            bitmap.reset();
    }
    SetCursor(LoadStandardCursor(IDC_ARROW));
    return bitmap;
}
