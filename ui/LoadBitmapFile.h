#pragma once

#include <memory>

#include "platform/base/CString.h"

class CBitmap;
class CPalette;

// Reads a .bmp file into a bitmap for the screen and, when palette is given and the file has
// at most 256 colour-table entries, a palette of those colours. Every header field is checked
// against the file's size first: 1 on success; 0, with bitmap and palette untouched, for a file
// that cannot be read, is no bitmap or does not hold what its headers promise.
int LoadBitmapFile(const char* path, CBitmap& bitmap, CPalette* palette);

// A picture of one of the program's data folders, read by LoadDibFile (the wait cursor shows
// meanwhile, and a file cut short inside its pixels loads, the rest black): the name itself,
// then the program folder's sub-folder (dataFolder, such as "BITMAPS\\") with the name's file
// name and extension, then the folder stored under profileKey in the profile section "Paths".
// The name becomes the path that worked. Null when none did, after the message "Could not read
// file" and the name unless report is false.
std::unique_ptr<CBitmap> LoadBitmapFile(CString& name, const char* profileKey, const char* dataFolder,
                                        bool report = true);
