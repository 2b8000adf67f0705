#pragma once

#include "platform/r3d/Texture.h"

#include <memory>

namespace r3d {

enum class DrawStyle { Wireframe = 2, Solid = 4 };

// The surface of a polygon. Colour components run from 0 to 1. The three factors weigh the
// ambient light, the diffuse part of the directional light and its highlight.
struct Material {
    float red = 1.0f, green = 1.0f, blue = 1.0f;
    float opacity = 1.0f;
    float ambient = 0.4f, diffuse = 0.6f, specular = 0.0f;
    DrawStyle style = DrawStyle::Solid;
    std::shared_ptr<Texture> texture;

    bool operator==(const Material&) const = default;
};

}  // namespace r3d
