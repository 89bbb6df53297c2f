// BMP files: the bytes written, what is read back, what is refused.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "render/image.h"
#include "store/safe_file.h"
#include "tests/data_fixture.h"

namespace fs = std::filesystem;

using Bmp = InScratchFolder;

// 3 x 2, bottom row red, blue, blue; top row red, red, blue; and its file.
static uint8_t TINY_RGB[] = {255, 0, 0, 0, 0, 255, 0, 0, 255, 255, 0, 0, 255, 0, 0, 0, 0, 255};
static const RgbImage TINY = {3, 2, 3, TINY_RGB};
static const Bytes TINY_FILE = {
    'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,   // size, reserved, pixel offset
    40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,  // info size, 3 x 2, planes, bits
    // no compression, size field 0, 2835 pixels a metre both ways, no palette
    0, 0, 0, 0, 0, 0, 0, 0, 0x13, 0x0b, 0, 0, 0x13, 0x0b, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 255, 255, 0, 0, 255, 0, 0, 0, 0, 0,          // bottom row first, blue-green-red
    0, 0, 255, 0, 0, 255, 255, 0, 0, 0, 0, 0,
};

// The tiny image's whole file, every header field spelt out (every other size below is
// checked against this header with its sizes patched).
TEST_F(Bmp, WrittenFilesByteForByte)
{
    ASSERT_EQ(1, write_bmp("tiny.bmp", &TINY));
    EXPECT_EQ(TINY_FILE, read_bytes("tiny.bmp"));
}

// The tiny file with a 32-bit field set (little-endian host), cut or zero-extended to keep
// bytes, or with gap bytes after the headers and the offset moved past them: read with the
// same pixels, or refused without pixels (the memory reader is the same parser).
TEST_F(Bmp, HeaderIsCheckedBeforeAnyPixelIsRead)
{
    struct Case { const char* what; int at; uint32_t to; int ok = 0; unsigned keep = 78, gap = 0; };
    const Case cases[] = {
        {"file size field wrong", 2, 7, 1}, {"palette, offset 1078", 14, 40, 1, 78, 1024},
        {"124-byte header, offset 138", 14, 124, 1, 78, 84}, {"no signature", 0, 0},
        {"8 bits", 28, 8}, {"32 bits", 28, 32}, {"compressed", 30, 1}, {"12-byte header", 14, 12},
        {"top-down", 22, (uint32_t)-2}, {"height 0", 22, 0}, {"a row past the end", 22, 3},
        {"width 0", 18, 0}, {"width -3", 18, (uint32_t)-3}, {"3 x width > 2^32", 18, 0x55555556},
        {"width 16385, every row there", 18, 16385, 0, 54 + 2 * 49156}, {"offset 53", 10, 53},
        {"offset one byte late", 10, 55}, {"offset past the end", 10, 0xFFFFFFF0},
        {"last byte missing", 2, 78, 0, 77}, {"half a header", 2, 78, 0, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bytes = TINY_FILE;
        bytes.resize(c.keep);
        memcpy(&bytes[c.at], &c.to, 4);
        bytes.insert(bytes.begin() + std::min<size_t>(54, c.keep), c.gap, 0xAA);
        bytes[10] += c.gap, bytes[11] += c.gap >> 8;  // no carry out of byte 10 for these gaps
        std::ofstream("case.bmp").write((const char*)bytes.data(), bytes.size());
        RgbImage image = {};
        ASSERT_EQ(c.ok, read_bmp("case.bmp", &image));
        if (c.ok)
            EXPECT_EQ(Bytes(TINY_RGB, TINY_RGB + 18), Bytes(image.pixels, image.pixels + 18));
        else
            EXPECT_EQ(nullptr, image.pixels);
        free_image(&image);
    }
}

// The file of a width x height picture: the tiny file's header with the sizes patched,
// rows blue-green-red, padding bytes set to pad.
static Bytes bmp_file(int width, int height, const Bytes& pixels, uint8_t pad)
{
    const size_t row = (size_t)width * 3, stride = (row + 3) & ~(size_t)3;
    Bytes bytes(TINY_FILE.begin(), TINY_FILE.begin() + 54);
    const uint32_t fields[][2] = {{2, (uint32_t)(54 + stride * height)}, {18, (uint32_t)width},
                                  {22, (uint32_t)height}};
    for (auto [at, value] : fields)
        memcpy(&bytes[at], &value, 4);
    for (int r = 0; r < height; r++) {
        for (size_t i = 0; i < row; i += 3)
            for (int k : {2, 1, 0})
                bytes.push_back(pixels[r * row + i + k]);
        bytes.insert(bytes.end(), stride - row, pad);
    }
    return bytes;
}

// Widths for each padding (0 to 3 bytes) and either side of 16 pixels (the vector kernel's
// step), and files larger than the reader's chunk of 256 KiB, padded and unpadded: the
// reader, with and without the vector kernels, gives exactly the pixels, whatever the
// padding bytes hold; the writer writes exactly the file (with zero padding).
TEST_F(Bmp, EveryWidthReadAndWrittenExactly)
{
    const std::pair<int, int> sizes[] = {{1, 1}, {2, 3}, {3, 2}, {4, 4}, {5, 1}, {15, 2},
                                         {16, 3}, {17, 5}, {33, 7}, {127, 64}, {1024, 100},
                                         {1001, 300}, {8, 16384}};
    for (auto [width, height] : sizes) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        Bytes pixels = random_bytes((size_t)width * height * 3, 2463534242u + width);
        const RgbImage expected = {width, height, 3, pixels.data()};
        ASSERT_EQ(1, write_bmp("out.bmp", &expected));
        EXPECT_TRUE(bmp_file(width, height, pixels, 0) == read_bytes("out.bmp"));  // too long to print
        Bytes bytes = bmp_file(width, height, pixels, 0xAA);
        std::ofstream("in.bmp").write((const char*)bytes.data(), bytes.size());
        for (int simd : {1, 0}) {
            image_use_simd = simd;
            RgbImage read = {};
            ASSERT_EQ(1, read_bmp("in.bmp", &read));
            image_use_simd = 1;
            EXPECT_EQ((std::vector<int32_t>{width, height, 3}), (std::vector<int32_t>{read.width, read.height, read.bytes_per_pixel}));
            EXPECT_EQ(0, memcmp(pixels.data(), read.pixels, pixels.size())) << simd;
            free_image(&read);
        }
    }
}

