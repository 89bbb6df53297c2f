// Beat columns without OpenGL: footprint, height, basemap coordinates, colour, faces.
#include <gtest/gtest.h>

#include <vector>

#include "query/query.h"
#include "query/report.h"
#include "render/columns.h"

// A 0.001-degree square, corners counter-clockwise from the south-west, value +
// 1 / (100 x scale) high. Basemap coordinates 0 at the map's south-west corner, growing on
// beyond the map (0.001 degrees: s + 0.00884, t + 0.01087). Side face f runs from corner f
// to f + 1, shaded 0.09, 0.06, 0.03, 0, texture t 0 at the ground, scale x height at the top.
TEST(ColumnRules, FootprintHeightTexcoordsAndFaces)
{
    struct Case { float lon, lat; uint32_t value; float scale, height, s0, t0, top_t; };
    const Case cases[] = {
        {MAP_WEST + 0.0005f, MAP_SOUTH + 0.0005f, 0, 1.0f, 0.01f, 0, 0, 0.01f},
        {-95.40f, 29.80f, 30, 0.1f, 30.1f, -0.2158f, 1.1522f, 3.01f},   // north-west of the map
        {-95.2f, 29.6f, 250, 0.01f, 251.0f, 1.5526f, -1.0218f, 2.51f},  // south-east of it
    };
    const float base[4] = {1.0f, 1.0f, 0.09f, 0.15f}, s[4] = {0.09f, 0.06f, 0.03f, 0.0f};  // shades
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        ColumnGeometry g;
        column_geometry(c.lon, c.lat, c.value, c.scale, &g);
        EXPECT_FLOAT_EQ(c.height, g.height);
        for (int k = 0; k < 4; k++) {
            const bool east = k == 1 || k == 2, north = k >= 2;
            EXPECT_NEAR(c.lon + (east - 0.5f) * 0.001f, g.x[k], 2e-5) << k;
            EXPECT_NEAR(c.lat + (north - 0.5f) * 0.001f, g.y[k], 2e-5) << k;
            EXPECT_NEAR(c.s0 + east * 0.00884f, g.s[k], 2e-4) << k;
            EXPECT_NEAR(c.t0 + north * 0.01087f, g.t[k], 2e-4) << k;
        }
        for (int face : {FACE_SOUTH, FACE_EAST, FACE_NORTH, FACE_WEST}) {
            ColumnFace f;
            column_face(&g, base, c.scale, face, &f);
            EXPECT_EQ((std::vector<float>{1 - s[face], 1 - s[face], 0.09f - s[face], 0.15f}),
                      std::vector<float>(f.rgba, f.rgba + 4)) << face;
            for (int v = 0; v < 4; v++) {  // ground P, ground Q, top Q, top P
                const int k = v == 0 || v == 3 ? face : (face + 1) % 4;  // corner
                EXPECT_EQ((std::pair{g.x[k], g.y[k]}), (std::pair{f.x[v], f.y[v]})) << face << v;
                EXPECT_EQ(v < 2 ? 0.0f : g.height, f.z[v]) << face << v;
                EXPECT_FLOAT_EQ(v < 2 ? 0.0f : c.top_t, f.t[v]) << face << v;
            }
        }
    }
}

// Beat 0 at n / d against the citywide ratio g: yellow from g - 0.05 to g + 0.05 in float,
// edges included (11 / 20 is 0.55f exactly, 11000001 / 20000000 the next float up; the same
// at 0.45f); red above, or when either ratio is 0 / 0; green below. Alpha 0.15 when another
// beat is selected.
TEST(ColumnRules, ColourBandsAndAlpha)
{
    const std::vector<float> RED{1, 0.09f, 0.09f}, YELLOW{1, 1, 0.09f}, GREEN{0.09f, 1, 0.09f};
    struct Case { uint32_t n, d, city_n, city_d; int selected; std::vector<float> rgb; };
    const Case cases[] = {
        {1, 2, 1, 2, -1, YELLOW}, {11, 20, 1, 2, 0, YELLOW}, {11000001, 20000000, 1, 2, 4, RED},
        {9, 20, 1, 2, -1, YELLOW}, {8999999, 20000000, 1, 2, -1, GREEN}, {0, 0, 1, 2, -1, RED},
        {1, 2, 0, 0, CITYWIDE_BEAT, RED},
    };
    for (const Case& c : cases) {
        query_year_value[0] = c.n, query_year_max[0] = c.d, selected_beat = c.selected;
        query_year_value[CITYWIDE_BEAT] = c.city_n, query_year_max[CITYWIDE_BEAT] = c.city_d;
        float rgba[4];
        column_color(0, rgba);
        EXPECT_EQ(c.rgb, std::vector<float>(rgba, rgba + 3)) << c.n << "/" << c.d;
        EXPECT_EQ(c.selected > 0 ? 0.15f : 1.0f, rgba[3]) << "selected " << c.selected;
    }
    query_year_max[0] = query_year_max[CITYWIDE_BEAT] = 0, selected_beat = -1;
}
