#include "tests/support/PlainPictures.h"

#include <cstdint>
#include <string>

#include "platform/gdi/CDecodedPictures.h"
#include "tests/support/RunLengthPictures.h"

FileBytes OneBitPicture(int side) {
    const std::size_t rowBytes = static_cast<std::size_t>(side + 31) / 32 * 4;
    return BmpFile(1, 0, side, side, {0x000000, 0xFFFFFF}, FileBytes(rowBytes * side, 0xF0));
}

std::vector<std::shared_ptr<PixelSurface>> SpendThePictureBudget(const std::filesystem::path& folder) {
    const FileBytes large = OneBitPicture(4096);
    std::vector<std::shared_ptr<PixelSurface>> held;
    for (int picture = 0; picture < 4; ++picture) {
        const auto path = folder / ("large" + std::to_string(picture) + ".bmp");
        WriteFileBytes(path, large);
        held.push_back(CDecodedPictures::Read(path));
    }
    return held;
}
