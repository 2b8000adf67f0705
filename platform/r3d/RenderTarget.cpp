#include "platform/r3d/RenderTarget.h"

#include "platform/gdi/PixelSurface.h"
#include "platform/r3d/Camera.h"
#include "platform/r3d/GlContext.h"
#include "platform/r3d/GpuMesh.h"
#include "platform/r3d/Scene.h"
#include "platform/r3d/Shaders.h"
#include "platform/r3d/Texture.h"
#include "platform/r3d/ViewVolume.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

namespace r3d {

namespace {

constexpr int kMaxLights = 4;

void Upload(const Texture& texture, bool repeat) {
    unsigned& handle = texture.DeviceHandle();
    if (!handle) {
        glGenTextures(1, &handle);
    }
    glBindTexture(GL_TEXTURE_2D, handle);
    if (texture.DeviceVersion() == texture.Version()) {
        return;
    }
    texture.DeviceVersion() = texture.Version();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, texture.Image().Width(), texture.Image().Height(), 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, texture.Rgba().data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, repeat ? GL_REPEAT : GL_CLAMP_TO_EDGE);
    if (repeat) {
        glGenerateMipmap(GL_TEXTURE_2D);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    } else {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    }
}

GLint At(unsigned program, const char* name) {
    return glGetUniformLocation(program, name);
}

void SetSceneUniforms(unsigned program, const Scene& scene, const Camera& camera) {
    glUniformMatrix4fv(At(program, "uViewProjection"), 1, GL_FALSE, ViewVolume::WorldToClip(camera).Data());
    Vec3 eye = camera.Position();
    glUniform3f(At(program, "uEye"), eye.x, eye.y, eye.z);
    glUniform1f(At(program, "uAmbient"), scene.AmbientLight());
    int count = std::min(static_cast<int>(scene.Lights().size()), kMaxLights);
    glUniform1i(At(program, "uLightCount"), count);
    for (int i = 0; i < count; ++i) {
        const Light& light = *scene.Lights()[i];
        std::string index = "[" + std::to_string(i) + "]";
        glUniform3f(At(program, ("uLightDirection" + index).c_str()), light.Direction().x,
                    light.Direction().y, light.Direction().z);
        glUniform1f(At(program, ("uLightBrightness" + index).c_str()), light.Brightness());
    }
    glUniform1i(At(program, "uTexture"), 0);
}

// Where the surface program takes each of a surface's settings, looked up once per frame.
struct SurfaceUniforms {
    explicit SurfaceUniforms(unsigned program)
        : world(At(program, "uWorld")),
          color(At(program, "uColor")),
          opacity(At(program, "uOpacity")),
          factors(At(program, "uFactors")),
          lit(At(program, "uLit")),
          textured(At(program, "uTextured")) {}

