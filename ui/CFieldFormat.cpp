#include "ui/CFieldFormat.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>

#include "model/Units.h"
#include "platform/base/NumberParsing.h"
#include "platform/ctl/DataExchange.h"

namespace {

// Rounded to so many significant digits, as a decimal text of them would read.
double ToSignificantDigits(double value, int digits) {
    CString text;
    text.Format("%.*e", digits - 1, value);
    return ParseDouble(text);
}

}  // namespace

CFieldFormat CFieldFormat::Lengths(const CLengthFormat& lengths) {
    return {Kind::Length, lengths.GetUnitIndex()};
}

CFieldFormat CFieldFormat::Numbers() {
    return {Kind::Number, 0};
}

CFieldFormat CFieldFormat::WholeNumbers() {
    return {Kind::Whole, 0};
}

CFieldFormat CFieldFormat::RoundedNumbers() {
    return {Kind::Rounded, 0};
}

CFieldFormat CFieldFormat::Thousandths() {
    return {Kind::Thousandths, 0};
}

CFieldFormat CFieldFormat::Hundredths() {
    return {Kind::Hundredths, 0};
}

CFieldFormat CFieldFormat::ShownAs(double factor, double offset) const {
    CFieldFormat shown = *this;
    shown.m_factor = factor;
    shown.m_offset = offset;
    return shown;
}

CString CFieldFormat::Show(double value) const {
    // A value shown as kept needs no search: 15 digits that read back as it are its fewest.
    if (m_kind == Kind::Number && (m_factor != 1.0 || m_offset != 0.0))
        return ShowFewestDigits(value);
    if (m_kind != Kind::Length)
        return ShowNumber(m_offset + m_factor * value, DBL_DIG);
    CString text;
    CLengthFormat(m_unitIndex).FormatLength(text, value);
    return text;
}

// The fewest digits, up to all a double shows, that read back as the value: one less 0.994 is
// 0.00600000000000001 to 15 digits, yet 0.006 reads back as 0.994.
CString CFieldFormat::ShowFewestDigits(double value) const {
    const double shown = m_offset + m_factor * value;
    for (int digits = 1; digits < DBL_DIG; ++digits) {
        const CString text = ShowNumber(shown, digits);
        double read = 0.0;
        if (Read(text, read) && read == value)
            return text;
    }
    return ShowNumber(shown, DBL_DIG);
}

// A negative number that shows as 0 does has no sign, as lengths show.
CString CFieldFormat::ShowNumber(double shown, int digits) const {
    const CString magnitude = ShowMagnitude(std::fabs(shown), digits);
    return shown < 0.0 && magnitude != ShowMagnitude(0.0, digits) ? "-" + magnitude : magnitude;
}

// Rounded, never cut: a kept value a hair under the typed one shows as typed.
CString CFieldFormat::ShowMagnitude(double magnitude, int digits) const {
    CString text;
    if (m_kind == Kind::Whole || m_kind == Kind::Rounded)
        text.Format("%.0f", std::round(magnitude));
    else if (m_kind == Kind::Hundredths)
        text.Format("%.2f", magnitude);
    else if (m_kind == Kind::Thousandths)
        text.Format("%.*g", DBL_DIG, CLengthFormat::RoundToThousandths(magnitude));
    else
        text.Format("%.*g", DBL_DIG, ToSignificantDigits(magnitude, digits));
    return text;
}

bool CFieldFormat::Read(const CString& text, double& value) const {
    if (m_kind == Kind::Length)
        return CLengthFormat(m_unitIndex).ReadTypedLength(text, value);
    double shown = 0.0;
    if (!(m_kind == Kind::Whole ? ReadWholeNumberText(text, shown) : ReadNumberText(text, shown)))
        return false;
    value = (shown - m_offset) / m_factor;
    return true;
}

bool CFieldFormat::ReadInRange(const CString& text, const FieldRange& range, double& value) const {
    double typed = 0.0;
    if (!Read(text, typed) || !TakeAtBound(range.minimum, -1.0, typed) ||
        !TakeAtBound(range.maximum, 1.0, typed))
        return false;
    value = std::clamp(typed, range.minimum, range.maximum);
    return true;
}

// The bound is judged as its shown text reads back: a value typed as the refusal names the
// bound is the bound, and one a thousandth beyond is refused, however the bound rounds. Less
// than half a thousandth beyond, a value that shows as the bound is the bound; a few units in
// the last place of the two readings are no difference a person typed.
bool CFieldFormat::TakeAtBound(double bound, double beyond, double& typed) const {
    double shown = bound;
    Read(Show(bound), shown);
    const double slack = 4.0 * DBL_EPSILON * std::max(std::fabs(shown), std::fabs(typed));
    const double distance = std::fabs(typed - shown);
    const bool atBound = distance <= slack || (distance < HalfAThousandth() && Show(typed) == Show(bound));
    if (!atBound)
        return (typed - shown) * beyond < 0.0;
    typed = bound;
    return true;
}

// Half a thousandth of the smallest part the field shows, as the program keeps it: feet shown
// with inches are typed to a thousandth of an inch.
double CFieldFormat::HalfAThousandth() const {
    if (m_kind != Kind::Length)
        return 0.0005 / std::fabs(m_factor);
    const bool feetAndInches = SizeOfUnit(m_unitIndex) == kFoot && ShowsInches();
    return 0.0005 * (feetAndInches ? kInch : SizeOfUnit(m_unitIndex));
}

bool CFieldFormat::ShowsInches() const {
    return m_unitIndex >= 0 && m_unitIndex < kUnitCount &&
           std::strstr(UnitTable[m_unitIndex].name, "inches") != nullptr;
}

CString CFieldFormat::RangeText(const char* pattern, const FieldRange& range) const {
    const bool reversed = m_kind != Kind::Length && m_factor < 0.0;
    CString text;
    text.Format(pattern, Show(reversed ? range.maximum : range.minimum).c_str(),
                Show(reversed ? range.minimum : range.maximum).c_str());
    return text;
}

CString CFieldFormat::RefusalFor(const CString& text, const CString& refusal) const {
    double value = 0.0;
    if (m_kind != Kind::Length || Read(text, value))
        return refusal;
    return refusal + "\n\n" + CLengthFormat(m_unitIndex).DescribeTypedForms();
}
