#pragma once

// The program's own numbers for turns and lengths. Every formula of the program uses these
// exact values: a foot here is 3050 tenths of a millimetre, not 3048, and stored layouts
// depend on it.
constexpr double kPi = 3.1415926535;
constexpr double kFullTurn = 6.283185307;
static_assert(kFullTurn == 2.0 * kPi);
constexpr double kInch = 254.0;
constexpr double kFoot = 3050.0;
constexpr double kYard = 9150.0;

// A length unit the user can choose per document; sizes are in tenths of a millimetre.
struct UnitRow {
    const char* name;
    double size;
    const char* rulerAbbreviation;
};

// A model scale: its name as stored in every object's catalogue field, the track gauge in
// tenths of a millimetre and the ratio of 1 : ratio.
struct ScaleRow {
    const char* name;
    double gauge;
    double ratio;
};

constexpr int kUnitCount = 9;
constexpr int kScaleCount = 19;
constexpr int kDefaultUnitIndex = 4;
constexpr int kDefaultScaleIndex = 12;

extern const UnitRow UnitTable[kUnitCount];
extern const ScaleRow ScaleTable[kScaleCount];

// The size of a unit in tenths of a millimetre; an index outside the table is the default unit.
double SizeOfUnit(int unitIndex);
// The row whose name equals the given one byte for byte, or -1.
int FindScale(const char* name);
