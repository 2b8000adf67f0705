#pragma once

#include <vector>

#include "platform/gdi/CGdiObject.h"

// A logical palette. Drawing is in true colour, so a palette only keeps its entries.
class CPalette : public CGdiObject {
    DECLARE_DYNAMIC(CPalette)
  public:
    BOOL CreatePalette(const LOGPALETTE* logPalette);
    BOOL CreateStockObject(int index);
    int GetEntryCount() const { return static_cast<int>(m_entries.size()); }
    UINT GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const;

  private:
    std::vector<PALETTEENTRY> m_entries;
};
