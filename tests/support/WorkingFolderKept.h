#pragma once

#include <filesystem>
#include <system_error>

// The process's working folder is put back as it was when this ends: the program's file
// dialogs leave the program folder, a test's own temporary one, as the working folder.
class WorkingFolderKept {
  public:
    WorkingFolderKept() : m_saved(std::filesystem::current_path()) {}
    WorkingFolderKept(const WorkingFolderKept&) = delete;
    WorkingFolderKept& operator=(const WorkingFolderKept&) = delete;
    ~WorkingFolderKept() {
        std::error_code error;
        std::filesystem::current_path(m_saved, error);
    }

  private:
    std::filesystem::path m_saved;
};
