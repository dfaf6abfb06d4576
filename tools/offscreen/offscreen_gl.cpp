#include "offscreen_gl.h"

#include "largest_of_shape.h"
#include "native_gl.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/glext.h>

#include <cstring>

// Framebuffer objects are not GL 1.x, so their entry points are looked up.
struct OffscreenGl::Egl {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
    GLuint framebuffers[2] = {};   // multisampled target, resolved copy
    GLuint renderbuffers[3] = {};  // multisampled colour and depth, resolved colour

    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLGETRENDERBUFFERPARAMETERIVPROC getRenderbufferParameteriv = nullptr;
    PFNGLRENDERBUFFERSTORAGEMULTISAMPLEPROC renderbufferStorageMultisample = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
    PFNGLBLITFRAMEBUFFERPROC blitFramebuffer = nullptr;

    template <class F>
    bool load(F &f, const char *name)
    {
        f = reinterpret_cast<F>(eglGetProcAddress(name));
        return f != nullptr;
    }

    bool loadAll()
    {
        return load(genFramebuffers, "glGenFramebuffers")
            && load(deleteFramebuffers, "glDeleteFramebuffers")
            && load(bindFramebuffer, "glBindFramebuffer")
            && load(genRenderbuffers, "glGenRenderbuffers")
            && load(deleteRenderbuffers, "glDeleteRenderbuffers")
            && load(bindRenderbuffer, "glBindRenderbuffer")
            && load(getRenderbufferParameteriv, "glGetRenderbufferParameteriv")
            && load(renderbufferStorageMultisample, "glRenderbufferStorageMultisample")
            && load(framebufferRenderbuffer, "glFramebufferRenderbuffer")
            && load(checkFramebufferStatus, "glCheckFramebufferStatus")
            && load(blitFramebuffer, "glBlitFramebuffer");
    }
};

std::unique_ptr<OffscreenGl> OffscreenGl::create(int width, int height, std::string &error)
{
    std::unique_ptr<OffscreenGl> gl(new OffscreenGl(width, height));
    if (!gl->setUp(error))
        return nullptr;
    return gl;
}

OffscreenGl::OffscreenGl(int width, int height) : surface(width, height), egl(new Egl) {}

OffscreenGl::~OffscreenGl()
{
    if (egl->context != EGL_NO_CONTEXT) {
        if (egl->deleteFramebuffers) {
            egl->deleteFramebuffers(2, egl->framebuffers);
            egl->deleteRenderbuffers(3, egl->renderbuffers);
        }
        eglMakeCurrent(egl->display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(egl->display, egl->context);
    }
    if (egl->display != EGL_NO_DISPLAY)
        eglTerminate(egl->display);
}

bool OffscreenGl::setUp(std::string &error)
{
    const int w = width(), h = height();
    const char *clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (!clientExtensions || !std::strstr(clientExtensions, "EGL_MESA_platform_surfaceless")) {
        error = "no headless OpenGL: EGL lacks the surfaceless platform (install libegl-mesa0)";
        return false;
    }
    egl->display = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (egl->display == EGL_NO_DISPLAY || !eglInitialize(egl->display, nullptr, nullptr)) {
        error = "no headless OpenGL: cannot open the EGL surfaceless display";
        egl->display = EGL_NO_DISPLAY;
        return false;
    }
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE, 0, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                       EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglBindAPI(EGL_OPENGL_API)
        || !eglChooseConfig(egl->display, configAttributes, &config, 1, &count) || count < 1) {
        error = "no headless OpenGL: EGL offers no desktop OpenGL configuration";
        return false;
    }
    // No version asked: the legacy context, whose fixed-function pipeline
    // the scenes draw with.
    egl->context = eglCreateContext(egl->display, config, EGL_NO_CONTEXT, nullptr);
    if (egl->context == EGL_NO_CONTEXT
        || !eglMakeCurrent(egl->display, EGL_NO_SURFACE, EGL_NO_SURFACE, egl->context)) {
        error = "no headless OpenGL: cannot make an EGL context current";
        return false;
    }
    if (!egl->loadAll()) {
        error = "no headless OpenGL: framebuffer objects are not supported";
        return false;
    }
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxSize);
    if (w > maxSize || h > maxSize) {
        error = "size " + std::to_string(w) + "x" + std::to_string(h)
            + " exceeds this GL's largest image of " + std::to_string(maxSize) + " pixels a side";
        return false;
    }

    egl->genRenderbuffers(3, egl->renderbuffers);
    egl->genFramebuffers(2, egl->framebuffers);
    for (GLuint renderbuffer : egl->renderbuffers)  // made by their first binding
        egl->bindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
    egl->bindFramebuffer(GL_FRAMEBUFFER, egl->framebuffers[1]);
    egl->framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                 egl->renderbuffers[2]);
    egl->bindFramebuffer(GL_FRAMEBUFFER, egl->framebuffers[0]);
    egl->framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                 egl->renderbuffers[0]);
    egl->framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                 egl->renderbuffers[1]);
    if (!allocate(w, h)) {
        // Mesa's llvmpipe, for one, refuses an image above a size of its
        // own, whatever the memory free.
        const auto [largestWidth, largestHeight] =
            largestOfShape(w, h, false, [this](int w, int h) { return allocate(w, h); });
        const std::string size = std::to_string(w) + "x" + std::to_string(h);
        if (largestWidth == 0)
            error = "no headless OpenGL: cannot create a " + std::to_string(kSamples)
                + "x multisampled framebuffer";
        else
            error = "not enough graphics memory for a " + std::to_string(kSamples)
                + "x multisampled framebuffer of " + size
                + " (this GL refused it); the largest of that shape it gives is "
                + std::to_string(largestWidth) + "x" + std::to_string(largestHeight);
        return false;
    }

    NativeGl gl;
    surface.initialize(gl);
    surface.resize(gl, w, h);
    return true;
}

