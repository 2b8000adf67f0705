#pragma once

#include <span>

#include "platform/base/CProfile.h"
#include "platform/base/CString.h"

// The program's data folders: each is a sub-folder of the program folder, or, when that cannot be
// entered, the folder stored under its key in the profile section "Paths".
class CDataFolders {
  public:
    enum Folder {
        Backdrops,
        Databases,
        Libraries,
        Patterns,
        Bitmaps,
        Bitmaps3D,
        Textures,
        Textures3D,
        Scripts,
        Trains,
        FolderCount
    };

    struct Entry {
        const char* key;        // in the profile section "Paths"
        const char* subFolder;  // under the program folder
    };

    // The ten folders in the order above.
    static std::span<const Entry> Table();

    // The program folder in stored form, ending in a backslash, as the main window recorded it
    // (empty until then).
    static CString GetBaseFolder();
    static void SetBaseFolder(const CString& folder);

    // Adds a trailing backslash to folder when it has none (the caller's text changes), then
    // answers 1 when the folder exists and can be entered, else 0; 0 for an empty text. A relative
    // folder is taken from the working folder, which stays as it is.
    static int FolderExists(CString& folder);

    // The folder to use for one of the ten, ending in a backslash when it exists: the program
    // folder's sub-folder when it can be entered, else the profile's "Paths" value with that
    // sub-folder as default. An unknown folder or key gives an empty text.
    static CString GetDataFolder(Folder folder, const CProfile& profile = CProfile::Program());
    static CString GetDataFolder(const char* key, const CProfile& profile = CProfile::Program());

    // The name and extension of a stored path, without its folder: what is looked for in the
    // data folders when the path itself leads to no file.
    static CString BareName(const CString& path);
};
