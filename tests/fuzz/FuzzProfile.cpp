#include <string>

#include "platform/base/CIniDocument.h"
#include "platform/base/CProfile.h"
#include "tests/fuzz/FuzzSupport.h"

// The program's profile, read for the folder settings the program asks of it, then written
// with a setting changed: the text keeps every other line, and the setting reads back.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path path = WriteFuzzFile("fuzz.ini", data, size);
    CProfile profile(path);
    profile.GetProfileString("Paths", "Textures", "none");
    profile.GetProfileInt("Settings", "Units", 0);
    if (!profile.WriteProfileString("Paths", "Libraries", "C:\\LIBRARIES\\")) {
        return 0;
    }
    FuzzCheck(profile.GetProfileString("Paths", "Libraries") == "C:\\LIBRARIES\\",
              "a written setting reads back");
    const std::string text(reinterpret_cast<const char*>(data), size);
    CIniDocument document(text);
    document.SetValue("Paths", "Libraries", "C:\\LIBRARIES\\");
    CIniDocument reread(document.Content());
    FuzzCheck(reread.Value("Paths", "Libraries") == std::string("C:\\LIBRARIES\\"),
              "a value set in the text reads back from it");
    FuzzCheck(reread.Content() == document.Content(), "the text read back writes the same");
    return 0;
}
