#pragma once

#include "model/CLengthFormat.h"
#include "platform/base/CString.h"

// The values a field takes, both ends included, as the program keeps them (a length in tenths
// of a millimetre, an angle in radians).
struct FieldRange {
    double minimum;
    double maximum;
};

// How a dialog's field shows a value and reads one typed: a length in a unit, or a plain
// number, whole, rounded to thousandths or with the fewest digits, up to all a double shows,
// that read back as the value. A number may be shown otherwise than it is kept:
// shown = offset + factor x kept (degrees of radians). Every value's text reads back as a
// value showing that text.
class CFieldFormat {
  public:
    static CFieldFormat Lengths(const CLengthFormat& lengths);
    static CFieldFormat Numbers();
    // A typed fraction is no value of it: the field's later use would cut it.
    static CFieldFormat WholeNumbers();
    // Shown rounded to a whole, read as any number: a typed fraction is taken as typed.
    static CFieldFormat RoundedNumbers();
    static CFieldFormat Thousandths();
    // Always two places, as money shows.
    static CFieldFormat Hundredths();
    CFieldFormat ShownAs(double factor, double offset) const;

    CString Show(double value) const;
    // False, the value left, for a text that is no value of the format.
    bool Read(const CString& text, double& value) const;
    // A typed value is judged against the bounds as the format shows them, read back: the bounds
    // a refusal names are always taken, as the bound itself, and nothing beyond them is. False
    // for a text that is no value or one outside the range; the value is then left as it was.
    bool ReadInRange(const CString& text, const FieldRange& range, double& value) const;
    // The pattern, its two "%s" standing for the range's ends as shown, the lower first.
    CString RangeText(const char* pattern, const FieldRange& range) const;
    // The refusal of a text: one that is no length at all is told the forms its unit takes.
    CString RefusalFor(const CString& text, const CString& refusal) const;

  private:
    enum class Kind { Length, Number, Whole, Rounded, Thousandths, Hundredths };
    CFieldFormat(Kind kind, int unitIndex) : m_kind(kind), m_unitIndex(unitIndex) {}
    CString ShowFewestDigits(double value) const;
    CString ShowNumber(double shown, int digits) const;
    CString ShowMagnitude(double magnitude, int digits) const;
    // False for a typed value beyond the bound as shown (beyond: +1 for an upper bound, -1 for a
    // lower one); one at the bound as shown becomes the bound.
    bool TakeAtBound(double bound, double beyond, double& typed) const;
    double HalfAThousandth() const;
    bool ShowsInches() const;

    Kind m_kind;
    int m_unitIndex;
    double m_factor = 1.0;
    double m_offset = 0.0;
};
