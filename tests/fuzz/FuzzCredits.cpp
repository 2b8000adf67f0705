#include <algorithm>

#include "platform/base/CFileException.h"
#include "shell/CCreditsCtrl.h"
#include "tests/fuzz/FuzzSupport.h"

// A credits file, read as the credits dialog reads it when it is built.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path path = WriteFuzzFile("CREDITS.DAT", data, size);
    try {
        CCreditsCtrl credits(path);
        const std::size_t breaks = static_cast<std::size_t>(std::count(data, data + size, '\n'));
        FuzzCheck(credits.Lines().size() <= breaks + 1, "one credit line to each line of the file");
        for (const CString& line : credits.Lines())
            FuzzCheck(line.GetLength() <= static_cast<int>(size), "no line longer than the file");
    } catch (const CFileException&) {
        FuzzCheck(false, "a credits file that was just written reads");
    }
    return 0;
}
