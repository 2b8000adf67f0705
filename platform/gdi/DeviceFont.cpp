#include "platform/gdi/DeviceFont.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <strings.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>
#include <tuple>

#include "platform/base/Windows1252.h"

struct DeviceFont::Face {
    cairo_font_face_t* face = nullptr;
    cairo_scaled_font_t* scaled = nullptr;
    cairo_font_options_t* options = nullptr;
    double size = 0;  // em size in pixels
    bool underline = false;
    bool strikeOut = false;
    Metrics metrics{};
    std::vector<int> advances = std::vector<int>(256, 0);

    ~Face() {
        cairo_scaled_font_destroy(scaled);
        cairo_font_face_destroy(face);
        cairo_font_options_destroy(options);
    }
};

namespace {

constexpr double kDefaultCellHeight = 16.0;

cairo_font_options_t* CrispOptions() {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    return options;
}

cairo_scaled_font_t* ScaledFont(cairo_font_face_t* face, double size, const cairo_font_options_t* options) {
    cairo_matrix_t fontMatrix, identity;
    cairo_matrix_init_scale(&fontMatrix, size, size);
    cairo_matrix_init_identity(&identity);
    return cairo_scaled_font_create(face, &fontMatrix, &identity, options);
}

std::shared_ptr<DeviceFont::Face> MakeFace(const LOGFONT& font, double deviceHeight) {
    auto face = std::make_shared<DeviceFont::Face>();
    const std::string family = DeviceFont::ResolveFamily(font.lfFaceName, font.lfPitchAndFamily);
    face->face = cairo_toy_font_face_create(
        family.c_str(), font.lfItalic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
        font.lfWeight >= FW_SEMIBOLD ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    face->options = CrispOptions();
    // Cell height = ascent + descent; find the em size that gives it.
    double size = std::abs(deviceHeight);
    if (deviceHeight >= 0) {
        cairo_scaled_font_t* unit = ScaledFont(face->face, 100.0, face->options);
        cairo_font_extents_t e;
        cairo_scaled_font_extents(unit, &e);
        cairo_scaled_font_destroy(unit);
        const double cell = deviceHeight == 0 ? kDefaultCellHeight : deviceHeight;
        size = e.ascent + e.descent > 0 ? cell * 100.0 / (e.ascent + e.descent) : cell;
    }
    face->size = std::max(size, 1.0);
    face->underline = font.lfUnderline != 0;
    face->strikeOut = font.lfStrikeOut != 0;
    face->scaled = ScaledFont(face->face, face->size, face->options);
    cairo_font_extents_t e;
    cairo_scaled_font_extents(face->scaled, &e);
    const int ascent = static_cast<int>(std::ceil(e.ascent));
    const int descent = static_cast<int>(std::ceil(e.descent));
    int widest = 0;
    for (int c = 32; c < 256; ++c) {
        const std::string utf8 = AnsiToUtf8(std::string(1, static_cast<char>(c)));
        cairo_text_extents_t t;
        cairo_scaled_font_text_extents(face->scaled, utf8.c_str(), &t);
        face->advances[c] = static_cast<int>(std::lround(t.x_advance));
        widest = std::max(widest, face->advances[c]);
    }
    const int average = static_cast<int>(std::lround(face->advances['x']));
    face->metrics = {ascent, descent,
                     std::max(0, ascent + descent - static_cast<int>(std::lround(face->size))), average,
                     widest};
    return face;
}

// Fonts are made again and again by drawing code; the ones seen are kept for the program's life,
// and the font libraries' own caches are emptied with them at the end.
struct FontCache {
    using Key = std::tuple<std::string, double, LONG, BYTE, BYTE, BYTE, BYTE>;
    std::map<Key, std::shared_ptr<const DeviceFont::Face>> faces;
    std::mutex guard;

    ~FontCache() {
        faces.clear();
        cairo_debug_reset_static_data();
        FcFini();
    }
};

FontCache& Cache() {
    static FontCache cache;
    return cache;
}

}  // namespace

std::string DeviceFont::ResolveFamily(const char* faceName, BYTE pitchAndFamily) {
    static const std::pair<const char*, const char*> kStandIns[] = {
        {"Arial", "Liberation Sans"},
        {"MS Sans Serif", "Liberation Sans"},
        {"Microsoft Sans Serif", "Liberation Sans"},
        {"MS Shell Dlg", "Liberation Sans"},
        {"Helv", "Liberation Sans"},
        {"System", "Liberation Sans"},
        {"Tahoma", "Liberation Sans"},
        {"Verdana", "DejaVu Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Times", "Liberation Serif"},
        {"MS Serif", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
        {"Courier", "Liberation Mono"},
        {"Fixedsys", "Liberation Mono"},
        {"Terminal", "Liberation Mono"},
    };
    for (const auto& [windows, installed] : kStandIns)
        if (faceName && strcasecmp(faceName, windows) == 0)
            return installed;
    if (faceName && *faceName)
        return faceName;
    if ((pitchAndFamily & 0x3) == FIXED_PITCH || (pitchAndFamily & 0xF0) == FF_MODERN)
        return "Liberation Mono";
    if ((pitchAndFamily & 0xF0) == FF_ROMAN)
        return "Liberation Serif";
    return "Liberation Sans";
}

DeviceFont::DeviceFont(const LOGFONT& font, double deviceHeight) {
    FontCache& cache = Cache();
    const FontCache::Key key{std::string(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE)),
                             deviceHeight,
                             font.lfWeight,
                             font.lfItalic,
                             font.lfUnderline,
                             font.lfStrikeOut,
                             font.lfPitchAndFamily};
    std::lock_guard lock(cache.guard);
    auto found = cache.faces.find(key);
    if (found == cache.faces.end())
        found = cache.faces.emplace(key, MakeFace(font, deviceHeight)).first;
    m_face = found->second;
}

const DeviceFont::Metrics& DeviceFont::GetMetrics() const {
    return m_face->metrics;
}

std::vector<int> DeviceFont::Advances(const char* text, int length) const {
    std::vector<int> advances;
    for (int i = 0; i < length; ++i)
        advances.push_back(m_face->advances[static_cast<unsigned char>(text[i])]);
    return advances;
}

int DeviceFont::TextWidth(const char* text, int length) const {
    int width = 0;
    for (int advance : Advances(text, length)) width += advance;
    return width;
}

CRect DeviceFont::RenderBounds(const char* text, int length, double x, double y, double angle) const {
    const double width = TextWidth(text, length) + m_face->size / 2;
    const double up = m_face->metrics.ascent + 2, down = m_face->metrics.descent + 2;
    const double c = std::cos(angle), s = std::sin(angle);
    double xs[4], ys[4];
    const double corners[4][2] = {{-2, -up}, {width, -up}, {width, down}, {-2, down}};
    for (int i = 0; i < 4; ++i) {
        xs[i] = x + corners[i][0] * c + corners[i][1] * s;
        ys[i] = y - corners[i][0] * s + corners[i][1] * c;
    }
    const auto [minX, maxX] = std::minmax_element(xs, xs + 4);
    const auto [minY, maxY] = std::minmax_element(ys, ys + 4);
    const auto toInt = [](double v) { return static_cast<int>(std::clamp(v, -1e9, 1e9)); };
    return CRect(toInt(std::floor(*minX)) - 1, toInt(std::floor(*minY)) - 1, toInt(std::ceil(*maxX)) + 1,
                 toInt(std::ceil(*maxY)) + 1);
}

void DeviceFont::Render(CoverageMask& mask, const char* text, int length, double x, double y,
                        double angle) const {
    if (mask.IsEmpty() || length <= 0)
        return;
    const CRect& b = mask.Bounds();
    cairo_surface_t* surface = cairo_image_surface_create_for_data(mask.Data(), CAIRO_FORMAT_A8, b.Width(),
                                                                   b.Height(), mask.Stride());
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_translate(cr, x - b.left, y - b.top);
    cairo_rotate(cr, -angle);
    cairo_set_font_face(cr, m_face->face);
    cairo_set_font_size(cr, m_face->size);
    cairo_set_font_options(cr, m_face->options);
    // Glyphs one by one at whole-pixel advances, so that measured and drawn widths agree.
    double pen = 0;
    for (int i = 0; i < length; ++i) {
        const std::string utf8 = AnsiToUtf8(std::string_view(text + i, 1));
        cairo_move_to(cr, pen, 0);
        cairo_show_text(cr, utf8.c_str());
        pen += m_face->advances[static_cast<unsigned char>(text[i])];
    }
    const double thickness = std::max(1.0, std::round(m_face->size / 14));
    if (m_face->underline)
        cairo_rectangle(cr, 0, std::max(1.0, std::round(m_face->metrics.descent / 2.0)), pen, thickness);
    if (m_face->strikeOut)
        cairo_rectangle(cr, 0, -std::round(m_face->metrics.ascent / 3.0), pen, thickness);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
}
