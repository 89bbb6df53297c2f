// gis_panel.cpp: the GIS panel.
#include "panels/gis_panel.h"

#include "platform/platform.h"
#include "render/map_gl.h"

int load_basemap()
{
    if (make_map())
        return 1;
    platform_message_box("make_map() - can't read map!", "ERROR!");
    return 0;
}
