#include "model/Units.h"

#include <cstring>

const UnitRow UnitTable[kUnitCount] = {
    {"yards", kYard, "yd"},
    {"feet, decimal", kFoot, "f t"},
    {"feet, decimal inches", kFoot, "f t"},
    {"feet, fractional inches", kFoot, "f t"},
    {"inches, decimal", kInch, "i n"},
    {"inches, fractional", kInch, "i n"},
    {"meters", 10000.0, "m"},
    {"centimeters", 100.0, "cm"},
    {"millimeters", 10.0, "mm"},
};

const ScaleRow ScaleTable[kScaleCount] = {
    {"1", 1210.0, 12.0},  {"3/4", 889.0, 16.0},   {"17/32", 635.0, 22.6}, {"1/2", 635.0, 24.0},
    {"3/8", 449.0, 32.0}, {"O(17)", 318.0, 45.2}, {"O", 318.0, 48.0},     {"On3", 190.0, 48.0},
    {"On2", 127.0, 48.0}, {"S", 222.0, 64.0},     {"Sn3", 143.0, 64.0},   {"OO", 190.0, 76.2},
    {"HO", 165.0, 87.1},  {"HOn3", 105.0, 87.1},  {"HOn2", 70.1, 87.1},   {"N", 89.7, 160.0},
    {"Nn3", 63.5, 160.0}, {"Z", 65.2, 220.0},     {"G", 638.0, 22.5},
};

int FindScale(const char* name) {
    for (int row = 0; row < kScaleCount; ++row) {
        if (std::strcmp(ScaleTable[row].name, name) == 0) {
            return row;
        }
    }
    return -1;
}

double SizeOfUnit(int unitIndex) {
    return unitIndex >= 0 && unitIndex < kUnitCount ? UnitTable[unitIndex].size
                                                    : UnitTable[kDefaultUnitIndex].size;
}
