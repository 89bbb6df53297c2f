// The basemap and the beat columns as a frame shows them: textures and display lists
// built on a headless context, pixels probed where the columns project.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

#include "panels/gis_panel.h"
#include "platform/platform.h"
#include "query/query.h"
#include "query/report.h"
#include "render/columns.h"
#include "render/image.h"
#include "render/map_gl.h"
#include "shell/startup.h"
#include "shell/view.h"
#include "store/crime_data.h"
#include "store/dates.h"
#include "store/loader.h"
#include "tests/gl_context.h"
#include "tests/test_platform.h"

namespace {

const int WIDTH = 1024, HEIGHT = 768;

struct Rgb {
    int r, g, b;
};

Rgb pixel_at(double x, double y)
{
    std::vector<unsigned char> p = gl_context_read_rgb((int)lround(x), (int)lround(y), 1, 1);
    return {p[0], p[1], p[2]};
}

// Window position of a model point under the matrices of the last frame.
void project(double mx, double my, double mz, double* wx, double* wy)
{
    float mv[16], pr[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, mv);
    glGetFloatv(GL_PROJECTION_MATRIX, pr);
    double eye[4], clip[4];
    for (int r = 0; r < 4; r++)
        eye[r] = mv[r] * mx + mv[4 + r] * my + mv[8 + r] * mz + mv[12 + r];
    for (int r = 0; r < 4; r++)
        clip[r] = pr[r] * eye[0] + pr[4 + r] * eye[1] + pr[8 + r] * eye[2] + pr[12 + r] * eye[3];
    *wx = (clip[0] / clip[3] * 0.5 + 0.5) * WIDTH;
    *wy = (clip[1] / clip[3] * 0.5 + 0.5) * HEIGHT;
}

int close_to(Rgb actual, double r, double g, double b, int tolerance)
{
    return abs(actual.r - (int)lround(r)) <= tolerance && abs(actual.g - (int)lround(g)) <= tolerance &&
           abs(actual.b - (int)lround(b)) <= tolerance;
}

int is_grey_background(Rgb c)
{
    return c.r == 127 && c.g == 127 && c.b == 127;
}

class ColumnsTest : public ::testing::Test {
protected:
    RgbImage basemap = {};
    char start_dir[PATH_MAX] = {};

    void SetUp() override
    {
        ASSERT_TRUE(gl_context_open(WIDTH, HEIGHT));
        ASSERT_NE(nullptr, getcwd(start_dir, sizeof start_dir));
        test_platform_reset();
        beat_count = 0;
        selected_beat = -1;
        gis_options = 0x10;
        vertical_scale = 1.0f;
        view_distance = 20.0f;
        view_tilt = 0.0f;
        view_heading = 0.0f;
        view_center = default_view_center;
        query_flags[0] = NO_QUERY;
        for (int t = 1; t < CRIME_TYPE_COUNT; t++)
            query_flags[t] = 0;
        init_gl_state();  // stripe texture, basemap, lists from the empty table
        on_resize(WIDTH, HEIGHT);
        ASSERT_TRUE(read_bmp(BASEMAP_PATH, &basemap));
    }
    void TearDown() override
    {
        free_image(&basemap);
        EXPECT_EQ(0, chdir(start_dir));
        delete_map(1);
        gl_context_close();
    }

    // The basemap texel under a model point, as the top of a column shows it.
    Rgb basemap_texel(double x, double y)
    {
        float s, t;
        basemap_texcoord((float)x, (float)y, &s, &t);
        int col = (int)(s * basemap.width), row = (int)(t * basemap.height);
        const unsigned char* p = basemap.pixels + ((size_t)row * basemap.width + col) * 3;
        return {p[0], p[1], p[2]};
    }

    void load_sample_district(int year, int month)
    {
        ASSERT_TRUE(read_records("data/district.csv"));
        ASSERT_EQ(6u, beat_count);
        current_date = (PackedDate)(((year - BASE_YEAR) << 11) | (month << 7) | (1 << 2));
    }

