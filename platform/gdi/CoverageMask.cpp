#include "platform/gdi/CoverageMask.h"

#include <cairo.h>
#include <algorithm>
#include <cmath>

#include "platform/gdi/GdiTypes.h"

namespace {

void AddArc(cairo_t* cr, const double* v) {
    const double rx = std::max(v[2], 1e-9), ry = std::max(v[3], 1e-9);
    cairo_save(cr);
    cairo_translate(cr, v[0], v[1]);
    cairo_scale(cr, rx, ry);
    if (v[6] != 0.0) {
        cairo_arc(cr, 0, 0, 1, v[4], v[5]);
    } else {
        cairo_arc_negative(cr, 0, 0, 1, v[4], v[5]);
    }
    cairo_restore(cr);
}

void AddPath(cairo_t* cr, const DevicePath& path) {
    for (const auto& step : path.Steps()) {
        const double* v = step.v;
        switch (step.kind) {
            case DevicePath::Step::Move:
                cairo_move_to(cr, v[0], v[1]);
                break;
            case DevicePath::Step::Line:
                cairo_line_to(cr, v[0], v[1]);
                break;
            case DevicePath::Step::Curve:
                cairo_curve_to(cr, v[0], v[1], v[2], v[3], v[4], v[5]);
                break;
            case DevicePath::Step::EllipseArc:
                AddArc(cr, v);
                break;
            case DevicePath::Step::Close:
                cairo_close_path(cr);
                break;
        }
    }
}

// The integer rectangle around extents, within limit.
CRect Enclosing(double x1, double y1, double x2, double y2, const CRect& limit) {
    const auto clampInt = [](double v) { return static_cast<int>(std::clamp(v, -1e9, 1e9)); };
    CRect box(clampInt(std::floor(x1)) - 1, clampInt(std::floor(y1)) - 1, clampInt(std::ceil(x2)) + 1,
              clampInt(std::ceil(y2)) + 1);
    CRect result;
    result.IntersectRect(&box, &limit);
    return result;
}

template <typename Paint>
CoverageMask Render(const DevicePath& path, const CRect& limit, bool stroke, Paint&& prepare) {
    cairo_surface_t* probe = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(probe);
    prepare(cr);
    AddPath(cr, path);
    double x1, y1, x2, y2;
    if (stroke) {
        cairo_stroke_extents(cr, &x1, &y1, &x2, &y2);
    } else {
        cairo_fill_extents(cr, &x1, &y1, &x2, &y2);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(probe);
    CoverageMask mask(Enclosing(x1, y1, x2, y2, limit));
    if (mask.IsEmpty())
        return mask;
    const CRect& b = mask.Bounds();
    cairo_surface_t* surface = cairo_image_surface_create_for_data(mask.Data(), CAIRO_FORMAT_A8, b.Width(),
                                                                   b.Height(), mask.Stride());
    cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_translate(cr, -b.left, -b.top);
    prepare(cr);
    AddPath(cr, path);
    if (stroke) {
        cairo_stroke(cr);
    } else {
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    return mask;
}

cairo_line_cap_t CapOf(unsigned endCap) {
    switch (endCap & PS_ENDCAP_MASK) {
        case PS_ENDCAP_SQUARE:
            return CAIRO_LINE_CAP_SQUARE;
        case PS_ENDCAP_FLAT:
            return CAIRO_LINE_CAP_BUTT;
        default:
            return CAIRO_LINE_CAP_ROUND;
    }
}

cairo_line_join_t JoinOf(unsigned join) {
    switch (join & PS_JOIN_MASK) {
        case PS_JOIN_BEVEL:
            return CAIRO_LINE_JOIN_BEVEL;
        case PS_JOIN_MITER:
            return CAIRO_LINE_JOIN_MITER;
        default:
            return CAIRO_LINE_JOIN_ROUND;
    }
}

}  // namespace

DevicePath DevicePath::Shifted(double d) const {
    DevicePath moved(*this);
    for (Step& step : moved.m_steps) {
        const int pairs = step.kind == Step::Curve ? 3 : step.kind == Step::Close ? 0 : 1;
        for (int i = 0; i < pairs; ++i) step.v[2 * i] += d, step.v[2 * i + 1] += d;
    }
    return moved;
}

CoverageMask::CoverageMask(const CRect& bounds) : m_bounds(bounds) {
    if (m_bounds.IsRectEmpty()) {
        m_bounds.SetRectEmpty();
        return;
    }
    m_stride = cairo_format_stride_for_width(CAIRO_FORMAT_A8, m_bounds.Width());
    m_cover.assign(static_cast<std::size_t>(m_stride) * m_bounds.Height(), 0);
}

CoverageMask FillMask(const DevicePath& path, bool winding, const CRect& limit) {
    return Render(path, limit, false, [winding](cairo_t* cr) {
        cairo_set_fill_rule(cr, winding ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
    });
}

CoverageMask StrokeMask(const DevicePath& path, double width, unsigned endCap, unsigned join,
                        const std::vector<double>& dashes, const CRect& limit) {
    return Render(path, limit, true, [&](cairo_t* cr) {
        cairo_set_line_width(cr, width);
        cairo_set_line_cap(cr, CapOf(endCap));
        cairo_set_line_join(cr, JoinOf(join));
        if (!dashes.empty())
            cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), 0);
    });
}

namespace {

// Straight figures need no flattening: their polylines are the steps themselves.
std::vector<std::vector<PointD>> StraightPolylines(const DevicePath& path) {
    std::vector<std::vector<PointD>> lines;
    for (const auto& step : path.Steps()) {
        switch (step.kind) {
            case DevicePath::Step::Move:
                lines.push_back({{step.v[0], step.v[1]}});
                break;
            case DevicePath::Step::Line:
                if (lines.empty())
                    lines.emplace_back();
                lines.back().push_back({step.v[0], step.v[1]});
                break;
            default:
                if (!lines.empty() && !lines.back().empty()) {
                    const PointD first = lines.back().front();
                    lines.back().push_back(first);
                    lines.push_back({first});
                }
                break;
        }
    }
    std::erase_if(lines, [](const auto& line) { return line.size() < 2; });
    return lines;
}

}  // namespace

std::vector<std::vector<PointD>> FlattenPath(const DevicePath& path) {
    const bool straight = std::none_of(path.Steps().begin(), path.Steps().end(), [](const auto& step) {
        return step.kind == DevicePath::Step::Curve || step.kind == DevicePath::Step::EllipseArc;
    });
    if (straight)
        return StraightPolylines(path);
    cairo_surface_t* probe = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(probe);
    cairo_set_tolerance(cr, 0.1);
    AddPath(cr, path);
    cairo_path_t* flat = cairo_copy_path_flat(cr);
    std::vector<std::vector<PointD>> lines;
    for (int i = 0; i < flat->num_data; i += flat->data[i].header.length) {
        const cairo_path_data_t* d = &flat->data[i];
        switch (d->header.type) {
            case CAIRO_PATH_MOVE_TO:
                lines.push_back({{d[1].point.x, d[1].point.y}});
                break;
            case CAIRO_PATH_LINE_TO:
                if (lines.empty())
                    lines.emplace_back();
                lines.back().push_back({d[1].point.x, d[1].point.y});
                break;
            case CAIRO_PATH_CLOSE_PATH:
                if (!lines.empty() && !lines.back().empty()) {
                    const PointD first = lines.back().front();
                    lines.back().push_back(first);
                    lines.push_back({first});
                }
                break;
            default:
                break;
        }
    }
    cairo_path_destroy(flat);
    cairo_destroy(cr);
    cairo_surface_destroy(probe);
    std::erase_if(lines, [](const auto& line) { return line.size() < 2; });
    return lines;
}