// Not regular files: a folder, and a FIFO with no writer, which must not block the reader.
TEST_F(Bmp, OnlyRegularFilesAreRead)
{
    ASSERT_EQ(0, mkfifo("fifo.bmp", 0600));
    for (const char* path : {"fifo.bmp", "."}) {
        RgbImage image = {};
        EXPECT_EQ(0, read_bmp(path, &image)) << path;
        EXPECT_EQ(nullptr, image.pixels);
    }
}

// Disk full (the write limit), no folder, not 3 bytes a pixel, wider than 16384: the old
// file stays as it was and no temporary file is left beside it.
TEST_F(Bmp, WriteFailuresLeaveTheOldFile)
{
    const fs::path folder = "snap", path = "snap/snap.bmp";
    fs::create_directory(folder);
    ASSERT_EQ(1, write_bmp(path.c_str(), &TINY));
    struct Case { const char* what; fs::path path; RgbImage image; long limit; };
    const Case cases[] = {
        {"disk full in the header", path, TINY, 20}, {"disk full at the end", path, TINY, 77},
        {"no folder", folder / "no/snap.bmp", TINY, -1}, {"4 bytes", path, {3, 2, 4, TINY_RGB}, -1},
        {"16385 wide", path, {16385, 1, 3, TINY_RGB}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        safe_file_write_limit = c.limit;
        EXPECT_EQ(0, write_bmp(c.path.c_str(), &c.image));
        safe_file_write_limit = -1;
        EXPECT_EQ(TINY_FILE, read_bytes(path));
        EXPECT_EQ(1, std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }
}

// The public BMP suite in tests/data/bmpsuite (origin and licence in its README.txt).
// tests/data/bmpsuite_24bit.txt lists the files to accept with an independent decoder's
// size and checksum (FNV-1a of red, green, blue, top row first); all others are refused.
TEST(BmpSuite, EveryFileIsReadRightOrRefused)
{
    const fs::path suite = "tests/data/bmpsuite";
    const Bytes list = read_bytes("tests/data/bmpsuite_24bit.txt");
    const std::string listed(list.begin(), list.end());
    int accepted = 0, files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(suite)) {
        if (entry.path().extension() != ".bmp")
            continue;
        files++;
        RgbImage image = {};
        if (read_bmp(entry.path().c_str(), &image)) {
            uint64_t fnv = 0xcbf29ce484222325ull;
            for (int r = image.height - 1; r >= 0; r--)
                for (int i = 0; i < image.width * 3; i++)
                    fnv = (fnv ^ image.pixels[(size_t)r * image.width * 3 + i]) * 0x100000001b3ull;
            char line[256];
            snprintf(line, sizeof line, "\n%s %d %d %016llx\n",
                     entry.path().lexically_relative(suite).c_str(), image.width, image.height,
                     (unsigned long long)fnv);
            EXPECT_NE(std::string::npos, listed.find(line)) << line;
            accepted++;
            free_image(&image);
        }
    }
    EXPECT_EQ(4, accepted);
    EXPECT_EQ(89, files);
}
