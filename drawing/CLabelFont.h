#pragma once

#include <memory>

#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiTypes.h"

class CArchive;

// The label font of the measuring and dimension objects: a font object and a copy of its
// description. The description taken from the font object, when there is one, is what is
// stored and copied; the copy rebuilds the font after it was released.
class CLabelFont {
  public:
    // "Arial", 35 units high, weight 400, character set 204.
    static LOGFONT DefaultDescription();

    // The font object's description, else the kept copy.
    LOGFONT Description() const;
    // Takes a description and makes the font from it.
    void SetDescription(const LOGFONT& description);
    // With 0 keeps the font's description and lets the font object go; else makes the font
    // object again from the kept description.
    void RecreateResources(int recreate);
    bool HasFont() const { return m_pFont != nullptr; }

    // The description as a font record; reading makes the font from it.
    void Store(CArchive& ar) const;
    void Load(CArchive& ar);
    // Store or Load, as the archive goes.
    void Serialize(CArchive& ar);

    // A font of the description turned by an escapement in tenths of a degree.
    std::unique_ptr<CFont> MakeTurned(int escapement) const;

  private:
    void Recreate();

    LOGFONT m_description = DefaultDescription();
    std::unique_ptr<CFont> m_pFont;
};
