#include "platform/win/Accelerators.h"

#include <map>

#include "platform/win/WindowManager.h"

namespace {
std::map<UINT, AcceleratorTable>& Tables() {
    static std::map<UINT, AcceleratorTable> tables;
    return tables;
}
bool Held(int vk) { return GetKeyState(vk) < 0; }
}  // namespace

UINT AcceleratorTable::CommandFor(UINT vk) const {
    for (const ACCEL& accel : entries) {
        if (accel.key != vk) continue;
        if (Held(VK_SHIFT) != ((accel.fVirt & FSHIFT) != 0)) continue;
        if (Held(VK_CONTROL) != ((accel.fVirt & FCONTROL) != 0)) continue;
        if (Held(VK_MENU) != ((accel.fVirt & FALT) != 0)) continue;
        return accel.cmd;
    }
    return 0;
}

void RegisterAcceleratorResource(UINT id, std::vector<ACCEL> entries) { Tables()[id].entries = std::move(entries); }

HACCEL LoadAccelerators(UINT id) {
    auto found = Tables().find(id);
    return found == Tables().end() ? nullptr : &found->second;
}
