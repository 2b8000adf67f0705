#include "tests/fuzz/FuzzSupport.h"

// The default-settings file of the program folder, read by every new document; the new
// layout is then exercised, and the settings written: a new document reads them back and
// writes the same file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WriteFuzzFile("DefPref.Dat", data, size);
    CFuzzDoc doc;
    doc.OnNewDocument();
    ExerciseLayout(doc);
    FuzzCheck(doc.WritePreferences(), "the settings read are written");
    const FuzzBytes written = ReadFuzzFile("DefPref.Dat");
    CFuzzDoc again;
    again.OnNewDocument();
    FuzzCheck(again.WritePreferences(), "the settings read back are written");
    FuzzCheck(ReadFuzzFile("DefPref.Dat") == written, "written settings read back the same");
    return 0;
}
