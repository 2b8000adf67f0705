#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/base/FileStamp.h"

// A folder held open, so that its entries are looked at from it: the system then walks one step
// for each, never the folder's whole path again, and a name deep in folders costs in proportion
// to its depth.
class FolderOnDisk {
  public:
    // What an entry is itself: a link is neither folder nor file until it is followed (Child),
    // which costs the system a walk along its target.
    struct Kind {
        bool isFolder = false;
        bool isLink = false;
    };
    struct Listed {
        std::string name;
        Kind kind;
    };

    FolderOnDisk() = default;
    FolderOnDisk(FolderOnDisk&& other) noexcept;
    FolderOnDisk& operator=(FolderOnDisk&& other) noexcept;
    FolderOnDisk(const FolderOnDisk&) = delete;
    FolderOnDisk& operator=(const FolderOnDisk&) = delete;
    ~FolderOnDisk();

    // The folder at a real, absolute path; closed when there is none.
    static FolderOnDisk Open(const std::string& path);
    // The folder an entry names, through a link as the system follows it; closed when there is none.
    FolderOnDisk Child(const std::string& name) const;
    bool IsOpen() const { return m_descriptor >= 0; }

    // What an entry is; nothing when there is no such entry.
    std::optional<Kind> KindOf(const std::string& name) const;
    // The state of a link itself, not of what it leads to.
    std::optional<FileStamp> LinkStamp(const std::string& name) const;
    std::optional<FileStamp> Stamp() const;
    std::vector<Listed> List() const;
    // A descriptor of the entry opened from this folder with open's flags; -1 when it cannot be.
    int OpenEntry(const std::string& name, int flags) const;
    // The folder's real path, as the system names it.
    std::optional<std::string> RealPath() const;

    // How many path steps look-ups handed the system to walk since the program started.
    static unsigned long StepsAsked();

  private:
    explicit FolderOnDisk(int descriptor) : m_descriptor(descriptor) {}
    std::optional<struct stat> StatusOf(const std::string& name, int flags) const;

    int m_descriptor = -1;
};
