// Beat columns without OpenGL: footprint, height, basemap coordinates, colour, faces.
#include <gtest/gtest.h>

#include <cmath>

#include "query/query.h"
#include "query/report.h"
#include "render/columns.h"

TEST(ColumnRules, FootprintIsASquareAroundTheBeatCounterClockwise)
{
    struct Case { float lon, lat; };
    const Case cases[] = {{-95.3215f, 29.7375f}, {-95.2705f, 29.6990f}, {-95.40f, 29.80f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lon);
        ColumnGeometry g;
        column_geometry(c.lon, c.lat, 3, 1.0f, &g);
        const float dx[4] = {-0.0005f, 0.0005f, 0.0005f, -0.0005f};
        const float dy[4] = {-0.0005f, -0.0005f, 0.0005f, 0.0005f};
        for (int k = 0; k < 4; k++) {
            EXPECT_NEAR(c.lon + dx[k], g.x[k], 2e-5) << "corner " << k;
            EXPECT_NEAR(c.lat + dy[k], g.y[k], 2e-5) << "corner " << k;
        }
    }
}

TEST(ColumnRules, HeightAndSideStripesAtTheThreeScales)
{
    // h = S + 1 / (100 x scale); the side's t at the top is scale x h
    struct Case { uint32_t value; float scale; float height; float stripe_top; };
    const Case cases[] = {
        {0, 1.0f, 0.01f, 0.01f},    {7, 1.0f, 7.01f, 7.01f},
        {0, 0.1f, 0.1f, 0.01f},     {30, 0.1f, 30.1f, 3.01f},
        {0, 0.01f, 1.0f, 0.01f},    {250, 0.01f, 251.0f, 2.51f},
        {100000, 1.0f, 100000.01f, 100000.01f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " at " << c.scale);
        ColumnGeometry g;
        column_geometry(-95.3215f, 29.7375f, c.value, c.scale, &g);
        EXPECT_FLOAT_EQ(c.height, g.height);
        EXPECT_FLOAT_EQ(c.stripe_top, side_texture_top(g.height, c.scale));
        ColumnFace face;
        const float base[4] = {1, 1, 1, 1};
        column_face(&g, base, c.scale, FACE_EAST, &face);
        EXPECT_FLOAT_EQ(c.stripe_top, face.t[2]);
    }
}

TEST(ColumnRules, BasemapTexcoordsSpanTheMapAndRepeatOffIt)
{
    EXPECT_EQ(0.113098145f, MAP_EAST - MAP_WEST);
    EXPECT_EQ(0.091999054f, MAP_NORTH - MAP_SOUTH);
    struct Case { float x, y, s, t; };
    const Case cases[] = {
        {MAP_WEST, MAP_SOUTH, 0.0f, 0.0f},
        {MAP_EAST, MAP_NORTH, 1.0f, 1.0f},
        {-95.31955f, 29.7395f, 0.5f, 0.5f},          // the map's centre
        {-95.3761f - 0.113098145f, 29.7855f + 0.046f, -1.0f, 1.5f},  // off to the north-west
        {-95.2f, 29.6f, 1.5571f, -1.0163f},            // south-east of the map
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        float s, t;
        basemap_texcoord(c.x, c.y, &s, &t);
        EXPECT_NEAR(c.s, s, 2e-4);
        EXPECT_NEAR(c.t, t, 2e-4);
    }
    // a column west of the map: its top takes the basemap repeated
    ColumnGeometry g;
    column_geometry(-95.40f, 29.80f, 0, 1.0f, &g);
    for (int k = 0; k < 4; k++) {
        EXPECT_LT(g.s[k], 0.0f);
        EXPECT_GT(g.t[k], 1.0f);
    }
    EXPECT_NEAR(0.001f / 0.113098145f, g.s[1] - g.s[0], 1e-4);
}

static void set_ratio(int beat, uint32_t value, uint32_t max)
{
    query_year_value[beat] = value;
    query_year_max[beat] = max;
}

enum Band { RED, YELLOW, GREEN };

static Band band_of(uint16_t beat)
{
    float rgba[4];
    column_color(beat, rgba);
    if (rgba[0] == 1.0f && rgba[1] == 0.09f && rgba[2] == 0.09f)
        return RED;
    if (rgba[0] == 1.0f && rgba[1] == 1.0f && rgba[2] == 0.09f)
        return YELLOW;
    EXPECT_TRUE(rgba[0] == 0.09f && rgba[1] == 1.0f && rgba[2] == 0.09f);
    return GREEN;
}

