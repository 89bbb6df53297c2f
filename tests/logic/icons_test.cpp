// The program's icons as committed in packaging/icons: each a PNG that a full decoder
// (checksums verified) reads as RGBA at its size, transparent around a mark centred
// inside a margin, the tallest column in red.
#include <gtest/gtest.h>

#include <QImage>

TEST(Icons, ValidRgbaPngsOfTheMarkAtEachSize)
{
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        QImage image;
        ASSERT_TRUE(image.load(QString("packaging/icons/zavroview_%1.png").arg(size), "PNG"));
        EXPECT_EQ(QImage::Format_ARGB32, image.format());  // 8 bits a channel, with alpha
        ASSERT_EQ(QSize(size, size), image.size());
        int x0 = size, y0 = size, x1 = -1, y1 = -1, red = 0;
        for (int y = 0; y < size; y++)
            for (int x = 0; x < size; x++) {
                const QRgb p = image.pixel(x, y);
                if (qAlpha(p) == 0)
                    continue;
                x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
                red += qAlpha(p) > 128 && qRed(p) > 64 && qRed(p) > 3 * qGreen(p) && qRed(p) > 3 * qBlue(p);
            }
        // the mark is wider than high: it spans the width inside margins of a sixteenth,
        // and is centred both ways, give or take its smooth edges
        const int margin = size / 16;
        EXPECT_NEAR(margin, x0, 1);
        EXPECT_NEAR(size - 1 - margin, x1, 1);
        EXPECT_GT(y0, margin - 1);
        EXPECT_NEAR(size - 1, x0 + x1, 1);
        EXPECT_NEAR(size - 1, y0 + y1, 1);
        EXPECT_GE(red, size * size / 256) << "the red column";
    }
}
