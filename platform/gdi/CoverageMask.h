#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/CRect.h"

// A figure in device space: lines, Bézier curves and elliptical arcs, in pixel-edge coordinates
// (the centre of pixel (x, y) is (x + 0.5, y + 0.5)).
class DevicePath {
  public:
    struct Step {
        enum Kind { Move, Line, Curve, EllipseArc, Close } kind;
        double v[8];
    };
    void MoveTo(double x, double y) { m_steps.push_back({Step::Move, {x, y}}); }
    void LineTo(double x, double y) { m_steps.push_back({Step::Line, {x, y}}); }
    void CurveTo(double x1, double y1, double x2, double y2, double x3, double y3) {
        m_steps.push_back({Step::Curve, {x1, y1, x2, y2, x3, y3}});
    }
    // An arc of the ellipse with centre (cx, cy) and radii (rx, ry) from angle a1 to a2 (radians,
    // y down), increasing when positive is set; joined to the path by a line.
    void ArcTo(double cx, double cy, double rx, double ry, double a1, double a2, bool positive) {
        m_steps.push_back({Step::EllipseArc, {cx, cy, rx, ry, a1, a2, positive ? 1.0 : 0.0}});
    }
    void Close() { m_steps.push_back({Step::Close, {}}); }
    // The same figure moved by (d, d): index coordinates to pixel-centre coordinates.
    DevicePath Shifted(double d) const;
    bool IsEmpty() const { return m_steps.empty(); }
    const std::vector<Step>& Steps() const { return m_steps; }
    void Append(const DevicePath& other) {
        m_steps.insert(m_steps.end(), other.m_steps.begin(), other.m_steps.end());
    }

  private:
    std::vector<Step> m_steps;
};

struct PointD {
    double x;
    double y;
};

// Which pixels of a rectangle a figure covers, one byte per pixel (0 or 255).
class CoverageMask {
  public:
    CoverageMask() = default;
    explicit CoverageMask(const CRect& bounds);
    const CRect& Bounds() const { return m_bounds; }
    bool Covers(int x, int y) const { return m_bounds.PtInRect(CPoint(x, y)) && m_cover[Index(x, y)] != 0; }
    void Mark(int x, int y) {
        if (m_bounds.PtInRect(CPoint(x, y)))
            m_cover[Index(x, y)] = 255;
    }
    std::uint8_t* Data() { return m_cover.data(); }
    int Stride() const { return m_stride; }
    bool IsEmpty() const { return m_bounds.IsRectEmpty(); }

  private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y - m_bounds.top) * m_stride + (x - m_bounds.left);
    }
    CRect m_bounds;
    int m_stride = 0;
    std::vector<std::uint8_t> m_cover;
};

// Pixels whose centres lie inside the figure, within limit (no antialiasing).
CoverageMask FillMask(const DevicePath& path, bool winding, const CRect& limit);
// Pixels a pen of the given width covers along the figure. endCap and join take PS_ENDCAP_* and PS_JOIN_*.
CoverageMask StrokeMask(const DevicePath& path, double width, unsigned endCap, unsigned join,
                        const std::vector<double>& dashes, const CRect& limit);
// The figure as polylines (one per sub-path), curves flattened to within a tenth of a pixel.
std::vector<std::vector<PointD>> FlattenPath(const DevicePath& path);
