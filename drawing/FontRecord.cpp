#include "drawing/FontRecord.h"

#include <algorithm>
#include <cstring>

#include "model/RecordReading.h"
#include "platform/base/CArchive.h"
#include "platform/base/CString.h"

void StoreFontRecord(CArchive& ar, const LOGFONT& font) {
    ar << static_cast<int>(font.lfHeight) << static_cast<int>(font.lfWidth)
       << static_cast<int>(font.lfEscapement) << static_cast<int>(font.lfOrientation)
       << static_cast<int>(font.lfWeight);
    ar << font.lfItalic << font.lfUnderline << font.lfStrikeOut << font.lfCharSet << font.lfOutPrecision
       << font.lfClipPrecision << font.lfQuality << font.lfPitchAndFamily;
    char face[LF_FACESIZE] = {};
    const size_t length = strnlen(font.lfFaceName, LF_FACESIZE - 1);
    std::memcpy(face, font.lfFaceName, length);
    ar << CString(face, LF_FACESIZE);
}

LOGFONT LoadFontRecord(CArchive& ar) {
    LOGFONT font{};
    font.lfHeight = ReadInt(ar);
    font.lfWidth = ReadInt(ar);
    font.lfEscapement = ReadInt(ar);
    font.lfOrientation = ReadInt(ar);
    font.lfWeight = ReadInt(ar);
    ar >> font.lfItalic >> font.lfUnderline >> font.lfStrikeOut >> font.lfCharSet >> font.lfOutPrecision >>
        font.lfClipPrecision >> font.lfQuality >> font.lfPitchAndFamily;
    const CString face = ReadString(ar);
    const int length = std::min(face.GetLength(), LF_FACESIZE - 1);
    const char* text = face.c_str();
    const size_t kept = strnlen(text, static_cast<size_t>(length));
    std::memcpy(font.lfFaceName, text, kept);
    return font;
}
