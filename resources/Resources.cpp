#include "resources/Resources.h"

#include "platform/base/CStringTable.h"
#include "resources/ProgramAccelerators.h"
#include "resources/ProgramDialogs.h"
#include "resources/ProgramMenus.h"
#include "resources/StringTable.h"

void RegisterResources() {
    CStringTable::Register(ProgramStrings());
    RegisterProgramMenus();
    RegisterProgramAccelerators();
    RegisterProgramDialogs();
}
