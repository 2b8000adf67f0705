#include "shell/CommandIcons.h"

#include "platform/gdi/PixelSurface.h"

void DrawCommandIcon(PixelSurface& strip, int left, UINT) {
    for (int x = 2; x < 14; ++x)
        for (int y = 2; y < 13; ++y)
            strip.Set(left + x, y, (x == 2 || x == 13 || y == 2 || y == 12) ? 0x000000 : 0xFFFFFF);
}
