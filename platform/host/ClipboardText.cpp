#include "platform/host/ClipboardText.h"

#include "platform/base/Windows1252.h"

std::string ClipboardTextToUtf8(const CString& text) {
    std::string lines;
    for (int i = 0; i < text.GetLength(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.GetLength() && text[i + 1] == '\n'))
            lines += text[i];
    return AnsiToUtf8(lines);
}

CString ClipboardTextFromUtf8(const char* utf8) {
    std::string ansi;
    Utf8ToAnsi(utf8 ? utf8 : "", ansi);
    std::string lines;
    for (std::size_t i = 0; i < ansi.size(); ++i) {
        if (ansi[i] == '\n' && (i == 0 || ansi[i - 1] != '\r'))
            lines += '\r';
        lines += ansi[i];
    }
    return CString(std::move(lines));
}
