// view.cpp: the camera, the frame and the viewport.
#include "shell/view.h"

#include <GL/gl.h>

#include "platform/platform.h"
#include "render/map_gl.h"

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

void swap_frame()
{
    platform_swap_buffers();
}

void on_resize(int width, int height)
{
    // the client size is kept as signed 16-bit values
    client_width = (int16_t)width;
    client_height = (int16_t)height;
    glViewport(0, 0, client_width, client_height);
    // a minimised window reports height 0: keep the last projection until a real size
    if (client_height <= 0)
        return;
    float aspect = (float)client_width / (float)client_height;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-aspect, aspect, -1.0, 1.0, FRUSTUM_NEAR, FRUSTUM_FAR);
}

void on_paint()
{
    render_scene();
    swap_frame();
}
