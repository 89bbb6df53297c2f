// pick.cpp: picking a beat; see pick.h.
#include "render/pick.h"

#include <cmath>
#include <cstring>

#include "query/query.h"
#include "render/columns.h"
#include "store/crime_data.h"

float dot3(const Vec3* a, const Vec3* b)
{
    return a->x * b->x + a->y * b->y + a->z * b->z;
}

float length3(const Vec3* v)
{
    return sqrtf(dot3(v, v));
}

void normalize3(Vec3* v)
{
    float length = length3(v);
    if (length == 0.0f)
        return;
    v->x /= length;
    v->y /= length;
    v->z /= length;
}

void transform_point(const float m[16], const Vec3* v, float w, Vec3* out)
{
    const Vec3 in = *v;
    out->x = in.x * m[0] + in.y * m[4] + in.z * m[8] + w * m[12];
    out->y = in.x * m[1] + in.y * m[5] + in.z * m[9] + w * m[13];
    out->z = in.x * m[2] + in.y * m[6] + in.z * m[10] + w * m[14];
}

//// the inverse scene transform, one OpenGL matrix operation at a time

// m = m * b, both column-major.
static void multiply_right(float m[16], const float b[16])
{
    float r[16];
    for (int col = 0; col < 4; col++)
        for (int row = 0; row < 4; row++)
            r[col * 4 + row] = m[row] * b[col * 4] + m[4 + row] * b[col * 4 + 1] +
                               m[8 + row] * b[col * 4 + 2] + m[12 + row] * b[col * 4 + 3];
    memcpy(m, r, sizeof r);
}

static void identity(float m[16])
{
    memset(m, 0, 16 * sizeof(float));
    m[0] = m[5] = m[10] = m[15] = 1.0f;
}

// m = m * (the identity with entries at[0..2] set to x, y and z).
static void multiply_by_entries(float m[16], const int at[3], float x, float y, float z)
{
    float b[16];
    identity(b);
    b[at[0]] = x;
    b[at[1]] = y;
    b[at[2]] = z;
    multiply_right(m, b);
}

static void translate(float m[16], float x, float y, float z)
{
    static const int OFFSETS[3] = {12, 13, 14};
    multiply_by_entries(m, OFFSETS, x, y, z);
}

static void scale(float m[16], float x, float y, float z)
{
    static const int DIAGONAL[3] = {0, 5, 10};
    multiply_by_entries(m, DIAGONAL, x, y, z);
}

// Rotation by degrees about the x axis (axis 0) or the z axis (axis 2).
static void rotate(float m[16], float degrees, int axis)
{
    float r[16];
    identity(r);
    const float radians = degrees * (float)M_PI / 180.0f;
    const float c = cosf(radians), s = sinf(radians);
    const int i = axis == 0 ? 1 : 0, j = i + 1;  // the plane turned: y-z or x-y
    r[i * 4 + i] = c;
    r[j * 4 + j] = c;
    r[i * 4 + j] = s;
    r[j * 4 + i] = -s;
    multiply_right(m, r);
}

void inverse_scene_transform(float m[16])
{
    // each step undoes one step of the frame's transform, in reverse order
    identity(m);
    translate(m, MAP_ORIGIN_X, MAP_ORIGIN_Y, 0.0f);
    scale(m, 1.0f / MAP_SCALE, 1.0f / MAP_SCALE, 1.0f / (vertical_scale * HEIGHT_SCALE));
    translate(m, -MAP_ORIGIN_X, -MAP_ORIGIN_Y, 0.0f);
    translate(m, view_center.x, view_center.y, view_center.z);
    rotate(m, view_heading, 2);
    rotate(m, view_tilt, 0);
    translate(m, 0.0f, 0.0f, view_distance);
}

void scene_transform(float m[16])
{
    // the frame's own steps, in its order
    identity(m);
    translate(m, 0.0f, 0.0f, -view_distance);
    rotate(m, -view_tilt, 0);
    rotate(m, -view_heading, 2);
    translate(m, -view_center.x, -view_center.y, -view_center.z);
    translate(m, MAP_ORIGIN_X, MAP_ORIGIN_Y, 0.0f);
    scale(m, MAP_SCALE, MAP_SCALE, vertical_scale * HEIGHT_SCALE);
    translate(m, -MAP_ORIGIN_X, -MAP_ORIGIN_Y, 0.0f);
}

void make_pick_ray(int16_t x, int16_t y, PickRay* ray)
{
    float m[16];
    inverse_scene_transform(m);
    const float aspect = (float)client_width / (float)client_height;
    // pixel column 0 maps to -aspect and the last to +aspect, row 0 to +1 and the last
    // to -1: the frustum's extent at the near plane
    const Vec3 near_point = {2.0f * aspect * (float)x / (float)(client_width - 1) - aspect,
                             1.0f - 2.0f * (float)y / (float)(client_height - 1), PICK_NEAR_DEPTH};
    const Vec3 eye = {0.0f, 0.0f, 0.0f};
    transform_point(m, &near_point, 1.0f, &ray->direction);
    transform_point(m, &eye, 1.0f, &ray->origin);
    ray->direction.x -= ray->origin.x;
    ray->direction.y -= ray->origin.y;
    ray->direction.z -= ray->origin.z;
    normalize3(&ray->direction);
    ray->best_distance = PICK_NO_HIT;
    ray->best_beat = 0;
}

void test_beat_hit(PickRay* ray, BeatIndex i)
{
    const BeatRecord* beat = &beats[i];
    const Vec3 normal = {0.0f, 0.0f, 1.0f};
    const Vec3 top = {beat->lon, beat->lat, column_top_height(query_value[i], vertical_scale)};
    const float offset = -dot3(&normal, &top);
    const float denominator = dot3(&normal, &ray->direction);
    if (denominator == 0.0f || std::isnan(denominator))
        return;  // parallel to the plane
    const float t = -(dot3(&normal, &ray->origin) + offset) / denominator;
    // a plane crossed behind the eye is nothing the user points at
    if (!(t >= 0.0f))
        return;
    const float dx = ray->origin.x + t * ray->direction.x - beat->lon;
    const float dy = ray->origin.y + t * ray->direction.y - beat->lat;
    const float distance = sqrtf(dx * dx + dy * dy);
    if (distance <= PICK_RADIUS && distance < ray->best_distance) {
        ray->best_distance = distance;
        ray->best_beat = i;
    }
}

int pick_beat(int16_t x, int16_t y, BeatIndex* beat)
{
    if (client_width < 2 || client_height < 2)
        return 0;  // no pixel grid to map from
    PickRay ray;
    make_pick_ray(x, y, &ray);
    const BeatIndex count = loaded_beat_count();
    for (BeatIndex i = 0; i < count; i++)
        test_beat_hit(&ray, i);
    const float no_hit = PICK_NO_HIT;
    if (memcmp(&ray.best_distance, &no_hit, sizeof no_hit) == 0)
        return 0;
    *beat = ray.best_beat;
    return 1;
}
