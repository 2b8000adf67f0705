#include "tools/datagen/DefaultLibrary.h"

#include <fstream>
#include <system_error>

namespace DefaultLibrary {

bool WriteIfMissing(const std::filesystem::path& root) {
    const std::filesystem::path folder = root / "LIBRARIES";
    const std::filesystem::path library = folder / "New.cvl";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (std::filesystem::exists(library, error))
        return true;
    return static_cast<bool>(std::ofstream(library, std::ios::binary));
}

}  // namespace DefaultLibrary
