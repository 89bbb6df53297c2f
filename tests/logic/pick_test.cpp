// Picking a beat: clicks where the frame draws a column's top, the acceptance circle, ties,
// and rays that cannot hit.
#include <gtest/gtest.h>

#include <cmath>

#include "query/query.h"
#include "render/hover.h"
#include "render/pick.h"
#include "render/columns.h"
#include "store/loader.h"
#include "tests/data_fixture.h"

namespace {

struct Camera {
    float tilt, heading, distance;
    int height_choice;  // 0: 100:1, 1: 10:1, 2: 1:1
    Vec3 center;
};

void set_camera(const Camera& c)
{
    view_tilt = c.tilt, view_heading = c.heading, view_distance = c.distance, view_center = c.center;
    set_height_choice(c.height_choice);
    client_width = 1021, client_height = 700;
}

// The client pixel (origin top-left) where the frame draws model point (x, y, z), by
// the frame's own transform and projection in double precision; {-1, -1} off the client.
std::pair<int16_t, int16_t> drawn_at(double x, double y, double z)
{
    const double ox = MAP_ORIGIN_X, oy = MAP_ORIGIN_Y;
    double sx = ox + 100 * (x - ox) - view_center.x, sy = oy + 100 * (y - oy) - view_center.y;
    double sz = z * vertical_scale * 0.125 - view_center.z;
    const double h = -view_heading * M_PI / 180, t = -view_tilt * M_PI / 180;
    double hx = cos(h) * sx - sin(h) * sy, hy = sin(h) * sx + cos(h) * sy;
    double ey = cos(t) * hy - sin(t) * sz, ez = sin(t) * hy + cos(t) * sz - view_distance;
    const double aspect = (double)client_width / client_height;
    const double px = (4 * hx / -ez + aspect) * (client_width - 1) / (2 * aspect), py = (1 - 4 * ey / -ez) * (client_height - 1) / 2;
    if (px < 0 || py < 0 || px >= client_width || py >= client_height)
        return {-1, -1};
    return {(int16_t)lround(px), (int16_t)lround(py)};
}

// The sample district, columns of different heights.
class Pick : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_data_state();
        ASSERT_EQ(1, load_records("data/district.csv"));
        for (int b = 0; b < MAX_BEATS; b++)
            query_value[b] = 40u * (uint32_t)b;
    }
    static PickRay ray_down(float x, float y, float origin_z = 10.0f)  // onto (x, y)
    {
        return {{x, y, origin_z}, {0.0f, 0.0f, -1.0f}, PICK_NO_HIT, 0};
    }
};

// A click where a column's top centre is drawn picks that beat, from any camera.
TEST_F(Pick, ClickOnADrawnTopPicksItsBeat)
{
    const Camera cameras[] = {{0, 0, 20, 2, default_view_center}, {55, -30, 14, 1, default_view_center},
                              {80, 170, 9, 0, {-95.30f, 29.75f, 0.5f}}, {-35, 90, 30, 2, {-95.33f, 29.73f, 0.0f}},
                              {20, -180, 7, 1, default_view_center}};
    for (const Camera& c : cameras) {
        set_camera(c);
        for (BeatIndex b = 0; b < MAX_BEATS; b++) {
            auto [x, y] = drawn_at(beats[b].lon, beats[b].lat, query_value[b] + 1.0 / (100.0 * vertical_scale));
            BeatIndex picked = 99;
            if (x < 0)
                continue;  // off screen from this camera
            EXPECT_EQ(std::pair(1, b), std::pair(pick_beat(x, y, &picked), picked)) << "tilt " << c.tilt;
        }
    }
}

