#include "platform/base/CFolderListings.h"

#include <ctime>
#include <map>
#include <optional>
#include <system_error>
#include <unordered_map>

#include "platform/base/FileStamp.h"
#include "platform/base/FileSystemText.h"
#include "platform/base/Windows1252.h"

namespace {

namespace fs = std::filesystem;

// What is known of a folder's entries: by name, whether each is a folder, and once it is listed
// (complete), by their names in upper case the first entry in byte order that bears it.
struct Listing {
    bool complete = false;
    std::unordered_map<std::string, bool> isFolder;
    std::map<std::string, std::string> byUpperName;
    // The folder as it was listed; nothing when it changed within the file system's clock tick
    // of the listing, as it may then change again without a new stamp.
    std::optional<FileStamp> stamp;
};

struct Listings {
    bool keeping = false;
    unsigned long made = 0;
    std::unordered_map<std::string, Listing> kept;
};

Listings& State() {
    static Listings listings;
    return listings;
}

std::string UpperAnsi(std::string ansi) {
    for (char& ch : ansi) ch = AnsiToUpper(ch);
    return ansi;
}

bool IsFolderOnDisk(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

Listing ListFolder(const fs::path& folder) {
    ++State().made;
    Listing listing;
    listing.complete = true;
    const std::timespec listedAt = FileStamp::FileClockNow();
    listing.stamp = FileStamp::Of(folder);
    if (listing.stamp && !listing.stamp->IsOlderThan(listedAt))
        listing.stamp.reset();
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        std::string entryName = entry.path().filename().string();
        std::error_code typeError;
        listing.isFolder.emplace(entryName, entry.is_directory(typeError));
        std::string entryAnsi;
        if (!Utf8ToAnsi(entryName, entryAnsi))
            continue;
        auto [kept, added] = listing.byUpperName.try_emplace(UpperAnsi(entryAnsi), entryName);
        if (!added && entryName < kept->second)
            kept->second = std::move(entryName);
    }
    return listing;
}

std::optional<CFolderListings::Entry> FindInListing(const Listing& listing, const std::string& wanted,
                                                    const std::string& storedName) {
    if (const auto exact = listing.isFolder.find(wanted); exact != listing.isFolder.end())
        return CFolderListings::Entry{wanted, exact->second};
    const auto match = listing.byUpperName.find(UpperAnsi(storedName));
    if (match == listing.byUpperName.end())
        return std::nullopt;
    return CFolderListings::Entry{match->second, listing.isFolder.at(match->second)};
}

bool IsCurrent(const Listing& listing, const fs::path& folder) {
    return listing.stamp && listing.stamp == FileStamp::Of(folder);
}

// An exact name needs no listing of the folder.
std::optional<CFolderListings::Entry> ExactEntry(const fs::path& folder, const std::string& wanted) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(folder / wanted, error)))
        return std::nullopt;
    return CFolderListings::Entry{wanted, IsFolderOnDisk(folder / wanted)};
}

std::optional<CFolderListings::Entry> FindOnDisk(const fs::path& folder, const std::string& wanted,
                                                 const std::string& storedName) {
    if (auto exact = ExactEntry(folder, wanted))
        return exact;
    const Listing listing = ListFolder(folder);
    const auto match = listing.byUpperName.find(UpperAnsi(storedName));
    if (match == listing.byUpperName.end())
        return std::nullopt;
    return CFolderListings::Entry{match->second, IsFolderOnDisk(folder / match->second)};
}

// Entries found by their exact names are kept without listing the folder, which a path through
// a large folder would otherwise cost; the first name not found so lists it.
std::optional<CFolderListings::Entry> FindBeforeListing(Listing& listing, const fs::path& folder,
                                                        const std::string& wanted,
                                                        const std::string& storedName) {
    if (const auto known = listing.isFolder.find(wanted); known != listing.isFolder.end())
        return CFolderListings::Entry{wanted, known->second};
    if (auto exact = ExactEntry(folder, wanted)) {
        listing.isFolder.emplace(wanted, exact->isFolder);
        return exact;
    }
    listing = ListFolder(folder);
    return FindInListing(listing, wanted, storedName);
}

}  // namespace

void CFolderListings::Keep(bool keep) {
    State().keeping = keep;
    Forget();
}

void CFolderListings::Forget() {
    State().kept.clear();
}

std::optional<CFolderListings::Entry> CFolderListings::Find(const fs::path& folder,
                                                            const std::string& storedName) {
    const std::string wanted = DiskPath(storedName.c_str()).string();
    Listings& state = State();
    if (!state.keeping)
        return FindOnDisk(folder, wanted, storedName);
    Listing& listing = state.kept[folder.native()];
    if (!listing.complete)
        return FindBeforeListing(listing, folder, wanted, storedName);
    if (auto found = FindInListing(listing, wanted, storedName))
        return found;
    // A name the listing lacks may have come since: the folder is listed again when it changed.
    if (IsCurrent(listing, folder))
        return std::nullopt;
    listing = ListFolder(folder);
    return FindInListing(listing, wanted, storedName);
}

bool CFolderListings::IsFolder(const fs::path& path) {
    const Listings& state = State();
    return (state.keeping && state.kept.contains(path.native())) || IsFolderOnDisk(path);
}

unsigned long CFolderListings::ListingsMade() {
    return State().made;
}
