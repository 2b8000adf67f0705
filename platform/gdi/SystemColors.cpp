#include "platform/gdi/SystemColors.h"

#include <array>
#include <memory>

#include "platform/gdi/CBrush.h"

namespace {
constexpr std::array<COLORREF, 25> kColors = {
    RGB(192, 192, 192),  // scroll bar
    RGB(0, 128, 128),    // desktop
    RGB(0, 0, 128),      // active caption
    RGB(128, 128, 128),  // inactive caption
    RGB(192, 192, 192),  // menu
    RGB(255, 255, 255),  // window
    RGB(0, 0, 0),        // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(255, 255, 255),  // caption text
    RGB(192, 192, 192),  // active border
    RGB(192, 192, 192),  // inactive border
    RGB(128, 128, 128),  // application workspace
    RGB(0, 0, 128),      // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(192, 192, 192),  // button face
    RGB(128, 128, 128),  // button shadow
    RGB(128, 128, 128),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(192, 192, 192),  // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(0, 0, 0),        // 3D dark shadow
    RGB(223, 223, 223),  // 3D light
    RGB(0, 0, 0),        // tool tip text
    RGB(255, 255, 225),  // tool tip background
};
}

COLORREF GetSysColor(int index) {
    if (index < 0 || index >= static_cast<int>(kColors.size()))
        return 0;
    return kColors[index];
}

CBrush* GetSysColorBrush(int index) {
    static std::array<std::unique_ptr<CBrush>, kColors.size()> brushes;
    if (index < 0 || index >= static_cast<int>(kColors.size()))
        return nullptr;
    if (!brushes[index])
        brushes[index] = std::make_unique<CBrush>(kColors[index]);
    return brushes[index].get();
}
