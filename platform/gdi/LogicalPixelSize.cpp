#include "platform/gdi/LogicalPixelSize.h"

#include <array>
#include <optional>

#include "platform/gdi/CDC.h"

int LogicalPixelSize(const CDC* dc) {
    // Every pen of a repaint asks with the same mapping, of which only the x parts count: the
    // last answer is kept.
    using Mapping = std::array<LONG, 4>;
    static thread_local std::optional<std::pair<Mapping, int>> last;
    const Mapping mapping{dc->GetWindowOrg().x, dc->GetWindowExt().cx, dc->GetViewportOrg().x,
                          dc->GetViewportExt().cx};
    if (last && last->first == mapping)
        return last->second;
    POINT points[2] = {{1, 1}, {0, 0}};
    dc->DPtoLP(points, 2);
    const int size = points[0].x - points[1].x;
    last.emplace(mapping, size);
    return size;
}
