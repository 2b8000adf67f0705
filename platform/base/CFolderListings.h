#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The entries of folders as stored names are matched against them. A read of many files (a
// layout whose objects name many missing files in one folder) would look through that folder
// again for every name; while listings are kept (one operation that reads data files), each
// folder is listed at most once, when a name is not found in it as written, and every later
// name is answered from its listing. A name the listing lacks costs one look at the folder's
// stamp: a folder changed since is listed again.
class CFolderListings {
  public:
    struct Entry {
        std::string name;
        bool isFolder = false;
    };

    // Starts or ends keeping listings; ending forgets what was kept.
    static void Keep(bool keep);
    // Forgets the listings kept so far, as after writing a file that may be read again.
    static void Forget();
    // The entry of folder that stands for the stored name (in the program's text): the entry of
    // that name, else the first in byte order of those that differ from it only in case; nothing
    // when none does.
    static std::optional<Entry> Find(const std::filesystem::path& folder, const std::string& storedName);
    // Whether the path is a folder (a kept listing of it answers without asking the disk).
    static bool IsFolder(const std::filesystem::path& path);
    // How many times a folder was listed since the program started.
    static unsigned long ListingsMade();
};
