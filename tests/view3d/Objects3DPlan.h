#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "model/CDataFolders.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/WindowManager.h"
#include "resources/Resources.h"
#include "tests/support/TestFolder.h"
#include "tests/support/WorkingFolderKept.h"
#include "tests/terrain/TerrainPlan.h"
#include "view3d/Objects3D.h"

// The terrain tests' plan at one plan unit per pixel, the 3D objects registered, a 3D world
// of 100 plan units per 3D unit, the data folders in a folder of the test's own, and a headless
// host that answers the dialogs.
struct Objects3DPlan : TerrainPlan {
    Objects3DPlan() {
        RegisterResources();
        WindowManager::Instance().Reset();
        Register3DObjects();
        tool.SetViewScale(1.0, 1.0);
        previousBase = CDataFolders::GetBaseFolder();
        CDataFolders::SetBaseFolder(CString(folder.Path().string().c_str()) + "/");
        for (const char* sub : {"SCRIPTS", "TEXTURES", "3DBITMAPS"})
            std::filesystem::create_directories(folder / sub);
        host.m_pScene = &scene;
        host.m_f3DScale = 100.0;
    }
    ~Objects3DPlan() {
        CDataFolders::SetBaseFolder(previousBase);
        WindowManager::Instance().Reset();
    }
    Objects3DPlan(const Objects3DPlan&) = delete;
    Objects3DPlan& operator=(const Objects3DPlan&) = delete;

    // A box model from (x0, y0, z0) to (x1, y1, z1), as a script model in SCRIPTS\.
    CString WriteBoxModel(const std::string& name, float x0, float y0, float z0, float x1, float y1,
                          float z1) {
        std::ofstream out(folder / "SCRIPTS" / name);
        out << "ModelBegin\nClumpBegin\nColor 1 0 0\n";
        for (int i = 0; i < 8; ++i)
            out << "Vertex " << ((i & 1) ? x1 : x0) << ' ' << ((i & 2) ? y1 : y0) << ' '
                << ((i & 4) ? z1 : z0) << '\n';
        out << "Quad 1 2 4 3\nQuad 5 7 8 6\nQuad 1 5 6 2\nQuad 3 4 8 7\nQuad 1 3 7 5\nQuad 2 6 8 4\n";
        out << "ClumpEnd\nModelEnd\n";
        return CString(name.c_str());
    }

    TestFolder folder;
    WorkingFolderKept workingFolder;
    HeadlessHost screen;
    CString previousBase;
};
