#include "platform/gdi/CSpilledPicture.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fstream>
#include <mutex>
#include <set>
#include <string>
#include <system_error>

#include "platform/base/CacheFolders.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/ReducedRow.h"

namespace {

std::atomic<std::uint64_t> pixelsReadBack{0};
std::atomic<std::uint64_t> filesWritten{0};

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

// Every pixel, a short write continued; false, with the reason, when the system refuses one.
bool WritePixels(int file, const PixelSurface& picture, std::error_code& error) {
    const auto* bytes = reinterpret_cast<const char*>(picture.Row(0));
    std::size_t left = static_cast<std::size_t>(picture.Width()) * picture.Height() * sizeof(std::uint32_t);
    while (left > 0) {
        const ssize_t written = write(file, bytes, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            error = std::error_code(written < 0 ? errno : ENOSPC, std::generic_category());
            return false;
        }
        bytes += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
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
    if (folder.empty()) {
        Refuse(PicturesFolder(), error);
        return nullptr;
    }
    std::filesystem::path file = folder / (std::to_string(++filesWritten) + ".pixels");
    std::vector<Level> levels;
    if (!WriteLevels(file, picture, darkestOfBlock, decodedBytes, levels, error)) {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
        Refuse(PicturesFolder(), error);
        return nullptr;
    }
    return std::unique_ptr<CSpilledPicture>(
        new CSpilledPicture(std::move(file), std::move(levels), darkestOfBlock));
}

bool CSpilledPicture::WriteLevels(const std::filesystem::path& file, const PixelSurface& picture,
                                  bool darkestOfBlock, std::size_t decodedBytes, std::vector<Level>& levels,
                                  std::error_code& error) {
    const int out = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (out < 0) {
        error = std::error_code(errno, std::generic_category());
        return false;
    }
    std::size_t offset = 0;
    bool written = WritePixels(out, picture, error);
    std::unique_ptr<PixelSurface> halved;
    for (const PixelSurface* level = &picture; written; level = halved.get()) {
        levels.push_back(Level{level->Width(), level->Height(), offset});
        offset += BytesOf(level->Width(), level->Height());
        if (IsSmallest(*level) || offset + HalvedBytes(*level) > decodedBytes)
            break;
        halved = Halved(*level, darkestOfBlock);
        written = WritePixels(out, *halved, error);
    }
    if (close(out) != 0 && written) {
        error = std::error_code(errno, std::generic_category());
        written = false;
    }
    return written;
}

CSpilledPicture::CSpilledPicture(std::filesystem::path file, std::vector<Level> levels, bool darkestOfBlock)
    : m_file(std::move(file)), m_levels(std::move(levels)), m_darkestOfBlock(darkestOfBlock) {}

CSpilledPicture::~CSpilledPicture() {
    std::error_code error;
    std::filesystem::remove(m_file, error);
}

std::shared_ptr<PixelSurface> CSpilledPicture::Read(int shownSide) const {
    auto level = std::find_if(m_levels.rbegin(), m_levels.rend(), [shownSide](const Level& l) {
        return std::max(l.width, l.height) >= shownSide;
    });
    const Level& read = level != m_levels.rend() ? *level : m_levels.front();
    std::ifstream in(m_file, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(read.offset));
    auto picture = std::make_shared<PixelSurface>(read.width, read.height);
    const std::size_t pixels = static_cast<std::size_t>(read.width) * read.height;
    in.read(reinterpret_cast<char*>(picture->Data()),
            static_cast<std::streamsize>(pixels * sizeof(std::uint32_t)));
    if (!in)
        return nullptr;
    pixelsReadBack += pixels;
    return HalvedToShow(std::move(picture), shownSide, m_darkestOfBlock);
}
