#include "platform/base/CWinPath.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/base/CFolderListings.h"
#include "platform/base/FileSystemText.h"

namespace {

bool IsSeparator(char ch) {
    return ch == '\\' || ch == '/';
}

bool HasDrive(std::string_view path) {
    return path.size() >= 2 && path[1] == ':';
}

void Assign(CString* part, std::string_view text) {
    if (part) {
        *part = CString(text);
    }
}

std::vector<std::string> Components(std::string_view path) {
    std::vector<std::string> components;
    std::string current;
    for (char ch : path) {
        if (IsSeparator(ch)) {
            if (!current.empty()) {
                components.push_back(current);
            }
            current.clear();
        } else {
            current += ch;
        }
    }
    if (!current.empty()) {
        components.push_back(current);
    }
    return components;
}

std::filesystem::path StartFolder(std::string_view path, const std::filesystem::path& base) {
    if (HasDrive(path) || (!path.empty() && IsSeparator(path[0]))) {
        return "/";
    }
    if (!base.empty()) {
        return base;
    }
    std::error_code error;
    return std::filesystem::current_path(error);
}

// The real path of a stored name, and whether it names an entry on the disk: a "." or ".."
// step at its end is taken to name one.
struct ResolvedPath {
    std::filesystem::path real;
    bool exists = false;
};

// How many links one step of a stored name may pass through before it is taken for a loop, as
// the kernel counts them for one look-up.
constexpr int kMostLinksInAStep = 40;

bool FollowLink(std::filesystem::path& folder, const std::filesystem::path& link, int linksLeft);

// One component of a link's target, taken from folder, a real path; false when it leads to no
// folder.
bool StepInto(std::filesystem::path& folder, const std::filesystem::path& component, int linksLeft) {
    if (component.empty() || component == ".")
        return true;
    if (component == "..") {
        folder = folder.parent_path();
        return true;
    }
    std::filesystem::path next = folder / component;
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(next, error);
    if (error)
        return false;
    if (std::filesystem::is_symlink(status))
        return FollowLink(folder, next, linksLeft - 1);
    if (!std::filesystem::is_directory(status))
        return false;
    folder = std::move(next);
    return true;
}

// Moves folder, a real path, to the real path of the folder a link in it leads to. The target is
// walked from where the link lies, never from the root again, so that a name passing through
// many links costs in proportion to its steps however deep the folders are.
bool FollowLink(std::filesystem::path& folder, const std::filesystem::path& link, int linksLeft) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::read_symlink(link, error);
    if (error || linksLeft <= 0)
        return false;
    std::filesystem::path walked = target.is_absolute() ? target.root_path() : folder;
    for (const std::filesystem::path& component : target.relative_path())
        if (!StepInto(walked, component, linksLeft))
            return false;
    folder = std::move(walked);
    return true;
}

// The folder a walk along a stored name stands in, as its real path: "." steps left out, a ".."
// step taking back the folder entered before it, and a link replaced by the real path it leads
// to. Entries are looked up under this path, so that each folder is listed once however many
// spellings reach it.
std::filesystem::path RealFolder(const std::filesystem::path& start) {
    std::error_code error;
    std::filesystem::path real = std::filesystem::canonical(start, error);
    return error ? start : real;
}

void Enter(std::filesystem::path& folder, const CFolderListings::Entry& entry) {
    std::filesystem::path entered = folder / entry.name;
    if (entry.isLink) {
        if (std::optional<std::filesystem::path> known = CFolderListings::KnownLinkTarget(entered)) {
            folder = std::move(*known);
            return;
        }
        std::filesystem::path target = folder;
        if (FollowLink(target, entered, kMostLinksInAStep)) {
            CFolderListings::KeepLinkTarget(entered, target);
            folder = std::move(target);
            return;
        }
    }
    folder = std::move(entered);
}

