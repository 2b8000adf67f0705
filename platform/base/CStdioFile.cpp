#include "platform/base/CStdioFile.h"

#include <cerrno>
#include <cstring>
#include <string>

BOOL CStdioFile::ReadString(CString& line) {
    std::FILE* stream = StreamForReading();
    std::string text;
    errno = 0;
    int ch = 0;
    while ((ch = std::getc(stream)) != EOF && ch != '\n') {
        text += static_cast<char>(ch);
    }
    if (std::ferror(stream)) {
        std::clearerr(stream);
        ThrowLastError();
    }
    if (ch == '\n' && !text.empty() && text.back() == '\r') {
        text.pop_back();
    }
    bool gotLine = ch == '\n' || !text.empty();
    line = CString(std::move(text));
    return gotLine ? TRUE : FALSE;
}

void CStdioFile::WriteString(const char* text) {
    if (text) {
        Write(text, static_cast<UINT>(std::strlen(text)));
    }
}
