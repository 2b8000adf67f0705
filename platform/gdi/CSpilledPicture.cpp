#include "platform/gdi/CSpilledPicture.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <system_error>

#include "platform/base/CacheFolders.h"
#include "platform/gdi/CPictureCacheFile.h"
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

// Each pixel stands for the block of up to two by two it covers, as the reading reduces it.
std::unique_ptr<PixelSurface> Halved(const PixelSurface& picture, bool darkestOfBlock) {
    const int width = (picture.Width() + 1) / 2, height = (picture.Height() + 1) / 2;
    auto halved = std::make_unique<PixelSurface>(width, height);
    ReducedRow reduced(width, darkestOfBlock);
    for (int y = 0; y < height; ++y) {
        reduced.Start();
        for (int sourceY = 2 * y; sourceY < std::min(2 * y + 2, picture.Height()); ++sourceY)
            for (int x = 0; x < picture.Width(); ++x) reduced.Add(x / 2, picture.Row(sourceY)[x]);
        reduced.Finish(halved->Row(y));
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
    std::error_code error;
    const std::filesystem::path folder = LiveCacheFolder(PicturesFolder(), error);
    std::shared_ptr<CPictureCacheFile> file = folder.empty() ? nullptr : CPictureCacheFile::In(folder, error);
    const std::vector<std::unique_ptr<PixelSurface>> halvings =
        file ? HalvingsWithin(picture, darkestOfBlock, decodedBytes)
             : std::vector<std::unique_ptr<PixelSurface>>();
    std::vector<const PixelSurface*> levels{&picture};
    for (const auto& halving : halvings) levels.push_back(halving.get());
    const std::optional<std::size_t> at = file ? file->Append(levels, error) : std::nullopt;
    if (!at) {
        Refuse(PicturesFolder(), error);
        return nullptr;
    }
    std::vector<Level> kept;
    std::size_t offset = *at;
    for (const PixelSurface* level : levels) {
        kept.push_back(Level{level->Width(), level->Height(), offset});
        offset += BytesOf(level->Width(), level->Height());
    }
    return std::unique_ptr<CSpilledPicture>(
        new CSpilledPicture(std::move(file), std::move(kept), offset - *at, darkestOfBlock));
}

CSpilledPicture::CSpilledPicture(std::shared_ptr<CPictureCacheFile> file, std::vector<Level> levels,
                                 std::size_t bytes, bool darkestOfBlock)
    : m_file(std::move(file)),
      m_levels(std::move(levels)),
      m_bytes(bytes),
      m_darkestOfBlock(darkestOfBlock) {}

CSpilledPicture::~CSpilledPicture() {
    m_file->Free(m_levels.front().offset, m_bytes);
}

std::shared_ptr<PixelSurface> CSpilledPicture::Read(int shownSide) const {
    auto level = std::find_if(m_levels.rbegin(), m_levels.rend(), [shownSide](const Level& l) {
        return std::max(l.width, l.height) >= shownSide;
    });
    const Level& read = level != m_levels.rend() ? *level : m_levels.front();
    auto picture = std::make_shared<PixelSurface>(read.width, read.height);
    if (!m_file->Read(*picture, read.offset))
        return nullptr;
    pixelsReadBack += static_cast<std::uint64_t>(read.width) * read.height;
    return HalvedToShow(std::move(picture), shownSide, m_darkestOfBlock);
}