TEST(ColumnRules, ColourBandsAgainstTheCitywideRatio)
{
    // citywide 1 / 2 = 0.5: yellow from 0.45 to 0.55, both edges included
    struct Case { uint32_t value, max, city_value, city_max; Band band; };
    const Case cases[] = {
        {1, 2, 1, 2, YELLOW},
        {11, 20, 1, 2, YELLOW},                   // 0.55f, exactly g + 0.05 in float
        {11000001, 20000000, 1, 2, RED},          // the next float above it
        {9, 20, 1, 2, YELLOW},                    // 0.45f, exactly g - 0.05
        {8999999, 20000000, 1, 2, GREEN},         // the next float below it
        {3, 4, 1, 2, RED},
        {0, 5, 1, 2, GREEN},
        {7, 7, 1, 1, YELLOW},
        {0, 0, 1, 2, RED},                        // 0 / 0
        {5, 0, 1, 2, RED},                        // n / 0
        {1, 2, 0, 0, RED},                        // citywide undefined
        {0, 0, 0, 0, RED},
        {0, 3, 0, 3, YELLOW},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << "/" << c.max << " vs " << c.city_value
                                        << "/" << c.city_max);
        set_ratio(0, c.value, c.max);
        set_ratio(CITYWIDE_BEAT, c.city_value, c.city_max);
        EXPECT_EQ(c.band, band_of(0));
    }
    // the citywide beat is measured against itself
    set_ratio(CITYWIDE_BEAT, 2, 9);
    EXPECT_EQ(YELLOW, band_of(CITYWIDE_BEAT));
    EXPECT_EQ(RED, band_of(MAX_BEATS));  // no such beat
    for (int beat = 0; beat < MAX_BEATS; beat++)
        set_ratio(beat, 0, 0);
}

TEST(ColumnRules, AlphaFollowsTheSelection)
{
    struct Case { int selected; float alpha[MAX_BEATS]; };
    const Case cases[] = {
        {-1, {1, 1, 1, 1, 1, 1}},
        {2, {0.15f, 0.15f, 1, 0.15f, 0.15f, 0.15f}},
        {0, {1, 0.15f, 0.15f, 0.15f, 0.15f, 0.15f}},
        {CITYWIDE_BEAT, {0.15f, 0.15f, 0.15f, 0.15f, 0.15f, 1}},
    };
    for (const Case& c : cases) {
        selected_beat = c.selected;
        for (uint16_t beat = 0; beat < MAX_BEATS; beat++) {
            float rgba[4];
            column_color(beat, rgba);
            EXPECT_EQ(c.alpha[beat], rgba[3]) << "selected " << c.selected << ", beat " << beat;
        }
    }
    selected_beat = -1;
}

TEST(ColumnRules, FacesRunAroundTheColumnWithTheirShading)
{
    ColumnGeometry g;
    column_geometry(-95.3555f, 29.7690f, 12, 0.1f, &g);
    const float base[4] = {1.0f, 1.0f, 0.09f, 0.15f};
    struct Case { int face; int from, to; float shade; };
    const Case cases[] = {
        {FACE_SOUTH, 0, 1, 0.09f}, {FACE_EAST, 1, 2, 0.06f},
        {FACE_NORTH, 2, 3, 0.03f}, {FACE_WEST, 3, 0, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.face);
        ColumnFace f;
        column_face(&g, base, 0.1f, c.face, &f);
        EXPECT_FLOAT_EQ(1.0f - c.shade, f.rgba[0]);
        EXPECT_FLOAT_EQ(1.0f - c.shade, f.rgba[1]);
        EXPECT_FLOAT_EQ(0.09f - c.shade, f.rgba[2]);
        EXPECT_EQ(0.15f, f.rgba[3]);
        const int corner[4] = {c.from, c.to, c.to, c.from};
        const float z[4] = {0, 0, g.height, g.height};
        const float s[4] = {0, 1, 1, 0};
        for (int v = 0; v < 4; v++) {
            EXPECT_EQ(g.x[corner[v]], f.x[v]);
            EXPECT_EQ(g.y[corner[v]], f.y[v]);
            EXPECT_EQ(z[v], f.z[v]);
            EXPECT_EQ(s[v], f.s[v]);
        }
        EXPECT_EQ(0.0f, f.t[0]);
        EXPECT_EQ(0.0f, f.t[1]);
        EXPECT_FLOAT_EQ(1.21f, f.t[3]);  // 0.1 x (12 + 0.1)
    }
}
