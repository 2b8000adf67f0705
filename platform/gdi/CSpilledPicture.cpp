#include "platform/gdi/CSpilledPicture.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <system_error>

#include "platform/base/CacheFolders.h"
#include "platform/gdi/CPictureCacheFile.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/ReducedRow.h"

namespace {

std::atomic<std::uint64_t> pixelsReadBack{0};

// The folder the pictures of every process go to, in the cache as the environment names it now.
std::filesystem::path PicturesFolder() {
    return CSpilledPicture::CacheHome() / "corvane" / "pictures";
}

// The refusals met, each folder's first kept until it is told.
struct Refusals {
    std::mutex lock;
    std::set<std::filesystem::path> told;
    std::optional<CSpilledPicture::Refusal> untold;
};

Refusals& RefusalsMet() {
    static auto* refusals = new Refusals;
    return *refusals;
}

void Refuse(const std::filesystem::path& folder, const std::error_code& reason) {
    Refusals& refusals = RefusalsMet();
    const std::lock_guard<std::mutex> guard(refusals.lock);
    if (!refusals.untold && refusals.told.count(folder) == 0)
        refusals.untold = CSpilledPicture::Refusal{folder, reason.message()};
}

// Each pixel stands for the block of up to two by two it covers, as the reading reduces it; a
// block of one colour is that colour, whichever way it is reduced, and is not weighed.
std::unique_ptr<PixelSurface> Halved(const PixelSurface& picture, bool darkestOfBlock) {
    const int width = (picture.Width() + 1) / 2, height = (picture.Height() + 1) / 2;
    auto halved = std::make_unique<PixelSurface>(width, height);
    ReducedRow reduced(width, darkestOfBlock);
    std::uint32_t block[4];
    for (int y = 0; y < height; ++y) {
        const int rows = std::min(2, picture.Height() - 2 * y);
        for (int x = 0; x < width; ++x) {
            const int columns = std::min(2, picture.Width() - 2 * x);
            int count = 0;
            for (int row = 0; row < rows; ++row)
                for (int column = 0; column < columns; ++column)
                    block[count++] = picture.Row(2 * y + row)[2 * x + column];
            if (std::all_of(block + 1, block + count,
                            [&block](std::uint32_t pixel) { return pixel == block[0]; })) {
                halved->Row(y)[x] = block[0];
                continue;
            }
            reduced.StartBlock(x);
            for (int pixel = 0; pixel < count; ++pixel) reduced.Add(x, block[pixel]);
            halved->Row(y)[x] = reduced.Pixel(x);
        }
    }
    return halved;
}

// Halved down to a single pixel, so that a picture shown small reads back as little.
bool IsSmallest(const PixelSurface& picture) {
    return std::max(picture.Width(), picture.Height()) <= 1;
}

std::size_t BytesOf(int width, int height) {
    return static_cast<std::size_t>(width) * height * sizeof(std::uint32_t);
}

std::size_t HalvedBytes(const PixelSurface& picture) {
    return BytesOf((picture.Width() + 1) / 2, (picture.Height() + 1) / 2);
}

std::span<const char> PixelBytes(const PixelSurface& picture) {
    return {reinterpret_cast<const char*>(picture.Row(0)), BytesOf(picture.Width(), picture.Height())};
}

std::span<char> PixelBytes(PixelSurface& picture) {
    return {reinterpret_cast<char*>(picture.Data()), BytesOf(picture.Width(), picture.Height())};
}

// The parts appended to this process's cache file, in the folder the environment names now: the
// file and where they begin; no file when the folder refuses them, which is then told.
std::pair<std::shared_ptr<CPictureCacheFile>, std::size_t> Appended(
    std::span<const std::span<const char>> parts) {
    std::error_code error;
    const std::filesystem::path folder = LiveCacheFolder(PicturesFolder(), error);
    std::shared_ptr<CPictureCacheFile> file = folder.empty() ? nullptr : CPictureCacheFile::In(folder, error);
    const std::optional<std::size_t> at = file ? file->Append(parts, error) : std::nullopt;
    if (at)
        return {std::move(file), *at};
    Refuse(PicturesFolder(), error);
    return {nullptr, 0};
}

// The halvings kept beside the picture: as many as fit, with it, in the bytes of the picture read
// whole, down to a single pixel.
std::vector<std::unique_ptr<PixelSurface>> HalvingsWithin(const PixelSurface& picture, bool darkestOfBlock,
                                                          std::size_t decodedBytes) {
    std::vector<std::unique_ptr<PixelSurface>> halvings;
    std::size_t bytes = BytesOf(picture.Width(), picture.Height());
    for (const PixelSurface* level = &picture;
         !IsSmallest(*level) && bytes + HalvedBytes(*level) <= decodedBytes; level = halvings.back().get()) {
        bytes += HalvedBytes(*level);
        halvings.push_back(Halved(*level, darkestOfBlock));
    }
    return halvings;
}

// The smallest halvings of the picture, as many as the room holds: those a draw of the picture
// shown small reads.
std::vector<std::unique_ptr<PixelSurface>> SmallestHalvingsWithin(const PixelSurface& picture,
                                                                  bool darkestOfBlock, std::size_t room) {
    std::vector<std::unique_ptr<PixelSurface>> halvings;
    std::size_t bytes = 0;
    for (const PixelSurface* level = &picture; !IsSmallest(*level); level = halvings.back().get()) {
        halvings.push_back(Halved(*level, darkestOfBlock));
        bytes += BytesOf(halvings.back()->Width(), halvings.back()->Height());
    }
    std::size_t dropped = 0;
    for (; dropped < halvings.size() && bytes > room; ++dropped)
        bytes -= BytesOf(halvings[dropped]->Width(), halvings[dropped]->Height());
    halvings.erase(halvings.begin(), halvings.begin() + static_cast<std::ptrdiff_t>(dropped));
    return halvings;
}

// The halvings the file lacks, made from its smallest level as writing them would have made them:
// the smallest whose longer side still reaches shownSide.
std::shared_ptr<PixelSurface> HalvedToShow(std::shared_ptr<PixelSurface> picture, int shownSide,
                                           bool darkestOfBlock) {
    while (!IsSmallest(*picture) && (std::max(picture->Width(), picture->Height()) + 1) / 2 >= shownSide)
        picture = Halved(*picture, darkestOfBlock);
    return picture;
}

}  // namespace

