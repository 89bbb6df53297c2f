// pick.h: which beat lies under a point of the view. A ray from the eye through the point
// is turned into model coordinates with the inverse of the scene transform and crossed
// with the plane of each column's top; the beat nearest to where the ray crosses its own
// top plane, within PICK_RADIUS, is picked. Single precision, as the frame draws it; no
// OpenGL needed.
#pragma once

#include <cstdint>

#include "render/view_state.h"
#include "store/crime_data.h"

constexpr float PICK_RADIUS = 0.002f;       // degrees, in the plane of a column's top
constexpr float PICK_NO_HIT = 1e30f;        // best_distance while nothing is accepted
constexpr float PICK_NEAR_DEPTH = -(FRUSTUM_NEAR + 0.00001f);  // eye-space z of the clicked point, just past the near plane

struct PickRay {
    Vec3 origin;           // the eye, model coordinates
    Vec3 direction;        // unit vector from the eye through the point, model coordinates
    float best_distance;   // smallest accepted distance so far, degrees; PICK_NO_HIT
    BeatIndex best_beat;   // the beat of best_distance
};

float dot3(const Vec3* a, const Vec3* b);
float length3(const Vec3* v);
// Divides by length3 in place; a zero vector stays as it is.
void normalize3(Vec3* v);
// out = the first three rows of m (16 floats, column-major) times (v, w); v may be out.
void transform_point(const float m[16], const Vec3* v, float w, Vec3* out);

// The inverse of the scene's model-view transform (eye to model coordinates) for the
// camera in view_state, composed as OpenGL would in single precision.
void inverse_scene_transform(float m[16]);

// The scene's model-view transform (model to eye coordinates), as the frame sets it.
void scene_transform(float m[16]);

// The ray through client pixel (x, y), origin top-left, y down; best_distance and
// best_beat reset. Needs client_width and client_height of at least 2.
void make_pick_ray(int16_t x, int16_t y, PickRay* ray);

// Accepts beat i when the ray crosses its top plane in front of the eye within
// PICK_RADIUS of its position and nearer than the best so far (a tie keeps the earlier).
void test_beat_hit(PickRay* ray, BeatIndex i);

// 1 with *beat the beat under client pixel (x, y), or 0 (beat untouched) when none is,
// no beat is loaded or the client is less than 2 pixels wide or high.
int pick_beat(int16_t x, int16_t y, BeatIndex* beat);
