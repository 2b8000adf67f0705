#pragma once

#include <memory>

class CBitmap;
namespace r3d {
class Texture;
}

// The textures 3D bitmaps show in 3D, made from the pictures their objects loaded, as the plan
// draws them, never from their files again: one texture per picture and mask held, shared by
// every 3D bitmap showing them while one does.
class CSpriteTextures {
  public:
    // Null when the picture cannot be had any more.
    static std::shared_ptr<r3d::Texture> Of(const CBitmap& image, const CBitmap* mask);
    // The textures made since the program started.
    static int MadeCount();
};
