#include "tools/datagen/SceneryModels.h"

#include <cstdlib>
#include <fstream>
#include <system_error>
#include <vector>

#include "platform/gdi/DibFormat.h"

namespace SceneryModels {

namespace {

constexpr int kTreeWidth = 64;
constexpr int kTreeHeight = 128;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kNeedles = 0x1E6428;
constexpr std::uint32_t kTrunk = 0x5A3C1E;

// Whether a pixel of the picture belongs to the tree: a trunk under three stacked triangles.
bool InTree(int x, int y) {
    const int centre = kTreeWidth / 2;
    const int offset = std::abs(x - centre);
    if (y >= 110)
        return offset <= 4;
    for (const int top : {4, 34, 64}) {
        const int depth = y - top;
        if (depth >= 0 && depth < 50 && offset <= depth * (top + 40) / 100 / 2 + depth / 4)
            return true;
    }
    return false;
}

std::unique_ptr<PixelSurface> DrawTree(bool mask) {
    auto surface = std::make_unique<PixelSurface>(kTreeWidth, kTreeHeight);
    for (int y = 0; y < kTreeHeight; ++y)
        for (int x = 0; x < kTreeWidth; ++x) {
            const bool tree = InTree(x, y);
            // The picture is black around the tree, so that added into the mask's hole it shows alone;
            // the mask is black where the picture is transparent.
            surface->Set(x, y,
                         mask ? (tree ? kWhite : kBlack)
                              : (!tree      ? kBlack
                                 : y >= 110 ? kTrunk
                                            : kNeedles));
        }
    return surface;
}

bool WriteBytes(const std::filesystem::path& path, const std::vector<BYTE>& bytes) {
    std::ofstream file(path, std::ios::binary);
    return static_cast<bool>(
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())));
}

}  // namespace

std::string House() {
    return "ModelBegin\n"
           "ClumpBegin\n"
           "Color 0.93 0.89 0.75\n"
           "Vertex 0 0 0\nVertex 2 0 0\nVertex 2 0 1.5\nVertex 0 0 1.5\n"
           "Vertex 0 1 0\nVertex 2 1 0\nVertex 2 1 1.5\nVertex 0 1 1.5\n"
           "Vertex 0 1.5 0.75\nVertex 2 1.5 0.75\n"
           "Quad 1 4 3 2\nQuad 1 5 6 2\nQuad 3 7 8 4\nQuad 4 8 5 1\nQuad 2 6 7 3\n"
           "Triangle 5 8 9\nTriangle 6 10 7\n"
           "Color 0.65 0.16 0.12\n"
           "Quad 5 9 10 6\nQuad 8 7 10 9\n"
           "ClumpEnd\n"
           "ModelEnd\n";
}

std::unique_ptr<PixelSurface> Tree() {
    return DrawTree(false);
}

std::unique_ptr<PixelSurface> TreeMask() {
    return DrawTree(true);
}

bool WriteAll(const std::filesystem::path& root) {
    std::error_code error;
    for (const char* folder : {"SCRIPTS", "3DBITMAPS"})
        std::filesystem::create_directories(root / folder, error);
    const std::string house = House();
    const bool model =
        WriteBytes(root / "SCRIPTS" / "cvnhouse.rwx", std::vector<BYTE>(house.begin(), house.end()));
    const bool tree = WriteBytes(root / "3DBITMAPS" / "cvntree.bmp", EncodeBmpFile(*Tree(), 24));
    const bool mask = WriteBytes(root / "3DBITMAPS" / "cvntree.msk", EncodeBmpFile(*TreeMask(), 24));
    return model && tree && mask;
}

}  // namespace SceneryModels
