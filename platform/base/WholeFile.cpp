#include "platform/base/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

bool ReadWholeFile(const std::filesystem::path& file, std::string& content) {
    content.clear();
    int descriptor = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return errno == ENOENT;
    }
    struct stat status {};
    bool readable = fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
    char buffer[4096];
    ssize_t count = 0;
    while (readable && (count = read(descriptor, buffer, sizeof buffer)) > 0) {
        content.append(buffer, static_cast<size_t>(count));
    }
    close(descriptor);
    return readable && count == 0;
}

namespace {

bool WriteAll(int descriptor, const std::string& content) {
    size_t written = 0;
    while (written < content.size()) {
        ssize_t count = write(descriptor, content.data() + written, content.size() - written);
        if (count < 0) {
            return false;
        }
        written += static_cast<size_t>(count);
    }
    return true;
}

}  // namespace

bool ReplaceWholeFile(const std::filesystem::path& file, const std::string& content) {
    std::error_code error;
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), error);
    }
    std::string temporary = file.string() + ".XXXXXX";
    int descriptor = mkstemp(temporary.data());
    if (descriptor < 0) {
        return false;
    }
    struct stat existing {};
    fchmod(descriptor, stat(file.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0644);
    bool written = WriteAll(descriptor, content) && fsync(descriptor) == 0;
    written = close(descriptor) == 0 && written;
    if (!written || rename(temporary.c_str(), file.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}
