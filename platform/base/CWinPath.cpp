#include "platform/base/CWinPath.h"

#include <fcntl.h>

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
    // The folder the last step was found in, and the entry's name there; no folder when the
    // name ends in a "." or ".." step.
    CFolderListings::Folder* holder = nullptr;
    std::string entryName;
};

// The folder a walk along a stored name starts in, as the tree of folders knows it: its real
// path, without links and "." or ".." steps; nothing when there is no such folder.
CFolderListings::Folder* StartingFolder(const std::filesystem::path& start) {
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(start, error);
    return error ? nullptr : CFolderListings::StartAt(real);
}

// Adds a step to a path as text, as a path's "/=" would: the text grows by the step alone, so
// that a long name costs in proportion to its length.
void Append(std::string& path, const std::string& step) {
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += step;
}

ResolvedPath WalkPath(const char* path, const std::filesystem::path& base) {
    std::string_view text = path ? path : "";
    const std::filesystem::path start = StartFolder(text, base);
    if (HasDrive(text)) {
        text.remove_prefix(2);
    }
    std::string real = start.native();
    CFolderListings::Folder* folder = StartingFolder(start);
    bool exists = folder != nullptr;
    CFolderListings::Folder* holder = nullptr;
    std::string entryName;
    for (const std::string& component : Components(text)) {
        holder = nullptr;
        if (component == "." || component == "..") {
            Append(real, component);
            exists = true;
            if (component == ".." && folder)
                folder = CFolderListings::Parent(folder);
            continue;
        }
        const std::filesystem::path written = DiskPath(component.c_str());
        if (written.empty())
            return {};
        const std::optional<CFolderListings::Entry> entry =
            folder ? CFolderListings::Find(folder, written.native(), component) : std::nullopt;
        Append(real, entry ? entry->name : written.native());
        exists = entry.has_value();
        if (entry) {
            holder = folder;
            entryName = entry->name;
        }
        folder =
            entry && (entry->isFolder || entry->isLink) ? CFolderListings::Enter(folder, *entry) : nullptr;
    }
    if (!text.empty() && IsSeparator(text.back()) && !real.empty() && real.back() != '/') {
        real += '/';
    }
    return {std::move(real), exists, holder, std::move(entryName)};
}

ResolvedPath ResolvePath(const char* path, const std::filesystem::path& base) {
    ResolvedPath resolved = WalkPath(path, base);
    CFolderListings::EndLookUp();
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

int CWinPath::OpenExisting(const char* path, int flags, const std::filesystem::path& base) {
    const ResolvedPath resolved = WalkPath(path, base);
    int descriptor = -1;
    if (resolved.holder)
        descriptor = CFolderListings::OpenEntry(resolved.holder, resolved.entryName, flags);
    else if (resolved.exists)
        descriptor = open(resolved.real.c_str(), flags | O_CLOEXEC);
    CFolderListings::EndLookUp();
    return descriptor;
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
