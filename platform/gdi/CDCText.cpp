#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/gdi/CDC.h"
#include "platform/gdi/CDCState.h"
#include "platform/gdi/DeviceFont.h"

namespace {
constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;

int LogicalLength(double device, double windowExtent, double viewportExtent) {
    return static_cast<int>(std::lround(std::abs(device * windowExtent / viewportExtent)));
}

// Text without its prefix characters: "&&" is "&", "&x" underlines x (its index in *underline).
std::string StripPrefixes(const std::string& text, int* underline) {
    std::string out;
    *underline = -1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != '&')
                *underline = static_cast<int>(out.size());
        }
        out += text[i];
    }
    return out;
}
}  // namespace

DeviceFont CDC::SelectedDeviceFont() const {
    const State& s = *m_state;
    const double scale = std::abs(static_cast<double>(s.viewportExt.cy) / s.windowExt.cy);
    return DeviceFont(s.font, std::round(s.font.lfHeight * scale));
}

// The baseline angle on the device, counterclockwise as the reader sees it.
double CDC::FontAngle() const {
    return m_state->font.lfEscapement / 10.0 * std::numbers::pi / 180.0;
}

BOOL CDC::TextOut(int x, int y, const char* text, int length) {
    return ExtTextOut(x, y, 0, nullptr, text, length, nullptr);
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, const RECT* rect, const char* text, int length,
                     const int* widths) {
    if (text && length > 0)
        Trace("TextOut", {{x, y}}, text, length);
    if (!m_surface || (length > 0 && !text))
        return FALSE;
    const State& s = *m_state;
    const DeviceFont font = SelectedDeviceFont();
    const DeviceFont::Metrics& m = font.GetMetrics();
    const double angle = FontAngle();
    const double c = std::cos(angle), sn = std::sin(angle);
    const bool updateCP = (s.textAlign & TA_UPDATECP) != 0;
    const CPoint reference = updateCP ? ToDevice(s.position.x, s.position.y) : ToDevice(x, y);

    int width = font.TextWidth(text, length);
    if (widths) {
        long long sum = 0;
        for (int i = 0; i < length; ++i) sum += widths[i];
        width = static_cast<int>(std::lround(std::abs(DeviceX(static_cast<double>(sum)) - DeviceX(0))));
    }
    const UINT horizontal = s.textAlign & TA_CENTER;
    const UINT vertical = s.textAlign & TA_BASELINE;
    const double along = horizontal == TA_CENTER ? -width / 2.0 : horizontal == TA_RIGHT ? -width : 0.0;
    const double down = vertical == TA_BASELINE ? 0.0 : vertical == TA_BOTTOM ? -m.descent : m.ascent;
    const double ox = reference.x + along * c + down * sn;
    const double oy = reference.y - along * sn + down * c;

    const KeptClip keptClip(*m_state);
    if (rect && (options & ETO_CLIPPED))
        IntersectClipRect(rect);
    if (rect && (options & ETO_OPAQUE))
        FillDeviceRect(DeviceRect(rect->left, rect->top, rect->right, rect->bottom), SolidBrush(s.bkColor),
                       R2_COPYPEN);
    if (s.bkMode == OPAQUE && length > 0) {
        DevicePath box;
        const double corners[4][2] = {{0, -static_cast<double>(m.ascent)},
                                      {static_cast<double>(width), -static_cast<double>(m.ascent)},
                                      {static_cast<double>(width), static_cast<double>(m.descent)},
                                      {0, static_cast<double>(m.descent)}};
        for (int i = 0; i < 4; ++i) {
            const double px = ox + corners[i][0] * c + corners[i][1] * sn;
            const double py = oy - corners[i][0] * sn + corners[i][1] * c;
            if (i == 0)
                box.MoveTo(px, py);
            else
                box.LineTo(px, py);
        }
        box.Close();
        FillMask(::FillMask(box, true, DrawingLimit()), SolidBrush(s.bkColor), R2_COPYPEN);
    }
    if (length > 0) {
        CoverageMask mask(font.RenderBounds(text, length, ox, oy, angle) & DrawingLimit());
        font.Render(mask, text, length, ox, oy, angle);
        FillMask(mask, SolidBrush(s.textColor), R2_COPYPEN);
    }
    if (updateCP) {
        CSize advance(static_cast<int>(std::lround(width * c)), static_cast<int>(std::lround(-width * sn)));
        DPtoLP(&advance);
        m_state->position.Offset(advance.cx, advance.cy);
    }
    return TRUE;
}

