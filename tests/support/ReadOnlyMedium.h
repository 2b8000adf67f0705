#pragma once

#include <sched.h>
#include <sys/mount.h>

#include <filesystem>

// The folder becomes a read-only medium while this lasts: it is mounted read-only over itself
// in a mount namespace of the calling thread's own, so nothing outside the test sees it.
// Mounting needs the administrator's capability; Mounted() tells whether it was granted.
class ReadOnlyMedium {
  public:
    explicit ReadOnlyMedium(const std::filesystem::path& folder) : m_folder(folder) {
        m_mounted = unshare(CLONE_NEWNS) == 0 &&
                    mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                    mount(m_folder.c_str(), m_folder.c_str(), nullptr, MS_BIND, nullptr) == 0;
        if (m_mounted &&
            mount(nullptr, m_folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
            umount2(m_folder.c_str(), MNT_DETACH);
            m_mounted = false;
        }
    }
    ReadOnlyMedium(const ReadOnlyMedium&) = delete;
    ReadOnlyMedium& operator=(const ReadOnlyMedium&) = delete;
    ~ReadOnlyMedium() {
        if (m_mounted)
            umount2(m_folder.c_str(), MNT_DETACH);
    }

    bool Mounted() const { return m_mounted; }

  private:
    std::filesystem::path m_folder;
    bool m_mounted = false;
};
