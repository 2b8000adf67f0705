#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/TestFolder.h"
#include "tools/datagen/DefaultLibrary.h"

namespace {
std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
}  // namespace

TEST(DefaultLibrary, IsMadeEmptyOnceAndAUsersLibraryIsKeptByteForByte) {
    TestFolder folder;
    const std::filesystem::path library = folder / "LIBRARIES" / "New.cvl";
    ASSERT_TRUE(DefaultLibrary::WriteIfMissing(folder.Path()));
    ASSERT_TRUE(std::filesystem::is_regular_file(library));
    EXPECT_EQ(std::filesystem::file_size(library), 0u);

    // A later build leaves the objects the user has put into it.
    const std::string users("\x11\x00\x00\x00objects", 11);
    std::ofstream(library, std::ios::binary) << users;
    ASSERT_TRUE(DefaultLibrary::WriteIfMissing(folder.Path()));
    EXPECT_EQ(ReadAll(library), users);

    // A folder that cannot be made is reported.
    std::ofstream(folder / "blocked") << "a file, not a folder";
    EXPECT_FALSE(DefaultLibrary::WriteIfMissing(folder / "blocked"));
}
