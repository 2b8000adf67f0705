#include "platform/base/CFolderListings.h"

#include <map>
#include <optional>
#include <system_error>
#include <unordered_map>

#include "platform/base/FileStamp.h"
#include "platform/base/Windows1252.h"

namespace {

namespace fs = std::filesystem;

struct EntryKind {
    bool isFolder = false;
    bool isLink = false;
};

// What is known of a folder's entries: by name, what each is, and once it is listed (complete),
// by their names in upper case the first entry in byte order that bears it.
struct Listing {
    bool complete = false;
    std::unordered_map<std::string, EntryKind> kinds;
    std::map<std::string, std::string> byUpperName;
    // The folder just before it was listed.
    std::optional<FileStamp> stamp;
};

struct Listings {
    bool keeping = false;
    unsigned long made = 0;
    unsigned long linksFollowed = 0;
    std::unordered_map<std::string, Listing> kept;
    // By a link's path, the real path of the folder it leads to.
    std::unordered_map<std::string, fs::path> linkTargets;
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

EntryKind KindOf(const fs::directory_entry& entry) {
    std::error_code error;
    return {entry.is_directory(error), entry.is_symlink(error)};
}

Listing ListFolder(const fs::path& folder) {
    ++State().made;
    Listing listing;
    listing.complete = true;
    listing.stamp = FileStamp::Of(folder);
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        std::string entryName = entry.path().filename().string();
        listing.kinds.emplace(entryName, KindOf(entry));
        std::string entryAnsi;
        if (!Utf8ToAnsi(entryName, entryAnsi))
            continue;
        auto [kept, added] = listing.byUpperName.try_emplace(UpperAnsi(entryAnsi), entryName);
        if (!added && entryName < kept->second)
            kept->second = std::move(entryName);
    }
    return listing;
}

CFolderListings::Entry EntryOf(const std::string& name, const EntryKind& kind) {
    return {name, kind.isFolder, kind.isLink};
}

std::optional<CFolderListings::Entry> FindInListing(const Listing& listing, const std::string& wanted,
                                                    const std::string& storedName) {
    if (const auto exact = listing.kinds.find(wanted); exact != listing.kinds.end())
        return EntryOf(wanted, exact->second);
    const auto match = listing.byUpperName.find(UpperAnsi(storedName));
    if (match == listing.byUpperName.end())
        return std::nullopt;
    return EntryOf(match->second, listing.kinds.at(match->second));
}

// An exact name needs no listing of the folder.
std::optional<EntryKind> ExactKind(const fs::path& folder, const std::string& wanted) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(folder / wanted, error);
    if (!fs::exists(status))
        return std::nullopt;
    return EntryKind{fs::is_directory(status) || (fs::is_symlink(status) && IsFolderOnDisk(folder / wanted)),
                     fs::is_symlink(status)};
}

std::optional<CFolderListings::Entry> FindOnDisk(const fs::path& folder, const std::string& wanted,
                                                 const std::string& storedName) {
    if (const auto exact = ExactKind(folder, wanted))
        return EntryOf(wanted, *exact);
    return FindInListing(ListFolder(folder), wanted, storedName);
}

// Entries found by their exact names are kept without listing the folder, which a path through
// a large folder would otherwise cost; the first name not found so lists it.
std::optional<CFolderListings::Entry> FindBeforeListing(Listing& listing, const fs::path& folder,
                                                        const std::string& wanted,
                                                        const std::string& storedName) {
    if (const auto known = listing.kinds.find(wanted); known != listing.kinds.end())
        return EntryOf(wanted, known->second);
    if (const auto exact = ExactKind(folder, wanted)) {
        listing.kinds.emplace(wanted, *exact);
        return EntryOf(wanted, *exact);
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
    State().linkTargets.clear();
}

std::optional<CFolderListings::Entry> CFolderListings::Find(const fs::path& folder,
                                                            const std::string& diskName,
                                                            const std::string& storedName) {
    Listings& state = State();
    if (!state.keeping)
        return FindOnDisk(folder, diskName, storedName);
    Listing& listing = state.kept[folder.native()];
    if (!listing.complete)
        return FindBeforeListing(listing, folder, diskName, storedName);
    if (auto found = FindInListing(listing, diskName, storedName))
        return found;
    if (listing.stamp == FileStamp::Of(folder))
        return std::nullopt;
    // Another program wrote to the folder since it was listed.
    listing = ListFolder(folder);
    return FindInListing(listing, diskName, storedName);
}

bool CFolderListings::IsFolder(const fs::path& path) {
    const Listings& state = State();
    return (state.keeping && state.kept.contains(path.native())) || IsFolderOnDisk(path);
}

unsigned long CFolderListings::ListingsMade() {
    return State().made;
}

std::optional<fs::path> CFolderListings::KnownLinkTarget(const fs::path& link) {
    const Listings& state = State();
    const auto known = state.linkTargets.find(link.native());
    if (known == state.linkTargets.end())
        return std::nullopt;
    return known->second;
}

void CFolderListings::KeepLinkTarget(const fs::path& link, const fs::path& target) {
    Listings& state = State();
    ++state.linksFollowed;
    if (state.keeping)
        state.linkTargets.insert_or_assign(link.native(), target);
}

unsigned long CFolderListings::LinksFollowed() {
    return State().linksFollowed;
}
