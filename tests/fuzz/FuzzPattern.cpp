#include "model/PatternFile.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "tests/fuzz/FuzzSupport.h"

// A fill-pattern file, loaded as a layout object loads its pattern and filled with as a
// patterned shape is drawn.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path path = WriteFuzzFile("fill.pat", data, size);
    std::unique_ptr<CBitmap> pattern;
    CString name(path.c_str());
    if (!LoadPatternFile(name, pattern, 0))
        return 0;
    FuzzCheck(pattern != nullptr && size >= kPatternFileSize, "a loaded pattern has its sixteen bytes");
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap canvas;
    canvas.CreateBitmap(32, 32, 1, 32, nullptr);
    CBitmap* previous = dc.SelectObject(&canvas);
    CBrush brush;
    brush.CreatePatternBrush(pattern.get());
    CBrush* previousBrush = dc.SelectObject(&brush);
    dc.Rectangle(0, 0, 32, 32);
    dc.SelectObject(previousBrush);
    dc.SelectObject(previous);
    return 0;
}
