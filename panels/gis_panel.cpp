// gis_panel.cpp: the GIS panel.
#include "panels/gis_panel.h"

#include <cerrno>
#include <initializer_list>

#include "panels/file_dialogs.h"
#include "panels/panel_templates.h"
#include "panels/panels.h"
#include "render/columns.h"
#include "render/map_gl.h"
#include "render/view_state.h"

int load_basemap()
{
    errno = 0;
    if (make_map())
        return 1;
    file_message("make_map() - can't read map!", "ERROR!", BASEMAP_PATH, errno);
    return 0;
}

void gis_panel_init(Panel dialog)
{
    combo_add(dialog, IDC_MAP_CHOICE, "Basemap");
    combo_set_current(dialog, IDC_MAP_CHOICE, gis_options & MAP_CHOICE_MASK);
    for (const char* scale : {"100:1", "10:1", "1:1"})
        combo_add(dialog, IDC_HEIGHT_SCALE, scale);
    combo_set_current(dialog, IDC_HEIGHT_SCALE, (int)height_choice());
}

struct NavigationArrow {
    int id;
    uint8_t move;
};
static const NavigationArrow ARROWS[] = {
    {IDC_NAV_TILT_MINUS, AUTO_MOVE_TILT_MINUS},       {IDC_NAV_TILT_PLUS, AUTO_MOVE_TILT_PLUS},
    {IDC_NAV_HEADING_MINUS, AUTO_MOVE_HEADING_MINUS}, {IDC_NAV_HEADING_PLUS, AUTO_MOVE_HEADING_PLUS},
    {IDC_NAV_ZOOM_IN, AUTO_MOVE_ZOOM_IN},             {IDC_NAV_ZOOM_OUT, AUTO_MOVE_ZOOM_OUT},
};

int gis_panel_command(Panel dialog, int control_id, int code)
{
    if (control_id == IDC_MAP_CHOICE) {
        if (code == CODE_SELECTION_CHANGED) {
            int row = combo_current(dialog, IDC_MAP_CHOICE);
            gis_options = (uint8_t)((gis_options & ~MAP_CHOICE_MASK) | (row & MAP_CHOICE_MASK));
            load_basemap();  // the columns stay as they are
        }
        return 1;
    }
    if (control_id == IDC_HEIGHT_SCALE) {
        if (code == CODE_SELECTION_CHANGED) {
            set_height_choice((unsigned)combo_current(dialog, IDC_HEIGHT_SCALE));
            make_columns();
        }
        return 1;
    }
    for (const NavigationArrow& arrow : ARROWS) {
        if (arrow.id != control_id)
            continue;
        // only the press starts a movement; a double click reports another code
        if (code == CODE_CLICKED) {
            auto_move = arrow.move;
            panel_capture_mouse(dialog);
        }
        return 1;
    }
    return 0;
}

int gis_panel_proc(Panel dialog, int message, int control_id, int code)
{
    if (message == PANEL_LEFT_BUTTON_UP) {
        // wherever the button comes up while an arrow holds the capture, or over the panel
        panel_release_mouse(dialog);
        auto_move = AUTO_MOVE_NONE;
        return 1;
    }
    return panel_proc(dialog, message, control_id, code, gis_panel_init, gis_panel_command);
}
