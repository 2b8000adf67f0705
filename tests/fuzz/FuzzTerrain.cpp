#include "terrain/CMount.h"
#include "tests/fuzz/FuzzSupport.h"

// What a terrain stores after its benchwork part, its settings and its edit list, inside a layout
// whose last object is that terrain over a real grid: the layout is opened as the program opens
// it, then drawn, hit tested, saved and read back.

namespace {

const TerrainLayoutParts& Template() {
    static const TerrainLayoutParts parts = [] {
        CFuzzDoc doc;
        doc.OnNewDocument();
        CMount* terrain = AddFuzzTerrain(doc, 250.0);
        return SplitAtTerrainFields(doc, *terrain);
    }();
    return parts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzBytes layout = Template().before;
    layout.insert(layout.end(), data, data + size);
    layout.insert(layout.end(), Template().after.begin(), Template().after.end());
    const std::filesystem::path path = WriteFuzzFile("terrain.cvn", layout.data(), layout.size());
    CFuzzDoc doc;
    if (doc.OnOpenDocument(path.c_str()))
        ExerciseLayout(doc);
    return 0;
}
