#include "platform/r3d/GlContext.h"

#include <epoxy/egl.h>
#include <epoxy/gl.h>

#include <memory>

namespace r3d {

namespace {

// The context lives as long as the program: tearing EGL down at exit would unload the driver
// under objects that other statics may still release.
struct State {
    GlContext* context = nullptr;
    std::string failure;
    bool tried = false;
};

State& TheState() {
    static State state;
    return state;
}

EGLDisplay OpenDisplay() {
    if (epoxy_has_egl_extension(EGL_NO_DISPLAY, "EGL_MESA_platform_surfaceless")) {
        EGLDisplay display =
            eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (display != EGL_NO_DISPLAY) {
            return display;
        }
    }
    return eglGetDisplay(EGL_DEFAULT_DISPLAY);
}

}  // namespace

GlContext* GlContext::Get() {
    State& state = TheState();
    if (!state.tried) {
        state.tried = true;
        std::unique_ptr<GlContext> context(new GlContext());
        if (context->Open(state.failure)) {
            state.context = context.release();
        }
    }
    return state.context;
}

const std::string& GlContext::FailureReason() {
    return TheState().failure;
}

bool GlContext::Alive() {
    return TheState().context != nullptr;
}

void GlContext::ReleaseTexture(unsigned& handle) {
    if (handle && Alive()) {
        glDeleteTextures(1, &handle);
    }
    handle = 0;
}

void GlContext::ReleaseBuffer(unsigned& handle) {
    if (handle && Alive()) {
        glDeleteBuffers(1, &handle);
    }
    handle = 0;
}

void GlContext::ReleaseVertexArray(unsigned& handle) {
    if (handle && Alive()) {
        glDeleteVertexArrays(1, &handle);
    }
    handle = 0;
}

bool GlContext::Open(std::string& failure) {
    EGLDisplay display = OpenDisplay();
    EGLint major = 0, minor = 0;
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
        failure = "no EGL display";
        return false;
    }
    m_display = display;
    if (!eglBindAPI(EGL_OPENGL_API)) {
        failure = "EGL cannot bind OpenGL";
        return false;
    }
    bool surfaceless = epoxy_has_egl_extension(display, "EGL_KHR_surfaceless_context");
    const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_SURFACE_TYPE,
                                       surfaceless ? 0 : EGL_PBUFFER_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(display, configAttributes, &config, 1, &count) || count < 1) {
        failure = "no EGL configuration for OpenGL";
        return false;
    }
    const EGLint contextAttributes[] = {EGL_CONTEXT_MAJOR_VERSION,
                                        3,
                                        EGL_CONTEXT_MINOR_VERSION,
                                        3,
                                        EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                                        EGL_NONE};
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT) {
        failure = "no OpenGL 3.3 core context";
        return false;
    }
    m_context = context;
    EGLSurface surface = EGL_NO_SURFACE;
    if (!surfaceless) {
        const EGLint pbufferAttributes[] = {EGL_WIDTH, 1, EGL_HEIGHT, 1, EGL_NONE};
        surface = eglCreatePbufferSurface(display, config, pbufferAttributes);
        m_surface = surface;
    }
    if (!eglMakeCurrent(display, surface, surface, context)) {
        failure = "cannot make the OpenGL context current";
        return false;
    }
    const GLubyte* renderer = glGetString(GL_RENDERER);
    m_renderer = renderer ? reinterpret_cast<const char*>(renderer) : "";
    return true;
}

GlContext::~GlContext() {
    if (!m_display) {
        return;
    }
    eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (m_surface) {
        eglDestroySurface(m_display, m_surface);
    }
    if (m_context) {
        eglDestroyContext(m_display, m_context);
    }
    eglTerminate(m_display);
}

}  // namespace r3d
