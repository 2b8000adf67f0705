#include "platform/base/ModuleFolder.h"

#include <system_error>

#include "platform/base/CWinPath.h"

std::filesystem::path GetModuleFile() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program;
}

std::filesystem::path GetModuleFolder() {
    const std::filesystem::path program = GetModuleFile();
    if (!program.has_parent_path()) {
        return {};
    }
    return program.parent_path() / "";
}

CString GetModuleFolderWin() {
    std::filesystem::path folder = GetModuleFolder();
    return folder.empty() ? CString() : CWinPath::FromReal(folder);
}