bool OffscreenGl::allocate(int w, int h)
{
    const GLenum formats[3] = {GL_RGBA8, GL_DEPTH24_STENCIL8, GL_RGBA8};
    const GLsizei samples[3] = {kSamples, kSamples, 0};
    for (int i = 0; i < 3; ++i) {
        egl->bindRenderbuffer(GL_RENDERBUFFER, egl->renderbuffers[i]);
        egl->renderbufferStorageMultisample(GL_RENDERBUFFER, samples[i], formats[i], w, h);
        // Storage refused leaves the image empty, and no need to try the
        // rest, which would clear gigabytes for nothing.
        GLint given = 0;
        egl->getRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_WIDTH, &given);
        if (given != w)
            return false;
    }
    bool complete = true;
    for (GLuint framebuffer : egl->framebuffers) {
        egl->bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        complete = complete && egl->checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    // Left bound to the multisampled target, as drawing wants it.
    return glGetError() == GL_NO_ERROR && complete;
}

std::vector<std::uint8_t> OffscreenGl::render(std::int32_t t)
{
    bindTarget();
    paint(t);

    const int w = width(), h = height();
    egl->bindFramebuffer(GL_READ_FRAMEBUFFER, egl->framebuffers[0]);
    egl->bindFramebuffer(GL_DRAW_FRAMEBUFFER, egl->framebuffers[1]);
    egl->blitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    egl->bindFramebuffer(GL_READ_FRAMEBUFFER, egl->framebuffers[1]);

    const std::size_t row = static_cast<std::size_t>(w) * 3;
    std::vector<std::uint8_t> bottomUp(row * h);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<std::uint8_t> topDown(bottomUp.size());
    for (int y = 0; y < h; ++y)
        std::memcpy(&topDown[row * y], &bottomUp[row * (h - 1 - y)], row);
    return topDown;
}

void OffscreenGl::draw(std::int32_t t)
{
    bindTarget();
    paint(t);
    glFinish();
}

void OffscreenGl::paint(std::int32_t t)
{
    NativeGl gl;
    surface.draw(gl, t, gentle);
}

void OffscreenGl::bindTarget()
{
    egl->bindFramebuffer(GL_FRAMEBUFFER, egl->framebuffers[0]);
}
