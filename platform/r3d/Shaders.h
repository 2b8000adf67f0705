#pragma once

namespace r3d {

// The two programs the renderer draws with, compiled once per context.
struct Shaders {
    unsigned surface = 0;
    unsigned backdrop = 0;
    unsigned backdropVertexArray = 0;
    unsigned backdropBuffer = 0;
};

// nullptr when a program does not compile (which would be a fault of ours, reported on stderr).
const Shaders* GetShaders();

}  // namespace r3d
