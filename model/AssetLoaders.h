#pragma once

#include <memory>

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

namespace r3d {
class Clump;
class ClumpBuilder;
class Raster;
class Texture;
}  // namespace r3d

// The loaders of 3D assets named in a layout. Each tries the name as it stands, then the
// program folder's data subfolder, then the folder that the profile section "Paths" names for
// that kind of file; when a later attempt wins, the caller's name becomes the path that worked,
// so a saved layout keeps the full path.

// A model by its extension (.3ds, .dxf or .rwx, in any letter case), from "SCRIPTS\"; null
// for another extension or a file that is missing or cannot be read.
std::unique_ptr<r3d::Clump> LoadModelFile(CString& name);

// A RenderWare script model, from "SCRIPTS\"; null for a file that is missing or cannot be
// read.
std::unique_ptr<r3d::Clump> LoadRwxModel(CString& name);

// A 3D Studio model from "SCRIPTS\"; null when it is missing or cannot be read.
std::unique_ptr<r3d::Clump> Load3dsModel(CString& name);

// An AutoCad drawing-exchange model from "SCRIPTS\"; null when it is missing or cannot be read.
std::unique_ptr<r3d::Clump> LoadDxfModel(CString& name);

// The file dialog's types for the models LoadModelFile reads: all of them first, so that every
// model of a folder shows, then each kind.
inline constexpr const char* kModelFileFilter =
    "3D Model files (*.3ds;*.rwx;*.dxf)|*.3ds;*.rwx;*.dxf|3D Studio files (*.3ds)|*.3ds|"
    "RenderWare files (*.rwx)|*.rwx|AutoCad files (*.dxf)|*.dxf||";

// A texture from "TEXTURES\", and last by its bare name from the 3D library's search folders.
// A failure shows a message, unless report is FALSE, and leaves the name as it was.
std::shared_ptr<r3d::Texture> LoadTextureFile(CString& name, BOOL report = TRUE);

// The mask picture of a 3D bitmap, from "3DBITMAPS\"; null on failure.
std::shared_ptr<r3d::Raster> Load3DBitmapRaster(CString& name);

// A backdrop panorama, from "BACKDROPS\"; null on failure.
std::shared_ptr<r3d::Raster> LoadBackdrop(CString& name);

// Puts the texture, masked by its ".msk" file where there is one, on the surface the builder
// is making: every search path is tried with the mask before any is tried without it, so a
// masked file in a data folder beats a plain one under the stored name. FALSE, with a message
// when asked for, when no attempt finds it.
BOOL LoadTexture(CString& name, r3d::ClumpBuilder& builder, BOOL showMessage);

// The mask file of a texture or 3D bitmap: the same folder and name with the extension "msk".
CString MaskFileName(const CString& name);
