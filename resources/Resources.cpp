#include "resources/Resources.h"

#include "platform/base/CStringTable.h"
#include "resources/StringTable.h"

void RegisterResources() { CStringTable::Register(ProgramStrings()); }
