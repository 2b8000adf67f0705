#pragma once

#include <memory>

class CBitmap;
class CDC;

// Reads a .bmp file into a bitmap in the format of the device context (the screen's when it is
// null), with the wait cursor shown meanwhile. A file cut short inside its pixels still loads,
// the missing pixels black; null for a file that cannot be read or whose headers do not hold.
// Bitmaps read from one unchanged file share its picture, which is therefore never drawn into.
std::unique_ptr<CBitmap> LoadDibFile(CDC* dc, const char* path);
