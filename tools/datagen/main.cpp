#include <cstdio>

#include "tools/datagen/DataPictures.h"

// Writes the shipped textures, backdrop and fill patterns under the folder given.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    return DataPictures::WriteAll(argv[1]) ? 0 : 1;
}
