#pragma once

#include <array>
#include <vector>

class CPaint;

// A knot that a cut gives another plan place (grid units) and height (plan units).
struct CKnotChange {
    int index = 0;
    float x = 0.0f;
    float y = 0.0f;
    float height = 0.0f;
};

// One corner of a tunnel cross-section, in the terrain's own frame.
struct CTunnelCorner {
    float x = 0.0f;
    float y = 0.0f;
    float height = 0.0f;
};

using CTunnelSection = std::array<CTunnelCorner, 4>;

// What one track piece cut into a terrain: the knots it moved, the grid cells it left open and
// the cross-sections of its tunnels with the number of them in each tunnel.
struct CTrackBedCut {
    CPaint* piece = nullptr;
    std::vector<CKnotChange> changes;
    std::vector<int> hidden;
    std::vector<CTunnelSection> sections;
    std::vector<int> runs;
};

// The ground levelled under one 3D object.
struct CObjectCut {
    CPaint* object = nullptr;
    std::vector<CKnotChange> changes;
};
