#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The entries of folders as stored names are matched against them. A read of many files (a
// layout whose objects name many missing files in one folder) would look through that folder
// again for every name; while listings are kept (one operation that reads data files), each
// folder is listed at most once, when a name is not found in it as written, and every later
// name is answered from its listing. Listings are kept under the folder's path as a path look-up
// reaches it, which names each folder one way whatever the stored name's spelling (CWinPath).
// A name the listing lacks is missing unless the folder changed since it was listed (another
// program wrote to it); however far ahead of the clock its stamp is, an unchanged folder is not
// listed again. The program's own writes call Forget.
class CFolderListings {
  public:
    struct Entry {
        std::string name;
        bool isFolder = false;
        // A link, whose folder has a path of its own.
        bool isLink = false;
    };

    // Starts or ends keeping listings; ending forgets what was kept.
    static void Keep(bool keep);
    // Forgets the listings kept so far, as after writing a file that may be read again.
    static void Forget();
    // The entry of folder that stands for a stored name, given as the file system writes it
    // (diskName) and in the program's text (storedName): the entry of that name, else the first
    // in byte order of those whose names differ from storedName only in case; nothing when none
    // does.
    static std::optional<Entry> Find(const std::filesystem::path& folder, const std::string& diskName,
                                     const std::string& storedName);
    // The real path of the folder a link leads to, as kept while listings are kept; a name that
    // passes through the same link again and again follows it once.
    static std::optional<std::filesystem::path> KnownLinkTarget(const std::filesystem::path& link);
    // Keeps where a link that was just followed leads.
    static void KeepLinkTarget(const std::filesystem::path& link, const std::filesystem::path& target);
    // How many times a link was followed since the program started.
    static unsigned long LinksFollowed();
    // Whether the path is a folder (a kept listing of it answers without asking the disk).
    static bool IsFolder(const std::filesystem::path& path);
    // How many times a folder was listed since the program started.
    static unsigned long ListingsMade();
};
