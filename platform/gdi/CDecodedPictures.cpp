#include "platform/gdi/CDecodedPictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/base/FileStamp.h"
#include "platform/gdi/CSpilledPicture.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/RunLengthBmp.h"

namespace {

struct DecodedPicture {
    // The file the picture was read from: one rewritten or replaced since is another.
    FileStamp stamp;
    std::weak_ptr<PixelSurface> surface;
};

// A file a picture is read from again at each draw, as long as it stays as it was, and the
// shape it was read at.
struct RereadFile {
    std::filesystem::path path;
    FileStamp stamp;
    int width = 1, height = 1;
};

// What a stand-in shows: its picture as read, kept on disk, until the budget has room for it
// again; then held in memory instead. Or, for a picture held as its codes, those codes. A picture
// the cache folder refused is held in memory beyond the budget, reduced, while those copies have
// room, else read from its file at each draw: shown, whatever the disk does.
struct StandIn {
    std::unique_ptr<CSpilledPicture> spilled;
    std::shared_ptr<PixelSurface> held;
    std::vector<BYTE> codes;
    std::optional<RereadFile> file;
    bool beyondBudget = false;
};

// The pictures held and the bytes they take, kept up to date as each is read and freed, so
// that no read walks the others.
struct HeldPictures {
    std::mutex lock;
    std::unordered_map<std::string, DecodedPicture> pictures;
    std::unordered_map<const PixelSurface*, StandIn> standIns;
    std::size_t bytes = 0;
    // Of those, the bytes of the pictures the cache folder refused.
    std::size_t beyondBudgetBytes = 0;
    std::size_t count = 0;
    std::uint64_t fileReads = 0;
};

// Never destroyed: a picture may be freed while the program exits.
HeldPictures& Held() {
    static auto* held = new HeldPictures;
    return *held;
}

// One name for every path of the file, as far as the file system tells.
std::string FileKey(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    return (error ? path : canonical).string();
}

std::size_t SurfaceBytes(const PixelSurface& surface) {
    return static_cast<std::size_t>(surface.Width()) * surface.Height() * sizeof(std::uint32_t);
}

// What the pictures held leave of the budget, in pixels. Call with the lock held.
std::size_t ShownPixelsLeft() {
    const std::size_t held = Held().bytes;
    const std::size_t left =
        held < CDecodedPictures::kBudgetBytes ? CDecodedPictures::kBudgetBytes - held : 0;
    return left / sizeof(std::uint32_t);
}

// Frees a picture no bitmap holds any more, gives its bytes back and forgets its file, unless
// the file has been read again since.
void Release(std::shared_ptr<PixelSurface>& decoded, const std::string& key) {
    const std::size_t bytes = SurfaceBytes(*decoded);
    const PixelSurface* released = decoded.get();
    decoded.reset();
    HeldPictures& held = Held();
    const std::lock_guard<std::mutex> guard(held.lock);
    held.bytes -= bytes;
    --held.count;
    const auto standIn = held.standIns.find(released);
    if (standIn != held.standIns.end()) {
        const std::size_t standInBytes = standIn->second.held ? SurfaceBytes(*standIn->second.held) : 0;
        held.bytes -= standInBytes;
        if (standIn->second.beyondBudget)
            held.beyondBudgetBytes -= standInBytes;
        held.bytes -= standIn->second.codes.size();
        held.standIns.erase(standIn);
    }
    const auto entry = held.pictures.find(key);
    if (entry != held.pictures.end() && entry->second.surface.expired())
        held.pictures.erase(entry);
}

// The decoded picture as the bitmaps share it: counted in while they hold it. Call with the lock
// held.
std::shared_ptr<PixelSurface> Counted(std::shared_ptr<PixelSurface> decoded, const std::string& key) {
    Held().bytes += SurfaceBytes(*decoded);
    ++Held().count;
    PixelSurface* surface = decoded.get();
    return std::shared_ptr<PixelSurface>(
        surface, [decoded = std::move(decoded), key](PixelSurface*) mutable { Release(decoded, key); });
}

// The file's bytes, as far as its headers say it reaches. Call with the lock held.
std::optional<std::vector<BYTE>> ReadFile(const std::filesystem::path& path) {
    ++Held().fileReads;
    return ReadBmpFileBytes(path);
}

// A run-length picture whose codes set few of the many pixels it declares is held as those codes,
// counted at their size, and decoded at the size it shows at: what it costs follows what its codes
// set, never the size it declares. Call with the lock held.
bool HeldAsCodes(const std::vector<BYTE>& file) {
    const std::optional<RunLengthLayout> layout = RunLengthLayoutOf(file);
    if (!layout || file.size() > ShownPixelsLeft() * sizeof(std::uint32_t))
        return false;
    const auto declared = static_cast<std::size_t>(layout->dib.width) * layout->dib.height;
    return declared > CDecodedPictures::kSpilledPixels &&
           *RunLengthPixelsSet(file) <= CDecodedPictures::kCodesPixels;
}

// The picture the cache folder refused, held in memory beyond the budget. Call with the lock held.
void HoldBeyondTheBudget(StandIn& standIn, std::shared_ptr<PixelSurface> picture) {
    const std::size_t bytes = SurfaceBytes(*picture);
    Held().bytes += bytes;
    Held().beyondBudgetBytes += bytes;
    standIn.held = std::move(picture);
    standIn.beyondBudget = true;
}

// The picture the cache folder refused: a copy of it halved to no more than kRefusedPixels held
// beyond the budget while such copies take no more than kRefusedBytes, else its file, read at
// each draw.
// Call with the lock held.
void HoldRefused(StandIn& standIn, const BmpImage& shown, RereadFile source) {
    std::shared_ptr<PixelSurface> copy =
        CSpilledPicture::HalvedWithin(shown, CDecodedPictures::kRefusedPixels);
    if (copy && Held().beyondBudgetBytes + SurfaceBytes(*copy) <= CDecodedPictures::kRefusedBytes) {
        HoldBeyondTheBudget(standIn, std::move(copy));
        return;
    }
    source.width = shown.surface->Width();
    source.height = shown.surface->Height();
    standIn.file = std::move(source);
}

// The picture past the budget, kept on disk: as its file's bytes, unread, when it is read whole
// at what the screen can show and they are fewer than its pixels, else read once at that size;
// or as HoldRefused keeps it when the disk refuses it. Null when it cannot be read. Call with the
// lock held.
std::shared_ptr<PixelSurface> Spilled(const std::vector<BYTE>& file, RereadFile source) {
    const std::size_t decodedBytes = DeclaredPixels(file).value_or(0) * sizeof(std::uint32_t);
    const std::optional<BmpShape> shape = CutShortBmpShape(file);
    if (!shape)
        return nullptr;
    auto standIn = std::make_shared<PixelSurface>(1, 1);
    StandIn& kept = Held().standIns[standIn.get()];
    const bool keptAsFile = file.size() < decodedBytes &&
                            ReductionStep(shape->width, shape->height, CDecodedPictures::kSpilledPixels,
                                          CDecodedPictures::kSpilledSide) == 1;
    if (keptAsFile)
        kept.spilled = CSpilledPicture::WriteFile(file, *shape, decodedBytes);
    if (kept.spilled)
        return standIn;
    const BmpImage shown =
        ReadCutShortBmpBytes(file, CDecodedPictures::kSpilledPixels, CDecodedPictures::kSpilledSide);
    if (!keptAsFile)
        kept.spilled = CSpilledPicture::Write(shown, decodedBytes);
    if (!kept.spilled)
        HoldRefused(kept, shown, std::move(source));
    return standIn;
}

// The picture held whole, or reduced to what the budget leaves of it, or else a stand-in. Call with
// the lock held.
std::shared_ptr<PixelSurface> Decoded(std::vector<BYTE> file, RereadFile source) {
    if (HeldAsCodes(file)) {
        auto standIn = std::make_shared<PixelSurface>(1, 1);
        Held().bytes += file.size();
        Held().standIns[standIn.get()].codes = std::move(file);
        return standIn;
    }
    const std::size_t left = ShownPixelsLeft();
    if (SmallestReadPixels(file).value_or(0) > left)
        return Spilled(file, std::move(source));
    return ReadCutShortBmpBytes(std::move(file), left).surface;
}

// The stand-in's picture back in memory once the budget has room for it, its file gone. Call with
// the lock held.
void HoldAgainWhenItFits(StandIn& standIn) {
    CSpilledPicture& spilled = *standIn.spilled;
    if (static_cast<std::size_t>(spilled.Width()) * spilled.Height() > ShownPixelsLeft())
        return;
    standIn.held = spilled.Read(std::max(spilled.Width(), spilled.Height()));
    if (!standIn.held)
        return;
    Held().bytes += SurfaceBytes(*standIn.held);
    standIn.spilled.reset();
}

// The longer side at which a picture of the size shows as many columns and rows as it is shown
// across: one drawn stretched shows more of its shorter side than its longer side alone tells.
int SideShowing(int width, int height, int shownColumns, int shownRows) {
    const double longer = std::max(width, height);
    const double side = std::max(shownColumns * longer / width, shownRows * longer / height);
    return static_cast<int>(std::min(std::ceil(side), double{INT_MAX}));
}

// A picture held as its codes at about the size it shows at, in no more pixels than a spilled copy.
std::shared_ptr<PixelSurface> DecodedCodes(const std::vector<BYTE>& codes, int shownColumns, int shownRows) {
    const DibDescription dib = RunLengthLayoutOf(codes)->dib;
    const int side = SideShowing(dib.width, dib.height, shownColumns, shownRows);
    return ReadBmpBytes(codes, CDecodedPictures::kSpilledPixels, side).surface;
}

// The picture read from its file at about the size it shows at; null when the file has changed
// or gone since. Call with the lock held.
std::shared_ptr<PixelSurface> Reread(const RereadFile& file, int shownColumns, int shownRows) {
    std::optional<std::vector<BYTE>> bytes =
        FileStamp::Of(file.path) == file.stamp ? ReadFile(file.path) : std::nullopt;
    if (!bytes)
        return nullptr;
    const int side = SideShowing(file.width, file.height, shownColumns, shownRows);
    return ReadCutShortBmpBytes(std::move(*bytes), CDecodedPictures::kSpilledPixels,
                                std::min(side, CDecodedPictures::kSpilledSide))
        .surface;
}

// A stand-in's picture at about the size it shows at. Call with the lock held.
std::shared_ptr<PixelSurface> ShownFor(StandIn& standIn, int shownColumns, int shownRows) {
    if (!standIn.codes.empty())
        return DecodedCodes(standIn.codes, shownColumns, shownRows);
    if (standIn.file)
        return Reread(*standIn.file, shownColumns, shownRows);
    if (standIn.spilled)
        HoldAgainWhenItFits(standIn);
    if (standIn.held)
        return standIn.held;
    if (!standIn.spilled)
        return nullptr;
    CSpilledPicture& spilled = *standIn.spilled;
    return spilled.Read(SideShowing(spilled.Width(), spilled.Height(), shownColumns, shownRows));
}

}  // namespace

