#pragma once

#include "platform/base/CString.h"

// Lengths (tenths of a millimetre) as the user reads and types them in one of the unit
// table's units. The document forwards its length functions here with its unit index. An
// index outside the table formats as an empty text and reads no length.
class CLengthFormat {
  public:
    explicit CLengthFormat(int unitIndex) : m_unitIndex(unitIndex) {}

    int GetUnitIndex() const { return m_unitIndex; }

    void FormatLength(CString& text, double length) const;
    // As FormatLength; with negativeAsDecimal a negative length shows only its leading
    // number, as a plain decimal (feet units keep only the feet). A negative length that shows
    // as 0 has no sign.
    void FormatLengthValue(CString& text, double length, int negativeAsDecimal) const;
    // A value already divided by the unit size, never negative; the fractional-inch unit
    // always shows the whole number ("0 1/2").
    void FormatLengthFraction(CString& text, double value) const;
    // A length typed into a field, in one of the forms the unit takes (DescribeTypedForms), a
    // sign in front. False, with the length left as it was, when the text is no length of the
    // unit: empty, a word, a number the unit does not take in that place, or beyond any finite
    // value.
    bool ReadTypedLength(const CString& text, double& length) const;
    // The forms ReadTypedLength takes, as a refusal shows them to the person typing.
    CString DescribeTypedForms() const;

    // The fraction in [0, 1) rounded to 64ths and reduced; 0 / 64 is no fraction and 1 / 1
    // a rest that rounded up to a whole.
    static void RoundToFraction(double fraction, int& numerator, int& denominator);
    // Three decimals, rounded half up on all that follows the third, the value scaled once (the
    // program's own rounding of shown values).
    static double RoundToThousandths(double value);

  private:
    bool HasUnit() const;
    double UnitSize() const;
    // The text of a non-negative value in units; inchesAlwaysWhole gives the fraction form
    // of FormatLengthFraction.
    CString FormatUnits(double value, bool inchesAlwaysWhole) const;
    bool ReadMagnitude(const CString& text, double& length) const;

    int m_unitIndex;
};
