// Resampling a capture to power-of-two sides.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "render/image.h"
#include "tests/data_fixture.h"

//// the resampler as first written: a pixel at a time, kept to compare the fast one with

static int32_t reference_pow2_side(int32_t side)
{
    int32_t result = 1;
    while (result < side && result < POW2_MAX_SIDE)
        result *= 2;
    return result;
}

static int reference_scale_image_pow2(const RgbImage* source, RgbImage* destination)
{
    *destination = RgbImage{};
    if (!source->pixels || source->width < 1 || source->height < 1 || source->bytes_per_pixel < 3)
        return 0;
    const int32_t w = source->width, h = source->height, out_w = reference_pow2_side(w), out_h = reference_pow2_side(h);
    alloc_image(out_w, out_h, 3, destination);
    if (!destination->pixels)
        return 0;
    // right and upper neighbours; a side of 1 pixel is its own neighbour (weight 0 anyway)
    const size_t b = (size_t)source->bytes_per_pixel, right = w > 1 ? b : 0, above = h > 1 ? (size_t)w * b : 0;
    const uint8_t* src = source->pixels;
    for (int32_t y = 0; y < out_h; y++) {
        // the grid runs from row 0 to row h - 2; out_h is 1 only when h is 1
        float fy = out_h > 1 ? (float)((int64_t)(h - 2) * y) / (float)(out_h - 1) : 0.0f;
        int32_t iy = (int32_t)fy;
        float wy = fy - (float)iy;
        for (int32_t x = 0; x < out_w; x++) {
            float fx = out_w > 1 ? (float)((int64_t)(w - 2) * x) / (float)(out_w - 1) : 0.0f;
            int32_t ix = (int32_t)fx;
            float wx = fx - (float)ix;
            size_t p00 = ((size_t)iy * (size_t)w + (size_t)ix) * b, p01 = p00 + right, p10 = p00 + above, p11 = p10 + right;
            for (int k = 0; k < 3; k++) {
                float lower = (1.0f - wx) * (float)src[p00 + k] + (float)src[p01 + k] * wx;
                float upper = (1.0f - wx) * (float)src[p10 + k] + (float)src[p11 + k] * wx;
                float value = (1.0f - wy) * lower + wy * upper;
                destination->pixels[((size_t)y * (size_t)out_w + (size_t)x) * 3 + k] = (uint8_t)(int)value;
            }
        }
    }
    return 1;
}

//// tests

// Sides: the smallest power of two not below the source's, at most 1024. Every output
// byte as the pixel-at-a-time resampler makes it (values truncated, the grid ending on
// the last-but-one row and column, a side of one pixel repeated), on pseudo-random pixels
// (neighbours unlike each other, every value 0 .. 255 present), 3 and 4 bytes a pixel:
// upscaling, downscaling past 1024, sides of 1 and 2, odd widths.
TEST(Resample, ByteForByteAsThePixelAtATimeResampler)
{
    struct Case { int w, h, bytes_per_pixel, out_w, out_h; };
    const Case cases[] = {{1, 1, 3, 1, 1}, {1, 6, 3, 1, 8}, {13, 2, 3, 16, 2}, {1100, 1, 3, 1024, 1},
                          {1024, 768, 3, 1024, 1024}, {1500, 1200, 3, 1024, 1024}, {2, 2, 3, 2, 2},
                          {6, 1, 3, 8, 1}, {3, 5, 4, 4, 8}, {640, 480, 4, 1024, 512}, {1025, 3, 3, 1024, 4},
                          {2049, 1030, 3, 1024, 1024}, {512, 512, 3, 512, 512}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h << " x " << c.bytes_per_pixel);
        Bytes pixels = random_bytes((size_t)c.w * c.h * c.bytes_per_pixel, 2463534242u + c.w);
        RgbImage source = {c.w, c.h, c.bytes_per_pixel, pixels.data()}, fast, reference;
        ASSERT_EQ(1, scale_image_pow2(&source, &fast));
        ASSERT_EQ(1, reference_scale_image_pow2(&source, &reference));
        ASSERT_EQ((std::pair{c.out_w, c.out_h}), (std::pair{fast.width, fast.height}));
        const size_t bytes = (size_t)fast.width * fast.height * 3;
        EXPECT_EQ(bytes, (size_t)(std::mismatch(fast.pixels, fast.pixels + bytes, reference.pixels).first - fast.pixels))
            << "the first byte that differs";
        free_image(&fast);
        free_image(&reference);
    }
}
