#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The folders stored names are matched against, kept as a tree of their real paths. A read of
// many files (a layout whose objects name many missing files in one folder) would look through
// a folder again for every name; while listings are kept (one operation that reads data files),
// each folder is listed at most once, when a name is not found in it as written, and every later
// name is answered from its listing. Each folder has one place in the tree whatever the stored
// name's spelling ("." and ".." steps, links), and a step from a folder to an entry of it costs
// the same however deep the folder lies. A name the listing lacks is missing unless the folder
// changed since it was listed (another program wrote to it); however far ahead of the clock its
// stamp is, an unchanged folder is not listed again. The program's own writes call Forget.
// Where a link leads is kept too, and looked at again once in each later look-up that passes
// through it: a link another program turned elsewhere is followed anew.
class CFolderListings {
  public:
    struct Entry {
        std::string name;
        bool isFolder = false;
        // A link, which may lead to a folder elsewhere in the tree (Enter follows it).
        bool isLink = false;
    };
    // A folder of the tree; it lives until the listings are forgotten.
    struct Folder;

    // Starts or ends keeping listings; ending forgets what was kept.
    static void Keep(bool keep);
    // Forgets the listings kept so far, as after writing a file that may be read again.
    static void Forget();
    // Starts the look-up of a stored name at the folder of a real, absolute path without links;
    // nothing when no folder is there.
    static Folder* StartAt(const std::filesystem::path& real);
    // Ends a look-up. While listings are not kept, it forgets what the look-up found and lets go
    // of the folder it held open, so that no folder stays held (a disk stays free to unmount).
    static void EndLookUp();
    // The entry of folder that stands for a stored name, given as the file system writes it
    // (diskName) and in the program's text (storedName): the entry of that name, else the first
    // in byte order of those whose names differ from storedName only in case; nothing when none
    // does.
    static std::optional<Entry> Find(Folder* folder, const std::string& diskName,
                                     const std::string& storedName);
    // A descriptor of an entry found in folder, opened from the folder it was found in (held
    // open), not along its path again; -1 when it cannot be opened.
    static int OpenEntry(Folder* folder, const std::string& name, int flags);
    // The folder an entry of folder that is a folder or a link leads to; nothing for a link that
    // leads to no folder.
    static Folder* Enter(Folder* folder, const Entry& entry);
    // The folder that holds folder; the root holds itself.
    static Folder* Parent(Folder* folder);
    // How many times a link was followed since the program started.
    static unsigned long LinksFollowed();
    // How many times a folder was listed since the program started.
    static unsigned long ListingsMade();
};
