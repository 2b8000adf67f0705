#pragma once

#include <span>

#include "platform/base/WinTypes.h"

// The buttons of the main frame's three toolbars, slot by slot (0 is a separator), and the
// drop-down buttons of the tools toolbar with the commands their palettes offer.
struct ToolBarDropDown {
    UINT command;
    UINT paletteBitmap;
    std::span<const UINT> commands;
};

std::span<const UINT> MainToolBarButtons();
std::span<const UINT> ToolsToolBarButtons();
std::span<const UINT> CameraToolBarButtons();
std::span<const ToolBarDropDown> ToolsToolBarDropDowns();

// The slot of the main toolbar that holds the layer selector.
constexpr int kLayerSelectorSlot = 32;

// The camera movement, turn, tilt and lighting commands repeat while their button is held.
bool IsRepeatingCommand(UINT command);
