#pragma once

#include "platform/gdi/CRect.h"

// The pixels of a one-pixel line from a to b, b itself left out: step i of the longer side lands
// on a + (i * dx / steps, i * dy / steps) rounded, halves away from zero. Only the steps that can
// come near limit are taken, so that far-away coordinates cost nothing.
class PixelLine {
  public:
    PixelLine(POINT a, POINT b, const CRect& limit);

    long long DeltaX() const { return m_dx; }
    long long DeltaY() const { return m_dy; }
    long long Steps() const { return m_steps; }
    // The steps near the limit; First() > Last() when there are none.
    long long First() const { return m_first; }
    long long Last() const { return m_last; }

    // Calls visit(x, y) for every step near the limit, found by integer increments.
    template <typename Visit>
    void ForEach(Visit&& visit) const {
        Axis x(m_start.x, m_dx, m_steps, m_first), y(m_start.y, m_dy, m_steps, m_first);
        for (long long i = m_first; i <= m_last; ++i) {
            visit(static_cast<int>(x.at), static_cast<int>(y.at));
            x.Advance();
            y.Advance();
        }
    }

  private:
    // One coordinate, start + sign * floor((2 * i * |d| + steps) / (2 * steps)), kept as a quotient
    // (at) and a remainder so that each step needs no division.
    struct Axis {
        Axis(long long start, long long delta, long long steps, long long i);
        void Advance() {
            remainder += increment;
            if (remainder >= twiceSteps)
                remainder -= twiceSteps, at += sign;
        }
        long long at;
        long long remainder;
        long long increment;
        long long twiceSteps;
        int sign;
    };

    void NarrowToLimit(const CRect& limit);

    POINT m_start;
    long long m_dx;
    long long m_dy;
    long long m_steps;
    long long m_first = 0;
    long long m_last = -1;
};
