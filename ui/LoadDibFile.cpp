#include "ui/LoadDibFile.h"

#include <optional>

#include "model/CMissingFileReport.h"
#include "platform/base/FileSystemText.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CDecodedPictures.h"
#include "platform/gdi/CSpilledPicture.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/win/Cursors.h"
#include "platform/win/WindowManager.h"

namespace {

// A picture the cache folder refused still shows, held in memory at a reduced size or read from its
// file again; the user hears why once a run.
void TellCacheRefusal() {
    const std::optional<CSpilledPicture::Refusal> refusal = CSpilledPicture::TakeRefusal();
    if (!refusal)
        return;
    const CString folder = PathText(refusal->folder);
    CMissingFileReport::Show(
        "Pictures cannot be kept in the cache folder " + folder + " (" + CString(refusal->reason.c_str()) +
            "). They are held in memory at a reduced size instead, or read from their files again.",
        folder);
}

}  // namespace

std::unique_ptr<CBitmap> LoadDibFile(CDC* dc, const char* path) {
    SetCursor(LoadStandardCursor(IDC_WAIT));
    std::shared_ptr<PixelSurface> surface =
        path != nullptr ? CDecodedPictures::Read(DiskPath(path)) : nullptr;
    TellCacheRefusal();
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
