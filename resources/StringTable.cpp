#include "resources/StringTable.h"

namespace {

const CStringTable::Entry kStrings[] = {
    {IDS_VERSION, "Corvane"},
};

}  // namespace

std::span<const CStringTable::Entry> ProgramStrings() { return kStrings; }