std::shared_ptr<PixelSurface> CDecodedPictures::Read(const std::filesystem::path& path) {
    const std::optional<FileStamp> stamp = FileStamp::Of(path);
    if (!stamp)
        return nullptr;
    const std::string key = FileKey(path);
    HeldPictures& held = Held();
    const std::lock_guard<std::mutex> guard(held.lock);
    const auto kept = held.pictures.find(key);
    if (kept != held.pictures.end() && kept->second.stamp == *stamp)
        if (std::shared_ptr<PixelSurface> surface = kept->second.surface.lock())
            return surface;
    std::optional<std::vector<BYTE>> file = ReadFile(path);
    std::shared_ptr<PixelSurface> decoded =
        file ? Decoded(std::move(*file), RereadFile{path, *stamp}) : nullptr;
    if (!decoded)
        return nullptr;
    std::shared_ptr<PixelSurface> surface = Counted(std::move(decoded), key);
    held.pictures[key] = DecodedPicture{*stamp, surface};
    return surface;
}

std::shared_ptr<PixelSurface> CDecodedPictures::Shown(const std::shared_ptr<PixelSurface>& held,
                                                      int shownColumns, int shownRows) {
    HeldPictures& pictures = Held();
    const std::lock_guard<std::mutex> guard(pictures.lock);
    const auto standIn = pictures.standIns.find(held.get());
    return standIn == pictures.standIns.end() ? held : ShownFor(standIn->second, shownColumns, shownRows);
}

std::uint64_t CDecodedPictures::FileReads() {
    HeldPictures& held = Held();
    const std::lock_guard<std::mutex> guard(held.lock);
    return held.fileReads;
}

std::size_t CDecodedPictures::HeldBytes() {
    HeldPictures& held = Held();
    const std::lock_guard<std::mutex> guard(held.lock);
    return held.bytes;
}

std::size_t CDecodedPictures::HeldBound() {
    HeldPictures& held = Held();
    const std::lock_guard<std::mutex> guard(held.lock);
    return kBudgetBytes + held.count * kStandInBytes + held.beyondBudgetBytes;
}
