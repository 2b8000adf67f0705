#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/base/GlobalMemory.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CDecodedPictures.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/RunLengthBmp.h"
#include "tests/fuzz/FuzzSupport.h"
#include "ui/BitmapRoutines.h"
#include "ui/LoadDibFile.h"

namespace {

// A picture's memory is bounded by its size alone when the file is run-length, since a few
// codes may rightly stand for a large blank picture. A plain one beyond the pictures small
// enough to expand freely takes memory in proportion to its file: a byte holds at most eight
// pixels, and a file cut short lacks no more bytes than it holds.
void CheckProportion(const PixelSurface* surface, const std::vector<BYTE>& file) {
    if (surface == nullptr)
        return;
    const std::uint64_t pixels =
        static_cast<std::uint64_t>(surface->Width()) * static_cast<std::uint64_t>(surface->Height());
    if (IsRunLengthBmp(file)) {
        FuzzCheck(pixels <= kLargestRunLengthPixels, "a run-length picture is bounded by its size");
        return;
    }
    const std::uint64_t accounted = 2 * 8 * static_cast<std::uint64_t>(file.size());
    FuzzCheck(pixels <= std::max<std::uint64_t>(kFreelyExpandedPixels, accounted),
              "a plain picture takes memory in proportion to its file");
}

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
        CheckProportion(image.surface.get(), ReadFuzzFile("packed.bmp"));
        if (image.surface)
            ExercisePicture(image);
    }
    DestroyDIB(dib);
}

// The data folders' pictures are read from disk by the reader that takes a file cut short; a
// whole file must read the same either way.
void ExerciseDataFolderPicture(const std::uint8_t* data, std::size_t size, const BmpImage& whole) {
    const std::filesystem::path path = FuzzFolder() / "picture.bmp";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return;
    const bool written = std::fwrite(data, 1, size, file) == size;
    std::fclose(file);
    if (!written)
        return;
    std::unique_ptr<CBitmap> bitmap = LoadDibFile(nullptr, path.c_str());
    FuzzCheck(CDecodedPictures::HeldBytes() <= CDecodedPictures::HeldBound(),
              "a data-folder picture stays within the pictures' budget");
    const std::vector<BYTE> read(data, data + size);
    const BmpImage cutShort = ReadCutShortBmpBytes(read);
    FuzzCheck((bitmap != nullptr) == (cutShort.surface != nullptr), "the file and its bytes read alike");
    CheckProportion(cutShort.surface.get(), read);
    // A whole file without a pixel offset is refused by the reader of data-folder pictures.
    if (!whole.surface || !cutShort.surface)
        return;
    const std::size_t bytes = static_cast<std::size_t>(whole.surface->Width()) * whole.surface->Height() * 4;
    FuzzCheck(std::memcmp(cutShort.surface->Data(), whole.surface->Data(), bytes) == 0,
              "a whole picture reads the same either way");
}

// Read straight from its codes, whole or reduced, a run-length picture shows what the plain
// picture it widens to shows.
void CheckRunLengthAgainstPlain(const std::vector<BYTE>& bytes, const BmpImage& whole) {
    if (!whole.surface || !IsRunLengthBmp(bytes))
        return;
    const std::vector<BYTE> plain = ExpandRunLengthBmp(bytes);
    const std::size_t pixels = static_cast<std::size_t>(whole.surface->Width()) * whole.surface->Height();
    for (const std::size_t shown : {pixels, pixels / 7}) {
        const BmpImage read = ReadBmpBytes(bytes, shown);
        const BmpImage expected = ReadBmpBytes(plain, shown);
        FuzzCheck(read.surface && expected.surface && read.surface->Width() == expected.surface->Width() &&
                      read.surface->Height() == expected.surface->Height() &&
                      std::memcmp(
                          read.surface->Data(), expected.surface->Data(),
                          static_cast<std::size_t>(read.surface->Width()) * read.surface->Height() * 4) == 0,
                  "a run-length picture shows what its plain picture shows");
    }
}

}  // namespace

// A .bmp file, or a packed DIB when the bytes do not begin as a .bmp file does.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
        const std::vector<BYTE> bytes(data, data + size);
        const BmpImage image = ReadBmpBytes(bytes);
        CheckProportion(image.surface.get(), bytes);
        CheckRunLengthAgainstPlain(bytes, image);
        if (image.surface)
            ExercisePicture(image);
        ExerciseDataFolderPicture(data, size, image);
        return 0;
    }
    ExercisePackedDib(data, size);
    return 0;
}
