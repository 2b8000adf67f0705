#pragma once

#include <memory>

class CWnd;
class PixelSurface;

// What the screen shows of a top-level window: its own pixels, with the drag image laid over
// them when it is shown on this window. Hosts present this rather than the window's surface;
// it is the surface itself when nothing lies over it, else a copy.
std::shared_ptr<const PixelSurface> TopLevelPicture(const CWnd* topLevel);
