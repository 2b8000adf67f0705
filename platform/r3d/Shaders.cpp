#include "platform/r3d/Shaders.h"

#include <epoxy/gl.h>

#include <cstdio>
#include <optional>

namespace r3d {

namespace {

constexpr const char* kSurfaceVertex = R"(#version 330 core
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec2 aTexCoord;
uniform mat4 uWorld;
uniform mat4 uViewProjection;
uniform vec3 uEye;
out vec3 vFromEye;
out vec2 vTexCoord;
void main() {
    vec4 world = uWorld * vec4(aPosition, 1.0);
    vFromEye = world.xyz - uEye;
    vTexCoord = aTexCoord;
    gl_Position = uViewProjection * world;
}
)";

// Faces share their corners, so each face's normal comes from how the position changes across the
// screen, which keeps it flat. Positions are taken from the eye, where floats are finest near it.
// Faces are lit on whichever side the eye sees; models come with either winding.
constexpr const char* kSurfaceFragment = R"(#version 330 core
in vec3 vFromEye;
in vec2 vTexCoord;
uniform vec3 uColor;
uniform float uOpacity;
uniform vec3 uFactors;
uniform float uAmbient;
uniform int uLightCount;
uniform vec3 uLightDirection[4];
uniform float uLightBrightness[4];
uniform bool uLit;
uniform bool uTextured;
uniform sampler2D uTexture;
out vec4 fragColor;
void main() {
    vec3 n = normalize(cross(dFdx(vFromEye), dFdy(vFromEye)));
    vec4 base = uTextured ? texture(uTexture, vTexCoord) : vec4(uColor, 1.0);
    if (base.a < 0.5) discard;
    if (!uLit) {
        fragColor = vec4(base.rgb, uOpacity);
        return;
    }
    vec3 toEye = normalize(-vFromEye);
    if (dot(n, toEye) < 0.0) n = -n;
    float diffuse = 0.0;
    float highlight = 0.0;
    for (int i = 0; i < uLightCount; ++i) {
        vec3 toLight = -normalize(uLightDirection[i]);
        diffuse += uLightBrightness[i] * max(dot(n, toLight), 0.0);
        if (uFactors.z > 0.0) {
            vec3 halfway = normalize(toLight + toEye);
            highlight += uLightBrightness[i] * pow(max(dot(n, halfway), 0.0), 32.0);
        }
    }
    vec3 rgb = base.rgb * (uFactors.x * uAmbient + uFactors.y * diffuse) + vec3(uFactors.z * highlight);
    fragColor = vec4(min(rgb, vec3(1.0)), uOpacity);
}
)";

constexpr const char* kBackdropVertex = R"(#version 330 core
layout(location = 0) in vec2 aPosition;
layout(location = 1) in vec2 aTexCoord;
out vec2 vTexCoord;
void main() {
    vTexCoord = aTexCoord;
    gl_Position = vec4(aPosition, 0.0, 1.0);
}
)";

constexpr const char* kBackdropFragment = R"(#version 330 core
in vec2 vTexCoord;
uniform sampler2D uTexture;
out vec4 fragColor;
void main() {
    fragColor = vec4(texture(uTexture, vTexCoord).rgb, 1.0);
}
)";

unsigned Compile(GLenum kind, const char* source) {
    GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "shader does not compile: %s\n", log);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

unsigned Link(const char* vertexSource, const char* fragmentSource) {
    GLuint vertex = Compile(GL_VERTEX_SHADER, vertexSource);
    GLuint fragment = Compile(GL_FRAGMENT_SHADER, fragmentSource);
    if (!vertex || !fragment) {
        return 0;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        std::fprintf(stderr, "shader program does not link\n");
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

std::optional<Shaders> Build() {
    Shaders shaders;
    shaders.surface = Link(kSurfaceVertex, kSurfaceFragment);
    shaders.backdrop = Link(kBackdropVertex, kBackdropFragment);
    if (!shaders.surface || !shaders.backdrop) {
        return std::nullopt;
    }
    glGenVertexArrays(1, &shaders.backdropVertexArray);
    glGenBuffers(1, &shaders.backdropBuffer);
    glBindVertexArray(shaders.backdropVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, shaders.backdropBuffer);
    glBufferData(GL_ARRAY_BUFFER, 16 * sizeof(float), nullptr, GL_DYNAMIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float),
                          reinterpret_cast<const void*>(2 * sizeof(float)));
    glBindVertexArray(0);
    return shaders;
}

}  // namespace

const Shaders* GetShaders() {
    static std::optional<Shaders> shaders = Build();
    return shaders ? &*shaders : nullptr;
}

}  // namespace r3d
