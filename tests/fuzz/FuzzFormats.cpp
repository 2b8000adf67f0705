#include <cmath>
#include <cstring>
#include <string>

#include "tests/fuzz/FuzzSupport.h"
#include "tests/ui/EveryFieldFormat.h"

// The formats the fields show values in. The first byte picks the format, the next eight are a
// value, the rest a text typed into the field. A value's shown text must read back as a value
// showing that text; a text in the format's own shape is a value's shown text, so it shows
// exactly as typed.

namespace {

const std::vector<NamedFieldFormat>& Formats() {
    static const std::vector<NamedFieldFormat> formats = EveryFieldFormat();
    return formats;
}

void CheckShownTextReadsBack(const CFieldFormat& format, double value) {
    const CString shown = format.Show(value);
    double read = 0.0;
    FuzzCheck(format.Read(shown, read), "a shown text reads");
    FuzzCheck(format.Show(read) == shown, "a shown text reads back as a value showing it");
}

// Far beyond any field's range (the longest length is 64 m), yet short of where a double holds
// fewer digits than a format shows.
bool IsFieldValue(double value) {
    return std::isfinite(value) && std::fabs(value) < 1e9;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double value = 0.0;
    if (size < 1 + sizeof value)
        return 0;
    const CFieldFormat& format = Formats()[data[0] % Formats().size()].format;
    std::memcpy(&value, data + 1, sizeof value);
    if (IsFieldValue(value))
        CheckShownTextReadsBack(format, value);
    const std::string typed(reinterpret_cast<const char*>(data) + 1 + sizeof value, size - 1 - sizeof value);
    double read = 0.0;
    if (typed.find('\0') == std::string::npos && format.Read(typed.c_str(), read) && IsFieldValue(read))
        CheckShownTextReadsBack(format, read);
    return 0;
}
