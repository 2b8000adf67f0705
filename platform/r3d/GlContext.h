#pragma once

#include <string>

namespace r3d {

// The one OpenGL 3.3 core context all cameras render with: EGL without any window (Mesa's
// surfaceless platform, or the default display with a tiny pbuffer), current for the program's life.
class GlContext {
  public:
    // Creates the context on first use; nullptr when none can be had (see FailureReason).
    static GlContext* Get();
    static const std::string& FailureReason();
    static bool Alive();

    // Device objects die with their owners; after the context is gone there is nothing to free.
    static void ReleaseTexture(unsigned& handle);
    static void ReleaseBuffer(unsigned& handle);
    static void ReleaseVertexArray(unsigned& handle);

    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;
    ~GlContext();

    const std::string& Renderer() const { return m_renderer; }

  private:
    GlContext() = default;
    bool Open(std::string& failure);

    void* m_display = nullptr;
    void* m_context = nullptr;
    void* m_surface = nullptr;
    std::string m_renderer;
};

}  // namespace r3d
