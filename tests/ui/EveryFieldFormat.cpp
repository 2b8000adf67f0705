#include "tests/ui/EveryFieldFormat.h"

#include "model/Units.h"

std::vector<NamedFieldFormat> EveryFieldFormat() {
    std::vector<NamedFieldFormat> formats;
    for (int unit = 0; unit < kUnitCount; ++unit)
        formats.push_back(
            {UnitTable[unit].name, CFieldFormat::Lengths(CLengthFormat(unit)), unit, 3, false, false});
    constexpr double kDegrees = 180.0 / kPi;
    const NamedFieldFormat numbers[] = {
        {"numbers", CFieldFormat::Numbers(), -1, 6, true, true},
        {"whole numbers", CFieldFormat::WholeNumbers(), -1, 0, false, false},
        {"rounded numbers", CFieldFormat::RoundedNumbers(), -1, 0, false, false},
        {"thousandths", CFieldFormat::Thousandths(), -1, 3, true, false},
        {"hundredths", CFieldFormat::Hundredths(), -1, 2, false, false},
        {"whole percent", CFieldFormat::WholeNumbers().ShownAs(100.0, 0.0), -1, 0, false, false},
        {"numbers from 1", CFieldFormat::Numbers().ShownAs(-1.0, 1.0), -1, 6, true, false},
        {"thousandths of degrees", CFieldFormat::Thousandths().ShownAs(kDegrees, 0.0), -1, 3, true, true},
        {"hundredths of degrees", CFieldFormat::Hundredths().ShownAs(kDegrees, 0.0), -1, 2, false, true}};
    formats.insert(formats.end(), std::begin(numbers), std::end(numbers));
    return formats;
}
