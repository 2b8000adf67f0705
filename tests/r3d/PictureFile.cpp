#include "tests/r3d/PictureFile.h"

#include <fstream>

bool WritePpm(const r3d::Raster& raster, const std::filesystem::path& path) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << raster.Width() << ' ' << raster.Height() << "\n255\n";
    out.write(reinterpret_cast<const char*>(raster.Bytes()),
              static_cast<std::streamsize>(raster.RowBytes()) * raster.Height());
    return static_cast<bool>(out);
}