    void select_all_types()
    {
        for (int t = 0; t < CRIME_TYPE_COUNT; t++)
            query_flags[t] = 1;
    }
};

TEST_F(ColumnsTest, EmptyTableShowsOnlyTheBasemap)
{
    EXPECT_TRUE(test_platform.messages.empty());
    render_scene();
    // the map rectangle fills the middle; the grey shows beyond its edges
    EXPECT_TRUE(is_grey_background(pixel_at(10, 10)));
    double x, y;
    project(-95.3215, 29.7375, 0, &x, &y);
    Rgb seen = pixel_at(x, y), texel = basemap_texel(-95.3215, 29.7375);
    EXPECT_TRUE(close_to(seen, texel.r, texel.g, texel.b, 40))
        << seen.r << "," << seen.g << "," << seen.b;
    EXPECT_EQ((GLenum)GL_NO_ERROR, glGetError());
}

TEST_F(ColumnsTest, TopsShowTheDarkenedBasemapFromAbove)
{
    load_sample_district(2005, 6);
    query_flags[0] = 0;
    query_flags[MURDER] = 1;
    vertical_scale = 0.01f;
    make_columns();
    render_scene();
    for (uint32_t b = 0; b < beat_count; b++) {
        if (beats[b].lon < MAP_WEST || beats[b].lon > MAP_EAST)
            continue;
        double x, y;
        ColumnGeometry column;
        column_geometry(beats[b].lon, beats[b].lat, query_value[b], vertical_scale, &column);
        project(beats[b].lon, beats[b].lat, column.height, &x, &y);
        Rgb texel = basemap_texel(beats[b].lon, beats[b].lat);
        Rgb seen = pixel_at(x, y);
        EXPECT_TRUE(close_to(seen, texel.r * 0.66, texel.g * 0.66, texel.b * 0.66, 12))
            << beats[b].name << ": " << seen.r << "," << seen.g << "," << seen.b;
    }
}

TEST_F(ColumnsTest, SidesShowTheColourBandsAndCountStripesAtATilt)
{
    load_sample_district(2005, 6);
    select_all_types();
    vertical_scale = 0.01f;
    make_columns();

    int reds = 0, yellows = 0, greens = 0;
    for (uint32_t b = 0; b < CITYWIDE_BEAT; b++) {
        float color[4];
        column_color((uint16_t)b, color);
        ColumnGeometry column;
        column_geometry(beats[b].lon, beats[b].lat, query_value[b], vertical_scale, &column);
        float t_top = side_texture_top(column.height, vertical_scale);
        ASSERT_GT(t_top, 1.0f) << beats[b].name << " needs a full band to test";
        // close up from the south, looking at the foot of the column
        view_center = {MAP_ORIGIN_X + MAP_SCALE * (beats[b].lon - MAP_ORIGIN_X),
                       MAP_ORIGIN_Y + MAP_SCALE * (beats[b].lat - MAP_ORIGIN_Y), 0.0f};
        view_distance = MIN_VIEW_DISTANCE;
        view_tilt = 70.0f;
        render_scene();
        // the south face where the stripe texture is white (t = 0.4) and where its top
        // eighth is black (t = 0.94)
        double x, y, shade = COLUMN_FACE_SHADE[FACE_SOUTH];
        project(beats[b].lon, beats[b].lat - 0.0005, column.height * (0.4 / t_top), &x, &y);
        Rgb side = pixel_at(x, y);
        EXPECT_TRUE(close_to(side, (color[0] - shade) * 255, (color[1] - shade) * 255,
                             (color[2] - shade) * 255, 10))
            << beats[b].name << ": " << side.r << "," << side.g << "," << side.b;
        project(beats[b].lon, beats[b].lat - 0.0005, column.height * (0.94 / t_top), &x, &y);
        Rgb band = pixel_at(x, y);
        EXPECT_LT(band.r + band.g + band.b, 60)
            << beats[b].name << " band: " << band.r << "," << band.g << "," << band.b;
        reds += color[1] < 0.5f;
        greens += color[0] < 0.5f;
        yellows += color[0] > 0.5f && color[1] > 0.5f;
    }
    // the sample district is made so that the colours differ
    EXPECT_GT(reds, 0);
    EXPECT_GT(yellows + greens, 0);
}

TEST_F(ColumnsTest, OtherBeatsTurnTranslucentWhenOneIsSelected)
{
    load_sample_district(2005, 6);
    select_all_types();
    vertical_scale = 0.01f;
    view_tilt = 60.0f;
    make_columns();
    render_scene();
    ColumnGeometry column;
    column_geometry(beats[1].lon, beats[1].lat, query_value[1], vertical_scale, &column);
    double x, y;
    project(beats[1].lon, beats[1].lat - 0.0005, column.height * 0.5, &x, &y);
    Rgb opaque = pixel_at(x, y);

    selected_beat = 0;
    make_columns();
    render_scene();
    Rgb translucent = pixel_at(x, y);
    float color[4];
    column_color(1, color);
    EXPECT_FLOAT_EQ(SELECTED_OTHERS_ALPHA, color[3]);
    EXPECT_GT(abs(opaque.r - translucent.r) + abs(opaque.g - translucent.g) +
                  abs(opaque.b - translucent.b),
              60);
    // the selected beat stays as it was
    column_geometry(beats[0].lon, beats[0].lat, query_value[0], vertical_scale, &column);
    project(beats[0].lon, beats[0].lat - 0.0005, column.height * 0.3, &x, &y);
    Rgb selected = pixel_at(x, y);
    selected_beat = -1;
    make_columns();
    render_scene();
    Rgb unselected = pixel_at(x, y);
    EXPECT_TRUE(close_to(selected, unselected.r, unselected.g, unselected.b, 2));
}

TEST_F(ColumnsTest, DeleteMapKeepsTexturesUnlessAskedToFreeThem)
{
    EXPECT_TRUE(glIsList(MAP_LIST));
    EXPECT_TRUE(glIsList(COLUMN_LIST));
    delete_map(0);
    EXPECT_FALSE(glIsList(MAP_LIST));
    EXPECT_FALSE(glIsList(COLUMN_LIST));
    EXPECT_TRUE(glIsTexture(MAP_TEXTURE));
    EXPECT_TRUE(glIsTexture(STRIPE_TEXTURE));
    make_columns();
    delete_map(1);
    EXPECT_FALSE(glIsList(MAP_LIST));
    EXPECT_FALSE(glIsList(COLUMN_LIST));
    EXPECT_FALSE(glIsTexture(MAP_TEXTURE));
    EXPECT_FALSE(glIsTexture(STRIPE_TEXTURE));
}

TEST_F(ColumnsTest, BasemapIsReadOnlyForMapChoiceZero)
{
    GLint width = 0;
    glBindTexture(GL_TEXTURE_2D, MAP_TEXTURE);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(basemap.width, width);

    // away from the data folder the basemap cannot be read: reported, texture kept
    ASSERT_EQ(0, chdir("/"));
    make_map();
    ASSERT_EQ(1u, test_platform.messages.size());
    EXPECT_EQ("make_map() - can't read map!", test_platform.messages[0].text);
    EXPECT_EQ("ERROR!", test_platform.messages[0].caption);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(basemap.width, width);

    // another map choice touches nothing and says nothing
    gis_options = 0x11;
    make_map();
    EXPECT_EQ(1u, test_platform.messages.size());
}

}  // namespace
