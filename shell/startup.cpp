// startup.cpp: start-up after the window exists, and teardown.
#include "shell/startup.h"

#include <GL/gl.h>

#include "panels/gis_panel.h"
#include "panels/panels.h"
#include "platform/platform.h"
#include "render/columns.h"
#include "render/map_gl.h"
#include "shell/command_line.h"
#include "panels/file_dialogs.h"
#include "shell/menu.h"
#include "shell/view.h"

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
    load_basemap();
    make_columns();  // from the still empty beat table
}

void on_startup()
{
    platform_start_timer(FRAME_TIMER_ID, FRAME_PERIOD_MS);
    init_gl_state();
    create_menu();
    init_file_dialogs();
    create_panels();
    // the beat list named on the command line, now that the Query panel exists to list it
    if (start_beat_list[0])
        load_beat_list(start_beat_list);
}

void on_destroy()
{
    platform_release_gl_context();
    platform_quit(0);
}
