#pragma once

#include <filesystem>

#include "platform/base/CString.h"

// Path names in the form the program stores them (".\BACKDROPS\", "SCRIPTS\", "C:\DATA\x.bmp"):
// split and joined as the runtime's path functions do, and resolved onto the real, case-sensitive
// file system.
class CWinPath {
  public:
    // Splits as _splitpath does: the drive ("C:"), the folder up to and including its last
    // separator, the name, and the extension from the name's last point on. Any part may be null.
    static void Split(const char* path, CString* drive, CString* folder, CString* name, CString* extension);

    // What a message shows of a stored path: its name and extension, or the whole path as this
    // system writes it (Native) when that names no file (a folder, "C:\DATA\"), so that no
    // message goes without a name.
    static CString ShownName(const char* path);

    // Joins as _makepath does: the drive's first letter and a colon, the folder with a backslash
    // added when it ends in no separator, the name, and the extension with a point added when it
    // lacks one. Null or empty parts are left out.
    static CString Make(const char* drive, const char* folder, const char* name, const char* extension);

    // The real path of a stored name. Backslashes become slashes; a drive ("C:") stands for the
    // file-system root; a relative name is taken from base, or from the working folder when base is
    // empty. Each component is matched against the disk: an exact match wins, else the first
    // (in byte order) that differs only in case; a component that does not exist stays as written,
    // so that a new file can be made. A trailing separator is kept. A name with a component the
    // program's text cannot spell (DiskPath) names no file: the path is empty.
    static std::filesystem::path Resolve(const char* path, const std::filesystem::path& base = {});
    // The same for a name that names a file or folder on the disk; empty for one that does not.
    // While folder listings are kept (CFolderListings), it answers from them.
    static std::filesystem::path ResolveExisting(const char* path, const std::filesystem::path& base = {});

    // A descriptor of the file or folder a stored name names, opened with open's flags from the
    // folder it was found in as ResolveExisting finds it, so that the entry opened is the one
    // found even when the folder was replaced since; -1 when there is none or it cannot be opened.
    static int OpenExisting(const char* path, int flags, const std::filesystem::path& base = {});

    // The stored form of a real path: an absolute path gets the drive "C:", and slashes become
    // backslashes ("/opt/x/" gives "C:\opt\x\").
    static CString FromReal(const std::filesystem::path& real);

    // A path as this system writes it, for the user and the file dialogs: the real path of a
    // stored name (as Resolve finds it, without "." and ".." steps), in the program's text. A
    // name without a folder (one the program looks up in its data folders) and an empty text
    // stay as they are, and so does a name that names no file. A real path is given back
    // unchanged, so the text may be in either form.
    // A relative path is taken from base as in Resolve.
    static CString Native(const char* path, const std::filesystem::path& base = {});

    // The stored form of a path the user gave as this system writes it (FromReal); a text
    // already in the stored form, with a drive or a backslash, stays as it is.
    static CString Stored(const char* path);
};
