#pragma once

#include "platform/r3d/Clump.h"

#include <memory>
#include <string>

namespace r3d {

// Model files turned into one clump, in no scene, with the files' own surfaces; texture names in
// the files are found through the asset library's search folders. Every reader answers nullptr
// for a missing, unreadable or malformed file. A file's own hierarchy is merged into the one clump.
std::unique_ptr<Clump> ReadRwxModel(const std::string& name);
// The script model held in the text.
std::unique_ptr<Clump> ReadRwxText(const std::string& text);
std::unique_ptr<Clump> Read3dsModel(const std::string& name);
std::unique_ptr<Clump> ReadDxfModel(const std::string& name);

}  // namespace r3d
