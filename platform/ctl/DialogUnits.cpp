#include "platform/ctl/DialogUnits.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"

namespace {
// Rounds value * numerator / denominator to the nearest integer, halves away from zero.
int MulDivRounded(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}
}  // namespace

DialogUnits::DialogUnits(const CString& face, int pointSize) {
    CFont font;
    font.CreatePointFont(pointSize * 10, face);
    Measure(font);
}

DialogUnits::DialogUnits(CFont& font) {
    Measure(font);
}

void DialogUnits::Measure(CFont& font) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont* old = dc.SelectObject(&font);
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    const CSize alphabet = dc.GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    dc.SelectObject(old);
    // The average over both cases, rounded as the dialog manager rounds it.
    m_base = CSize(static_cast<int>((alphabet.cx / 26 + 1) / 2), static_cast<int>(metrics.tmHeight));
    if (m_base.cx <= 0)
        m_base.cx = 6;
    if (m_base.cy <= 0)
        m_base.cy = 13;
}

int DialogUnits::ToPixelsX(int units) const {
    return MulDivRounded(units, m_base.cx, 4);
}
int DialogUnits::ToPixelsY(int units) const {
    return MulDivRounded(units, m_base.cy, 8);
}

CRect DialogUnits::ToPixels(const CRect& units) const {
    return CRect(ToPixelsX(units.left), ToPixelsY(units.top), ToPixelsX(units.right),
                 ToPixelsY(units.bottom));
}
