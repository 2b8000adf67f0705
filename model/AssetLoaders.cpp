#include "model/AssetLoaders.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "model/CDataFileOperation.h"
#include "model/CDataFolders.h"
#include "model/CMissingFileReport.h"
#include "platform/base/CProfile.h"
#include "platform/base/CWinPath.h"
#include "platform/base/FileSystemText.h"
#include "platform/r3d/AssetLibrary.h"
#include "platform/r3d/ClumpBuilder.h"
#include "platform/r3d/ModelReaders.h"

namespace {

struct DataFolder {
    const char* subFolder;
    const char* profileKey;
};

constexpr DataFolder kScripts{"SCRIPTS\\", "Scripts"};
constexpr DataFolder kTextures{"TEXTURES\\", "Textures"};
constexpr DataFolder kBitmaps3D{"3DBITMAPS\\", "3DBitmaps"};
constexpr DataFolder kBackdrops{"BACKDROPS\\", "Backdrops"};

CString ProfileFolder(const DataFolder& folder) {
    const CString fallback = CDataFolders::GetBaseFolder() + folder.subFolder;
    CString path = CProfile::Program().GetProfileString("Paths", folder.profileKey, fallback);
    if (!path.IsEmpty() && path[path.GetLength() - 1] != '\\')
        path += '\\';
    return path;
}

// The stored names to try, in the search order.
std::vector<CString> Candidates(const CString& name, const DataFolder& folder) {
    const CString bare = CDataFolders::BareName(name);
    return {name, CDataFolders::GetBaseFolder() + folder.subFolder + bare, ProfileFolder(folder) + bare};
}

// The real file a stored name stands for, when there is one; the 3D library's own search is
// not asked here, so each attempt means exactly its path.
std::string LookUpFile(const CString& stored) {
    const std::filesystem::path real = CWinPath::ResolveExisting(stored.c_str());
    std::error_code error;
    return !real.empty() && std::filesystem::is_regular_file(real, error) ? real.string() : std::string();
}

std::string ExistingFile(const CString& stored) {
    return CDataFileOperation::LookUp(stored, LookUpFile);
}

// The first attempt whose file loads; the caller's name takes the winning path.
template <typename Result>
Result SearchFolders(CString& name, const std::vector<CString>& candidates,
                     const std::function<Result(const std::string&)>& load) {
    for (const CString& candidate : candidates) {
        const std::string file = ExistingFile(candidate);
        if (file.empty())
            continue;
        if (Result result = load(file)) {
            name = candidate;
            return result;
        }
    }
    return nullptr;
}

std::string LowerExtension(const CString& name) {
    CString extension;
    CWinPath::Split(name.c_str(), nullptr, nullptr, nullptr, &extension);
    std::string lower(extension.c_str());
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

using ModelReader = std::unique_ptr<r3d::Clump> (*)(const std::string&);

std::unique_ptr<r3d::Clump> LoadScript(CString& name, ModelReader reader) {
    if (name.IsEmpty())
        return nullptr;
    return SearchFolders<std::unique_ptr<r3d::Clump>>(name, Candidates(name, kScripts), reader);
}

std::shared_ptr<r3d::Texture> PlainTexture(const std::string& file) {
    return r3d::AssetLibrary::Instance().LoadTexture(file);
}

// The texture with the mask file beside it; nothing when that mask is not there.
std::shared_ptr<r3d::Texture> MaskedTexture(const std::string& file) {
    const std::string mask = ExistingFile(MaskFileName(CString(file.c_str())));
    return mask.empty() ? nullptr : r3d::AssetLibrary::Instance().LoadMaskedTexture(file, mask);
}

// The texture and its mask both found through the 3D library's search folders, else the
// texture alone.
std::shared_ptr<r3d::Texture> MaskedOrPlainTexture(const std::string& bare) {
    r3d::AssetLibrary& library = r3d::AssetLibrary::Instance();
    std::shared_ptr<r3d::Texture> masked =
        library.LoadMaskedTexture(bare, MaskFileName(bare.c_str()).c_str());
    return masked ? masked : library.LoadTexture(bare);
}

std::shared_ptr<r3d::Raster> LoadRasterFrom(CString& name, const DataFolder& folder) {
    if (name.IsEmpty())
        return nullptr;
    return SearchFolders<std::shared_ptr<r3d::Raster>>(
        name, Candidates(name, folder),
        [](const std::string& file) { return r3d::AssetLibrary::Instance().LoadRaster(file); });
}

using TextureReader = std::function<std::shared_ptr<r3d::Texture>(const std::string&)>;

// The bare name, left to the 3D library's search folders; the caller's name becomes it when found.
std::shared_ptr<r3d::Texture> SearchBareName(CString& name, const TextureReader& load) {
    const CString bare = CDataFolders::BareName(name);
    std::shared_ptr<r3d::Texture> texture = load(DiskPath(bare).string());
    if (texture)
        name = bare;
    return texture;
}

// The data folders, each reader over all of them in turn, and last the bare name.
std::shared_ptr<r3d::Texture> SearchTexture(CString& name, const std::vector<TextureReader>& folderReaders,
                                            const TextureReader& bareReader) {
    if (name.IsEmpty())
        return nullptr;
    const std::vector<CString> candidates = Candidates(name, kTextures);
    for (const TextureReader& load : folderReaders)
        if (auto texture = SearchFolders<std::shared_ptr<r3d::Texture>>(name, candidates, load))
            return texture;
    return SearchBareName(name, bareReader);
}

// A piece without a texture name asks for none: there is no file to report missing.
void ReportMissingTexture(const CString& name) {
    if (name.IsEmpty())
        return;
    CMissingFileReport::ShowFile("Could not open texture file", CWinPath::ShownName(name.c_str()));
}

}  // namespace

CString MaskFileName(const CString& name) {
    if (name.IsEmpty())
        return CString();
    CString drive, folder, fileName;
    CWinPath::Split(name.c_str(), &drive, &folder, &fileName, nullptr);
    return CWinPath::Make(drive.c_str(), folder.c_str(), fileName.c_str(), "msk");
}

std::unique_ptr<r3d::Clump> LoadModelFile(CString& name) {
    const std::string extension = LowerExtension(name);
    if (extension == ".3ds")
        return Load3dsModel(name);
    if (extension == ".dxf")
        return LoadDxfModel(name);
    if (extension == ".rwx")
        return LoadRwxModel(name);
    return nullptr;
}

std::unique_ptr<r3d::Clump> Load3dsModel(CString& name) {
    return LoadScript(name, r3d::Read3dsModel);
}

std::unique_ptr<r3d::Clump> LoadDxfModel(CString& name) {
    return LoadScript(name, r3d::ReadDxfModel);
}

std::unique_ptr<r3d::Clump> LoadRwxModel(CString& name) {
    return LoadScript(name, r3d::ReadRwxModel);
}

std::shared_ptr<r3d::Texture> LoadTextureFile(CString& name, BOOL report) {
    std::shared_ptr<r3d::Texture> texture = SearchTexture(name, {PlainTexture}, PlainTexture);
    if (!texture && report)
        ReportMissingTexture(name);
    return texture;
}

std::shared_ptr<r3d::Raster> Load3DBitmapRaster(CString& name) {
    return LoadRasterFrom(name, kBitmaps3D);
}

std::shared_ptr<r3d::Raster> LoadBackdrop(CString& name) {
    return LoadRasterFrom(name, kBackdrops);
}

BOOL LoadTexture(CString& name, r3d::ClumpBuilder& builder, BOOL showMessage) {
    // A masked texture on any path beats a plain one on an earlier path.
    std::shared_ptr<r3d::Texture> texture =
        SearchTexture(name, {MaskedTexture, PlainTexture}, MaskedOrPlainTexture);
    builder.SetTexture(texture);
    if (!texture && showMessage)
        ReportMissingTexture(name);
    return texture ? TRUE : FALSE;
}
