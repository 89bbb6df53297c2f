// gis_panel.h: the GIS panel's map choice.
#pragma once

// make_map, and when the basemap cannot be read the message "make_map() - can't read
// map!" (caption "ERROR!"); the texture is then kept. Returns make_map's result.
int load_basemap();
