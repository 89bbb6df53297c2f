// The projection and the camera transform on a headless context (what the frame draws
// with them is the columns' test).
#include <array>

#include "tests/gl_fixture.h"

namespace {

using Mat4 = std::array<double, 16>;  // column-major, as OpenGL keeps them

Mat4 matrix(double m0, double m5, double m10, double m12 = 0, double m13 = 0, double m14 = 0)
{
    return {m0, 0, 0, 0, 0, m5, 0, 0, 0, 0, m10, 0, m12, m13, m14, 1};
}

Mat4 read_matrix(GLenum which)
{
    float m[16];
    glGetFloatv(which, m);
    return {m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8], m[9], m[10], m[11], m[12], m[13], m[14], m[15]};
}

void expect_near(const Mat4& expected, const Mat4& actual, double relative)
{
    for (int i = 0; i < 16; i++)
        EXPECT_NEAR(expected[i], actual[i], relative * std::max(1.0, fabs(expected[i]))) << i;
}

class ViewTest : public GlTest {
protected:
    void SetUp() override { start(1024, 768, GL_STATE); }
};

Mat4 frustum(double aspect)
{
    const double n = 4, f = 256000;
    Mat4 p = matrix(n / aspect, n, -(f + n) / (f - n), 0, 0, -2 * f * n / (f - n));
    p[11] = -1;
    p[15] = 0;
    return p;
}

TEST_F(ViewTest, ProjectionIsTheFrustumOfTheClientAspect)
{
    const int sizes[][2] = {{1024, 768}, {800, 200}, {300, 900}};
    for (const auto& size : sizes) {
        on_resize(size[0], size[1]);
        expect_near(frustum((float)size[0] / (float)size[1]), read_matrix(GL_PROJECTION_MATRIX), 1e-6);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ((std::pair{size[0], size[1]}), (std::pair{viewport[2], viewport[3]}));
    }
    // a minimised window (height 0) faults nothing and keeps a finite projection
    on_resize(640, 0);
    render_scene();
    for (double value : read_matrix(GL_PROJECTION_MATRIX))
        EXPECT_TRUE(std::isfinite(value));
    on_resize(640, 480);
    expect_near(frustum(640.0f / 480.0f), read_matrix(GL_PROJECTION_MATRIX), 1e-6);
}

// What the frame draws with is what a click is picked with (whose transform the pick
// test checks): the model-view matrix undoes inverse_scene_transform, for a camera off
// every axis at the 10:1 scale. The texture matrix is left alone.
TEST_F(ViewTest, ModelViewIsTheInverseOfThePicksTransform)
{
    view_distance = 31.5f;
    view_tilt = 37.0f;
    view_heading = -121.0f;
    view_center = {-95.29f, 29.75f, 2.5f};
    set_height_choice(1);
    render_scene();
    const Mat4 drawn = read_matrix(GL_MODELVIEW_MATRIX);
    float inverse[16];
    inverse_scene_transform(inverse);
    Mat4 product = {};
    for (int col = 0; col < 4; col++)
        for (int row = 0; row < 4; row++)
            for (int k = 0; k < 4; k++)
                product[col * 4 + row] += drawn[k * 4 + row] * inverse[col * 4 + k];
    expect_near(matrix(1, 1, 1), product, 4e-3);  // single precision on values near 9500
    expect_near(matrix(1, 1, 1), read_matrix(GL_TEXTURE_MATRIX), 0);
}

}  // namespace
