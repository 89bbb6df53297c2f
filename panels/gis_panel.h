// gis_panel.h: the GIS panel's settings.
#pragma once

#include <cstdint>

// Bits 0-2: the map choice (0 = "Basemap", the only map); bits 3-4: the height scale.
extern uint8_t gis_options;

constexpr uint8_t MAP_CHOICE_MASK = 0x07;
