// hover.h: which column the mouse rests on. Unlike picking, which crosses the ray with the
// plane of each top, the whole column counts: its box (footprint and height as the frame
// draws it) is projected to the client and the pointer tested against the outline. Of
// several columns under the pointer the one nearest the eye wins. No OpenGL needed.
#pragma once

#include "store/crime_data.h"

// Client pixel (origin top-left, y down) of model point p for the camera and client size
// in view_state, and its depth (distance in front of the eye along the view, scene units).
// Returns 0 when the point is not in front of the near plane.
int project_to_client(const float p[3], float* px, float* py, float* depth);

// 1 with *beat the loaded beat whose column outline holds client point (x, y), the
// nearest to the eye; 0 (beat untouched) when none does or the client is under 2 pixels.
// A column reaching behind the near plane is not hovered.
int hover_beat(float x, float y, BeatIndex* beat);
