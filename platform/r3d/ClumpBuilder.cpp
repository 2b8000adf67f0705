#include "platform/r3d/ClumpBuilder.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace r3d {

ClumpBuilder::ClumpBuilder() : m_clump(std::make_unique<Clump>()) {}

void ClumpBuilder::PopSurface() {
    if (!m_saved.empty()) {
        m_surface = m_saved.back();
        m_saved.pop_back();
    }
}

void ClumpBuilder::SetColor(float red, float green, float blue) {
    m_surface.red = std::clamp(red, 0.0f, 1.0f);
    m_surface.green = std::clamp(green, 0.0f, 1.0f);
    m_surface.blue = std::clamp(blue, 0.0f, 1.0f);
}

void ClumpBuilder::SetSurfaceFactors(float ambient, float diffuse, float specular) {
    m_surface.ambient = ambient;
    m_surface.diffuse = diffuse;
    m_surface.specular = specular;
}

bool ClumpBuilder::AddTriangle(int a, int b, int c, int tag) {
    const int numbers[] = {a, b, c};
    return AddPolygon(numbers, tag);
}

bool ClumpBuilder::AddQuad(int a, int b, int c, int d, int tag) {
    const int numbers[] = {a, b, c, d};
    return AddPolygon(numbers, tag);
}

bool ClumpBuilder::AddPolygon(std::span<const int> numbers, int tag) {
    return m_clump->AddPolygon(numbers, m_surface, tag) != nullptr;
}

void ClumpBuilder::AddBlock(const Vec3& size) {
    Vec3 h = size * 0.5f;
    int first = m_clump->VertexCount() + 1;
    for (int corner = 0; corner < 8; ++corner) {
        AddVertex({corner & 1 ? h.x : -h.x, corner & 2 ? h.y : -h.y, corner & 4 ? h.z : -h.z});
    }
    // Corners counter-clockwise seen from outside.
    const int faces[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                             {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    for (const auto& f : faces) {
        AddQuad(first + f[0], first + f[1], first + f[2], first + f[3]);
    }
}

void ClumpBuilder::AddSphere(float diameter, int level) {
    int stacks = std::clamp(level, 1, 16) * 2;
    int slices = stacks * 2;
    float radius = diameter * 0.5f;
    int top = AddVertex({0, radius, 0});
    int firstRing = m_clump->VertexCount() + 1;
    for (int stack = 1; stack < stacks; ++stack) {
        double polar = std::numbers::pi * stack / stacks;
        for (int slice = 0; slice < slices; ++slice) {
            double azimuth = 2.0 * std::numbers::pi * slice / slices;
            AddVertex({static_cast<float>(radius * std::sin(polar) * std::cos(azimuth)),
                       static_cast<float>(radius * std::cos(polar)),
                       static_cast<float>(-radius * std::sin(polar) * std::sin(azimuth))});
        }
    }
    int bottom = AddVertex({0, -radius, 0});
    auto ring = [&](int stack, int slice) { return firstRing + (stack - 1) * slices + slice % slices; };
    for (int slice = 0; slice < slices; ++slice) {
        AddTriangle(top, ring(1, slice), ring(1, slice + 1));
        AddTriangle(bottom, ring(stacks - 1, slice + 1), ring(stacks - 1, slice));
        for (int stack = 1; stack + 1 < stacks; ++stack) {
            AddQuad(ring(stack, slice), ring(stack + 1, slice), ring(stack + 1, slice + 1),
                    ring(stack, slice + 1));
        }
    }
}

std::unique_ptr<Clump> ClumpBuilder::Finish() {
    auto finished = std::move(m_clump);
    m_clump = std::make_unique<Clump>();
    m_saved.clear();
    return finished;
}

}  // namespace r3d
