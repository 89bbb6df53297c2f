// The basemap and the beat columns as a frame shows them: textures and display lists
// built on a headless context, pixels probed where the columns project.
#include "tests/gl_fixture.h"

namespace {

struct Rgb {
    int r, g, b;
    int near(const Rgb& e, int tolerance) const
    {
        return abs(r - e.r) <= tolerance && abs(g - e.g) <= tolerance && abs(b - e.b) <= tolerance;
    }
};

std::ostream& operator<<(std::ostream& out, const Rgb& c)
{
    return out << c.r << "," << c.g << "," << c.b;
}

// The pixel where a model point lands under the matrices of the last frame.
Rgb pixel_of(double mx, double my, double mz)
{
    float mv[16], pr[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, mv);
    glGetFloatv(GL_PROJECTION_MATRIX, pr);
    double eye[4], clip[4];
    for (int r = 0; r < 4; r++)
        eye[r] = mv[r] * mx + mv[4 + r] * my + mv[8 + r] * mz + mv[12 + r];
    for (int r = 0; r < 4; r++)
        clip[r] = pr[r] * eye[0] + pr[4 + r] * eye[1] + pr[8 + r] * eye[2] + pr[12 + r] * eye[3];
    std::vector<unsigned char> p = gl_context_read_rgb((int)lround((clip[0] / clip[3] + 1) * 512),
                                                       (int)lround((clip[1] / clip[3] + 1) * 384), 1, 1);
    return {p[0], p[1], p[2]};
}

class ColumnsTest : public GlTest {
protected:
    RgbImage basemap = {};

    void SetUp() override
    {
        start(1024, 768, GL_STATE);  // stripe texture, basemap, lists from the empty table
        ASSERT_TRUE(read_bmp(BASEMAP_PATH, &basemap));
    }
    void TearDown() override
    {
        free_image(&basemap);
        GlTest::TearDown();
    }

    // The basemap texel under a model point, darkened by factor.
    Rgb texel(double x, double y, double factor)
    {
        float s, t;
        basemap_texcoord((float)x, (float)y, &s, &t);
        const unsigned char* p =
            basemap.pixels + ((size_t)(t * basemap.height) * basemap.width + (size_t)(s * basemap.width)) * 3;
        return {(int)(p[0] * factor), (int)(p[1] * factor), (int)(p[2] * factor)};
    }

    // The sample district in June 2005, every crime type chosen, at the 100:1 scale.
    void load_district()
    {
        ASSERT_TRUE(read_records("data/district.csv"));
        current_date = make_date(2005 - BASE_YEAR, 6, 1);
        for (uint16_t& flag : query_flags)
            flag = 1;
        set_height_choice(0);  // 100:1
        make_columns();
    }

    ColumnGeometry column_of(int b)
    {
        ColumnGeometry column;
        column_geometry(beats[b].lon, beats[b].lat, query_value[b], vertical_scale, &column);
        return column;
    }

