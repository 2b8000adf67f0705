#include "resources/Resources.h"

#include "platform/base/CStringTable.h"
#include "resources/CommandPrompts.h"
#include "resources/ProgramAccelerators.h"
#include "resources/ProgramCursors.h"
#include "resources/ProgramDialogs.h"
#include "resources/ProgramMenus.h"
#include "resources/StringTable.h"

void RegisterResources() {
    // The program's own strings come last, so that their texts win where ids meet.
    CStringTable::Register(CommandPrompts());
    CStringTable::Register(ProgramStrings());
    RegisterProgramMenus();
    RegisterProgramAccelerators();
    RegisterProgramDialogs();
    RegisterProgramCursors();
}