    GLint world, color, opacity, factors, lit, textured;
};

void DrawBatch(const SurfaceUniforms& uniforms, const GpuMesh::Batch& batch) {
    const Material& m = batch.material;
    glUniform3f(uniforms.color, m.red, m.green, m.blue);
    glUniform1f(uniforms.opacity, m.opacity);
    glUniform3f(uniforms.factors, m.ambient, m.diffuse, m.specular);
    glUniform1i(uniforms.lit, batch.lines ? 0 : 1);
    bool textured = m.texture && !m.texture->Image().Empty();
    glUniform1i(uniforms.textured, textured ? 1 : 0);
    if (textured) {
        Upload(*m.texture, true);
    }
    if (batch.frontOnly)
        glEnable(GL_CULL_FACE);
    glDrawElements(batch.lines ? GL_LINES : GL_TRIANGLES, batch.count, GL_UNSIGNED_INT,
                   reinterpret_cast<const void*>(batch.first * sizeof(GLuint)));
    if (batch.frontOnly)
        glDisable(GL_CULL_FACE);
}

void DrawMesh(const SurfaceUniforms& uniforms, const GpuMesh& mesh, bool seeThrough) {
    glBindVertexArray(mesh.VertexArray());
    for (const GpuMesh::Batch& batch : mesh.Batches()) {
        if ((batch.material.opacity < 1.0f) == seeThrough && batch.count > 0) {
            DrawBatch(uniforms, batch);
        }
    }
}

// Opaque surfaces in the first pass, see-through ones over them in the second.
void DrawClump(const SurfaceUniforms& uniforms, const Clump& clump, const Camera& camera, bool seeThrough) {
    std::unique_ptr<GpuMesh>& mesh = clump.DeviceMesh();
    if (!mesh) {
        mesh = std::make_unique<GpuMesh>();
    }
    mesh->Refresh(clump);
    glUniformMatrix4fv(uniforms.world, 1, GL_FALSE, clump.WorldMatrixSeenBy(camera).Data());
    DrawMesh(uniforms, *mesh, seeThrough);
    for (const auto& child : clump.Children()) {
        DrawClump(uniforms, *child, camera, seeThrough);
    }
}

// The shared meshes hold only opaque faces, already in world coordinates. Those whose bounds
// lie wholly outside the camera's view are left out: none of their faces could reach a pixel.
// Returns how many were drawn.
int DrawSharedMeshes(const SurfaceUniforms& uniforms, const Scene& scene, const Camera& camera) {
    glUniformMatrix4fv(uniforms.world, 1, GL_FALSE, Matrix().Data());
    const ViewVolume seen(camera);
    int drawn = 0;
    scene.Batches().ForEachMesh([&](const GpuMesh& mesh, const Box& bounds) {
        if (!scene.Culling() || seen.MayShow(bounds)) {
            DrawMesh(uniforms, mesh, false);
            ++drawn;
        }
    });
    return drawn;
}

// In the scene's order, the shared meshes taking the place of the first batched clump, so that
// where faces meet at equal depth (a roadbed's foot on the ground) the same one wins as when
// every clump is drawn on its own. Then the clumps the shared meshes left out. Returns how many
// shared meshes were drawn.
int DrawOpaque(const SurfaceUniforms& uniforms, const Scene& scene, const Camera& camera) {
    const std::vector<const Clump*>& single = scene.SingleClumps();
    const std::size_t before = scene.SinglesBeforeBatches();
    for (std::size_t i = 0; i < before; ++i) {
        DrawClump(uniforms, *single[i], camera, false);
    }
    const int sharedMeshes = DrawSharedMeshes(uniforms, scene, camera);
    for (std::size_t i = before; i < single.size(); ++i) {
        DrawClump(uniforms, *single[i], camera, false);
    }
    for (const Clump* clump : scene.Batches().LeftOut()) {
        DrawClump(uniforms, *clump, camera, false);
    }
    return sharedMeshes;
}

// The shared meshes hold nothing see-through.
void DrawSeeThrough(const SurfaceUniforms& uniforms, const Scene& scene, const Camera& camera) {
    for (const Clump* clump : scene.SingleClumps()) {
        DrawClump(uniforms, *clump, camera, true);
    }
    for (const Clump* clump : scene.Batches().LeftOut()) {
        DrawClump(uniforms, *clump, camera, true);
    }
}

}  // namespace

std::unique_ptr<RenderTarget> RenderTarget::Create(int width, int height) {
    if (width <= 0 || height <= 0 || !GlContext::Get() || !GetShaders()) {
        return nullptr;
    }
    std::unique_ptr<RenderTarget> target(new RenderTarget(width, height));
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE ? std::move(target) : nullptr;
}

