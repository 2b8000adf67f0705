#include "tests/fuzz/FuzzSupport.h"

// A layout file opened as the program opens it, then drawn, hit tested, saved and read back.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path path = WriteFuzzFile("layout.cvn", data, size);
    CFuzzDoc doc;
    if (doc.OnOpenDocument(path.c_str()))
        ExerciseLayout(doc);
    return 0;
}
