#include <algorithm>

#include "platform/base/CFileException.h"
#include "shell/CCreditsCtrl.h"
#include "tests/fuzz/FuzzSupport.h"

// A credits file, read as the credits dialog reads it when it is built.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path path = WriteFuzzFile("CREDITS.DAT", data, size);
    try {
        CCreditsCtrl credits(path);
        // Every line break ends a credit line, empty or not, and so does the end of a file
        // whose last line has no break; neither '\r' nor NUL ends a line.
        const std::size_t breaks = static_cast<std::size_t>(std::count(data, data + size, '\n'));
        const std::size_t unbroken = size > 0 && data[size - 1] != '\n' ? 1 : 0;
        FuzzCheck(credits.Lines().size() == breaks + unbroken, "one credit line to each line of the file");
    } catch (const CFileException&) {
        FuzzCheck(false, "a credits file that was just written reads");
    }
    return 0;
}
