#pragma once

class CBitmap;
class CPalette;

// Reads a .bmp file into a bitmap for the screen and, when palette is given and the file has
// at most 256 colour-table entries, a palette of those colours. Every header field is checked
// against the file's size first: 1 on success; 0, with bitmap and palette untouched, for a file
// that cannot be read, is no bitmap or does not hold what its headers promise.
int LoadBitmapFile(const char* path, CBitmap& bitmap, CPalette* palette);
