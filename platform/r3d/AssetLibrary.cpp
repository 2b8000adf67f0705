#include "platform/r3d/AssetLibrary.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace r3d {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::filesystem::path FromStoredName(std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    return std::filesystem::path(name);
}

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::optional<std::filesystem::path> FindInFolder(const std::filesystem::path& folder,
                                                  const std::string& fileName) {
    if (IsFile(folder / fileName)) {
        return folder / fileName;
    }
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error) {
        return std::nullopt;
    }
    std::string wanted = Lower(fileName);
    for (const auto& entry : entries) {
        if (Lower(entry.path().filename().string()) == wanted && IsFile(entry.path())) {
            return entry.path();
        }
    }
    return std::nullopt;
}

}  // namespace

AssetLibrary& AssetLibrary::Instance() {
    static AssetLibrary library;
    return library;
}

void AssetLibrary::AddSearchFolder(const std::filesystem::path& folder) {
    std::filesystem::path normal = FromStoredName(folder.string()).lexically_normal();
    if (!normal.has_filename() && normal.has_parent_path()) {
        normal = normal.parent_path();
    }
    if (!normal.empty() && std::find(m_folders.begin(), m_folders.end(), normal) == m_folders.end()) {
        m_folders.push_back(normal);
        m_foldersKey += normal.string() + '\n';
    }
}

void AssetLibrary::ClearSearchFolders() {
    m_folders.clear();
    m_foldersKey.clear();
}

void AssetLibrary::KeepLookUps(bool keep) {
    m_keepLookUps = keep;
    m_found.clear();
    m_canonical.clear();
}

std::optional<std::filesystem::path> AssetLibrary::Find(const std::string& name) const {
    if (name.empty()) {
        return std::nullopt;
    }
    if (!m_keepLookUps) {
        return FindOnDisk(name);
    }
    auto& found = m_found[m_foldersKey];
    if (auto known = found.find(name); known != found.end()) {
        return known->second;
    }
    return found.emplace(name, FindOnDisk(name)).first->second;
}

std::optional<std::filesystem::path> AssetLibrary::FindOnDisk(const std::string& name) const {
    ++m_diskLookUps;
    std::filesystem::path path = FromStoredName(name);
    if (IsFile(path)) {
        return path;
    }
    if (path.has_parent_path()) {
        if (auto found = FindInFolder(path.parent_path(), path.filename().string())) {
            return found;
        }
    }
    for (const auto& folder : m_folders) {
        if (auto found = FindInFolder(folder, path.filename().string())) {
            return found;
        }
    }
    return std::nullopt;
}

std::shared_ptr<Raster> AssetLibrary::LoadRaster(const std::string& name) const {
    std::optional<std::filesystem::path> path = Find(name);
    if (!path || !m_reader) {
        return nullptr;
    }
    std::optional<Raster> raster = m_reader(*path);
    if (!raster || raster->Empty()) {
        return nullptr;
    }
    return std::make_shared<Raster>(std::move(*raster));
}

std::shared_ptr<Texture> AssetLibrary::LoadTexture(const std::string& name, const std::string& maskName) {
    std::optional<std::filesystem::path> path = Find(name);
    if (!path) {
        return nullptr;
    }
    return TextureOf(*path, maskName.empty() ? std::nullopt : Find(maskName));
}

std::shared_ptr<Texture> AssetLibrary::LoadMaskedTexture(const std::string& name,
                                                         const std::string& maskName) {
    std::optional<std::filesystem::path> path = Find(name);
    std::optional<std::filesystem::path> maskPath = maskName.empty() ? std::nullopt : Find(maskName);
    if (!path || !maskPath) {
        return nullptr;
    }
    std::shared_ptr<Texture> texture = TextureOf(*path, maskPath);
    return texture && texture->HasMask() ? texture : nullptr;
}

// One texture per picture and mask; a mask that cannot be read leaves the picture unmasked.
std::shared_ptr<Texture> AssetLibrary::TextureOf(const std::filesystem::path& picture,
                                                 const std::optional<std::filesystem::path>& mask) {
    std::string key = CanonicalName(picture) + '\n' + (mask ? CanonicalName(*mask) : std::string());
    if (auto cached = m_textures.find(key); cached != m_textures.end()) {
        return cached->second;
    }
    std::shared_ptr<Raster> image = LoadRaster(picture.string());
    if (!image) {
        return nullptr;
    }
    auto texture = std::make_shared<Texture>(std::move(*image));
    if (mask) {
        if (std::shared_ptr<Raster> maskImage = LoadRaster(mask->string())) {
            texture->SetMask(*maskImage);
        }
    }
    m_textures[key] = texture;
    return texture;
}

std::string AssetLibrary::CanonicalName(const std::filesystem::path& file) {
    if (m_keepLookUps) {
        if (auto known = m_canonical.find(file.string()); known != m_canonical.end()) {
            return known->second;
        }
    }
    ++m_diskLookUps;
    std::string canonical = std::filesystem::weakly_canonical(file).string();
    if (m_keepLookUps) {
        m_canonical.emplace(file.string(), canonical);
    }
    return canonical;
}

}  // namespace r3d
