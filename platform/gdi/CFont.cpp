#include "platform/gdi/CFont.h"

#include <cstring>

#include "platform/gdi/CDC.h"

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

namespace {
void CopyFace(LOGFONT& font, LPCTSTR face) {
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    if (face)
        std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
}
}  // namespace

LOGFONT CFont::DefaultLogFont() {
    LOGFONT font{};
    font.lfHeight = -11;
    font.lfWeight = FW_NORMAL;
    CopyFace(font, "MS Sans Serif");
    return font;
}

BOOL CFont::CreateFontIndirect(const LOGFONT* logFont) {
    if (!logFont || m_hObject)
        return FALSE;
    m_logFont = *logFont;
    m_logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    MarkCreated();
    return TRUE;
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName) {
    LOGFONT font{height,    width,   escapement,   orientation,   weight,  italic,         underline,
                 strikeOut, charSet, outPrecision, clipPrecision, quality, pitchAndFamily, {}};
    CopyFace(font, faceName);
    return CreateFontIndirect(&font);
}

BOOL CFont::CreatePointFont(int pointSize, LPCTSTR faceName, CDC* dc) {
    LOGFONT font = DefaultLogFont();
    const int dpi = dc ? dc->GetDeviceCaps(LOGPIXELSY) : 96;
    font.lfHeight = -((pointSize * dpi + 360) / 720);
    CopyFace(font, faceName);
    if (!dc)
        return CreateFontIndirect(&font);
    POINT height{0, font.lfHeight};
    POINT origin{0, 0};
    dc->DPtoLP(&height);
    dc->DPtoLP(&origin);
    font.lfHeight = -std::abs(height.y - origin.y);
    return CreateFontIndirect(&font);
}

BOOL CFont::CreateStockObject(int index) {
    LOGFONT font = DefaultLogFont();
    switch (index) {
        case SYSTEM_FONT:
            font.lfWeight = FW_BOLD;
            font.lfHeight = 16;
            CopyFace(font, "System");
            break;
        case ANSI_FIXED_FONT:
        case OEM_FIXED_FONT:
        case SYSTEM_FIXED_FONT:
            font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
            CopyFace(font, "Courier New");
            break;
        case ANSI_VAR_FONT:
        case DEFAULT_GUI_FONT:
        case DEVICE_DEFAULT_FONT:
            break;
        default:
            return FALSE;
    }
    return CreateFontIndirect(&font);
}

int CFont::GetLogFont(LOGFONT* logFont) const {
    if (!m_hObject || !logFont)
        return 0;
    *logFont = m_logFont;
    return static_cast<int>(sizeof(LOGFONT));
}
