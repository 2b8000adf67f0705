#include <string>
#include <string_view>

#include "catalog/PartsFile.h"
#include "tests/fuzz/FuzzSupport.h"

// A manufacturer parts file read as the parts list reads it, from its file; what was read is
// written and read back: every written line is complete, and a second pass writes the same.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path path = WriteFuzzFile("parts.cvp", data, size);
    CatalogueList records;
    int messages = 0;
    const PartsFileReport count = [&messages](UINT) { ++messages; };
    FuzzCheck(ReadPartsFile(path.c_str(), records, count), "a parts file is read");
    FuzzCheck(messages <= 3, "each message is told at most once per read");
    for (const auto& entry : records) FuzzCheck(CatalogItemOf(entry) != nullptr, "every entry is a part");

    const std::string written = PartsFileBytes(records);
    CatalogueList again;
    messages = 0;
    ReadPartsRecords(written, again, count);
    FuzzCheck(messages == 0, "written lines read cleanly");
    FuzzCheck(again.size() == records.size(), "written parts read back, one a line");
    const std::string settled = PartsFileBytes(again);
    CatalogueList third;
    ReadPartsRecords(settled, third, count);
    FuzzCheck(PartsFileBytes(third) == settled,
              "a file written from a read file reads back to the same bytes");

    FuzzCheck(WritePartsFile((FuzzFolder() / "written.cvp").c_str(), third), "the parts are saved");
    FuzzCheck(ReadFuzzFile("written.cvp") == FuzzBytes(settled.begin(), settled.end()),
              "the saved file holds them");
    return 0;
}
