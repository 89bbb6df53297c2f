// startup.cpp: start-up after the window exists, and teardown.
#include "shell/startup.h"

#include <cstdio>

#include "panels/file_dialogs.h"
#include "panels/gis_panel.h"
#include "panels/panels.h"
#include "platform/platform.h"
#include "render/columns.h"
#include "render/frame_gl.h"
#include "shell/command_line.h"
#include "shell/menu.h"
#include "shell/settings.h"
#include "shell/view.h"

void on_startup()
{
    platform_start_timer(FRAME_TIMER_ID, FRAME_PERIOD_MS);
    apply_view_settings();  // the columns, the menu's checks and the panels' lists show them
    init_gl_state();
    load_basemap();
    make_columns();  // from the still empty beat table
    create_menu();
    init_file_dialogs();
    create_panels();
    apply_layout_settings();
    // the beat list named on the command line, now that the Query panel exists to list it
    if (start_beat_list[0])
        load_beat_list(start_beat_list);
}

void on_destroy()
{
    save_settings();  // closed by its close box; after Quit it has been done
    platform_release_gl_context();
    platform_quit(0);
}

void on_gl_context_destroyed()
{
    // Quit has freed them already unless the window went another way (its close box)
    if (!free_view_objects())
        fputs("zavro: OpenGL reported an error by the time the view's objects were freed\n", stderr);
}
