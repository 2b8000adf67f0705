#include "tests/support/PlainPictures.h"

#include <cstdint>
#include <string>

#include "platform/gdi/CDecodedPictures.h"

FileBytes OneBitPicture(int side) {
    const std::uint32_t bitsAt = 14 + 40 + 8, rowBytes = static_cast<std::uint32_t>(side + 31) / 32 * 4;
    const std::uint32_t image = rowBytes * static_cast<std::uint32_t>(side);
    const std::uint32_t fields[] = {bitsAt + image,
                                    0,
                                    bitsAt,
                                    40,
                                    static_cast<std::uint32_t>(side),
                                    static_cast<std::uint32_t>(side),
                                    1 | (1 << 16),
                                    0,
                                    image,
                                    2835,
                                    2835,
                                    2,
                                    0,
                                    0x000000,
                                    0xFFFFFF};
    FileBytes file{'B', 'M'};
    for (const std::uint32_t field : fields)
        for (int shift = 0; shift < 32; shift += 8)
            file.push_back(static_cast<unsigned char>(field >> shift));
    file.resize(bitsAt + image, 0xF0);
    return file;
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
