// The committed images as Qt reads them for the program: the panels' bitmaps in
// panels/bitmaps (compiled in) and the desktop icons in packaging/icons. What they show
// is the generator's (the regeneration test compares its output with these files); here,
// what only decoding can get wrong: each file reads whole, at its size and pixel format,
// and a BMP's header holds its file's size. Needs no display.
#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>

#include <string>
#include <tuple>
#include <vector>

namespace {

uint32_t u32(const QByteArray& b, int at)
{
    return b.size() < at + 4 ? 0 : (uint8_t)b[at] | (uint8_t)b[at + 1] << 8 | (uint8_t)b[at + 2] << 16 | (uint32_t)(uint8_t)b[at + 3] << 24;
}

// The logo 4 bits a pixel with 16 palette entries, the arrows 24 bits, both uncompressed;
// the icons 8-bit RGBA PNGs (whose chunk and stream checksums the reader verifies).
TEST(CommittedImages, DecodeWholeAtTheirSizeAndFormat)
{
    struct File { std::string path; int width, height, colours, bits; };
    std::vector<File> files = {{"panels/bitmaps/about_logo.bmp", 322, 115, 16, 4}};
    for (const char* arrow : {"tilt_minus", "tilt_plus", "zoom_in", "zoom_out"})
        files.push_back({std::string("panels/bitmaps/nav_") + arrow + ".bmp", 64, 32, 0, 24});
    for (const char* arrow : {"heading_minus", "heading_plus"})
        files.push_back({std::string("panels/bitmaps/nav_") + arrow + ".bmp", 32, 64, 0, 24});
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        files.push_back({"packaging/icons/zavroview_" + std::to_string(size) + ".png", size, size, 0, 32});
    for (const File& f : files) {
        SCOPED_TRACE(f.path);
        QImageReader reader(QString::fromStdString(f.path));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(std::tuple(f.width, f.height, f.colours), std::tuple(image.width(), image.height(), (int)image.colorCount()));
        if (f.bits == 32) {
            EXPECT_EQ(QImage::Format_ARGB32, image.format());
            continue;
        }
        QFile file(QString::fromStdString(f.path));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_EQ((std::vector<uint32_t>{(uint32_t)bytes.size(), (uint32_t)f.bits, 0, (uint32_t)f.colours}),
                  (std::vector<uint32_t>{u32(bytes, 2), u32(bytes, 28) & 0xFFFF, u32(bytes, 30), u32(bytes, 46)}));
    }
}

}  // namespace
