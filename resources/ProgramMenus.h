#pragma once

#include "platform/base/WinTypes.h"

// The menu of the main window without a layout, the menu of the layout windows and the plan
// view's context menu.
enum MenuId : UINT {
    IDR_MAINFRAME_MENU = 128,
    IDR_LAYOUT_MENU = 129,
    IDR_CONTEXT_MENU = 104,
};

void RegisterProgramMenus();
