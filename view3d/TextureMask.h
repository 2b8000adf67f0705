#pragma once

#include "platform/base/CString.h"

namespace r3d {
class Texture;
}

// Puts on a texture the mask that lies beside its file with the extension "msk" (see
// MaskFileName); a texture without one is left as it is, silently. 1 when a mask was applied.
int ApplyTextureMask(const CString& textureName, r3d::Texture& texture);
