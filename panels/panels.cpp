// panels.cpp: creating the panels, and the About box.
#include "panels/panels.h"

#include "panels/panel_templates.h"

Panel gis_panel = 0;
Panel query_panel = 0;
Panel timeline_panel = 0;
Panel info_panel = 0;
Panel about_box = 0;
Panel chart_panel = 0;

void create_panels()
{
    gis_panel = platform_create_panel(&GIS_PANEL_TEMPLATE, gis_panel_proc);
    query_panel = platform_create_panel(&QUERY_PANEL_TEMPLATE, query_panel_proc);
    timeline_panel = platform_create_panel(&TIMELINE_PANEL_TEMPLATE, timeline_panel_proc);
    info_panel = platform_create_panel(&INFO_PANEL_TEMPLATE, info_panel_proc);
    about_box = platform_create_panel(&ABOUT_BOX_TEMPLATE, about_box_proc);
    chart_panel = platform_create_panel(&CHART_PANEL_TEMPLATE, chart_panel_proc);
}

int panel_proc(Panel dialog, int message, int control_id, int code, void (*init)(Panel),
               int (*command)(Panel, int, int))
{
    if (message == PANEL_INIT) {
        if (init)
            init(dialog);
        return 1;
    }
    if (is_cancel(message, control_id, code)) {
        panel_hide(dialog);
        return 1;
    }
    return message == PANEL_COMMAND ? command(dialog, control_id, code) : 0;
}

// Modeless: the main window and the panels stay usable while it shows. OK, the close
// box and Escape hide it; it handles every command.
int about_box_proc(Panel dialog, int message, int control_id, int code)
{
    if (message == PANEL_INIT)
        return 1;
    if (message != PANEL_COMMAND)
        return 0;
    if (is_cancel(message, control_id, code) || (control_id == IDC_ABOUT_OK && code == CODE_CLICKED))
        panel_hide(dialog);
    return 1;
}
