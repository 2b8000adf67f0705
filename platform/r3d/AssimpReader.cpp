#include "platform/r3d/AssetLibrary.h"
#include "platform/r3d/ModelReaders.h"

#include <assimp/cimport.h>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace r3d {

namespace {

struct ImportedScene {
    const aiScene* scene = nullptr;
    ~ImportedScene() {
        if (scene) {
            aiReleaseImport(scene);
        }
    }
};

// Texture names in model files often carry the modeller's own folders; the file name alone is
// looked up through the search folders.
std::shared_ptr<Texture> TextureOf(const aiMaterial& material) {
    aiString path;
    if (aiGetMaterialTexture(&material, aiTextureType_DIFFUSE, 0, &path) != AI_SUCCESS || path.length == 0) {
        return nullptr;
    }
    std::string name(path.C_Str());
    std::replace(name.begin(), name.end(), '\\', '/');
    AssetLibrary& library = AssetLibrary::Instance();
    std::shared_ptr<Texture> texture = library.LoadTexture(name);
    return texture ? texture : library.LoadTexture(std::filesystem::path(name).filename().string());
}

Material SurfaceOf(const aiMaterial& material) {
    Material surface;
    aiColor4D colour;
    if (aiGetMaterialColor(&material, AI_MATKEY_COLOR_DIFFUSE, &colour) == AI_SUCCESS) {
        surface.red = std::clamp(colour.r, 0.0f, 1.0f);
        surface.green = std::clamp(colour.g, 0.0f, 1.0f);
        surface.blue = std::clamp(colour.b, 0.0f, 1.0f);
    }
    float opacity = 1.0f;
    if (aiGetMaterialFloat(&material, AI_MATKEY_OPACITY, &opacity) == AI_SUCCESS) {
        surface.opacity = std::clamp(opacity, 0.0f, 1.0f);
    }
    if (aiGetMaterialColor(&material, AI_MATKEY_COLOR_SPECULAR, &colour) == AI_SUCCESS) {
        surface.specular = std::clamp((colour.r + colour.g + colour.b) / 3.0f, 0.0f, 1.0f);
    }
    surface.texture = TextureOf(material);
    return surface;
}

// Some formats (drawing exchange files) colour each face through its vertices instead of a material.
Material FaceSurface(const Material& meshSurface, const aiMesh& mesh, const aiFace& face) {
    Material surface = meshSurface;
    if (mesh.mColors[0] && face.mNumIndices > 0) {
        const aiColor4D& c = mesh.mColors[0][face.mIndices[0]];
        surface.red = std::clamp(c.r, 0.0f, 1.0f);
        surface.green = std::clamp(c.g, 0.0f, 1.0f);
        surface.blue = std::clamp(c.b, 0.0f, 1.0f);
    }
    return surface;
}

void AddMesh(Clump& clump, const aiMesh& mesh, const Material& meshSurface) {
    int first = clump.VertexCount();
    for (unsigned i = 0; i < mesh.mNumVertices; ++i) {
        const aiVector3D& p = mesh.mVertices[i];
        float u = 0, v = 0;
        if (mesh.mTextureCoords[0]) {
            // Picture rows run top-down here, bottom-up in the files.
            u = mesh.mTextureCoords[0][i].x;
            v = 1.0f - mesh.mTextureCoords[0][i].y;
        }
        clump.AddVertex({p.x, p.y, p.z}, u, v);
    }
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        std::vector<int> numbers;
        for (unsigned k = 0; k < face.mNumIndices; ++k) {
            if (face.mIndices[k] < mesh.mNumVertices) {
                numbers.push_back(first + static_cast<int>(face.mIndices[k]) + 1);
            }
        }
        clump.AddPolygon(numbers, FaceSurface(meshSurface, mesh, face));
    }
}

std::unique_ptr<Clump> ReadThroughAssimp(const std::string& name, const char* extension) {
    std::optional<std::filesystem::path> path = AssetLibrary::Instance().Find(name);
    if (!path) {
        return nullptr;
    }
    std::string suffix = path->extension().string();
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    if (suffix != extension) {
        return nullptr;
    }
    // Node transforms are baked into the vertices, so the file's hierarchy becomes one clump.
    ImportedScene imported{aiImportFile(path->string().c_str(), aiProcess_PreTransformVertices |
                                                                    aiProcess_JoinIdenticalVertices |
                                                                    aiProcess_ValidateDataStructure)};
    const aiScene* scene = imported.scene;
    if (!scene || !scene->mRootNode || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE)) {
        return nullptr;
    }
    auto clump = std::make_unique<Clump>();
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        const aiMesh& mesh = *scene->mMeshes[m];
        Material surface;
        if (mesh.mMaterialIndex < scene->mNumMaterials) {
            surface = SurfaceOf(*scene->mMaterials[mesh.mMaterialIndex]);
        }
        AddMesh(*clump, mesh, surface);
    }
    if (clump->Polygons().empty()) {
        return nullptr;
    }
    return clump;
}

}  // namespace

std::unique_ptr<Clump> Read3dsModel(const std::string& name) {
    return ReadThroughAssimp(name, ".3ds");
}

std::unique_ptr<Clump> ReadDxfModel(const std::string& name) {
    return ReadThroughAssimp(name, ".dxf");
}

}  // namespace r3d
