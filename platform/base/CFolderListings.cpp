#include "platform/base/CFolderListings.h"

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>

#include "platform/base/FileStamp.h"
#include "platform/base/FolderOnDisk.h"
#include "platform/base/Windows1252.h"

namespace {

namespace fs = std::filesystem;

using EntryKind = FolderOnDisk::Kind;

// What is known of a folder's entries: by name, what each is, and once it is listed (complete),
// by their names in upper case the first entry in byte order that bears it.
struct Listing {
    bool complete = false;
    std::unordered_map<std::string, EntryKind> kinds;
    std::map<std::string, std::string> byUpperName;
    // The folder just before it was listed.
    std::optional<FileStamp> stamp;
};

// Where a link led, and the link's own state then.
struct KeptLink {
    CFolderListings::Folder* target = nullptr;
    FileStamp stamp;
    // The look-up that last saw the link in that state.
    unsigned long checkedIn = 0;
};

}  // namespace

struct CFolderListings::Folder {
    Folder* parent = nullptr;
    std::string name;
    // Known to be a folder on the disk.
    bool known = false;
    std::unordered_map<std::string, std::unique_ptr<Folder>> children;
    Listing listing;
    std::unordered_map<std::string, KeptLink> links;
};

namespace {

using Folder = CFolderListings::Folder;

struct Listings {
    bool keeping = false;
    unsigned long made = 0;
    unsigned long linksFollowed = 0;
    unsigned long lookUps = 0;
    std::unique_ptr<Folder> root;
    // The folders last looked at on the disk, held open, the latest first: the next is mostly one
    // of them or an entry of one.
    std::deque<std::pair<Folder*, FolderOnDisk>> opened;
};

Listings& State() {
    static Listings listings;
    return listings;
}

Folder* Root() {
    Listings& state = State();
    if (!state.root) {
        state.root = std::make_unique<Folder>();
        state.root->parent = state.root.get();
    }
    return state.root.get();
}

Folder* Child(Folder* folder, const std::string& name) {
    std::unique_ptr<Folder>& child = folder->children[name];
    if (!child) {
        child = std::make_unique<Folder>();
        child->parent = folder;
        child->name = name;
    }
    return child.get();
}

// The folder of a real path, which has no links and no "." or ".." steps.
Folder* FolderOfRealPath(const std::string& real) {
    Folder* folder = Root();
    size_t start = 0;
    while (start < real.size()) {
        const size_t end = std::min(real.find('/', start), real.size());
        if (end > start)
            folder = Child(folder, real.substr(start, end - start));
        start = end + 1;
    }
    return folder;
}

std::string RealPathOf(const Folder* folder) {
    std::vector<const std::string*> names;
    for (; folder->parent != folder; folder = folder->parent) names.push_back(&folder->name);
    std::string path;
    for (auto name = names.rbegin(); name != names.rend(); ++name) path += "/" + **name;
    return path.empty() ? "/" : path;
}

// How many folders are held open at most.
constexpr size_t kFoldersHeldOpen = 8;

const FolderOnDisk& HoldOpen(Folder* folder, FolderOnDisk onDisk) {
    auto& opened = State().opened;
    opened.emplace_front(folder, std::move(onDisk));
    if (opened.size() > kFoldersHeldOpen)
        opened.pop_back();
    return opened.front().second;
}

const FolderOnDisk& OnDisk(Folder* folder) {
    auto& opened = State().opened;
    const auto held = std::find_if(opened.begin(), opened.end(),
                                   [folder](const auto& open) { return open.first == folder; });
    if (held != opened.end())
        return held->second;
    const auto parent = std::find_if(opened.begin(), opened.end(),
                                     [folder](const auto& open) { return open.first == folder->parent; });
    const bool entryOfHeld = parent != opened.end() && folder != Root();
    return HoldOpen(
        folder, entryOfHeld ? parent->second.Child(folder->name) : FolderOnDisk::Open(RealPathOf(folder)));
}

std::string UpperAnsi(std::string ansi) {
    for (char& ch : ansi) ch = AnsiToUpper(ch);
    return ansi;
}

Listing ListFolder(const FolderOnDisk& folder) {
    ++State().made;
    Listing listing;
    listing.complete = true;
    listing.stamp = folder.Stamp();
    for (FolderOnDisk::Listed& entry : folder.List()) {
        listing.kinds.emplace(entry.name, entry.kind);
        std::string entryAnsi;
        if (!Utf8ToAnsi(entry.name, entryAnsi))
            continue;
        auto [kept, added] = listing.byUpperName.try_emplace(UpperAnsi(entryAnsi), entry.name);
        if (!added && entry.name < kept->second)
            kept->second = std::move(entry.name);
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

// Entries found by their exact names are kept without listing the folder, which a path through
// a large folder would otherwise cost; the first name not found so lists it.
std::optional<CFolderListings::Entry> FindBeforeListing(Folder* folder, const std::string& wanted,
                                                        const std::string& storedName) {
    Listing& listing = folder->listing;
    if (const auto known = listing.kinds.find(wanted); known != listing.kinds.end())
        return EntryOf(wanted, known->second);
    if (const auto exact = OnDisk(folder).KindOf(wanted)) {
        listing.kinds.emplace(wanted, *exact);
        return EntryOf(wanted, *exact);
    }
    listing = ListFolder(OnDisk(folder));
    return FindInListing(listing, wanted, storedName);
}

Folder* FollowLink(Folder* folder, const std::string& name) {
    Listings& state = State();
    const auto kept = folder->links.find(name);
    if (kept != folder->links.end() && kept->second.checkedIn == state.lookUps)
        return kept->second.target;
    const std::optional<FileStamp> stamp = OnDisk(folder).LinkStamp(name);
    if (kept != folder->links.end() && stamp == kept->second.stamp) {
        kept->second.checkedIn = state.lookUps;
        return kept->second.target;
    }
    ++state.linksFollowed;
    FolderOnDisk leadsTo = OnDisk(folder).Child(name);
    const std::optional<std::string> real = leadsTo.RealPath();
    Folder* target = real ? FolderOfRealPath(*real) : nullptr;
    if (target) {
        target->known = true;
        HoldOpen(target, std::move(leadsTo));
    }
    if (stamp)
        folder->links.insert_or_assign(name, KeptLink{target, *stamp, state.lookUps});
    return target;
}

}  // namespace

void CFolderListings::Keep(bool keep) {
    State().keeping = keep;
    Forget();
}

void CFolderListings::Forget() {
    Listings& state = State();
    state.opened.clear();
    state.root.reset();
}

Folder* CFolderListings::StartAt(const fs::path& real) {
    Listings& state = State();
    ++state.lookUps;
    Folder* folder = FolderOfRealPath(real.native());
    if (!folder->known)
        folder->known = OnDisk(folder).IsOpen();
    return folder->known ? folder : nullptr;
}

void CFolderListings::EndLookUp() {
    if (!State().keeping)
        Forget();
}

std::optional<CFolderListings::Entry> CFolderListings::Find(Folder* folder, const std::string& diskName,
                                                            const std::string& storedName) {
    Listing& listing = folder->listing;
    if (!listing.complete)
        return FindBeforeListing(folder, diskName, storedName);
    if (auto found = FindInListing(listing, diskName, storedName))
        return found;
    if (listing.stamp == OnDisk(folder).Stamp())
        return std::nullopt;
    // Another program wrote to the folder since it was listed.
    listing = ListFolder(OnDisk(folder));
    return FindInListing(listing, diskName, storedName);
}

int CFolderListings::OpenEntry(Folder* folder, const std::string& name, int flags) {
    return OnDisk(folder).OpenEntry(name, flags);
}

Folder* CFolderListings::Enter(Folder* folder, const Entry& entry) {
    if (entry.isLink)
        return FollowLink(folder, entry.name);
    Folder* child = Child(folder, entry.name);
    child->known = true;
    return child;
}

Folder* CFolderListings::Parent(Folder* folder) {
    return folder->parent;
}

unsigned long CFolderListings::ListingsMade() {
    return State().made;
}

unsigned long CFolderListings::LinksFollowed() {
    return State().linksFollowed;
}