// The circle: 0.002 degrees from the position is in, 0.0021 is out; nearer wins, a tie
// keeps the lower index; a ray along the map or meeting the plane behind the eye misses.
TEST_F(Pick, AcceptanceCircleTiesAndMisses)
{
    set_height_choice(2);
    beats[0].lon = beats[0].lat = beats[1].lat = 0.0f;
    beats[1].lon = 0.002f;
    query_value[0] = query_value[1] = 0;
    const struct { PickRay ray; uint32_t beats; float distance; BeatIndex beat; } cases[] = {
        {ray_down(0.002f, 0.0f), 1, 0.002f, 0},
        {ray_down(0.0f, 0.0021f), 1, PICK_NO_HIT, 0},
        {ray_down(0.0005f, 0.0f), 2, 0.0005f, 0},
        {ray_down(0.0015f, 0.0f), 2, 0.0005f, 1},
        {ray_down(0.001f, 0.0f), 2, 0.001f, 0},              // equal distances
        {{{0, 0, 0.01f}, {1, 0, 0}, PICK_NO_HIT, 0}, 2, PICK_NO_HIT, 0},  // parallel
        {ray_down(0.0f, 0.0f, -10.0f), 2, PICK_NO_HIT, 0},   // the top lies behind the eye
    };
    for (const auto& c : cases) {
        PickRay ray = c.ray;
        for (BeatIndex i = 0; i < (BeatIndex)c.beats; i++)
            test_beat_hit(&ray, i);
        EXPECT_FLOAT_EQ(c.distance, ray.best_distance) << c.ray.origin.x << " " << c.ray.origin.y;
        EXPECT_EQ(c.beat, ray.best_beat) << c.ray.origin.x << " " << c.ray.origin.y;
    }
}

// An empty table, or a client too small to map pixels from, picks nothing (a top behind
// the eye is the circle's test).
TEST_F(Pick, NothingToPick)
{
    set_camera({0, 0, 20, 2, default_view_center});
    const auto [x, y] = drawn_at(beats[0].lon, beats[0].lat, query_value[0] + 0.01);
    BeatIndex picked = 77;
    const struct { uint32_t beats; int16_t width, height; } cases[] = {{0, 1021, 700}, {6, 1, 700}, {6, 1021, 0}};
    for (const auto& c : cases) {
        beat_count = c.beats, client_width = c.width, client_height = c.height;
        EXPECT_EQ(std::pair(0, 77), std::pair(pick_beat(x, y, &picked), picked)) << c.beats;
    }
}

// Resting on a column: its top or a side counts, where picking takes only the top; of two
// columns under the pointer the nearer one, whatever their order; off every column, none.
TEST_F(Pick, HoverFindsTheColumnUnderThePointer)
{
    set_camera({45, 20, 30, 1, default_view_center});
    int seen = 0;
    for (BeatIndex b = 1; b < MAX_BEATS; b++) {
        const double side_x = beats[b].lon, side_y = beats[b].lat - COLUMN_SIDE / 2;  // the south face
        auto [x, y] = drawn_at(side_x, side_y, query_value[b] / 2.0);
        BeatIndex hovered = 99, picked = 99;
        if (x < 0)
            continue;  // off screen from this camera
        seen++;
        EXPECT_EQ(std::pair(1, b), std::pair(hover_beat(x, y, &hovered), hovered)) << b;
        EXPECT_FALSE(pick_beat(x, y, &picked) && picked == b) << b;
    }
    EXPECT_GE(seen, 3);
    BeatIndex none = 77;
    EXPECT_EQ(std::pair(0, 77), std::pair(hover_beat(2, 2, &none), none));
    for (BeatIndex south : {0, 1}) {
        const BeatIndex north = 1 - south;
        beats[north].lon = beats[south].lon, beats[north].lat = beats[south].lat + 0.0004f;
        query_value[0] = query_value[1] = 200;
        auto [x, y] = drawn_at(beats[south].lon, beats[south].lat - COLUMN_SIDE / 2, 100.0);
        BeatIndex hovered = 99;
        ASSERT_GE(x, 0);
        EXPECT_EQ(std::pair(1, south), std::pair(hover_beat(x, y, &hovered), hovered));
    }
}

}  // namespace