    // Close up from the south on the foot of beat b; the south face where its stripe
    // texture coordinate is t.
    Rgb south_face(int b, double t)
    {
        view_center = {MAP_ORIGIN_X + MAP_SCALE * (beats[b].lon - MAP_ORIGIN_X),
                       MAP_ORIGIN_Y + MAP_SCALE * (beats[b].lat - MAP_ORIGIN_Y), 0.0f};
        view_distance = MIN_VIEW_DISTANCE;
        view_tilt = 70.0f;
        render_scene();
        ColumnGeometry column = column_of(b);
        return pixel_of(beats[b].lon, beats[b].lat - COLUMN_SIDE / 2,
                        column.height * t / side_texture_top(column.height, vertical_scale));
    }
};

TEST_F(ColumnsTest, EmptyTableShowsOnlyTheBasemap)
{
    EXPECT_TRUE(test_platform.messages.empty());
    render_scene();
    Rgb outside = pixel_of(MAP_WEST - 0.003, MAP_SOUTH - 0.003, 0), seen = pixel_of(-95.3215, 29.7375, 0);
    EXPECT_TRUE(outside.near({127, 127, 127}, 0)) << outside;
    EXPECT_TRUE(seen.near(texel(-95.3215, 29.7375, 1), 40)) << seen;
    EXPECT_EQ((GLenum)GL_NO_ERROR, glGetError());
}

// Tops show the basemap darkened, south faces their colour less the face's shade in the
// stripe texture's white, and the black band of its top eighth; with a beat selected the
// others turn translucent and it stays as it was (the colours and the alpha themselves
// are the column rules' test).
TEST_F(ColumnsTest, TopsShowTheDarkenedBasemapSidesTheirColourAndCountBands)
{
    load_district();
    render_scene();
    for (int b = 0; b < CITYWIDE_BEAT; b++) {
        Rgb top = pixel_of(beats[b].lon, beats[b].lat, column_of(b).height);
        EXPECT_TRUE(top.near(texel(beats[b].lon, beats[b].lat, COLUMN_TOP_GREY), 12)) << beats[b].name << " top " << top;
    }
    Rgb opaque[CITYWIDE_BEAT];
    for (int b = 0; b < CITYWIDE_BEAT; b++) {
        float c[4], shade = COLUMN_FACE_SHADE[FACE_SOUTH];
        column_color((uint16_t)b, c);
        ASSERT_GT(side_texture_top(column_of(b).height, vertical_scale), 1.0f) << "needs a band";
        opaque[b] = south_face(b, 0.4);  // white in the stripe texture
        EXPECT_TRUE(opaque[b].near({(int)((c[0] - shade) * 255), (int)((c[1] - shade) * 255), (int)((c[2] - shade) * 255)}, 10))
            << beats[b].name << " side " << opaque[b];
        Rgb band = south_face(b, 0.94);  // in the black top eighth
        EXPECT_LT(band.r + band.g + band.b, 60) << beats[b].name << " band " << band;
    }
    selected_beat = 0;
    make_columns();
    Rgb selected = south_face(0, 0.4), other = south_face(1, 0.4);
    EXPECT_TRUE(selected.near(opaque[0], 1)) << selected;
    EXPECT_GT(abs(other.r - opaque[1].r) + abs(other.g - opaque[1].g) + abs(other.b - opaque[1].b), 60) << other;
}

// The frame turns depth test, blending and texturing on only around the two lists: the
// state afterwards is what start-up left, whatever a later drawing assumes.
TEST_F(ColumnsTest, DrawingTheMapLeavesNoStateEnabled)
{
    load_district();
    render_scene();
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(ColumnsTest, MapIsReadForChoiceZeroAndDeletedOnRequest)
{
    GLint width = 0;
    glBindTexture(GL_TEXTURE_2D, MAP_TEXTURE);
    // away from the data folder the basemap cannot be read: reported, texture kept
    enter_scratch();
    EXPECT_EQ(0, make_map());
    EXPECT_TRUE(test_platform.messages.empty());  // the render layer says nothing
    EXPECT_EQ(0, load_basemap());
    gis_options = 0x11;  // another map choice: nothing read, nothing said
    EXPECT_EQ(1, load_basemap());
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(basemap.width, width);
    ASSERT_EQ(1u, test_platform.messages.size());
    EXPECT_EQ("make_map() - can't read map!", test_platform.messages[0].text);
    EXPECT_EQ("ERROR!", test_platform.messages[0].caption);
    EXPECT_EQ("data/maps/basemap.bmp: No such file or directory", test_platform.messages[0].details);

    const struct { int delete_textures, textures_left; } cases[] = {{0, 1}, {1, 0}};
    for (const auto& c : cases) {
        make_columns();
        delete_map((uint8_t)c.delete_textures);
        EXPECT_FALSE(glIsList(MAP_LIST)) << c.delete_textures;
        EXPECT_FALSE(glIsList(COLUMN_LIST)) << c.delete_textures;
        EXPECT_EQ(c.textures_left, glIsTexture(MAP_TEXTURE)) << c.delete_textures;
        EXPECT_EQ(c.textures_left, glIsTexture(STRIPE_TEXTURE)) << c.delete_textures;
    }
}

}  // namespace