ResolvedPath ResolvePath(const char* path, const std::filesystem::path& base) {
    std::string_view text = path ? path : "";
    ResolvedPath resolved{StartFolder(text, base)};
    if (HasDrive(text)) {
        text.remove_prefix(2);
    }
    std::filesystem::path folder = RealFolder(resolved.real);
    bool folderExists = CFolderListings::IsFolder(folder);
    resolved.exists = folderExists;
    for (const std::string& component : Components(text)) {
        if (component == "." || component == "..") {
            resolved.real /= component;
            resolved.exists = true;
            if (component == ".." && folderExists)
                folder = folder.parent_path();
            continue;
        }
        const std::filesystem::path written = DiskPath(component.c_str());
        if (written.empty())
            return {};
        const std::optional<CFolderListings::Entry> entry =
            folderExists ? CFolderListings::Find(folder, written.native(), component) : std::nullopt;
        resolved.real /= entry ? std::filesystem::path(entry->name) : written;
        resolved.exists = entry.has_value();
        folderExists = entry && entry->isFolder;
        if (folderExists)
            Enter(folder, *entry);
    }
    if (!text.empty() && IsSeparator(text.back()) && resolved.real.has_filename()) {
        resolved.real /= "";
    }
    return resolved;
}

// The stored form of a path written with slashes, as this system writes it: an absolute path
// gets the drive "C:", and slashes become backslashes.
CString StoredForm(std::string text) {
    const bool absolute = !text.empty() && text.front() == '/';
    std::replace(text.begin(), text.end(), '/', '\\');
    if (absolute)
        text.insert(0, "C:");
    return CString(std::move(text));
}

}  // namespace

void CWinPath::Split(const char* path, CString* drive, CString* folder, CString* name, CString* extension) {
    std::string_view rest = path ? path : "";
    Assign(drive, HasDrive(rest) ? rest.substr(0, 2) : std::string_view());
    if (HasDrive(rest)) {
        rest.remove_prefix(2);
    }
    size_t lastSeparator = rest.find_last_of("\\/");
    size_t nameStart = lastSeparator == std::string_view::npos ? 0 : lastSeparator + 1;
    Assign(folder, rest.substr(0, nameStart));
    rest.remove_prefix(nameStart);
    size_t point = rest.rfind('.');
    Assign(name, rest.substr(0, point));
    Assign(extension, point == std::string_view::npos ? std::string_view() : rest.substr(point));
}

CString CWinPath::ShownName(const char* path) {
    CString name;
    CString extension;
    Split(path, nullptr, nullptr, &name, &extension);
    const CString shown = name + extension;
    return shown.IsEmpty() ? Native(path ? path : "") : shown;
}

CString CWinPath::Make(const char* drive, const char* folder, const char* name, const char* extension) {
    CString path;
    if (drive && *drive) {
        path += drive[0];
        path += ':';
    }
    if (folder && *folder) {
        path += folder;
        if (!IsSeparator(path[path.GetLength() - 1])) {
            path += '\\';
        }
    }
    if (name) {
        path += name;
    }
    if (extension && *extension) {
        if (*extension != '.') {
            path += '.';
        }
        path += extension;
    }
    return path;
}

std::filesystem::path CWinPath::Resolve(const char* path, const std::filesystem::path& base) {
    return ResolvePath(path, base).real;
}

std::filesystem::path CWinPath::ResolveExisting(const char* path, const std::filesystem::path& base) {
    ResolvedPath resolved = ResolvePath(path, base);
    return resolved.exists ? std::move(resolved.real) : std::filesystem::path();
}

CString CWinPath::FromReal(const std::filesystem::path& real) {
    return StoredForm(PathText(real.generic_string()).str());
}

CString CWinPath::Native(const char* path, const std::filesystem::path& base) {
    std::string_view text = path ? path : "";
    if (text.find_first_of("\\/") == std::string_view::npos && !HasDrive(text))
        return CString(text);
    const std::filesystem::path real = Resolve(path, base);
    return real.empty() ? CString(text) : PathText(real.lexically_normal());
}

CString CWinPath::Stored(const char* path) {
    std::string_view text = path ? path : "";
    if (HasDrive(text) || text.find('\\') != std::string_view::npos)
        return CString(text);
    return StoredForm(std::string(text));
}
