#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "model/CCVNDoc.h"
#include "model/Geometry.h"
#include "tests/drawing/PolygonOutline.h"

class CMount;

// What every fuzz target shares: the entry point libFuzzer calls (the replay driver calls it
// too), a folder of the process's own for the files a target must write, and the work the
// program does with a layout after reading it.

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

using FuzzBytes = std::vector<unsigned char>;

// The process's own folder, made on first use and removed at exit. It is the program folder
// (for the default-settings files) and holds the program's profile. Its name holds the process
// id, so that a later process can tell it from the folders of processes still running.
const std::filesystem::path& FuzzFolder();
// Removes the fuzz folders in parent whose processes have ended: libFuzzer leaves a run that
// stops at a finding through _Exit, past the removal at exit.
void RemoveStaleFuzzFolders(const std::filesystem::path& parent);
// Writes the bytes into a file of the fuzz folder; answers its path.
std::filesystem::path WriteFuzzFile(const char* name, const std::uint8_t* data, std::size_t size);
FuzzBytes ReadFuzzFile(const char* name);
// Stops the run with the message when a check of the program's behaviour fails.
void FuzzCheck(bool holds, const char* what);

// A document that keeps its error messages instead of showing them.
class CFuzzDoc : public CCVNDoc {
  public:
    void ReportError(const CString&) override {}
    void ReportSaveLoadException(LPCTSTR, const CString&, BOOL) override {}
};

// The whole layout as it is saved.
FuzzBytes SaveLayout(CCVNDoc& doc);
// What the program does with a layout it has read, short of saving it: frames and extents,
// drawing into a memory DC plain and then with every object selected, and hit testing. The
// objects are left selected.
void DrawAndHitTestLayout(CCVNDoc& doc);
// All that, then saving the layout and reading the saved file back, which must save the same.
void ExerciseLayout(CCVNDoc& doc);

// Adds a terrain of one metre by 75 cm at the spacing to the layout's root group, its grid built.
CMount* AddFuzzTerrain(CCVNDoc& doc, double spacing);
// A saved layout whose last object is a terrain, cut round what the terrain itself stores after
// its benchwork part: its settings and its edit list.
struct TerrainLayoutParts {
    FuzzBytes before, fields, after;
};
TerrainLayoutParts SplitAtTerrainFields(CCVNDoc& doc, CMount& terrain);
