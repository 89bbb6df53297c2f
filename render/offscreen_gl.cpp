// offscreen_gl.cpp: the offscreen framebuffer; see offscreen_gl.h.
#define GL_GLEXT_PROTOTYPES
#include "render/offscreen_gl.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include "render/capture_gl.h"
#include "render/frame_gl.h"
#include "render/view_state.h"

static GLuint framebuffer, colour_buffer, depth_buffer;
static int buffer_width, buffer_height;

void offscreen_close()
{
    if (framebuffer)
        glDeleteFramebuffers(1, &framebuffer);
    if (colour_buffer)
        glDeleteRenderbuffers(1, &colour_buffer);
    if (depth_buffer)
        glDeleteRenderbuffers(1, &depth_buffer);
    framebuffer = colour_buffer = depth_buffer = 0;
}

static void attach(GLuint* buffer, GLenum format, GLenum attachment, int width, int height)
{
    glGenRenderbuffers(1, buffer);
    glBindRenderbuffer(GL_RENDERBUFFER, *buffer);
    glRenderbufferStorage(GL_RENDERBUFFER, format, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, *buffer);
}

int offscreen_open(int width, int height)
{
    offscreen_close();
    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    attach(&colour_buffer, GL_RGBA8, GL_COLOR_ATTACHMENT0, width, height);
    attach(&depth_buffer, GL_DEPTH_COMPONENT24, GL_DEPTH_ATTACHMENT, width, height);
    const int complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, (GLuint)previous);
    if (!complete) {
        offscreen_close();
        return 0;
    }
    buffer_width = width;
    buffer_height = height;
    return 1;
}

int offscreen_draw(RgbImage* image)
{
    if (!framebuffer || image->width != buffer_width || image->height != buffer_height)
        return 0;
    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    // the frame at the buffer's size, whatever the window's is now
    const int16_t width = client_width, height = client_height;
    client_width = (int16_t)buffer_width;
    client_height = (int16_t)buffer_height;
    set_projection();
    render_scene();
    const int ok = read_frame(image);
    client_width = width;
    client_height = height;
    set_projection();
    glBindFramebuffer(GL_FRAMEBUFFER, (GLuint)previous);
    return ok;
}
