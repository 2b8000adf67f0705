#pragma once

#include <filesystem>

// The symbol library a new layout names, "New.cvl", as an empty file in "LIBRARIES": an empty
// file reads as an empty library, so the library commands open it at their first use.
namespace DefaultLibrary {

// Makes "LIBRARIES/New.cvl" under the root folder when it is missing. One that exists holds the
// user's objects and is kept as it is. False when it could not be made.
bool WriteIfMissing(const std::filesystem::path& root);

}  // namespace DefaultLibrary
