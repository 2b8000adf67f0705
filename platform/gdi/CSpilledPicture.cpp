#include "platform/gdi/CSpilledPicture.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <set>
#include <string>

#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/ReducedRow.h"

namespace {

std::atomic<std::uint64_t> pixelsReadBack{0};
std::atomic<std::uint64_t> filesWritten{0};

bool IsRunning(const std::string& name) {
    int pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (error != std::errc() || end != name.data() + name.size() || pid <= 0)
        return true;
    return kill(pid, 0) == 0 || errno == EPERM;
}

// A process that ended without cleaning up (a crash) leaves its folder; the next one removes it,
// so the cache never grows from one run to the next.
void RemoveFoldersOfEndedProcesses(const std::filesystem::path& parent) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(parent, error))
        if (!IsRunning(entry.path().filename().string()))
            std::filesystem::remove_all(entry.path(), error);
}

// The folders this process spilled into, removed when it ends.
struct ProcessFolders {
    std::mutex lock;
    std::set<std::filesystem::path> made;
    ~ProcessFolders() {
        std::error_code error;
        for (const auto& folder : made) std::filesystem::remove_all(folder, error);
    }
};

ProcessFolders& Folders() {
    static ProcessFolders folders;
    return folders;
}

// This process's folder in the cache as the environment names it now; empty when it cannot be
// made.
std::filesystem::path ProcessFolder() {
    const std::filesystem::path parent = CSpilledPicture::CacheHome() / "corvane" / "pictures";
    const std::filesystem::path folder = parent / std::to_string(getpid());
    ProcessFolders& folders = Folders();
    const std::lock_guard<std::mutex> guard(folders.lock);
    std::error_code error;
    if (folders.made.count(folder) == 0) {
        std::filesystem::create_directories(parent, error);
        RemoveFoldersOfEndedProcesses(parent);
    }
    // Made again when the user cleared the cache meanwhile.
    std::filesystem::create_directories(folder, error);
    if (error)
        return {};
    folders.made.insert(folder);
    return folder;
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

bool WritePixels(std::ofstream& out, const PixelSurface& picture) {
    for (int y = 0; y < picture.Height(); ++y)
        out.write(reinterpret_cast<const char*>(picture.Row(y)),
                  static_cast<std::streamsize>(picture.Width() * sizeof(std::uint32_t)));
    return static_cast<bool>(out);
}

// Halved down to a single pixel, so that a picture shown small reads back as little.
bool IsSmallest(const PixelSurface& picture) {
    return std::max(picture.Width(), picture.Height()) <= 1;
}

}  // namespace

std::filesystem::path CSpilledPicture::CacheHome() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && *cache == '/')
        return cache;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr && *home != '\0' ? home : "/tmp") / ".cache";
}

std::uint64_t CSpilledPicture::PixelsReadBack() {
    return pixelsReadBack;
}

std::unique_ptr<CSpilledPicture> CSpilledPicture::Write(const PixelSurface& picture, bool darkestOfBlock) {
    const std::filesystem::path folder = ProcessFolder();
    if (folder.empty())
        return nullptr;
    std::filesystem::path file = folder / (std::to_string(++filesWritten) + ".pixels");
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    std::vector<Level> levels;
    std::size_t offset = 0;
    bool written = WritePixels(out, picture);
    std::unique_ptr<PixelSurface> halved;
    for (const PixelSurface* level = &picture; written; level = halved.get()) {
        levels.push_back(Level{level->Width(), level->Height(), offset});
        offset += static_cast<std::size_t>(level->Width()) * level->Height() * sizeof(std::uint32_t);
        if (IsSmallest(*level))
            break;
        halved = Halved(*level, darkestOfBlock);
        written = WritePixels(out, *halved);
    }
    out.close();
    if (!written || !out) {
        std::error_code error;
        std::filesystem::remove(file, error);
        return nullptr;
    }
    return std::unique_ptr<CSpilledPicture>(new CSpilledPicture(std::move(file), std::move(levels)));
}

CSpilledPicture::CSpilledPicture(std::filesystem::path file, std::vector<Level> levels)
    : m_file(std::move(file)), m_levels(std::move(levels)) {}

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
    return picture;
}
