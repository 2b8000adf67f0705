#include "platform/gdi/CSpilledPicture.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <system_error>
#include <unordered_set>

#include "platform/base/CacheFolders.h"
#include "platform/base/ProgramName.h"
#include "platform/gdi/CPictureCacheFile.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/ReducedRow.h"

namespace {

std::atomic<std::uint64_t> pixelsReadBack{0};

// The folder the pictures of every process go to, in the cache as the environment names it now.
std::filesystem::path PicturesFolder() {
    return CSpilledPicture::CacheHome() / ProgramFolderName() / "pictures";
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

// The colours of a picture that holds no more than most of them; nothing for one of more.
std::optional<std::unordered_set<std::uint32_t>> FewColors(const PixelSurface& picture, std::size_t most) {
    std::unordered_set<std::uint32_t> colors;
    // A run of one colour is looked up once: most pixels repeat the one before.
    std::uint32_t previous = picture.At(0, 0);
    colors.insert(previous);
    for (int y = 0; y < picture.Height(); ++y)
        for (const std::uint32_t pixel : std::span(picture.Row(y), picture.Width())) {
            if (pixel == previous)
                continue;
            previous = pixel;
            if (colors.insert(pixel).second && colors.size() > most)
                return std::nullopt;
        }
    return colors;
}

// A picture of few colours is a drawing, whose reductions keep the darkest pixel of each block
// as the reading does, so that its thin lines still show.
bool IsDrawing(const PixelSurface& picture) {
    constexpr std::size_t kMostColorsOfADrawing = 16;
    return FewColors(picture, kMostColorsOfADrawing).has_value();
}

// A picture of no more colours than a table holds as a .bmp file of colour indices, its table
// those colours, at the fewest bits a pixel they need: read back, it shows the same pixels. Empty
// for a picture of more colours.
std::vector<BYTE> IndexedFile(const PixelSurface& picture) {
    const std::optional<std::unordered_set<std::uint32_t>> colors = FewColors(picture, 256);
    if (!colors)
        return {};
    std::vector<RGBQUAD> table;
    for (const std::uint32_t color : *colors)
        table.push_back(RGBQUAD{static_cast<BYTE>(color & 0xFF), static_cast<BYTE>((color >> 8) & 0xFF),
                                static_cast<BYTE>((color >> 16) & 0xFF), 0});
    const int bitCount = table.size() <= 2 ? 1 : table.size() <= 16 ? 4 : 8;
    return EncodeBmpFile(picture, bitCount, table);
}

// The pixel a block of up to two by two pixels stands for, as the reading reduces it; a block of
// one colour is that colour, whichever way it is reduced, and is not weighed.
std::uint32_t BlockPixel(const std::uint32_t* block, int count, ReducedRow& reduced, int x) {
    if (std::all_of(block + 1, block + count, [block](std::uint32_t pixel) { return pixel == block[0]; }))
        return block[0];
    reduced.StartBlock(x);
    for (int pixel = 0; pixel < count; ++pixel) reduced.Add(x, block[pixel]);
    return reduced.Pixel(x);
}

// Each pixel stands for the block of up to two by two it covers, its rows read straight from the
// picture: a draw of a picture shown small halves it on the way.
std::unique_ptr<PixelSurface> Halved(const PixelSurface& picture, bool darkestOfBlock) {
    const int width = (picture.Width() + 1) / 2, height = (picture.Height() + 1) / 2;
    const int pairedColumns = picture.Width() / 2;
    auto halved = std::make_unique<PixelSurface>(width, height);
    ReducedRow reduced(width, darkestOfBlock);
    std::uint32_t block[4];
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* top = picture.Row(2 * y);
        const std::uint32_t* bottom = 2 * y + 1 < picture.Height() ? picture.Row(2 * y + 1) : nullptr;
        std::uint32_t* out = halved->Row(y);
        for (int x = 0; x < width; ++x) {
            int count = 0;
            block[count++] = top[2 * x];
            if (x < pairedColumns)
                block[count++] = top[2 * x + 1];
            if (bottom != nullptr) {
                block[count++] = bottom[2 * x];
                if (x < pairedColumns)
                    block[count++] = bottom[2 * x + 1];
            }
            out[x] = BlockPixel(block, count, reduced, x);
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

// The picture halved as often as its longer side still reaches shownSide.
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

std::shared_ptr<PixelSurface> CSpilledPicture::HalvedWithin(const BmpImage& picture, std::size_t pixels) {
    const auto pixelsOf = [](const PixelSurface& surface) {
        return static_cast<std::size_t>(surface.Width()) * surface.Height();
    };
    std::shared_ptr<PixelSurface> halved = picture.surface;
    const bool darkestOfBlock = picture.bitCount <= 8 && IsDrawing(*halved);
    while (pixelsOf(*halved) > pixels && !IsSmallest(*halved)) halved = Halved(*halved, darkestOfBlock);
    return halved;
}

std::unique_ptr<CSpilledPicture> CSpilledPicture::Write(const BmpImage& picture, std::size_t decodedBytes) {
    const PixelSurface& pixels = *picture.surface;
    const BmpShape shape{pixels.Width(), pixels.Height(), picture.bitCount};
    // A picture of colour indices read reduced keeps few colours: as indices it takes a fraction of
    // the bytes of its pixels.
    const std::vector<BYTE> indexed = picture.bitCount <= 8 ? IndexedFile(pixels) : std::vector<BYTE>{};
    if (!indexed.empty() && indexed.size() < PixelBytes(pixels).size())
        return WriteFile(indexed, shape, decodedBytes);
    return Kept(PixelBytes(pixels), shape, decodedBytes, 0);
}

std::unique_ptr<CSpilledPicture> CSpilledPicture::WriteFile(const std::vector<BYTE>& bytes,
                                                            const BmpShape& picture,
                                                            std::size_t decodedBytes) {
    return Kept({reinterpret_cast<const char*>(bytes.data()), bytes.size()}, picture, decodedBytes,
                bytes.size());
}

std::unique_ptr<CSpilledPicture> CSpilledPicture::Kept(std::span<const char> bytes, const BmpShape& picture,
                                                       std::size_t decodedBytes, std::size_t fileBytes) {
    const std::span<const char> parts[] = {bytes};
    auto [file, at] = Appended(parts);
    if (!file)
        return nullptr;
    // A picture of more colours than a table holds is no drawing; one of few is told when first read.
    const std::optional<bool> darkestOfBlock =
        picture.bitCount > 8 ? std::optional<bool>(false) : std::nullopt;
    return std::unique_ptr<CSpilledPicture>(
        new CSpilledPicture(std::move(file), Level{picture.width, picture.height, at}, bytes.size(),
                            decodedBytes, darkestOfBlock, fileBytes));
}

CSpilledPicture::CSpilledPicture(std::shared_ptr<CPictureCacheFile> file, Level picture, std::size_t bytes,
                                 std::size_t decodedBytes, std::optional<bool> darkestOfBlock,
                                 std::size_t fileBytes)
    : m_file(std::move(file)),
      m_levels(1, picture),
      m_bytes(bytes),
      m_decodedBytes(decodedBytes),
      m_darkestOfBlock(darkestOfBlock),
      m_fileBytes(fileBytes) {}

CSpilledPicture::~CSpilledPicture() {
    const Level& picture = m_levels.front();
    m_file->Free(picture.offset, m_fileBytes > 0 ? m_fileBytes : BytesOf(picture.width, picture.height));
    for (auto halving = m_levels.begin() + 1; halving != m_levels.end(); ++halving)
        m_file->Free(halving->offset, BytesOf(halving->width, halving->height));
}

std::shared_ptr<PixelSurface> CSpilledPicture::Read(int shownSide) {
    const auto level = std::find_if(m_levels.rbegin(), m_levels.rend(), [shownSide](const Level& l) {
        return std::max(l.width, l.height) >= shownSide;
    });
    std::shared_ptr<PixelSurface> read = ReadLevel(level != m_levels.rend() ? *level : m_levels.front());
    if (!read)
        return nullptr;
    if (!m_darkestOfBlock)
        m_darkestOfBlock = IsDrawing(*read);
    const int readSide = std::max(read->Width(), read->Height());
    std::shared_ptr<PixelSurface> shown = HalvedToShow(std::move(read), shownSide, *m_darkestOfBlock);
    if (std::max(shown->Width(), shown->Height()) < readSide)
        KeepHalving(*shown);
    return shown;
}

std::shared_ptr<PixelSurface> CSpilledPicture::ReadLevel(const Level& level) const {
    const bool fromFile = &level == &m_levels.front() && m_fileBytes > 0;
    std::shared_ptr<PixelSurface> picture =
        fromFile ? Decoded() : std::make_shared<PixelSurface>(level.width, level.height);
    if (!picture || (!fromFile && !m_file->Read(PixelBytes(*picture), level.offset)))
        return nullptr;
    pixelsReadBack += static_cast<std::uint64_t>(level.width) * level.height;
    return picture;
}

void CSpilledPicture::KeepHalving(const PixelSurface& halving) {
    const std::size_t bytes = BytesOf(halving.Width(), halving.Height());
    if (m_bytes + bytes > m_decodedBytes)
        return;
    const std::span<const char> parts[] = {PixelBytes(halving)};
    std::error_code ignored;
    const std::optional<std::size_t> at = m_file->Append(parts, ignored);
    if (!at)
        return;
    m_bytes += bytes;
    const auto larger = std::find_if(m_levels.begin(), m_levels.end(), [&halving](const Level& l) {
        return std::max(l.width, l.height) < std::max(halving.Width(), halving.Height());
    });
    m_levels.insert(larger, Level{halving.Width(), halving.Height(), *at});
}

std::shared_ptr<PixelSurface> CSpilledPicture::Decoded() const {
    std::vector<BYTE> bytes(m_fileBytes);
    if (!m_file->Read(std::span(reinterpret_cast<char*>(bytes.data()), bytes.size()),
                      m_levels.front().offset))
        return nullptr;
    std::shared_ptr<PixelSurface> picture = ReadCutShortBmpBytes(std::move(bytes)).surface;
    return picture && picture->Width() == Width() && picture->Height() == Height() ? picture : nullptr;
}
