// gis_panel.cpp: the GIS panel.
#include "panels/gis_panel.h"

uint8_t gis_options = 0x10;
