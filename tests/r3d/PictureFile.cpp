#include "tests/r3d/PictureFile.h"

#include <fstream>
#include <string>

bool WritePpm(const r3d::Raster& raster, const std::filesystem::path& path) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << raster.Width() << ' ' << raster.Height() << "\n255\n";
    out.write(reinterpret_cast<const char*>(raster.Bytes()),
              static_cast<std::streamsize>(raster.RowBytes()) * raster.Height());
    return static_cast<bool>(out);
}

std::optional<r3d::Raster> ReadPpm(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    if (!(in >> magic >> width >> height >> maximum) || magic != "P6" || width <= 0 || height <= 0) {
        return std::nullopt;
    }
    in.get();
    r3d::Raster raster(width, height);
    in.read(reinterpret_cast<char*>(raster.Bytes()),
            static_cast<std::streamsize>(raster.RowBytes()) * height);
    return in ? std::optional<r3d::Raster>(std::move(raster)) : std::nullopt;
}
