#include "platform/base/Windows1252.h"

#include <algorithm>
#include <array>

namespace {

// Unicode code points of the bytes 0x80 to 0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t CodePointOf(unsigned char byte) {
    return (byte >= 0x80 && byte <= 0x9F) ? kHighControls[byte - 0x80] : byte;
}

bool ByteOf(char32_t codePoint, char& byte) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        byte = static_cast<char>(codePoint);
        return true;
    }
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == codePoint) {
            byte = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

void AppendUtf8(char32_t codePoint, std::string& out) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// Decodes one UTF-8 sequence at pos and moves past it; false (and one byte skipped) when invalid.
bool NextCodePoint(std::string_view text, size_t& pos, char32_t& codePoint) {
    auto lead = static_cast<unsigned char>(text[pos++]);
    int continuation = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        codePoint = lead & 0x1F;
        continuation = 1;
    } else if ((lead & 0xF0) == 0xE0) {
        codePoint = lead & 0x0F;
        continuation = 2;
    } else if ((lead & 0xF8) == 0xF0) {
        codePoint = lead & 0x07;
        continuation = 3;
    } else {
        return false;
    }
    for (int i = 0; i < continuation; ++i) {
        if (pos >= text.size() || (static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80) {
            return false;
        }
        codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[pos++]) & 0x3F);
    }
    return true;
}

}  // namespace

std::string AnsiToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (char ch : ansi) {
        AppendUtf8(CodePointOf(static_cast<unsigned char>(ch)), out);
    }
    return out;
}

bool Utf8ToAnsi(std::string_view utf8, std::string& ansi) {
    ansi.clear();
    bool lossless = true;
    size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t codePoint = 0;
        char byte = '?';
        if (!NextCodePoint(utf8, pos, codePoint) || !ByteOf(codePoint, byte)) {
            byte = '?';
            lossless = false;
        }
        ansi += byte;
    }
    return lossless;
}

char AnsiToUpper(char ch) {
    auto byte = static_cast<unsigned char>(ch);
    if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)) {
        return static_cast<char>(byte - 0x20);
    }
    switch (byte) {
        case 0x9A:  // s caron
        case 0x9C:  // oe
        case 0x9E:  // z caron
            return static_cast<char>(byte - 0x10);
        case 0xFF:  // y diaeresis
            return static_cast<char>(0x9F);
        default:
            return ch;
    }
}

int CompareAnsiNoCase(std::string_view a, std::string_view b) {
    size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        auto upperA = static_cast<unsigned char>(AnsiToUpper(a[i]));
        auto upperB = static_cast<unsigned char>(AnsiToUpper(b[i]));
        if (upperA != upperB) {
            return upperA < upperB ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}
