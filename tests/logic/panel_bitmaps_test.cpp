// The panels' bitmaps as committed in panels/bitmaps: headers, where each arrow points,
// that it stands on the exact panel face inside a closed outline, and the logo's palette.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <set>
#include <vector>

#include "render/image.h"
#include "tests/data_fixture.h"

static uint32_t u32(const Bytes& b, int at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | (uint32_t)b[at + 3] << 24;
}

struct BitmapCase {
    const char* file;
    int width, height, bits;
    char points;  // 'U', 'D', 'L', 'R'; 0 for the logo
    int tint;     // the channel that dominates the arrow's fill: 0 red, 1 green
};
static const BitmapCase BITMAPS[] = {
    {"about_logo.bmp", 322, 115, 4, 0, 0},       {"nav_tilt_minus.bmp", 64, 32, 24, 'D', 0},
    {"nav_tilt_plus.bmp", 64, 32, 24, 'U', 0},   {"nav_zoom_in.bmp", 64, 32, 24, 'U', 1},
    {"nav_heading_minus.bmp", 32, 64, 24, 'R', 0}, {"nav_zoom_out.bmp", 64, 32, 24, 'D', 1},
    {"nav_heading_plus.bmp", 32, 64, 24, 'L', 0},
};

static const uint8_t FACE[3] = {236, 233, 216};

// Headers: every size field is the file's size; the arrows read as 24-bit images of their
// sides (below); the logo has 4 bits a pixel, 16 palette entries and no compression.
TEST(PanelBitmaps, Headers)
{
    for (const BitmapCase& c : BITMAPS) {
        Bytes b = read_bytes(std::string("panels/bitmaps/") + c.file);
        ASSERT_GE(b.size(), 54u) << c.file;
        EXPECT_EQ(b.size(), u32(b, 2)) << c.file;
    }
    const Bytes logo = read_bytes("panels/bitmaps/about_logo.bmp");
    const uint32_t fields[][2] = {{10, 54 + 64}, {14, 40}, {18, 322}, {22, 115}, {26, 1 | 4 << 16}, {30, 0}, {46, 16}};
    for (auto [at, value] : fields)
        EXPECT_EQ(value, u32(logo, at)) << "at " << at;
}

// Each arrow: the face colour at the corners and all around the outline, which is black
// and closed (no fill pixel touches the face); the tip is the narrow end, on the side it
// points to; the fill runs from near white to the tint, which dominates at the centre.
TEST(PanelBitmaps, Arrows)
{
    for (const BitmapCase& c : BITMAPS) {
        if (!c.points)
            continue;
        SCOPED_TRACE(c.file);
        RgbImage image = {};
        ASSERT_EQ(1, read_bmp((std::string("panels/bitmaps/") + c.file).c_str(), &image));
        ASSERT_EQ((std::pair{c.width, c.height}), (std::pair{image.width, image.height}));
        auto at = [&](int x, int y) { return image.pixels + ((size_t)y * image.width + x) * 3; };
        auto face = [&](int x, int y) {
            return x < 0 || y < 0 || x >= c.width || y >= c.height || memcmp(at(x, y), FACE, 3) == 0;
        };
        for (int x : {0, c.width - 1})
            for (int y : {0, c.height - 1})
                EXPECT_TRUE(face(x, y)) << x << ", " << y;

        // arrow pixels per line across the arrow, from the edge it points to (rows are
        // bottom-up in memory)
        int vertical = c.points == 'U' || c.points == 'D';
        int from_high = c.points == 'U' || c.points == 'R';
        std::vector<int> across(vertical ? c.height : c.width);
        int black = 0, lightest = 0, deepest = 255;
        for (int y = 0; y < c.height; y++)
            for (int x = 0; x < c.width; x++) {
                if (face(x, y))
                    continue;
                int line = vertical ? y : x;
                across[from_high ? across.size() - 1 - line : line]++;
                const uint8_t* p = at(x, y);
                if (p[0] + p[1] + p[2] == 0) {
                    black++;
                    continue;
                }
                EXPECT_FALSE(face(x - 1, y) || face(x + 1, y) || face(x, y - 1) || face(x, y + 1))
                    << "fill on the edge at " << x << ", " << y;
                lightest = std::max(lightest, (int)std::min({p[0], p[1], p[2]}));
                deepest = std::min(deepest, (int)p[1 - c.tint]);
            }
        while (!across.empty() && across.back() == 0)
            across.pop_back();
        size_t tip = 0;
        while (tip < across.size() && across[tip] == 0)
            tip++;
        ASSERT_LT(tip, across.size());
        EXPECT_LE(across[tip], 3) << "a sharp tip";
        EXPECT_LT(across[tip] * 2, across.back()) << "the tail is wider than the tip";
        EXPECT_GT(black, 0);
        EXPECT_GE(lightest, 200);
        EXPECT_LE(deepest, 60);
        const uint8_t* centre = at(c.width / 2, c.height / 2);
        for (int k : {(c.tint + 1) % 3, (c.tint + 2) % 3})
            EXPECT_GE(centre[c.tint], centre[k] + 40) << "channel " << k;
        free_image(&image);
    }
}

// The logo: 16 palette entries of which exactly 8 are painted with, mostly white ground.
TEST(PanelBitmaps, LogoPalette)
{
    const BitmapCase& c = BITMAPS[0];
    Bytes b = read_bytes(std::string("panels/bitmaps/") + c.file);
    ASSERT_EQ(54u + 64 + 164 * 115, b.size());
    std::vector<int> uses(16);
    for (int y = 0; y < c.height; y++)
        for (int x = 0; x < c.width; x++)
            uses[(b[118 + y * 164 + x / 2] >> (x % 2 ? 0 : 4)) & 15]++;
    std::set<int> used;
    for (int i = 0; i < 16; i++)
        if (uses[i])
            used.insert(i);
    EXPECT_EQ(8u, used.size());
    int ground = b[118] >> 4;  // the bottom-left pixel
    EXPECT_EQ(0, memcmp(&b[54 + 4 * ground], "\xFF\xFF\xFF\0", 4));
    EXPECT_GT(uses[ground] * 2, c.width * c.height);
}
