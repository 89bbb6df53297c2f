// panels.h: the five panels' handles, their creation at start-up and their procedures.
// A procedure gets PANEL_INIT once, then commands (control id, code), and returns 1 for
// what it handled.
#pragma once

#include "platform/platform.h"

// Set once by create_panels; 0 before.
extern Panel gis_panel;
extern Panel query_panel;
extern Panel timeline_panel;
extern Panel info_panel;
extern Panel about_box;
extern Panel chart_panel;

// Creates the panels in the order GIS, Query, Timeline, Info, About, Chart, each
// initialised by its procedure, and stores their handles. The GIS, Query and Timeline
// panels show.
void create_panels();

int gis_panel_proc(Panel dialog, int message, int control_id, int code);
int query_panel_proc(Panel dialog, int message, int control_id, int code);
int timeline_panel_proc(Panel dialog, int message, int control_id, int code);
int info_panel_proc(Panel dialog, int message, int control_id, int code);
int about_box_proc(Panel dialog, int message, int control_id, int code);
int chart_panel_proc(Panel dialog, int message, int control_id, int code);

// The close box or the Escape key: a command of id PANEL_CANCEL with code 0.
inline int is_cancel(int message, int control_id, int code)
{
    return message == PANEL_COMMAND && control_id == PANEL_CANCEL && code == CODE_CLICKED;
}

// What every panel's procedure does: init (none when null) on PANEL_INIT, hiding on a
// cancel, command for any other command; 1 for what was handled.
int panel_proc(Panel dialog, int message, int control_id, int code, void (*init)(Panel),
               int (*command)(Panel, int, int));
