#include "platform/gdi/LogicalPixelSize.h"

#include "platform/gdi/CDC.h"

int LogicalPixelSize(const CDC* dc) {
    POINT points[2] = {{1, 1}, {0, 0}};
    dc->DPtoLP(points, 2);
    return points[0].x - points[1].x;
}
