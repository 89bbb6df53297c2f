// view.cpp: the frame drawn and shown, and the client area's size.
#include "shell/view.h"

#include "platform/platform.h"
#include "render/frame_gl.h"
#include "shell/export_animation.h"
#include "shell/view_menu.h"

void draw_frame()
{
    render_scene();
    platform_swap_buffers();
    show_readouts();
}

void on_resize(int width, int height)
{
    // the client size is kept as signed 16-bit values
    client_width = (int16_t)width;
    client_height = (int16_t)height;
    set_projection();
}

void on_paint()
{
    if (exporting_animation)
        return;  // the window keeps the frame it shows; the export draws off screen
    draw_frame();
}