CSize CDC::GetTextExtent(const char* text, int length) const {
    if (length < 0 || !text)
        length = 0;
    const DeviceFont font = SelectedDeviceFont();
    const DeviceFont::Metrics& m = font.GetMetrics();
    const State& s = *m_state;
    return CSize(LogicalLength(font.TextWidth(text, length), s.windowExt.cx, s.viewportExt.cx),
                 LogicalLength(m.ascent + m.descent, s.windowExt.cy, s.viewportExt.cy));
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* metrics) const {
    if (!metrics)
        return FALSE;
    const DeviceFont font = SelectedDeviceFont();
    const DeviceFont::Metrics& m = font.GetMetrics();
    const State& s = *m_state;
    const auto vertical = [&](int v) { return LogicalLength(v, s.windowExt.cy, s.viewportExt.cy); };
    const auto horizontal = [&](int v) { return LogicalLength(v, s.windowExt.cx, s.viewportExt.cx); };
    const std::string family = DeviceFont::ResolveFamily(s.font.lfFaceName, s.font.lfPitchAndFamily);
    *metrics = TEXTMETRIC{};
    metrics->tmAscent = vertical(m.ascent);
    metrics->tmDescent = vertical(m.descent);
    metrics->tmHeight = metrics->tmAscent + metrics->tmDescent;
    metrics->tmInternalLeading = vertical(m.internalLeading);
    metrics->tmAveCharWidth = horizontal(m.aveCharWidth);
    metrics->tmMaxCharWidth = horizontal(m.maxCharWidth);
    metrics->tmWeight = s.font.lfWeight ? s.font.lfWeight : FW_NORMAL;
    metrics->tmDigitizedAspectX = metrics->tmDigitizedAspectY = m_dpi;
    metrics->tmFirstChar = ' ';
    metrics->tmLastChar = static_cast<char>(0xFF);
    metrics->tmDefaultChar = '?';
    metrics->tmBreakChar = ' ';
    metrics->tmItalic = s.font.lfItalic;
    metrics->tmUnderlined = s.font.lfUnderline;
    metrics->tmStruckOut = s.font.lfStrikeOut;
    // The low bit set means a variable pitch, as the framework has it.
    metrics->tmPitchAndFamily = family.find("Mono") == std::string::npos ? 0x01 : 0x00;
    metrics->tmCharSet = s.font.lfCharSet;
    return TRUE;
}

BOOL CDC::GetCharWidth(UINT first, UINT last, int* widths) const {
    if (!widths || first > last || last > 255)
        return FALSE;
    const DeviceFont font = SelectedDeviceFont();
    const State& s = *m_state;
    for (UINT c = first; c <= last; ++c) {
        const char ch = static_cast<char>(c);
        widths[c - first] = LogicalLength(font.TextWidth(&ch, 1), s.windowExt.cx, s.viewportExt.cx);
    }
    return TRUE;
}

int CDC::GetTextFace(int count, char* faceName) const {
    const int length = static_cast<int>(strnlen(m_state->font.lfFaceName, LF_FACESIZE));
    if (!faceName || count <= 0)
        return length + 1;
    const int copied = std::min(length, count - 1);
    std::memcpy(faceName, m_state->font.lfFaceName, copied);
    faceName[copied] = '\0';
    return copied;
}

