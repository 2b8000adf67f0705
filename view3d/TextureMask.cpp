#include "view3d/TextureMask.h"

#include "model/AssetLoaders.h"
#include "platform/base/FileSystemText.h"
#include "platform/r3d/AssetLibrary.h"
#include "platform/r3d/Texture.h"

int ApplyTextureMask(const CString& textureName, r3d::Texture& texture) {
    const CString mask = MaskFileName(textureName);
    if (mask.IsEmpty())
        return 0;
    const std::optional<std::filesystem::path> found =
        r3d::AssetLibrary::Instance().Find(DiskPath(mask).string());
    std::shared_ptr<r3d::Raster> raster =
        found ? r3d::AssetLibrary::Instance().LoadRaster(found->string()) : nullptr;
    if (raster == nullptr)
        return 0;
    texture.SetMask(*raster);
    return 1;
}
