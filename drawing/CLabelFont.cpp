#include "drawing/CLabelFont.h"

#include <cstring>

#include "drawing/FontRecord.h"
#include "platform/base/CArchive.h"

LOGFONT CLabelFont::DefaultDescription() {
    LOGFONT font{};
    font.lfHeight = -35;
    font.lfWeight = 400;
    font.lfCharSet = 204;
    font.lfOutPrecision = 3;
    font.lfClipPrecision = 2;
    font.lfQuality = 1;
    font.lfPitchAndFamily = 34;
    std::strcpy(font.lfFaceName, "Arial");
    return font;
}

LOGFONT CLabelFont::Description() const {
    return m_pFont != nullptr ? m_pFont->LogFont() : m_description;
}

void CLabelFont::SetDescription(const LOGFONT& description) {
    m_description = description;
    m_description.lfFaceName[LF_FACESIZE - 1] = '\0';
    Recreate();
}

void CLabelFont::RecreateResources(int recreate) {
    if (recreate != 0) {
        Recreate();
        return;
    }
    m_description = Description();
    m_pFont.reset();
}

void CLabelFont::Recreate() {
    m_pFont = std::make_unique<CFont>();
    m_pFont->CreateFontIndirect(&m_description);
}

void CLabelFont::Store(CArchive& ar) const {
    StoreFontRecord(ar, Description());
}

void CLabelFont::Load(CArchive& ar) {
    SetDescription(LoadFontRecord(ar));
}

void CLabelFont::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        Store(ar);
    else
        Load(ar);
}

std::unique_ptr<CFont> CLabelFont::MakeTurned(int escapement) const {
    LOGFONT turned = Description();
    turned.lfEscapement = escapement;
    turned.lfOrientation = escapement;
    auto font = std::make_unique<CFont>();
    font->CreateFontIndirect(&turned);
    return font;
}
