// view_state.h: where the map lies and from where it is seen. The camera (ViewState)
// and the display settings that the frame, the column build and picking all read.
//
// Map coordinates: x longitude, y latitude (degrees), z a crime count. The scene scales
// x and y by MAP_SCALE about MAP_ORIGIN and z by vertical_scale * HEIGHT_SCALE.
#pragma once

#include <cstdint>

// The basemap rectangle, degrees.
constexpr float MAP_WEST = -95.3761f;
constexpr float MAP_EAST = -95.263f;
constexpr float MAP_SOUTH = 29.6935f;
constexpr float MAP_NORTH = 29.7855f;

// The scene scales the map about the rectangle's centre, so that point keeps the same
// numbers in map and scene coordinates.
constexpr float MAP_ORIGIN_X = (MAP_WEST + MAP_EAST) * 0.5f;
constexpr float MAP_ORIGIN_Y = (MAP_SOUTH + MAP_NORTH) * 0.5f;
static_assert(MAP_ORIGIN_X == -95.31955f && MAP_ORIGIN_Y == 29.7395f, "map origin moved");
constexpr float MAP_SCALE = 100.0f;     // scene units per degree
constexpr float HEIGHT_SCALE = 0.125f;  // scene units per count at vertical_scale 1
constexpr float MIN_VIEW_DISTANCE = 7.0f;  // scene units; no upper bound
constexpr float FRUSTUM_NEAR = 4.0f;       // scene units; half-height 1 at this plane
constexpr float FRUSTUM_FAR = 256000.0f;

struct Vec3 {
    float x, y, z;
};

extern float view_distance;   // eye to view centre, scene units, >= 7 (start 20)
extern float view_tilt;       // degrees about the eye's horizontal axis, -90 .. 90 (start 0)
extern float view_heading;    // degrees about the vertical axis, -180 .. 180 (start 0)
extern Vec3 view_center;      // scene point the eye looks at
extern const Vec3 default_view_center;  // (MAP_ORIGIN_X, MAP_ORIGIN_Y, 0)
extern int16_t client_width;  // client area in pixels, as last resized (start 0)
extern int16_t client_height;
extern int16_t last_mouse_x;  // client pixels at the last press, release or drag step (start 0)
extern int16_t last_mouse_y;

constexpr float MAX_VIEW_TILT = 90.0f;      // degrees, tilt stays in -90 .. 90
constexpr float MAX_VIEW_HEADING = 180.0f;  // degrees, heading clamps to -180 .. 180, no wrap

// The GIS navigation arrow held down (set on its press, 0 on the left button's release);
// each frame-timer tick moves the camera a step for it.
extern uint8_t auto_move;
constexpr uint8_t AUTO_MOVE_NONE = 0;
constexpr uint8_t AUTO_MOVE_TILT_MINUS = 1;
constexpr uint8_t AUTO_MOVE_TILT_PLUS = 2;
constexpr uint8_t AUTO_MOVE_HEADING_MINUS = 3;
constexpr uint8_t AUTO_MOVE_HEADING_PLUS = 4;
constexpr uint8_t AUTO_MOVE_ZOOM_IN = 5;
constexpr uint8_t AUTO_MOVE_ZOOM_OUT = 6;

// Moves view_center over model point (lon, lat): its scene position, scaled about the
// map origin (its decimal value) at double precision and stored in single; z kept.
void center_view_on(float lon, float lat);

//// What a frame shows

// Bumped by every rebuild of the display lists and every load or deletion of a texture.
extern uint32_t scene_generation;

// Everything a frame depends on: the lists and textures (by generation), the camera and
// the client size. Two frames of equal keys are the same picture.
struct SceneKey {
    uint32_t generation;
    float distance, tilt, heading;
    Vec3 center;
    float scale;
    int16_t width, height;
};

// The key of what a frame drawn now would show.
SceneKey current_scene_key();
int same_scene(const SceneKey* a, const SceneKey* b);

//// Display settings of the GIS panel

// Bits 0-2: the map choice (0 = "Basemap", the only map); bits 3-4: the height-scale
// choice, a row of HEIGHT_CHOICE_SCALES; bits 5-7 stay 0. Start: map 0, height row 2.
extern uint8_t gis_options;
constexpr uint8_t MAP_CHOICE_MASK = 0x07;
constexpr int HEIGHT_CHOICE_SHIFT = 3;
constexpr uint8_t HEIGHT_CHOICE_MASK = 0x03;  // after the shift

// vertical_scale by height-scale choice: "100:1", "10:1", "1:1".
constexpr int HEIGHT_CHOICES = 3;
constexpr float HEIGHT_CHOICE_SCALES[HEIGHT_CHOICES] = {0.01f, 0.1f, 1.0f};

// Column exaggeration: always HEIGHT_CHOICE_SCALES of the height choice in gis_options.
// Written only by set_height_choice. Start 1.0.
extern float vertical_scale;

inline unsigned height_choice()
{
    return (gis_options >> HEIGHT_CHOICE_SHIFT) & HEIGHT_CHOICE_MASK;
}

// Stores choice (masked to 2 bits) in bits 3-4 of gis_options, the other bits kept, and
// sets vertical_scale to match. Returns 1, or 0 with nothing changed for a choice that
// has no scale (3, which the two bits allow), so the two never disagree.
int set_height_choice(unsigned choice);
