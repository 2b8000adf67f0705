#include "tests/support/TestPictures.h"

#include <cstdlib>
#include <filesystem>

CString TestPicturePath(const CString& name) {
    const char* folder = std::getenv("CORVANE_TEST_PICTURES");
    if (!folder || !*folder)
        return CString();
    return CString((std::filesystem::path(folder) / name.c_str()).string().c_str());
}
