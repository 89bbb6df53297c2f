// The camera transform and the projection, checked on a headless context (what the
// frame draws with them is the columns' test).
#include <array>

#include "tests/gl_fixture.h"

namespace {

using Mat4 = std::array<double, 16>;  // column-major, as OpenGL keeps them

Mat4 matrix(double m0, double m5, double m10, double m12 = 0, double m13 = 0, double m14 = 0)
{
    return {m0, 0, 0, 0, 0, m5, 0, 0, 0, 0, m10, 0, m12, m13, m14, 1};
}

Mat4 operator*(const Mat4& a, const Mat4& b)
{
    Mat4 r = {};
    for (int col = 0; col < 4; col++)
        for (int row = 0; row < 4; row++)
            for (int k = 0; k < 4; k++)
                r[col * 4 + row] += a[k * 4 + row] * b[col * 4 + k];
    return r;
}

// Rotation by degrees about the x axis (i, j = 1, 2) or the z axis (i, j = 0, 1).
Mat4 rotation(double degrees, int i, int j)
{
    double c = cos(degrees * M_PI / 180), s = sin(degrees * M_PI / 180);
    Mat4 r = matrix(1, 1, 1);
    r[i * 4 + i] = r[j * 4 + j] = c;
    r[i * 4 + j] = s;
    r[j * 4 + i] = -s;
    return r;
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

TEST_F(ViewTest, ModelViewIsTheCameraThenTheMapScaling)
{
    view_distance = 31.5f;
    view_tilt = 37.0f;
    view_heading = -121.0f;
    view_center = {-95.29f, 29.75f, 2.5f};
    set_height_choice(1);  // 10:1
    render_scene();
    const double ox = -95.31955f, oy = 29.7395f;
    Mat4 expected = matrix(1, 1, 1, 0, 0, -31.5) * rotation(-37, 1, 2) * rotation(121, 0, 1) *
                    matrix(1, 1, 1, -(double)-95.29f, -(double)29.75f, -2.5) *
                    matrix(1, 1, 1, ox, oy, 0) * matrix(100, 100, (double)(0.1f * 0.125f)) *
                    matrix(1, 1, 1, -ox, -oy, 0);
    // single-precision GL arithmetic on values near 9500: compare relatively
    expect_near(expected, read_matrix(GL_MODELVIEW_MATRIX), 2e-5);
    expect_near(matrix(1, 1, 1), read_matrix(GL_TEXTURE_MATRIX), 0);
}

}  // namespace