RenderTarget::RenderTarget(int width, int height) : m_width(width), m_height(height) {
    glGenFramebuffers(1, &m_framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    glGenRenderbuffers(1, &m_colour);
    glBindRenderbuffer(GL_RENDERBUFFER, m_colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_colour);
    glGenRenderbuffers(1, &m_depth);
    glBindRenderbuffer(GL_RENDERBUFFER, m_depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, m_depth);
}

RenderTarget::~RenderTarget() {
    if (GlContext::Alive()) {
        glDeleteFramebuffers(1, &m_framebuffer);
        glDeleteRenderbuffers(1, &m_colour);
        glDeleteRenderbuffers(1, &m_depth);
    }
}

void RenderTarget::SetViewport(const Camera& camera) {
    const Rect& v = camera.Viewport();
    // The raster counts rows from the top, OpenGL from the bottom.
    glViewport(v.x, m_height - v.y - v.height, v.width, v.height);
    glScissor(v.x, m_height - v.y - v.height, v.width, v.height);
}

bool RenderTarget::Begin(const Camera& camera) {
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    SetViewport(camera);
    return true;
}

void RenderTarget::Clear(const Camera& camera) {
    SetViewport(camera);
    glEnable(GL_SCISSOR_TEST);
    Vec3 background = camera.BackgroundColor();
    glClearColor(background.x, background.y, background.z, 1.0f);
    glDepthMask(GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    if (camera.Backdrop() && !camera.Backdrop()->Empty()) {
        DrawBackdrop(camera);
    }
}

// The backdrop fills its rectangle one texel per pixel, repeated sideways so that a panorama
// turned by any offset never leaves a gap. The offset is the texel at the rectangle's top left:
// a camera turning right raises it, and the panorama slides left as the scene does.
void RenderTarget::DrawBackdrop(const Camera& camera) {
    const Raster& raster = *camera.Backdrop();
    if (m_backdropSource != camera.Backdrop() || !m_backdrop) {
        m_backdrop = std::make_shared<Texture>(raster);
        m_backdropSource = camera.Backdrop();
    }
    const Shaders& shaders = *GetShaders();
    const Rect& viewport = camera.Viewport();
    const Rect& r = camera.BackdropRect();
    float w = static_cast<float>(raster.Width()), h = static_cast<float>(raster.Height());
    auto ndcX = [&](float x) { return 2.0f * x / viewport.width - 1.0f; };
    auto ndcY = [&](float y) { return 1.0f - 2.0f * y / viewport.height; };
    float u0 = static_cast<float>(camera.BackdropOffsetX()) / w;
    float u1 = static_cast<float>(r.width + camera.BackdropOffsetX()) / w;
    float v0 = static_cast<float>(camera.BackdropOffsetY()) / h;
    float v1 = static_cast<float>(r.height + camera.BackdropOffsetY()) / h;
    float left = ndcX(static_cast<float>(r.x)), right = ndcX(static_cast<float>(r.x + r.width));
    float top = ndcY(static_cast<float>(r.y)), bottom = ndcY(static_cast<float>(r.y + r.height));
    const float quad[16] = {left, top,    u0, v0, right, top,    u1, v0,
                            left, bottom, u0, v1, right, bottom, u1, v1};
    glUseProgram(shaders.backdrop);
    glActiveTexture(GL_TEXTURE0);
    Upload(*m_backdrop, false);
    glUniform1i(At(shaders.backdrop, "uTexture"), 0);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glBindVertexArray(shaders.backdropVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, shaders.backdropBuffer);
    glBufferSubData(GL_ARRAY_BUFFER, 0, sizeof quad, quad);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glBindVertexArray(0);
}

void RenderTarget::DrawScene(const Scene& scene, const Camera& camera) {
    const Shaders& shaders = *GetShaders();
    SetViewport(camera);
    glUseProgram(shaders.surface);
    glActiveTexture(GL_TEXTURE0);
    SetSceneUniforms(shaders.surface, scene, camera);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    scene.Batches().Refresh();
    const SurfaceUniforms uniforms(shaders.surface);
    m_sharedMeshesDrawn = DrawOpaque(uniforms, scene, camera);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    DrawSeeThrough(uniforms, scene, camera);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glBindVertexArray(0);
}

const std::uint8_t* RenderTarget::ReadBack(const Rect& viewport) {
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    // The framebuffer's own layout reads fastest.
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    m_readBack.resize(static_cast<std::size_t>(viewport.width) * 4 * viewport.height);
    glReadPixels(viewport.x, m_height - viewport.y - viewport.height, viewport.width, viewport.height,
                 GL_BGRA, GL_UNSIGNED_BYTE, m_readBack.data());
    return m_readBack.data();
}

void RenderTarget::ReadPicture(const Rect& viewport, Raster& picture) {
    if (picture.Width() != viewport.width || picture.Height() != viewport.height) {
        picture = Raster(viewport.width, viewport.height);
    }
    if (picture.Empty()) {
        return;
    }
    const std::uint8_t* bottomRow = ReadBack(viewport);
    const std::size_t rowBytes = static_cast<std::size_t>(viewport.width) * 4;
    // Rows are turned the right way up while the alpha is dropped.
    for (int y = 0; y < viewport.height; ++y) {
        const std::uint8_t* in = bottomRow + static_cast<std::size_t>(viewport.height - 1 - y) * rowBytes;
        std::uint8_t* out = picture.Bytes() + static_cast<std::size_t>(y) * picture.RowBytes();
        for (int x = 0; x < viewport.width; ++x, in += 4, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
}

void RenderTarget::ReadPixels(const Rect& viewport, PixelSurface& surface) {
    if (surface.Width() != viewport.width || surface.Height() != viewport.height || viewport.width <= 0 ||
        viewport.height <= 0) {
        return;
    }
    const std::uint8_t* bottomRow = ReadBack(viewport);
    const std::size_t rowBytes = static_cast<std::size_t>(viewport.width) * 4;
    for (int y = 0; y < viewport.height; ++y) {
        const std::uint8_t* in = bottomRow + static_cast<std::size_t>(viewport.height - 1 - y) * rowBytes;
        std::uint32_t* out = surface.Row(y);
        std::memcpy(out, in, rowBytes);
        // Blue, green, red, alpha in memory is 0xAARRGGBB as a word; the surface has no alpha.
        static_assert(std::endian::native == std::endian::little);
        for (int x = 0; x < viewport.width; ++x) {
            out[x] &= 0x00FFFFFFu;
        }
    }
}

}  // namespace r3d
