// Resampling a capture to power-of-two sides.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "render/image.h"

// Sides: the smallest power of two not below the source's, at most 1024. Corners: the grid
// ends on the last-but-one row and column; a side of one pixel repeats it. Source bytes
// count modulo 251, so that no two neighbouring rows or columns look alike.
TEST(Resample, SidesAndCorners)
{
    struct Case { int w, h, out_w, out_h; };
    const Case cases[] = {{640, 480, 1024, 512}, {1500, 1200, 1024, 1024}, {512, 512, 512, 512},
                          {5, 3, 8, 4}, {1, 1, 1, 1}, {1, 6, 1, 8}, {1100, 1, 1024, 1}};
    auto at = [](const RgbImage& im, int x, int y) { return im.pixels + (y * im.width + x) * 3; };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
        std::vector<uint8_t> pixels(c.w * c.h * 3);
        for (size_t i = 0; i < pixels.size(); i++)
            pixels[i] = (uint8_t)(i % 251);
        RgbImage source = {c.w, c.h, 3, pixels.data()}, out;
        ASSERT_EQ(1, scale_image_pow2(&source, &out));
        ASSERT_EQ((std::pair{c.out_w, c.out_h}), (std::pair{out.width, out.height}));
        const int last_x = c.w > 1 ? c.w - 2 : 0, last_y = c.h > 1 ? c.h - 2 : 0;
        for (int x : {0, 1})
            for (int y : {0, 1})
                EXPECT_EQ(0, memcmp(at(out, x * (out.width - 1), y * (out.height - 1)),
                                    at(source, x * last_x, y * last_y), 3)) << x << y;
        free_image(&out);
    }
}

// 13 x 2 -> 16 x 2: x = 4 samples 11 x 4 / 15 = 2.9333, between columns 2 and 3.
TEST(Resample, ValuesAreTruncatedNotRounded)
{
    uint8_t pixels[13 * 2 * 3] = {0, 0, 0, 0, 0, 0, 127, 0, 200, 128, 255, 100};
    RgbImage source = {13, 2, 3, pixels}, out;
    ASSERT_EQ(1, scale_image_pow2(&source, &out));
    EXPECT_EQ((std::vector<uint8_t>{127, 238, 106}),  // 127.93, 255 x 0.9333, 106.67
              std::vector<uint8_t>(out.pixels + 4 * 3, out.pixels + 5 * 3));
    free_image(&out);
}
