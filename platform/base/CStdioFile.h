#pragma once

#include "platform/base/CFile.h"

// A text file read and written line by line.
class CStdioFile : public CFile {
public:
    CStdioFile() = default;
    // Opens or throws CFileException.
    CStdioFile(const char* fileName, UINT openFlags) : CFile(fileName, openFlags) {}

    // The next line without its "\n" or "\r\n"; FALSE (and an empty line) at the end.
    BOOL ReadString(CString& line);
    // Writes the text as it stands; the caller supplies the line breaks.
    void WriteString(const char* text);
};
