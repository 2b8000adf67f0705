#pragma once

#include "platform/r3d/BmpRaster.h"
#include "platform/r3d/Raster.h"
#include "platform/r3d/Texture.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace r3d {

// Where the 3D library finds its files: the search folders, the picture reader, and the textures
// already loaded (kept by resolved path, so every surface naming a file shares one texture).
class AssetLibrary {
  public:
    using ImageReader = std::function<std::optional<Raster>(const std::filesystem::path&)>;

    static AssetLibrary& Instance();

    // Adding a folder that is already there changes nothing.
    void AddSearchFolder(const std::filesystem::path& folder);
    const std::vector<std::filesystem::path>& SearchFolders() const { return m_folders; }
    void ClearSearchFolders();

    // The name as it stands when that file exists, else the first search folder holding a file of
    // that name (letter case ignored). Backslashes count as folder separators.
    std::optional<std::filesystem::path> Find(const std::string& name) const;

    // Pictures are .bmp files, read by the drawing layer's reader unless another is set.
    void SetImageReader(ImageReader reader) { m_reader = std::move(reader); }
    std::shared_ptr<Raster> LoadRaster(const std::string& name) const;
    // A texture, masked when a mask name is given and found; nullptr when the picture is missing.
    std::shared_ptr<Texture> LoadTexture(const std::string& name, const std::string& maskName = {});
    // A texture with its mask; nullptr when either is missing or cannot be read.
    std::shared_ptr<Texture> LoadMaskedTexture(const std::string& name, const std::string& maskName);
    void ForgetTextures() { m_textures.clear(); }

    // While kept (through one operation that builds many models naming the same few files), each
    // name is looked up on the disk once for each set of search folders and each file found
    // resolved once; files that appear or vanish meanwhile go unnoticed. Ending forgets them.
    void KeepLookUps(bool keep);
    // How often the disk was asked for a name or a file's real path.
    unsigned DiskLookUps() const { return m_diskLookUps; }

  private:
    AssetLibrary() = default;
    std::optional<std::filesystem::path> FindOnDisk(const std::string& name) const;
    std::string CanonicalName(const std::filesystem::path& file);
    std::shared_ptr<Texture> TextureOf(const std::filesystem::path& picture,
                                       const std::optional<std::filesystem::path>& mask);

    std::vector<std::filesystem::path> m_folders;
    // The search folders as one text, telling one set of them from another.
    std::string m_foldersKey;
    bool m_keepLookUps = false;
    // By search folders, then by name.
    mutable std::map<std::string, std::map<std::string, std::optional<std::filesystem::path>>> m_found;
    std::map<std::string, std::string> m_canonical;
    mutable unsigned m_diskLookUps = 0;
    ImageReader m_reader = ReadBmpRaster;
    std::map<std::string, std::shared_ptr<Texture>> m_textures;
};

}  // namespace r3d
