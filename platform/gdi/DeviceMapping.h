#pragma once

#include "platform/gdi/CPoint.h"
#include "platform/gdi/CSize.h"

// A DC's logical-to-device mapping as it stands: drawing code that maps many points with one
// mapping takes it once and maps inline, with the very arithmetic the DC itself uses.
class DeviceMapping {
  public:
    DeviceMapping(CPoint windowOrg, CSize windowExt, CPoint viewportOrg, CSize viewportExt)
        : m_windowOrgX(windowOrg.x),
          m_windowOrgY(windowOrg.y),
          m_windowExtX(windowExt.cx),
          m_windowExtY(windowExt.cy),
          m_viewportOrgX(viewportOrg.x),
          m_viewportOrgY(viewportOrg.y),
          m_viewportExtX(viewportExt.cx),
          m_viewportExtY(viewportExt.cy) {}

    double X(double x) const { return (x - m_windowOrgX) * m_viewportExtX / m_windowExtX + m_viewportOrgX; }
    double Y(double y) const { return (y - m_windowOrgY) * m_viewportExtY / m_windowExtY + m_viewportOrgY; }
    CPoint operator()(int x, int y) const { return CPoint(Round(X(x)), Round(Y(y))); }
    CPoint operator()(POINT p) const { return (*this)(p.x, p.y); }

    // floor(v + 0.5) held in the LONG range, without a library call.
    static LONG Round(double v) {
        const double w = v + 0.5;
        if (!(w < 2147483647.0))
            return w != w ? 0 : 2147483647;
        if (w <= -2147483648.0)
            return -2147483647 - 1;
        const long long truncated = static_cast<long long>(w);
        return static_cast<LONG>(static_cast<double>(truncated) > w ? truncated - 1 : truncated);
    }

  private:
    double m_windowOrgX, m_windowOrgY, m_windowExtX, m_windowExtY;
    double m_viewportOrgX, m_viewportOrgY, m_viewportExtX, m_viewportExtY;
};
