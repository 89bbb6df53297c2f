// Resampling a capture to power-of-two sides.
#include <gtest/gtest.h>

#include <cstring>

#include "render/image.h"

// Every pixel different enough to tell apart: red = x, green = y, blue = x + y (mod 256).
static RgbImage grid_image(int width, int height)
{
    RgbImage image;
    alloc_image(width, height, 3, &image);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            uint8_t* p = image.pixels + ((size_t)y * width + x) * 3;
            p[0] = (uint8_t)x;
            p[1] = (uint8_t)y;
            p[2] = (uint8_t)(x * 7 + y * 13);
        }
    return image;
}

static const uint8_t* pixel(const RgbImage& image, int x, int y)
{
    return image.pixels + ((size_t)y * image.width + x) * 3;
}

// Sides: the smallest power of two not below the source's, at most 1024. Corners: the
// grid ends on the last-but-one row and column (their neighbours get weight 0); a side of
// one pixel repeats it.
TEST(Resample, SidesAndCorners)
{
    struct Case { int w, h, out_w, out_h; };
    const Case cases[] = {
        {640, 480, 1024, 512}, {1500, 1200, 1024, 1024}, {512, 512, 512, 512},
        {1024, 768, 1024, 1024}, {513, 2, 1024, 2}, {5, 3, 8, 4}, {2, 2, 2, 2},
        {1, 1, 1, 1}, {1, 6, 1, 8}, {6, 1, 8, 1}, {1, 300, 1, 512}, {1100, 1, 1024, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
        RgbImage source = grid_image(c.w, c.h);
        RgbImage out;
        ASSERT_EQ(1, scale_image_pow2(&source, &out));
        ASSERT_EQ(c.out_w, out.width);
        ASSERT_EQ(c.out_h, out.height);
        EXPECT_EQ(3, out.bytes_per_pixel);
        int last_x = c.w > 1 ? c.w - 2 : 0;
        int last_y = c.h > 1 ? c.h - 2 : 0;
        const int corners[4][4] = {
            {0, 0, 0, 0},
            {out.width - 1, 0, last_x, 0},
            {0, out.height - 1, 0, last_y},
            {out.width - 1, out.height - 1, last_x, last_y},
        };
        for (const auto& k : corners)
            EXPECT_EQ(0, memcmp(pixel(out, k[0], k[1]), pixel(source, k[2], k[3]), 3))
                << "corner " << k[0] << "," << k[1];
        free_image(&out);
        free_image(&source);
    }
}

TEST(Resample, ValuesAreTruncatedNotRounded)
{
    // 13 x 2 -> 16 x 2: x = 4 samples at 11 x 4 / 15 = 2.9333, between columns 2 and 3
    RgbImage source;
    alloc_image(13, 2, 3, &source);
    const uint8_t left[3] = {127, 0, 200};
    const uint8_t right[3] = {128, 255, 100};
    memcpy(source.pixels + 2 * 3, left, 3);
    memcpy(source.pixels + 3 * 3, right, 3);
    RgbImage out;
    ASSERT_EQ(1, scale_image_pow2(&source, &out));
    const uint8_t* p = pixel(out, 4, 0);
    EXPECT_EQ(127, p[0]);  // 127.93
    EXPECT_EQ(238, p[1]);  // 255 x 0.93333
    EXPECT_EQ(106, p[2]);  // 106.67
    free_image(&out);
    free_image(&source);
}

TEST(Resample, EmptySourceGivesNothing)
{
    uint8_t one[4] = {1, 2, 3, 4};
    const RgbImage sources[] = {{0, 0, 0, nullptr}, {1, 1, 3, nullptr}, {0, 1, 3, one}, {1, 1, 2, one}};
    for (const RgbImage& source : sources) {
        RgbImage out = {9, 9, 9, one};
        EXPECT_EQ(0, scale_image_pow2(&source, &out));
        EXPECT_EQ(nullptr, out.pixels);
        EXPECT_EQ(0, out.width);
    }
}
