// frame_gl.cpp: the frame's OpenGL; see frame_gl.h. The transform here is the one
// inverse_scene_transform (render/pick.cpp) undoes, step for step.
#include "render/frame_gl.h"

#include <GL/gl.h>

#include "render/map_gl.h"
#include "render/view_state.h"

void init_gl_state()
{
    glDisable(GL_CULL_FACE);
    // blending itself is enabled only while the map is drawn
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // snapshots read the frame last shown: the front buffer of a window, or the only
    // colour buffer of the framebuffer object that a window system may draw into
    GLint framebuffer = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    glReadBuffer(framebuffer == 0 ? GL_FRONT : GL_COLOR_ATTACHMENT0);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glClearColor(0.498f, 0.498f, 0.498f, 1.0f);
    glPointSize(3.0f);
    glLineWidth(2.0f);
    make_stripe_texture();
}

void set_projection()
{
    glViewport(0, 0, client_width, client_height);
    if (client_height <= 0)
        return;
    float aspect = (float)client_width / (float)client_height;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-aspect, aspect, -1.0, 1.0, FRUSTUM_NEAR, FRUSTUM_FAR);
}

// What the frame last drawn shows; valid once a frame was drawn.
static SceneKey drawn_scene;
static int drawn_scene_valid = 0;

int scene_changed_since_drawn()
{
    const SceneKey now = current_scene_key();
    return !drawn_scene_valid || !same_scene(&now, &drawn_scene);
}

void render_scene()
{
    drawn_scene = current_scene_key();
    drawn_scene_valid = 1;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // eye in front of the view centre
    glTranslatef(0.0f, 0.0f, -view_distance);
    glRotatef(-view_tilt, 1.0f, 0.0f, 0.0f);
    glRotatef(-view_heading, 0.0f, 0.0f, 1.0f);
    glTranslatef(-view_center.x, -view_center.y, -view_center.z);
    // map to scene: scale about the map origin
    glTranslatef(MAP_ORIGIN_X, MAP_ORIGIN_Y, 0.0f);
    glScalef(MAP_SCALE, MAP_SCALE, vertical_scale * HEIGHT_SCALE);
    glTranslatef(-MAP_ORIGIN_X, -MAP_ORIGIN_Y, 0.0f);

    draw_map();
}

int free_view_objects()
{
    delete_map(1);
    return glGetError() == GL_NO_ERROR;
}
