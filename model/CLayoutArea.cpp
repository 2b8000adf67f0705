#include "model/CLayoutArea.h"

#include <algorithm>
#include <cmath>

#include "model/CViewMapping.h"
#include "model/Geometry.h"

namespace {

// Device edges mapped back and forth come back a hair off the whole unit they were: the hair is
// not a unit more.
constexpr double kHair = 1e-6;

int Lower(double value) {
    return TruncateCoordinate(std::floor(value + kHair));
}

int Upper(double value) {
    return TruncateCoordinate(std::ceil(value - kHair));
}

}  // namespace

CLayoutArea::CLayoutArea(double minX, double minY, double maxX, double maxY, int margin)
    : m_bEmpty(false),
      m_fMinX(std::min(minX, maxX)),
      m_fMinY(std::min(minY, maxY)),
      m_fMaxX(std::max(minX, maxX)),
      m_fMaxY(std::max(minY, maxY)),
      m_nMargin(std::max(margin, 0)) {}

CLayoutArea CLayoutArea::FromDevice(const DeviceRect& rect, const CViewMapping& mapping) {
    DeviceRect upright = rect;
    upright.Normalize();
    const double factor = mapping.Factor();
    if (upright.IsEmpty() || !std::isfinite(factor) || factor <= 0.0)
        return {};
    return {upright.left / factor, upright.top / factor, upright.right / factor, upright.bottom / factor, 0};
}

void CLayoutArea::Unite(const CLayoutArea& other) {
    if (other.m_bEmpty)
        return;
    if (m_bEmpty) {
        *this = other;
        return;
    }
    m_fMinX = std::min(m_fMinX, other.m_fMinX);
    m_fMinY = std::min(m_fMinY, other.m_fMinY);
    m_fMaxX = std::max(m_fMaxX, other.m_fMaxX);
    m_fMaxY = std::max(m_fMaxY, other.m_fMaxY);
    m_nMargin = std::max(m_nMargin, other.m_nMargin);
}

void CLayoutArea::HangFrom(double x, double y, int reach) {
    Unite(CLayoutArea(x, y, x, y, reach));
}

DeviceRect CLayoutArea::In(const CViewMapping& mapping) const {
    const double factor = mapping.Factor();
    if (m_bEmpty || !std::isfinite(factor) || factor <= 0.0)
        return {};
    DeviceRect rect{Lower(m_fMinX * factor), Lower(m_fMinY * factor), Upper(m_fMaxX * factor),
                    Upper(m_fMaxY * factor)};
    rect.Inflate(m_nMargin);
    return rect;
}
