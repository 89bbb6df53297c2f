// gl_context.cpp: the headless EGL context of the GL tests.
#define GL_GLEXT_PROTOTYPES
#include "tests/gl_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <cstdio>

static EGLContext context = EGL_NO_CONTEXT;
static GLuint framebuffer, color_buffer, depth_buffer;

static int fail(const char* what)
{
    fprintf(stderr, "gl_context: %s (EGL error 0x%x)\n", what, eglGetError());
    return 0;
}

static int create_context()
{
    if (context != EGL_NO_CONTEXT)
        return 1;
    auto get_display = (PFNEGLGETPLATFORMDISPLAYEXTPROC)eglGetProcAddress("eglGetPlatformDisplayEXT");
    EGLDisplay display = get_display ? get_display(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr)
                                     : EGL_NO_DISPLAY;
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr))
        return fail("no surfaceless EGL display");
    if (!eglBindAPI(EGL_OPENGL_API))
        return fail("desktop OpenGL not available");
    // a compatibility profile: display lists, immediate mode and the matrix stacks
    const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (context == EGL_NO_CONTEXT)
        return fail("eglCreateContext failed");
    if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context))
        return fail("eglMakeCurrent failed");
    return 1;
}

static void attach_renderbuffer(GLuint* buffer, GLenum format, GLenum attachment, int width, int height)
{
    glGenRenderbuffers(1, buffer);
    glBindRenderbuffer(GL_RENDERBUFFER, *buffer);
    glRenderbufferStorage(GL_RENDERBUFFER, format, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, *buffer);
}

int gl_context_open(int width, int height)
{
    if (!create_context())
        return 0;
    gl_context_close();
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    attach_renderbuffer(&color_buffer, GL_RGBA8, GL_COLOR_ATTACHMENT0, width, height);
    attach_renderbuffer(&depth_buffer, GL_DEPTH_COMPONENT24, GL_DEPTH_ATTACHMENT, width, height);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        return fail("framebuffer incomplete");
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    return 1;
}

std::vector<unsigned char> gl_context_read_rgb(int x, int y, int width, int height)
{
    std::vector<unsigned char> pixels((size_t)width * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

void gl_context_close()
{
    if (!framebuffer)
        return;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteRenderbuffers(1, &color_buffer);
    glDeleteRenderbuffers(1, &depth_buffer);
    framebuffer = color_buffer = depth_buffer = 0;
}
