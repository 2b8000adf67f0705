#pragma once

#include "platform/gdi/CGdiObject.h"

class CDC;

// A font described by a LOGFONT; faces resolve to the installed ones when text is drawn.
class CFont : public CGdiObject {
    DECLARE_DYNAMIC(CFont)
  public:
    BOOL CreateFontIndirect(const LOGFONT* logFont);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName);
    // pointSize in tenths of a point; the height follows the DC's vertical resolution (96 dpi without one).
    BOOL CreatePointFont(int pointSize, LPCTSTR faceName, CDC* dc = nullptr);
    BOOL CreateStockObject(int index);
    int GetLogFont(LOGFONT* logFont) const;
    const LOGFONT& LogFont() const { return m_logFont; }

    // The LOGFONT of the DC's default font: "MS Sans Serif", 13 pixels high.
    static LOGFONT DefaultLogFont();

  private:
    LOGFONT m_logFont = DefaultLogFont();
};
