// gis_panel.h: the GIS panel: the map choice, the height scale and six press-and-hold
// navigation arrows. Its settings (gis_options, vertical_scale, auto_move) live in
// render/view_state.h, where the frame and the column build read them.
#pragma once

#include "platform/platform.h"

// Fills the two lists and selects the rows gis_options holds.
void gis_panel_init(Panel dialog);

// A map choice stores its row and loads the map; a height choice stores its row, sets
// vertical_scale and rebuilds the columns; an arrow's press sets auto_move and captures
// the mouse for the panel. Returns 1 for these eight controls, whatever the code.
int gis_panel_command(Panel dialog, int control_id, int code);

// make_map, and when the basemap cannot be read the message "make_map() - can't read
// map!" (caption "ERROR!"); the texture is then kept. Returns make_map's result.
int load_basemap();
