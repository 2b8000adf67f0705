#include "tools/datagen/DataPictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <system_error>

#include "platform/gdi/DibFormat.h"

namespace DataPictures {

namespace {

constexpr double kPi = 3.14159265358979;
constexpr int kTextureSize = 64;
constexpr int kPanoramaWidth = 1024;
constexpr int kPanoramaHeight = 256;

// A small fixed-seed generator, so each build draws the same speckles.
class Speckles {
  public:
    explicit Speckles(std::uint32_t seed) : m_state(seed) {}
    // A whole number from 0 to range - 1.
    int Next(int range) {
        m_state = m_state * 1664525u + 1013904223u;
        return static_cast<int>((m_state >> 8) % static_cast<std::uint32_t>(range));
    }

  private:
    std::uint32_t m_state;
};

std::uint32_t Rgb(int red, int green, int blue) {
    auto clamp = [](int value) { return static_cast<std::uint32_t>(std::clamp(value, 0, 255)); };
    return (clamp(red) << 16) | (clamp(green) << 8) | clamp(blue);
}

// A base colour with every pixel lighter or darker by up to the spread.
std::unique_ptr<PixelSurface> Speckled(int red, int green, int blue, int spread, std::uint32_t seed) {
    auto surface = std::make_unique<PixelSurface>(kTextureSize, kTextureSize);
    Speckles noise(seed);
    for (int y = 0; y < kTextureSize; ++y) {
        for (int x = 0; x < kTextureSize; ++x) {
            const int shade = noise.Next(2 * spread + 1) - spread;
            surface->Set(x, y, Rgb(red + shade, green + shade, blue + shade));
        }
    }
    return surface;
}

// Stones: blotches of a few pixels in varied greys and browns over a dark bed.
void ScatterStones(PixelSurface& surface, int count, std::uint32_t seed) {
    Speckles noise(seed);
    for (int i = 0; i < count; ++i) {
        const int cx = noise.Next(kTextureSize), cy = noise.Next(kTextureSize);
        const int radius = 1 + noise.Next(3);
        const int grey = 90 + noise.Next(90);
        const int warmth = noise.Next(25);
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if (dx * dx + dy * dy <= radius * radius)
                    surface.Set((cx + dx + kTextureSize) % kTextureSize,
                                (cy + dy + kTextureSize) % kTextureSize,
                                Rgb(grey + warmth, grey + warmth / 2, grey - warmth / 2));
    }
}

// The mountain ridge's height in pixels above the bottom at column x; whole periods over the
// width make the two edges meet.
double RidgeHeight(int x) {
    const double t = 2.0 * kPi * x / kPanoramaWidth;
    return 110.0 + 40.0 * std::sin(3.0 * t + 0.4) + 22.0 * std::sin(7.0 * t + 1.3) +
           9.0 * std::sin(17.0 * t + 2.1);
}

}  // namespace

std::unique_ptr<PixelSurface> TrackTop() {
    std::unique_ptr<PixelSurface> surface = Speckled(112, 100, 86, 14, 11);
    const int tieRows[] = {6, 38};
    constexpr int kTieWidth = 16;
    constexpr int kRailWidth = 5;
    for (int tie : tieRows)
        for (int y = tie; y < tie + kTieWidth; ++y)
            for (int x = 0; x < kTextureSize; ++x) surface->Set(x, y, Rgb(92 + (x * 7 + y * 3) % 11, 62, 38));
    for (int y = 0; y < kTextureSize; ++y) {
        for (int x = 0; x < kRailWidth; ++x) {
            const int shine = x == 2 ? 40 : 0;
            surface->Set(x, y, Rgb(150 + shine, 150 + shine, 155 + shine));
            surface->Set(kTextureSize - 1 - x, y, Rgb(150 + shine, 150 + shine, 155 + shine));
        }
    }
    return surface;
}

std::unique_ptr<PixelSurface> Aggregate() {
    std::unique_ptr<PixelSurface> surface = Speckled(80, 74, 66, 12, 23);
    ScatterStones(*surface, 260, 29);
    return surface;
}

std::unique_ptr<PixelSurface> GreyBallast() {
    std::unique_ptr<PixelSurface> surface = Speckled(120, 120, 122, 30, 37);
    ScatterStones(*surface, 120, 41);
    return surface;
}

std::unique_ptr<PixelSurface> Grass() {
    std::unique_ptr<PixelSurface> surface = Speckled(52, 110, 40, 18, 53);
    Speckles noise(59);
    for (int blade = 0; blade < 400; ++blade) {
        const int x = noise.Next(kTextureSize), y = noise.Next(kTextureSize);
        const int light = noise.Next(60);
        surface->Set(x, y, Rgb(70 + light, 150 + light, 50));
        surface->Set(x, (y + 1) % kTextureSize, Rgb(60 + light / 2, 130 + light / 2, 45));
    }
    return surface;
}

std::unique_ptr<PixelSurface> Summits() {
    auto surface = std::make_unique<PixelSurface>(kPanoramaWidth, kPanoramaHeight);
    for (int x = 0; x < kPanoramaWidth; ++x) {
        const int ridge = kPanoramaHeight - static_cast<int>(RidgeHeight(x));
        for (int y = 0; y < kPanoramaHeight; ++y) {
            if (y < ridge) {
                const int fade = y * 90 / kPanoramaHeight;
                surface->Set(x, y, Rgb(110 + fade, 160 + fade, 235));
            } else if (y < ridge + 14 && ridge < 120) {
                surface->Set(x, y, Rgb(240, 242, 248));
            } else {
                const int depth = (y - ridge) * 60 / kPanoramaHeight;
                surface->Set(x, y, Rgb(96 - depth, 104 - depth, 118 - depth));
            }
        }
    }
    return surface;
}

const std::vector<Picture>& Pictures() {
    static const std::vector<Picture> pictures = {
        {"TEXTURES", "track1.bmp", TrackTop},          {"TEXTURES", "agragate.bmp", Aggregate},
        {"TEXTURES", "Ballast Gray.bmp", GreyBallast}, {"TEXTURES", "rcgrass.bmp", Grass},
        {"BACKDROPS", "summits.bmp", Summits},
    };
    return pictures;
}

const std::vector<Pattern>& Patterns() {
    static const std::vector<Pattern> patterns = {
        {"Bricks.pat", {0xFF, 0x80, 0x80, 0x80, 0xFF, 0x08, 0x08, 0x08}},
        {"Diagonal.pat", {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}},
        {"Crosshatch.pat", {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}},
        {"Dots.pat", {0x88, 0x00, 0x22, 0x00, 0x88, 0x00, 0x22, 0x00}},
        {"Stripes.pat", {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}},
    };
    return patterns;
}

std::array<unsigned char, 16> PatternFileBytes(const Pattern& pattern) {
    std::array<unsigned char, 16> bytes{};
    for (std::size_t row = 0; row < pattern.rows.size(); ++row) bytes[2 * row] = pattern.rows[row];
    return bytes;
}

bool WriteAll(const std::filesystem::path& root) {
    std::error_code error;
    for (const char* folder : {"TEXTURES", "BACKDROPS", "PATTERNS"})
        std::filesystem::create_directories(root / folder, error);
    bool written = true;
    for (const Picture& picture : Pictures()) {
        const std::vector<BYTE> bytes = EncodeBmpFile(*picture.draw(), 24);
        std::ofstream file(root / picture.folder / picture.name, std::ios::binary);
        written = file.write(reinterpret_cast<const char*>(bytes.data()),
                             static_cast<std::streamsize>(bytes.size())) &&
                  written;
    }
    for (const Pattern& pattern : Patterns()) {
        const std::array<unsigned char, 16> bytes = PatternFileBytes(pattern);
        std::ofstream file(root / "PATTERNS" / pattern.name, std::ios::binary);
        written = file.write(reinterpret_cast<const char*>(bytes.data()), bytes.size()) && written;
    }
    return written;
}

}  // namespace DataPictures
