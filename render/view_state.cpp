// view_state.cpp: the camera's and the display settings' start values.
#include "render/view_state.h"

constexpr uint8_t GIS_OPTIONS_START = 2 << HEIGHT_CHOICE_SHIFT;  // map 0, height row 2 ("1:1")

float view_distance = 20.0f;
float view_tilt = 0.0f;
float view_heading = 0.0f;
const Vec3 default_view_center = {MAP_ORIGIN_X, MAP_ORIGIN_Y, 0.0f};
Vec3 view_center = default_view_center;
int16_t client_width = 0;
int16_t client_height = 0;
int16_t last_mouse_x = 0;
int16_t last_mouse_y = 0;
uint8_t auto_move = AUTO_MOVE_NONE;

uint8_t gis_options = GIS_OPTIONS_START;
float vertical_scale = HEIGHT_CHOICE_SCALES[(GIS_OPTIONS_START >> HEIGHT_CHOICE_SHIFT) & HEIGHT_CHOICE_MASK];

uint32_t scene_generation = 0;

SceneKey current_scene_key()
{
    return {scene_generation, view_distance, view_tilt, view_heading, view_center, vertical_scale,
            client_width, client_height};
}

int same_scene(const SceneKey* a, const SceneKey* b)
{
    // field by field: padding bytes must not decide
    return a->generation == b->generation && a->distance == b->distance && a->tilt == b->tilt &&
           a->heading == b->heading && a->center.x == b->center.x && a->center.y == b->center.y &&
           a->center.z == b->center.z && a->scale == b->scale && a->width == b->width &&
           a->height == b->height;
}

// The origin's decimal value in double precision, of which MAP_ORIGIN_X and _Y are the
// nearest floats.
constexpr double ORIGIN_X = -95.31955;
constexpr double ORIGIN_Y = 29.7395;
static_assert((float)ORIGIN_X == MAP_ORIGIN_X && (float)ORIGIN_Y == MAP_ORIGIN_Y, "map origin moved");

void center_view_on(float lon, float lat)
{
    view_center.x = (float)(((double)lon - ORIGIN_X) * MAP_SCALE + ORIGIN_X);
    view_center.y = (float)(((double)lat - ORIGIN_Y) * MAP_SCALE + ORIGIN_Y);
}

int set_height_choice(unsigned choice)
{
    choice &= HEIGHT_CHOICE_MASK;
    if (choice >= (unsigned)HEIGHT_CHOICES)
        return 0;
    gis_options = (uint8_t)((gis_options & ~(HEIGHT_CHOICE_MASK << HEIGHT_CHOICE_SHIFT)) |
                            (choice << HEIGHT_CHOICE_SHIFT));
    vertical_scale = HEIGHT_CHOICE_SCALES[choice];
    return 1;
}
