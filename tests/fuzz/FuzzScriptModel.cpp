#include <string>

#include "platform/r3d/Camera.h"
#include "platform/r3d/ModelReaders.h"
#include "platform/r3d/Scene.h"
#include "tests/fuzz/FuzzSupport.h"

// A script model (.rwx) read as a 3D object's model, copied, placed in a scene and picked at,
// as the 3D view does with the objects of a layout.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::unique_ptr<r3d::Clump> model =
        r3d::ReadRwxText(std::string(reinterpret_cast<const char*>(data), size));
    if (!model)
        return 0;
    std::unique_ptr<r3d::Clump> copy = model->Clone();
    FuzzCheck(
        copy->VertexCount() == model->VertexCount() && copy->Polygons().size() == model->Polygons().size(),
        "a copied model has the same vertices and polygons");
    model->Bounds();
    r3d::Scene scene;
    scene.Add(*model);
    scene.Add(*copy);
    r3d::Camera camera(64, 64);
    for (const float at : {1.0f, 32.0f, 63.0f}) scene.Pick(camera, at, at);
    scene.Remove(*copy);
    scene.Remove(*model);
    return 0;
}
