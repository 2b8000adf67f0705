#include "platform/base/ProgramName.h"

#include <cctype>
#include <cerrno>
#include <mutex>

namespace {

struct GivenName {
    std::mutex lock;
    std::string name;
};

GivenName& Given() {
    static auto* given = new GivenName;
    return *given;
}

}  // namespace

void SetProgramName(const std::string& name) {
    GivenName& given = Given();
    const std::lock_guard<std::mutex> guard(given.lock);
    given.name = name;
}

std::string ProgramFolderName() {
    GivenName& given = Given();
    const std::lock_guard<std::mutex> guard(given.lock);
    std::string folder = given.name.empty() ? program_invocation_short_name : given.name;
    for (char& c : folder) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folder;
}