void CDC::DrawTextLine(const char* text, int length, int x, int y, UINT, int underlineAt) {
    const UINT savedAlign = SetTextAlign(TA_LEFT | TA_TOP);
    TextOut(x, y, text, length);
    if (underlineAt >= 0 && underlineAt < length) {
        const CSize before = GetTextExtent(text, underlineAt);
        const CSize letter = GetTextExtent(text + underlineAt, 1);
        TEXTMETRIC tm;
        GetTextMetrics(&tm);
        const double down = (DeviceY(1) - DeviceY(0)) >= 0 ? 1 : -1;
        const CPoint start = ToDevice(x + before.cx, static_cast<int>(y + down * tm.tmAscent));
        const CPoint end = ToDevice(x + before.cx + letter.cx, static_cast<int>(y + down * tm.tmAscent));
        FillDeviceRect(CRect(std::min(start.x, end.x), start.y + 1, std::max(start.x, end.x), start.y + 2),
                       SolidBrush(m_state->textColor), R2_COPYPEN);
    }
    SetTextAlign(savedAlign);
}

// The text cut short with "..." so that it fits the width, when it does not already.
std::string CDC::WithEllipsis(std::string text, int width) const {
    if (GetTextExtent(text.c_str(), static_cast<int>(text.size())).cx <= width)
        return text;
    while (!text.empty()) {
        text.pop_back();
        const std::string candidate = text + "...";
        if (GetTextExtent(candidate.c_str(), static_cast<int>(candidate.size())).cx <= width)
            return candidate;
    }
    return "...";
}

int CDC::DrawText(const char* text, int length, RECT* rect, UINT format) {
    if (!text || !rect)
        return 0;
    if (length < 0)
        length = static_cast<int>(std::strlen(text));
    const bool prefixes = !(format & DT_NOPREFIX);
    const CRect box(*rect);
    const int boxWidth = std::abs(box.Width());
    // Split into lines: at line breaks unless single line, and at word boundaries when asked.
    std::vector<std::string> lines;
    std::string current;
    const std::string all(text, length);
    const auto widthOf = [&](const std::string& s) {
        int ignored;
        const std::string shown = prefixes ? StripPrefixes(s, &ignored) : s;
        return GetTextExtent(shown.c_str(), static_cast<int>(shown.size())).cx;
    };
    for (std::size_t i = 0; i <= all.size(); ++i) {
        const bool end = i == all.size();
        const char ch = end ? '\0' : all[i];
        if (!end && (ch == '\r' || ch == '\n') && !(format & DT_SINGLELINE)) {
            if (ch == '\r' && i + 1 < all.size() && all[i + 1] == '\n')
                ++i;
            lines.push_back(current);
            current.clear();
            continue;
        }
        if (end) {
            lines.push_back(current);
            break;
        }
        current += ch;
        if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE) && widthOf(current) > boxWidth) {
            const std::size_t space = current.rfind(' ');
            if (space != std::string::npos && space > 0) {
                lines.push_back(current.substr(0, space));
                current = current.substr(space + 1);
            }
        }
    }
    TEXTMETRIC tm;
    GetTextMetrics(&tm);
    const int lineHeight = tm.tmHeight;
    const int totalHeight = lineHeight * static_cast<int>(lines.size());
    const int down = (DeviceY(1) - DeviceY(0)) >= 0 ? 1 : -1;
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const auto& line : lines) widest = std::max(widest, static_cast<int>(widthOf(line)));
        if (!(format & DT_WORDBREAK) || lines.size() == 1)
            rect->right = rect->left + widest;
        rect->bottom = rect->top + down * totalHeight;
        return totalHeight;
    }
    int y = box.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = box.top + down * (std::abs(box.Height()) - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            y = box.bottom - down * lineHeight;
    }
    const KeptClip keptClip(*m_state);
    if (!(format & DT_NOCLIP))
        IntersectClipRect(rect);
    for (const auto& line : lines) {
        int underline = -1;
        std::string shown = prefixes ? StripPrefixes(line, &underline) : line;
        if (format & DT_END_ELLIPSIS)
            shown = WithEllipsis(shown, boxWidth);
        const int width = GetTextExtent(shown.c_str(), static_cast<int>(shown.size())).cx;
        int x = box.left;
        if (format & DT_CENTER)
            x = box.left + (box.Width() - width) / 2;
        else if (format & DT_RIGHT)
            x = box.right - width;
        DrawTextLine(shown.c_str(), static_cast<int>(shown.size()), x, y, format, underline);
        y += down * lineHeight;
    }
    return totalHeight;
}
