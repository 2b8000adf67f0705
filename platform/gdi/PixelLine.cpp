#include "platform/gdi/PixelLine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

PixelLine::Axis::Axis(long long start, long long delta, long long steps, long long i)
    : increment(2 * std::llabs(delta)), twiceSteps(2 * steps), sign(delta < 0 ? -1 : 1) {
    const long long numerator = i * increment + steps;
    at = start + sign * (numerator / twiceSteps);
    remainder = numerator % twiceSteps;
}

PixelLine::PixelLine(POINT a, POINT b, const CRect& limit)
    : m_start(a),
      m_dx(static_cast<long long>(b.x) - a.x),
      m_dy(static_cast<long long>(b.y) - a.y),
      m_steps(std::max(std::llabs(m_dx), std::llabs(m_dy))) {
    if (m_steps == 0)
        return;
    if (limit.PtInRect(a) && limit.PtInRect(b)) {
        // What narrowing would find, without its divisions: every step.
        m_last = m_steps - 1;
        return;
    }
    NarrowToLimit(limit);
}

// Liang-Barsky against the limit grown by a pixel, then a step more on each side for rounding.
void PixelLine::NarrowToLimit(const CRect& limit) {
    double t0 = 0, t1 = 1;
    const double p[4] = {-static_cast<double>(m_dx), static_cast<double>(m_dx), -static_cast<double>(m_dy),
                         static_cast<double>(m_dy)};
    const double q[4] = {static_cast<double>(m_start.x) - (limit.left - 1),
                         (limit.right + 1) - static_cast<double>(m_start.x),
                         static_cast<double>(m_start.y) - (limit.top - 1),
                         (limit.bottom + 1) - static_cast<double>(m_start.y)};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                t0 = 2;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1)
        return;
    m_first = std::max<long long>(0, static_cast<long long>(std::floor(t0 * m_steps)) - 1);
    m_last = std::min<long long>(m_steps - 1, static_cast<long long>(std::ceil(t1 * m_steps)) + 1);
}
