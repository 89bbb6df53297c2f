// The committed images as Qt reads them for the program: the panels' bitmaps in
// panels/bitmaps (compiled in) and the desktop icons in packaging/icons. That they are
// what the generator draws is the regeneration test's; here, that the drawing is right.
// Needs no display.
#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

QImage read(const std::string& path)
{
    QImageReader reader(QString::fromStdString(path));
    QImage image = reader.read();
    EXPECT_FALSE(image.isNull()) << path << ": " << reader.errorString().toStdString();
    return image;
}

QByteArray bytes(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

uint32_t u32(const QByteArray& b, int at)
{
    return b.size() < at + 4 ? 0 : (uint8_t)b[at] | (uint8_t)b[at + 1] << 8 | (uint8_t)b[at + 2] << 16 | (uint32_t)(uint8_t)b[at + 3] << 24;
}

// The logo: 4 bits a pixel, uncompressed, its file's size in its header; 16 palette
// entries of which exactly 8 are painted with, on a mostly white ground.
TEST(PanelBitmaps, LogoPalette)
{
    const QByteArray file = bytes("panels/bitmaps/about_logo.bmp");
    EXPECT_EQ((std::vector<uint32_t>{54 + 64 + 164 * 115, 54 + 64 + 164 * 115, 4, 0, 16}),
              (std::vector<uint32_t>{(uint32_t)file.size(), u32(file, 2), u32(file, 28) & 0xFFFF, u32(file, 30), u32(file, 46)}));
    const QImage logo = read("panels/bitmaps/about_logo.bmp");
    ASSERT_EQ(std::tuple(322, 115, 16), std::tuple(logo.width(), logo.height(), (int)logo.colorCount()));
    std::vector<int> uses(16);
    for (int y = 0; y < logo.height(); y++)
        for (int x = 0; x < logo.width(); x++)
            uses[logo.pixelIndex(x, y)]++;
    EXPECT_EQ(8, 16 - std::count(uses.begin(), uses.end(), 0));
    const int ground = logo.pixelIndex(0, logo.height() - 1);
    EXPECT_EQ(qRgb(255, 255, 255), logo.color(ground));
    EXPECT_GT(uses[ground] * 2, logo.width() * logo.height());
}

// Each arrow: its file's size in its header; the face colour at the corners and all
// around the outline, which is black and closed (no fill pixel touches the face); the tip
// is the narrow end, on the side it points to; the fill runs from near white to the tint
// (0 red, 1 green), which dominates at the centre.
TEST(PanelBitmaps, Arrows)
{
    const struct { const char* file; int width, height; char points; int tint; } arrows[] = {
        {"nav_tilt_minus", 64, 32, 'D', 0}, {"nav_tilt_plus", 64, 32, 'U', 0}, {"nav_zoom_in", 64, 32, 'U', 1},
        {"nav_zoom_out", 64, 32, 'D', 1}, {"nav_heading_minus", 32, 64, 'R', 0}, {"nav_heading_plus", 32, 64, 'L', 0}};
    for (const auto& c : arrows) {
        SCOPED_TRACE(c.file);
        const std::string path = std::string("panels/bitmaps/") + c.file + ".bmp";
        const QByteArray file = bytes(path);
        EXPECT_EQ((uint32_t)file.size(), u32(file, 2));
        const QImage image = read(path);
        ASSERT_EQ(std::pair(c.width, c.height), std::pair(image.width(), image.height()));
        auto face = [&](int x, int y) { return !image.valid(x, y) || image.pixel(x, y) == qRgb(236, 236, 236); };
        for (int x : {0, c.width - 1})
            for (int y : {0, c.height - 1})
                EXPECT_TRUE(face(x, y)) << x << ", " << y;
        // arrow pixels per line across the arrow, from the edge it points to
        const bool vertical = c.points == 'U' || c.points == 'D', from_high = c.points == 'D' || c.points == 'R';
        std::vector<int> across(vertical ? c.height : c.width);
        int black = 0, lightest = 0, deepest = 255;
        for (int y = 0; y < c.height; y++)
            for (int x = 0; x < c.width; x++) {
                if (face(x, y))
                    continue;
                const int line = vertical ? y : x;
                across[from_high ? across.size() - 1 - line : line]++;
                const int rgb[3] = {qRed(image.pixel(x, y)), qGreen(image.pixel(x, y)), qBlue(image.pixel(x, y))};
                if (rgb[0] + rgb[1] + rgb[2] == 0) {
                    black++;
                    continue;
                }
                EXPECT_FALSE(face(x - 1, y) || face(x + 1, y) || face(x, y - 1) || face(x, y + 1))
                    << "fill on the edge at " << x << ", " << y;
                lightest = std::max(lightest, std::min({rgb[0], rgb[1], rgb[2]}));
                deepest = std::min(deepest, rgb[1 - c.tint]);
            }
        while (!across.empty() && across.back() == 0)
            across.pop_back();
        const auto tip = std::find_if(across.begin(), across.end(), [](int n) { return n > 0; });
        ASSERT_NE(across.end(), tip);
        EXPECT_LE(*tip, 3) << "a sharp tip";
        EXPECT_LT(*tip * 2, across.back()) << "the tail is wider than the tip";
        EXPECT_EQ(std::tuple(true, true, true), std::tuple(black > 0, lightest >= 200, deepest <= 60))
            << black << " black, lightest " << lightest << ", deepest " << deepest;
        const QRgb centre = image.pixel(c.width / 2, c.height / 2);
        const int tint = c.tint ? qGreen(centre) : qRed(centre);
        EXPECT_GE(tint, (c.tint ? qRed(centre) : qGreen(centre)) + 40);
        EXPECT_GE(tint, qBlue(centre) + 40);
    }
}

// Each icon a PNG that decodes (every chunk's and the stream's checksums verified), 8-bit
// RGBA at its size, transparent around a mark that spans the width inside margins of a
// sixteenth and is centred both ways, give or take its smooth edges; the tallest column red.
TEST(Icons, ValidRgbaPngsOfTheMarkAtEachSize)
{
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage icon = read("packaging/icons/zavroview_" + std::to_string(size) + ".png");
        ASSERT_EQ(std::tuple(QImage::Format_ARGB32, size, size), std::tuple(icon.format(), icon.width(), icon.height()));
        int x0 = size, y0 = size, x1 = -1, y1 = -1, red = 0;
        for (int y = 0; y < size; y++)
            for (int x = 0; x < size; x++) {
                const QRgb p = icon.pixel(x, y);
                if (qAlpha(p) == 0)
                    continue;
                x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
                red += qAlpha(p) > 128 && qRed(p) > 64 && qRed(p) > 3 * qGreen(p) && qRed(p) > 3 * qBlue(p);
            }
        const int margin = size / 16;
        EXPECT_NEAR(margin, x0, 1);
        EXPECT_NEAR(size - 1 - margin, x1, 1);
        EXPECT_GT(y0, margin - 1);
        EXPECT_NEAR(size - 1, x0 + x1, 1);
        EXPECT_NEAR(size - 1, y0 + y1, 1);
        EXPECT_GE(red, size * size / 256) << "the red column";
    }
}

}  // namespace
