#pragma once

#include <filesystem>
#include "platform/base/CString.h"

// Where the program's Windows-1252 text meets the file system's UTF-8 names; every path the
// program holds as text passes through these on its way to the system and back.
//
// A name whose UTF-8 holds a character the code page lacks is shown with a '?' in its place.
// No Windows name may hold a '?', so a text with one names no file: it gives an empty path,
// which every file-system call treats as missing. Such a file is listed but never opened, and
// neither is another file whose name has a real '?' where the unknown character stood.

// The file-system path a program text names; empty when it names no file (or is null).
std::filesystem::path DiskPath(const char* text);

// The program text of a file-system path (or of any UTF-8 text the system hands over).
CString PathText(const std::filesystem::path& path);
