#pragma once

#include <filesystem>
#include <system_error>

// Where the program keeps what it can make again (pictures past the memory budget), and whose
// each folder there is.

// $XDG_CACHE_HOME, else ~/.cache, as the environment says now. With neither, a folder of the
// user's own in the temporary folder, of mode 700: one another user made is not taken.
std::filesystem::path UserCacheHome();

// This process's own folder in the parent (mode 700, made anew when the user cleared it
// meanwhile), marked live by an advisory lock the process holds for its whole life, which the
// system lets go however the process ends. The first time a parent is asked for, every folder
// in it whose lock no one holds, left by a process that ended without cleaning up, is removed
// (and one an older build named by the number of a process no longer running, with no lock):
// a lock tells across process namespaces and across machines sharing one home, where a process
// number does not. Empty, with the reason, when the folder cannot be made. The folders go when
// the process ends normally. A folder whose name leads elsewhere now (a link put in its place) is
// given up, and another made.
std::filesystem::path LiveCacheFolder(const std::filesystem::path& parent, std::error_code& error);

// The file of that name (no path) in a folder LiveCacheFolder gave, opened with the flags through
// the folder this process holds, wherever its name leads now, and never through a link; -1, with
// the reason, when it cannot be opened.
int OpenInLiveCacheFolder(const std::filesystem::path& folder, const char* name, int flags,
                          std::error_code& error);
