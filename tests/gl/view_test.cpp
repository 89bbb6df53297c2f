// The frame, the camera transform, the projection and the start-up GL state, checked on
// a headless context.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "platform/platform.h"
#include "render/map_gl.h"
#include "shell/startup.h"
#include "shell/view.h"
#include "tests/gl_context.h"
#include "tests/test_platform.h"

namespace {

// Column-major 4x4 matrices, as OpenGL keeps them.
struct Mat4 {
    double m[16];
};

Mat4 identity()
{
    Mat4 r = {};
    r.m[0] = r.m[5] = r.m[10] = r.m[15] = 1;
    return r;
}

Mat4 multiply(const Mat4& a, const Mat4& b)
{
    Mat4 r = {};
    for (int col = 0; col < 4; col++)
        for (int row = 0; row < 4; row++)
            for (int k = 0; k < 4; k++)
                r.m[col * 4 + row] += a.m[k * 4 + row] * b.m[col * 4 + k];
    return r;
}

Mat4 translation(double x, double y, double z)
{
    Mat4 r = identity();
    r.m[12] = x;
    r.m[13] = y;
    r.m[14] = z;
    return r;
}

Mat4 scaling(double x, double y, double z)
{
    Mat4 r = identity();
    r.m[0] = x;
    r.m[5] = y;
    r.m[10] = z;
    return r;
}

// Rotation about the x axis (axis 0) or the z axis (axis 2), degrees.
Mat4 rotation(double degrees, int axis)
{
    double a = degrees * M_PI / 180.0, c = cos(a), s = sin(a);
    Mat4 r = identity();
    int i = axis == 0 ? 1 : 0, j = axis == 0 ? 2 : 1;
    r.m[i * 4 + i] = c;
    r.m[j * 4 + i] = -s;
    r.m[i * 4 + j] = s;
    r.m[j * 4 + j] = c;
    return r;
}

Mat4 frustum(double l, double r, double b, double t, double n, double f)
{
    Mat4 p = {};
    p.m[0] = 2 * n / (r - l);
    p.m[5] = 2 * n / (t - b);
    p.m[8] = (r + l) / (r - l);
    p.m[9] = (t + b) / (t - b);
    p.m[10] = -(f + n) / (f - n);
    p.m[11] = -1;
    p.m[14] = -2 * f * n / (f - n);
    return p;
}

Mat4 read_matrix(GLenum which)
{
    float m[16];
    glGetFloatv(which, m);
    Mat4 r;
    for (int i = 0; i < 16; i++)
        r.m[i] = m[i];
    return r;
}

void expect_near(const Mat4& expected, const Mat4& actual, double relative)
{
    for (int i = 0; i < 16; i++) {
        double tolerance = relative * std::max(1.0, fabs(expected.m[i]));
        EXPECT_NEAR(expected.m[i], actual.m[i], tolerance) << "element " << i;
    }
}

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(gl_context_open(1024, 768));
        test_platform_reset();
        view_distance = 20.0f;
        view_tilt = 0.0f;
        view_heading = 0.0f;
        view_center = default_view_center;
        vertical_scale = 1.0f;
        glDeleteLists(MAP_LIST, 1);
        glDeleteLists(COLUMN_LIST, 1);
        init_gl_state();
        on_resize(1024, 768);
    }
    void TearDown() override { gl_context_close(); }
};

TEST_F(ViewTest, StartUpStateIsSetForTheFrame)
{
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    GLint source = 0, destination = 0, env_mode = 0;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env_mode);
    EXPECT_EQ(GL_SRC_ALPHA, source);
    EXPECT_EQ(GL_ONE_MINUS_SRC_ALPHA, destination);
    EXPECT_EQ(GL_MODULATE, env_mode);
    float clear[4], point_size = 0, line_width = 0;
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glGetFloatv(GL_POINT_SIZE, &point_size);
    glGetFloatv(GL_LINE_WIDTH, &line_width);
    EXPECT_FLOAT_EQ(0.498f, clear[0]);
    EXPECT_FLOAT_EQ(0.498f, clear[1]);
    EXPECT_FLOAT_EQ(0.498f, clear[2]);
    EXPECT_FLOAT_EQ(1.0f, clear[3]);
    EXPECT_FLOAT_EQ(3.0f, point_size);
    EXPECT_FLOAT_EQ(2.0f, line_width);
    // blending, depth test and texturing are on only while the map is drawn
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ((GLenum)GL_NO_ERROR, glGetError());
}

TEST_F(ViewTest, ProjectionIsTheFrustumOfTheClientAspect)
{
    const int sizes[][2] = {{1024, 768}, {800, 200}, {300, 900}};
    for (const auto& size : sizes) {
        on_resize(size[0], size[1]);
        EXPECT_EQ(size[0], client_width);
        EXPECT_EQ(size[1], client_height);
        double a = (float)size[0] / (float)size[1];
        expect_near(frustum(-a, a, -1, 1, 4, 256000), read_matrix(GL_PROJECTION_MATRIX), 1e-5);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(size[0], viewport[2]);
        EXPECT_EQ(size[1], viewport[3]);
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(GL_PROJECTION, mode);
    }
}

