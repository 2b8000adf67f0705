#include <cstdio>

#include "tools/datagen/DataPictures.h"
#include "tools/datagen/DefaultLibrary.h"
#include "tools/datagen/SceneryModels.h"
#include "tools/datagen/TrainModels.h"

// Writes the shipped textures, backdrop, fill patterns, train models and sample scenery under
// the folder given, and the empty default library when there is none.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const bool pictures = DataPictures::WriteAll(argv[1]);
    const bool trains = TrainModels::WriteAll(argv[1]);
    const bool scenery = SceneryModels::WriteAll(argv[1]);
    const bool library = DefaultLibrary::WriteIfMissing(argv[1]);
    return pictures && trains && scenery && library ? 0 : 1;
}