std::filesystem::path CSpilledPicture::CacheHome() {
    return UserCacheHome();
}

std::uint64_t CSpilledPicture::PixelsReadBack() {
    return pixelsReadBack;
}

std::optional<CSpilledPicture::Refusal> CSpilledPicture::TakeRefusal() {
    Refusals& refusals = RefusalsMet();
    const std::lock_guard<std::mutex> guard(refusals.lock);
    std::optional<Refusal> taken = std::move(refusals.untold);
    refusals.untold.reset();
    if (taken)
        refusals.told.insert(taken->folder);
    return taken;
}

std::unique_ptr<CSpilledPicture> CSpilledPicture::Write(const PixelSurface& picture, bool darkestOfBlock,
                                                        std::size_t decodedBytes) {
    return Kept(PixelBytes(picture), picture, HalvingsWithin(picture, darkestOfBlock, decodedBytes),
                darkestOfBlock, 0);
}

std::unique_ptr<CSpilledPicture> CSpilledPicture::WriteFile(const std::vector<BYTE>& bytes,
                                                            const PixelSurface& picture, bool darkestOfBlock,
                                                            std::size_t decodedBytes) {
    return Kept({reinterpret_cast<const char*>(bytes.data()), bytes.size()}, picture,
                SmallestHalvingsWithin(picture, darkestOfBlock, decodedBytes - bytes.size()), darkestOfBlock,
                bytes.size());
}

std::unique_ptr<CSpilledPicture> CSpilledPicture::Kept(
    std::span<const char> largest, const PixelSurface& picture,
    const std::vector<std::unique_ptr<PixelSurface>>& halvings, bool darkestOfBlock, std::size_t fileBytes) {
    std::vector<std::span<const char>> parts{largest};
    for (const auto& halving : halvings) parts.push_back(PixelBytes(*halving));
    auto [file, at] = Appended(parts);
    if (!file)
        return nullptr;
    std::vector<Level> levels(1, Level{picture.Width(), picture.Height(), at});
    std::size_t offset = at + largest.size();
    for (const auto& halving : halvings) {
        levels.push_back(Level{halving->Width(), halving->Height(), offset});
        offset += BytesOf(halving->Width(), halving->Height());
    }
    return std::unique_ptr<CSpilledPicture>(
        new CSpilledPicture(std::move(file), std::move(levels), offset - at, darkestOfBlock, fileBytes));
}

CSpilledPicture::CSpilledPicture(std::shared_ptr<CPictureCacheFile> file, std::vector<Level> levels,
                                 std::size_t bytes, bool darkestOfBlock, std::size_t fileBytes)
    : m_file(std::move(file)),
      m_levels(std::move(levels)),
      m_bytes(bytes),
      m_darkestOfBlock(darkestOfBlock),
      m_fileBytes(fileBytes) {}

CSpilledPicture::~CSpilledPicture() {
    m_file->Free(m_levels.front().offset, m_bytes);
}

std::shared_ptr<PixelSurface> CSpilledPicture::Read(int shownSide) const {
    auto level = std::find_if(m_levels.rbegin(), m_levels.rend(), [shownSide](const Level& l) {
        return std::max(l.width, l.height) >= shownSide;
    });
    const Level& read = level != m_levels.rend() ? *level : m_levels.front();
    const bool fromFile = &read == &m_levels.front() && m_fileBytes > 0;
    std::shared_ptr<PixelSurface> picture =
        fromFile ? Decoded() : std::make_shared<PixelSurface>(read.width, read.height);
    if (!picture || (!fromFile && !m_file->Read(PixelBytes(*picture), read.offset)))
        return nullptr;
    pixelsReadBack += static_cast<std::uint64_t>(read.width) * read.height;
    return HalvedToShow(std::move(picture), shownSide, m_darkestOfBlock);
}

std::shared_ptr<PixelSurface> CSpilledPicture::Decoded() const {
    std::vector<BYTE> bytes(m_fileBytes);
    if (!m_file->Read(std::span(reinterpret_cast<char*>(bytes.data()), bytes.size()),
                      m_levels.front().offset))
        return nullptr;
    std::shared_ptr<PixelSurface> picture = ReadCutShortBmpBytes(std::move(bytes)).surface;
    return picture && picture->Width() == Width() && picture->Height() == Height() ? picture : nullptr;
}
