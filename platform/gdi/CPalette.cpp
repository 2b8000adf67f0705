#include "platform/gdi/CPalette.h"

#include "platform/gdi/DibFormat.h"

IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

BOOL CPalette::CreatePalette(const LOGPALETTE* logPalette) {
    if (m_hObject || !logPalette)
        return FALSE;
    m_entries.assign(logPalette->palPalEntry, logPalette->palPalEntry + logPalette->palNumEntries);
    MarkCreated();
    return TRUE;
}

BOOL CPalette::CreateStockObject(int index) {
    if (m_hObject || index != DEFAULT_PALETTE)
        return FALSE;
    const std::vector<RGBQUAD> vga = DefaultColorTable(4);
    for (const RGBQUAD& q : vga) m_entries.push_back({q.rgbRed, q.rgbGreen, q.rgbBlue, 0});
    MarkCreated();
    return TRUE;
}

UINT CPalette::GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const {
    if (!entries || start >= m_entries.size())
        return 0;
    const UINT copied = std::min<UINT>(count, static_cast<UINT>(m_entries.size()) - start);
    for (UINT i = 0; i < copied; ++i) entries[i] = m_entries[start + i];
    return copied;
}
