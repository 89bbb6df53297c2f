// view.h: the camera (ViewState), the drawing of a frame and the viewport.
// Map coordinates: x longitude, y latitude (degrees), z a crime count. The scene scales
// x and y by MAP_SCALE about MAP_ORIGIN and z by vertical_scale * 0.125.
#pragma once

#include <cstdint>

constexpr float MAP_ORIGIN_X = -95.31955f;  // longitude of the basemap centre, degrees
constexpr float MAP_ORIGIN_Y = 29.7395f;    // latitude of the basemap centre, degrees
constexpr float MAP_SCALE = 100.0f;         // scene units per degree
constexpr float HEIGHT_SCALE = 0.125f;      // scene units per count at vertical_scale 1

constexpr float MIN_VIEW_DISTANCE = 7.0f;   // scene units; no upper bound
constexpr float MAX_VIEW_TILT = 90.0f;      // degrees, tilt stays in -90 .. 90
constexpr float MAX_VIEW_HEADING = 180.0f;  // degrees, heading clamps to -180 .. 180

constexpr float FRUSTUM_NEAR = 4.0f;        // scene units; half-height 1 at this plane
constexpr float FRUSTUM_FAR = 256000.0f;

struct Vec3 {
    float x, y, z;
};

extern float view_distance;   // eye to view centre, scene units, >= 7 (start 20)
extern float view_tilt;       // degrees about the eye's horizontal axis, -90 .. 90 (start 0)
extern float view_heading;    // degrees about the vertical axis, -180 .. 180 (start 0)
extern Vec3 view_center;      // scene point the eye looks at
extern const Vec3 default_view_center;  // (-95.31955, 29.7395, 0)
extern float vertical_scale;  // column exaggeration: 0.01, 0.1 or 1.0 (start 1)
extern int16_t client_width;  // client area in pixels, as last resized (start 0)
extern int16_t client_height;
extern int16_t last_mouse_x;  // client pixels at the last press, release or drag step
extern int16_t last_mouse_y;
extern uint8_t auto_move;     // held GIS navigation button, 0 (none) .. 6

// Draws the whole frame into the back buffer from the view variables.
void render_scene();
// Shows the frame just drawn.
void swap_frame();
