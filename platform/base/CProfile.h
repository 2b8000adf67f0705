#pragma once

#include <filesystem>
#include <mutex>
#include <optional>

#include "platform/base/CIniDocument.h"
#include "platform/base/CString.h"
#include "platform/base/FileStamp.h"
#include "platform/base/WinTypes.h"

// The program's private profile: an INI file of [sections] holding key=value lines. Sections and
// keys are found without regard to case, values come back as they were written, and comments and
// lines the profile does not understand are kept when it rewrites the file. Every read sees the
// file as it is now, but the file is read and parsed again only when its stamp changed on disk
// (another program wrote it); every write replaces the whole file atomically and keeps what it
// wrote, so that the program's own writes cost no read.
class CProfile {
  public:
    explicit CProfile(std::filesystem::path file = DefaultPath());

    // $XDG_CONFIG_HOME/corvane/corvane.ini, with ~/.config when XDG_CONFIG_HOME is unset.
    static std::filesystem::path DefaultPath();
    // The profile the program reads and writes; tests point it at a file of their own.
    static CProfile& Program();

    void SetPath(std::filesystem::path file);
    const std::filesystem::path& GetPath() const { return m_path; }

    CString GetProfileString(const char* section, const char* key, const char* defaultValue = "") const;
    // The value's leading number as atoi reads it; the default when the key is missing.
    UINT GetProfileInt(const char* section, const char* key, int defaultValue) const;

    // A null value removes the key, a null key the whole section. FALSE when the file cannot be
    // written or a name or value would not survive in it (a line break, a '=' in a key, a ']' in
    // a section); the file is then unchanged.
    BOOL WriteProfileString(const char* section, const char* key, const char* value);
    BOOL WriteProfileInt(const char* section, const char* key, int value);

    // How often the file has been read from the disk.
    unsigned DiskReads() const;

  private:
    // The parsed file as it is now; the caller holds m_mutex.
    const CIniDocument& Document() const;
    void ReadFromDisk() const;

    std::filesystem::path m_path;
    mutable std::mutex m_mutex;
    mutable CIniDocument m_document;
    mutable std::optional<FileStamp> m_stamp;
    mutable bool m_readable = true;
    mutable bool m_trusted = false;
    mutable unsigned m_diskReads = 0;
};
