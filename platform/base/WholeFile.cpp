#include "platform/base/WholeFile.h"

#include "platform/base/CFile.h"
#include "platform/base/CFileException.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <system_error>

namespace {
std::atomic<std::size_t> regularFileOpenings{0};
}

bool ReadWholeFile(const std::filesystem::path& file, std::string& content, std::optional<FileStamp>* stamp) {
    content.clear();
    if (stamp != nullptr)
        stamp->reset();
    int descriptor = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return errno == ENOENT;
    }
    struct stat status {};
    bool readable = fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
    if (readable && stamp != nullptr)
        *stamp = FileStamp::FromStat(status);
    char buffer[4096];
    ssize_t count = 0;
    while (readable && (count = read(descriptor, buffer, sizeof buffer)) > 0) {
        content.append(buffer, static_cast<size_t>(count));
    }
    close(descriptor);
    return readable && count == 0;
}

std::optional<std::vector<unsigned char>> ReadRegularFile(const std::filesystem::path& file,
                                                          std::size_t limit) {
    return ReadOpenedRegularFile(open(file.c_str(), kRegularFileOpenFlags | O_CLOEXEC), limit);
}

std::optional<std::vector<unsigned char>> ReadOpenedRegularFile(int descriptor, std::size_t limit) {
    ++regularFileOpenings;
    if (descriptor < 0)
        return std::nullopt;
    struct stat status {};
    std::optional<std::vector<unsigned char>> content;
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        content.emplace(std::min<std::size_t>(limit, static_cast<std::size_t>(status.st_size)));
        std::size_t filled = 0;
        ssize_t count = 1;
        while (filled < content->size() && count > 0)
            if ((count = read(descriptor, content->data() + filled, content->size() - filled)) > 0)
                filled += static_cast<std::size_t>(count);
        content->resize(filled);
        if (count < 0)
            content.reset();
    }
    close(descriptor);
    return content;
}

std::size_t RegularFileOpenings() {
    return regularFileOpenings;
}

bool ReplaceWholeFile(const std::filesystem::path& file, const std::string& content) {
    std::error_code error;
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), error);
    }
    try {
        CFile out;
        if (!out.Open(file, CFile::modeCreate | CFile::modeWrite))
            return false;
        out.Write(content.data(), static_cast<UINT>(content.size()));
        out.Close();
        return true;
    } catch (const CFileException&) {
        return false;
    }
}
