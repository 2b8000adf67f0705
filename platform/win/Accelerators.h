#pragma once

#include <vector>

#include "platform/win/WinDefs.h"

constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

struct ACCEL {
    BYTE fVirt;
    WORD key;
    WORD cmd;
};

// A table of keys that give commands.
struct AcceleratorTable {
    std::vector<ACCEL> entries;
    // The command of a key pressed with the current Shift, Control and Alt states, or 0.
    UINT CommandFor(UINT vk) const;
};

// Resources: accelerator tables and menus registered by id, loaded by frames.
void RegisterAcceleratorResource(UINT id, std::vector<ACCEL> entries);
HACCEL LoadAccelerators(UINT id);
