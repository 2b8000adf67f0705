#include "drawing/StepLine.h"

#include <cstdlib>

namespace {

// The walk along the longer axis: "along" steps every time, "across" when the error says so.
void Walk(int along, int alongStep, int across, int acrossStep, int longer, int shorter, bool steep,
          std::vector<WalkRecord>& records) {
    const auto write = [&](int a, int b) {
        records.push_back(steep ? WalkRecord{b, a, 0} : WalkRecord{a, b, 0});
    };
    int error = 2 * shorter - longer;
    for (int i = 0; i < longer; ++i) {
        if (error > 0) {
            write(along, across);
            across += acrossStep;
            error += 2 * (shorter - longer);
        } else {
            error += 2 * shorter;
        }
        write(along, across);
        along += alongStep;
    }
}

}  // namespace

int StepLine(int x0, int y0, int x1, int y1, std::vector<WalkRecord>& records) {
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int sx = x1 < x0 ? -1 : 1, sy = y1 < y0 ? -1 : 1;
    records.assign(1, WalkRecord{x0, y0, 0});
    if (dy > dx)
        Walk(y0 + sy, sy, x0, sx, dy, dx, true, records);
    else
        Walk(x0 + sx, sx, y0, sy, dx, dy, false, records);
    return static_cast<int>(records.size()) - 1;
}
