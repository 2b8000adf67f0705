#include "platform/gdi/StrokeStamps.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <unordered_map>

#include "platform/gdi/CoverageMask.h"
#include "platform/gdi/GdiTypes.h"

namespace {

// Far more shapes than a plan uses; past it the kept ones are dropped and made again as needed.
constexpr std::size_t kMostKept = 1 << 14;
constexpr std::size_t kRecentSlots = 64;
constexpr int kUnlimited = 1 << 20;

std::uint64_t KeyOf(CSize d, int width, unsigned endCap, unsigned join) {
    const std::uint64_t dx = static_cast<std::uint64_t>(d.cx + StrokeStamps::kReach);
    const std::uint64_t dy = static_cast<std::uint64_t>(d.cy + StrokeStamps::kReach);
    return dx | dy << 8 | static_cast<std::uint64_t>(width) << 16 | static_cast<std::uint64_t>(endCap) << 24 |
           static_cast<std::uint64_t>(join) << 40;
}

std::vector<StrokeStamps::Span> Render(CSize d, int width, unsigned endCap, unsigned join) {
    // As the general stroke draws it: through pixel centres.
    DevicePath path;
    path.MoveTo(0.5, 0.5);
    path.LineTo(d.cx + 0.5, d.cy + 0.5);
    const CoverageMask mask =
        StrokeMask(path, width, endCap, join, {}, CRect(-kUnlimited, -kUnlimited, kUnlimited, kUnlimited));
    std::vector<StrokeStamps::Span> spans;
    const CRect& b = mask.Bounds();
    for (int y = b.top; y < b.bottom; ++y) {
        for (int x = b.left; x < b.right; ++x) {
            if (!mask.Covers(x, y))
                continue;
            if (!spans.empty() && spans.back().y == y && spans.back().right == x)
                ++spans.back().right;
            else
                spans.push_back({y, x, x + 1});
        }
    }
    return spans;
}

}  // namespace

bool StrokeStamps::Fits(CPoint from, CPoint to, int width) {
    const auto near = [](LONG v) { return std::abs(v) <= kFarthest; };
    return width > 1 && width <= kWidestPen && near(from.x) && near(from.y) && near(to.x) && near(to.y) &&
           std::abs(to.x - from.x) <= kReach && std::abs(to.y - from.y) <= kReach;
}

const std::vector<StrokeStamps::Span>& StrokeStamps::Of(CSize d, int width, unsigned endCap, unsigned join) {
    static thread_local std::unordered_map<std::uint64_t, std::vector<Span>> kept;
    // Joint markers come in the same few shapes over and over: those met last are at hand
    // without hashing, one per slot.
    struct Recent {
        std::uint64_t key = 0;
        const std::vector<Span>* spans = nullptr;
    };
    static thread_local std::array<Recent, kRecentSlots> recent;
    const std::uint64_t key = KeyOf(d, width, endCap, join);
    Recent& slot = recent[(key ^ key >> 8 ^ key >> 16) % kRecentSlots];
    if (slot.spans != nullptr && slot.key == key)
        return *slot.spans;
    auto found = kept.find(key);
    if (found == kept.end()) {
        if (kept.size() >= kMostKept) {
            kept.clear();
            recent.fill(Recent{});
        }
        found = kept.emplace(key, Render(d, width, endCap, join)).first;
    }
    slot = {key, &found->second};
    return found->second;
}
