#include <array>
#include <filesystem>
#include <new>

#include "model/CCVNDoc.h"
#include "model/CDataFileOperation.h"
#include "model/CDataFolders.h"
#include "platform/base/CProfile.h"
#include "platform/base/CStringTable.h"
#include "platform/base/CWinPath.h"
#include "platform/base/FileSystemText.h"
#include "platform/r3d/AssetLibrary.h"
#include "platform/r3d/ClumpBuilder.h"
#include "platform/r3d/ModelReaders.h"
#include "platform/r3d/Scene.h"
#include "platform/win/MessageBoxes.h"
#include "resources/StringTable.h"

// The document's 3D world: one scene holding every layout object's model, a directional light
// and the ground plane, a textured quadrilateral the size of the page.

namespace {

// The texture folders in the order they are searched: their profile keys under "Paths".
constexpr std::array<CDataFolders::Folder, 5> kTextureFolders = {
    CDataFolders::Textures,  CDataFolders::Textures3D, CDataFolders::Trains,
    CDataFolders::Bitmaps3D, CDataFolders::Bitmaps,
};

// Whether the running operation has set the 3D search folders.
struct SearchFoldersSet {
    bool set = false;
};

const r3d::Vec3 kLightDirection{1.0f, -1.0f, -1.0f};

// Half the longer page side in 3D units.
constexpr float kHalfSpan = 8.0f;

// The real folder, or nothing when it cannot be entered.
std::string LookUpFolder(const CString& stored) {
    CString folder = stored;
    return CDataFolders::FolderExists(folder) ? CWinPath::Resolve(folder).string() : std::string();
}

void AddSearchFolder(const CString& folder) {
    const std::string real = CDataFileOperation::LookUp(folder, LookUpFolder);
    if (!real.empty())
        r3d::AssetLibrary::Instance().AddSearchFolder(real);
}

// A bitmap's mask is the file of the same name with the extension "msk".
std::shared_ptr<r3d::Texture> LoadMaskedTexture(const CString& name) {
    const std::string bitmap = DiskPath(name).string();
    const std::string mask = std::filesystem::path(bitmap).replace_extension("msk").string();
    return r3d::AssetLibrary::Instance().LoadTexture(bitmap, mask);
}

}  // namespace

void CCVNDoc::SetResourcePaths() {
    // Within one operation the preferences cannot change, so the folders the first model set
    // serve every other: building 50,000 models would otherwise read the profile and the disk
    // for each.
    bool& setInThisOperation = CDataFileOperation::KeptByOperation<SearchFoldersSet>().set;
    if (setInThisOperation)
        return;
    setInThisOperation = true;
    const std::span<const CDataFolders::Entry> table = CDataFolders::Table();
    const CString base = CDataFolders::GetBaseFolder();
    // The path is made anew each time, so a folder changed in the preferences is searched in
    // place of the old one.
    r3d::AssetLibrary::Instance().ClearSearchFolders();
    for (CDataFolders::Folder folder : kTextureFolders) AddSearchFolder(base + table[folder].subFolder);
    const CProfile& profile = CProfile::Program();
    for (CDataFolders::Folder folder : kTextureFolders) {
        const CString fallback = base + table[folder].subFolder;
        AddSearchFolder(profile.GetProfileString("Paths", table[folder].key, fallback));
    }
}

void CCVNDoc::Create3DWorld() {
    SetResourcePaths();
    try {
        m_pScene = std::make_unique<r3d::Scene>();
    } catch (const std::bad_alloc&) {
        ReportError(CStringTable::Text(IDS_COULD_NOT_CREATE_THE_3D_WORLD));
    }
    std::unique_ptr<r3d::Light> light;
    try {
        light = std::make_unique<r3d::Light>(kLightDirection, m_fLightBrightness);
    } catch (const std::bad_alloc&) {
    }
    if (m_pScene == nullptr || light == nullptr)
        ReportError(CStringTable::Text(IDS_TMPT));
    else
        m_pLight = m_pScene->AddLight(std::move(light));
    BuildGroundPlane();
}

std::unique_ptr<r3d::Clump> CCVNDoc::MakeGroundModel() const {
    const float divisor = static_cast<float>(m_f3DScaleDivisor);
    const float width = static_cast<float>(m_fPageWidth) / divisor;
    const float height = static_cast<float>(m_fPageHeight) / divisor;
    r3d::ClumpBuilder builder;
    builder.SetTag(kGroundPlaneTag);
    builder.AddVertex({-kHalfSpan, 0.0f, height - kHalfSpan}, 0.0f, 0.0f);
    builder.AddVertex({width - kHalfSpan, 0.0f, height - kHalfSpan}, width, 0.0f);
    builder.AddVertex({width - kHalfSpan, 0.0f, -kHalfSpan}, width, height);
    builder.AddVertex({-kHalfSpan, 0.0f, -kHalfSpan}, 0.0f, height);

    builder.SetDrawStyle(r3d::DrawStyle::Solid);
    builder.SetOpacity(1.0f);
    builder.SetColor(0.0f, 0.2f, 0.0f);
    builder.SetSurfaceFactors(0.2f, 0.4f, 0.0f);
    builder.SetTexture(LoadMaskedTexture(m_strBenchworkTexture));
    builder.AddQuad(1, 2, 3, 4);

    builder.SetColor(0.2f, 0.2f, 0.2f);
    builder.SetSurfaceFactors(0.8f, 0.4f, 1.0f);
    builder.SetTexture(nullptr);
    builder.AddQuad(4, 3, 2, 1);
    return builder.Finish();
}

r3d::Clump* CCVNDoc::BuildGroundPlane(const char* scriptName) {
    std::unique_ptr<r3d::Clump> model;
    if (scriptName != nullptr)
        model = r3d::ReadRwxModel(scriptName);
    else if (m_f3DScaleDivisor > 0.0)
        model = MakeGroundModel();
    if (model == nullptr || m_pScene == nullptr) {
        ReportError(CStringTable::Text(IDS_COULD_NOT_CREATE_THE_3D_GROUND_PLANE));
        return nullptr;
    }
    m_pGroundPlane = std::move(model);
    m_pScene->Add(*m_pGroundPlane);
    return m_pGroundPlane.get();
}

void CCVNDoc::RefreshGroundPlane() {
    if (m_pScene == nullptr)
        return;
    bool hasBenchwork = false;
    m_pScene->ForEachClump([&hasBenchwork](r3d::Clump& model) {
        if (model.Tag() == kBenchworkTag)
            hasBenchwork = true;
    });
    if (!hasBenchwork)
        BuildGroundPlane();
}

void CCVNDoc::RemoveGroundPlane() {
    m_pGroundPlane.reset();
}

void CCVNDoc::ReportError(const CString& text) {
    AfxMessageBox(text, MB_OK | MB_ICONSTOP);
}