TEST_F(ViewTest, ZeroHeightKeepsAFiniteProjection)
{
    on_resize(640, 0);
    Mat4 projection = read_matrix(GL_PROJECTION_MATRIX);
    for (double value : projection.m)
        EXPECT_TRUE(std::isfinite(value));
    render_scene();  // must not fault
    on_resize(640, 480);
    double a = 640.0f / 480.0f;
    expect_near(frustum(-a, a, -1, 1, 4, 256000), read_matrix(GL_PROJECTION_MATRIX), 1e-5);
}

TEST_F(ViewTest, ModelViewIsTheCameraThenTheMapScaling)
{
    view_distance = 31.5f;
    view_tilt = 37.0f;
    view_heading = -121.0f;
    view_center = {-95.29f, 29.75f, 2.5f};
    vertical_scale = 0.1f;
    render_scene();

    Mat4 expected = identity();
    expected = multiply(expected, translation(0, 0, -31.5));
    expected = multiply(expected, rotation(-37.0, 0));
    expected = multiply(expected, rotation(121.0, 2));
    expected = multiply(expected, translation(-(double)-95.29f, -(double)29.75f, -2.5));
    expected = multiply(expected, translation((double)-95.31955f, (double)29.7395f, 0));
    expected = multiply(expected, scaling(100, 100, (double)(0.1f * 0.125f)));
    expected = multiply(expected, translation((double)95.31955f, (double)-29.7395f, 0));
    // single-precision GL arithmetic on values near 9500: compare relatively
    expect_near(expected, read_matrix(GL_MODELVIEW_MATRIX), 2e-5);
    expect_near(identity(), read_matrix(GL_TEXTURE_MATRIX), 0);
}

TEST_F(ViewTest, SceneWithNothingBuiltIsTheGreyClearColour)
{
    delete_map(0);
    render_scene();
    swap_frame();
    EXPECT_EQ(1, test_platform.frames_swapped);
    std::vector<unsigned char> pixels = gl_context_read_rgb(0, 0, 1024, 768);
    for (size_t i = 0; i < pixels.size(); i += 3 * 997) {
        ASSERT_EQ(127, pixels[i]) << "pixel " << i / 3;
        ASSERT_EQ(127, pixels[i + 1]);
        ASSERT_EQ(127, pixels[i + 2]);
    }
}

TEST_F(ViewTest, StripeTextureIsWhiteWithABlackTopEighth)
{
    glBindTexture(GL_TEXTURE_2D, STRIPE_TEXTURE);
    GLint width = 0, height = 0, wrap_s = 0, wrap_t = 0, min_filter = 0, mag_filter = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap_s);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrap_t);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min_filter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag_filter);
    EXPECT_EQ(64, width);
    EXPECT_EQ(64, height);
    EXPECT_EQ(GL_REPEAT, wrap_s);
    EXPECT_EQ(GL_REPEAT, wrap_t);
    EXPECT_EQ(GL_LINEAR, min_filter);
    EXPECT_EQ(GL_LINEAR, mag_filter);

    std::vector<unsigned char> texels(64 * 64 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    for (int row = 0; row < 64; row++) {
        unsigned char expected = row < 56 ? 255 : 0;
        for (int byte = 0; byte < 64 * 3; byte++)
            ASSERT_EQ(expected, texels[row * 64 * 3 + byte]) << "row " << row;
    }
}

}  // namespace

namespace {

class FrameLoopTest : public ViewTest {};

TEST_F(FrameLoopTest, StartUpRunsTheFrameTimerAt125Milliseconds)
{
    on_startup();
    EXPECT_EQ(125, test_platform.timer_period_ms[FRAME_TIMER_ID]);
}

TEST_F(FrameLoopTest, TicksOfTheFrameTimerAndPaintsDrawOneFrameEach)
{
    on_timer(FRAME_TIMER_ID);
    EXPECT_EQ(1, test_platform.frames_swapped);
    on_timer(FRAME_TIMER_ID + 1);  // not the frame timer: nothing
    EXPECT_EQ(1, test_platform.frames_swapped);
    on_paint();
    EXPECT_EQ(2, test_platform.frames_swapped);
}

TEST_F(FrameLoopTest, DestroyReleasesTheContextThenQuitsWithZero)
{
    on_destroy();
    EXPECT_EQ(1, test_platform.gl_context_released);
    EXPECT_EQ(1, test_platform.quit_requested);
    EXPECT_EQ(0, test_platform.quit_code);
}

}  // namespace
