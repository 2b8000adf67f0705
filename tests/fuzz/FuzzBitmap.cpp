#include <cstring>

#include "platform/base/GlobalMemory.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"
#include "ui/BitmapRoutines.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

// A picture read is drawn into a memory DC, stretched, as the program draws textures and
// previews, and saved at its own depth: a true-colour picture must read back pixel for pixel.
void ExercisePicture(const BmpImage& image) {
    CBitmap picture;
    FuzzCheck(picture.CreateFromSurface(*image.surface, image.bitCount == 1),
              "a picture read becomes a bitmap");
    CDC source, target;
    source.CreateCompatibleDC(nullptr);
    target.CreateCompatibleDC(nullptr);
    CBitmap canvas;
    canvas.CreateBitmap(48, 32, 1, 32, nullptr);
    CBitmap* previousSource = source.SelectObject(&picture);
    CBitmap* previousTarget = target.SelectObject(&canvas);
    target.StretchBlt(0, 0, 48, 32, &source, 0, 0, image.surface->Width(), image.surface->Height(), SRCCOPY);
    target.SelectObject(previousTarget);
    source.SelectObject(previousSource);

    const std::vector<BYTE> saved = EncodeBmpFile(*image.surface, image.bitCount);
    const BmpImage reread = ReadBmpBytes(saved);
    FuzzCheck(reread.surface != nullptr, "a saved picture reads back");
    if (image.bitCount < 24)
        return;
    const std::size_t bytes = static_cast<std::size_t>(image.surface->Width()) * image.surface->Height() * 4;
    FuzzCheck(std::memcmp(reread.surface->Data(), image.surface->Data(), bytes) == 0,
              "a true-colour picture reads back pixel for pixel");
}

// A packed DIB (a .bmp without its file header) saved as a file, as the 3D view saves its
// picture, and read back.
void ExercisePackedDib(const std::uint8_t* data, std::size_t size) {
    HDIB dib = GlobalAlloc(GHND, size);
    if (dib == nullptr)
        return;
    if (size > 0)
        std::memcpy(GlobalLock(dib), data, size);
    GlobalUnlock(dib);
    const std::filesystem::path path = FuzzFolder() / "packed.bmp";
    if (SaveDIB(dib, path.c_str()) == kDibSaved) {
        const BmpImage image = ReadBmpFile(path.c_str());
        if (image.surface)
            ExercisePicture(image);
    }
    DestroyDIB(dib);
}

}  // namespace

// A .bmp file, or a packed DIB when the bytes do not begin as a .bmp file does.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
        const BmpImage image = ReadBmpBytes(std::vector<BYTE>(data, data + size));
        if (image.surface)
            ExercisePicture(image);
        return 0;
    }
    ExercisePackedDib(data, size);
    return 0;
}
