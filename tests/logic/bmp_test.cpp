// BMP files: the bytes written, what is read back, what is refused.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "render/image.h"
#include "store/safe_file.h"

typedef std::vector<uint8_t> Bytes;

static std::string temp_folder()
{
    char name[] = "/tmp/bmp_test.XXXXXX";
    return mkdtemp(name) ? name : "";
}

// Removes a folder made by temp_folder and the files in it.
static void remove_folder(const std::string& folder)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return;
    while (dirent* entry = readdir(dir))
        if (entry->d_name[0] != '.')
            unlink((folder + "/" + entry->d_name).c_str());
    closedir(dir);
    rmdir(folder.c_str());
}

static Bytes file_bytes(const std::string& path)
{
    Bytes bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    int c;
    while ((c = fgetc(file)) != EOF)
        bytes.push_back((uint8_t)c);
    fclose(file);
    return bytes;
}

static void put_file(const std::string& path, const Bytes& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_TRUE(file);
    if (!bytes.empty())
        fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
}

static uint32_t u32_at(const Bytes& bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | (uint32_t)bytes[at + 3] << 24;
}

static void set_u32(Bytes* bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; i++)
        (*bytes)[at + i] = (uint8_t)(value >> (8 * i));
}

// width x height, each pixel different: red = column, green = row, blue = 200 - column.
static RgbImage pattern_image(int width, int height)
{
    RgbImage image;
    alloc_image(width, height, 3, &image);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            uint8_t* p = image.pixels + (y * width + x) * 3;
            p[0] = (uint8_t)x;
            p[1] = (uint8_t)y;
            p[2] = (uint8_t)(200 - x);
        }
    return image;
}

// 3 x 2, red and blue: bottom row red, blue, blue; top row red, red, blue.
TEST(Bmp, TinyRedBlueImageRoundTripsByteForByte)
{
    const uint8_t rgb[] = {255, 0, 0, 0, 0, 255, 0, 0, 255, 255, 0, 0, 255, 0, 0, 0, 0, 255};
    RgbImage image;
    alloc_image(3, 2, 3, &image);
    memcpy(image.pixels, rgb, sizeof rgb);
    std::string folder = temp_folder();
    std::string path = folder + "/tiny.bmp";
    ASSERT_EQ(1, write_bmp(path.c_str(), &image));

    // on disk: bottom row first, blue-green-red, 9 bytes + 3 padding per row
    const uint8_t rows[] = {0, 0, 255, 255, 0, 0, 255, 0, 0, 0, 0, 0,
                            0, 0, 255, 0, 0, 255, 255, 0, 0, 0, 0, 0};
    Bytes bytes = file_bytes(path);
    ASSERT_EQ(54u + sizeof rows, bytes.size());
    EXPECT_EQ(0, memcmp(rows, bytes.data() + 54, sizeof rows));

    RgbImage back = {};
    ASSERT_EQ(1, read_bmp(path.c_str(), &back));
    EXPECT_EQ(3, back.width);
    EXPECT_EQ(2, back.height);
    EXPECT_EQ(3, back.bytes_per_pixel);
    EXPECT_EQ(0, memcmp(rgb, back.pixels, sizeof rgb));
    free_image(&back);
    free_image(&image);
    free_image(&image);  // harmless
    EXPECT_EQ(nullptr, image.pixels);
    EXPECT_EQ(0, image.width + image.height + image.bytes_per_pixel);
    remove_folder(folder);
}

TEST(Bmp, WrittenHeaderBytes)
{
    RgbImage image = pattern_image(5, 3);  // stride 16
    std::string folder = temp_folder();
    std::string path = folder + "/header.bmp";
    ASSERT_EQ(1, write_bmp(path.c_str(), &image));
    const uint8_t expected[54] = {
        'B', 'M', 102, 0, 0, 0,  // file size 16 x 3 + 54
        0, 0, 0, 0,              // reserved
        54, 0, 0, 0,             // pixel-data offset
        40, 0, 0, 0,             // information header size
        5, 0, 0, 0, 3, 0, 0, 0,  // width, height
        1, 0, 24, 0,             // planes, bits per pixel
        0, 0, 0, 0,              // compression
        0, 0, 0, 0,              // pixel-data size
        0x13, 0x0b, 0, 0, 0x13, 0x0b, 0, 0,  // 2835 pixels per metre
        0, 0, 0, 0, 0, 0, 0, 0,  // colours used, important colours
    };
    Bytes bytes = file_bytes(path);
    ASSERT_EQ(102u, bytes.size());
    EXPECT_EQ(0, memcmp(expected, bytes.data(), 54));
    free_image(&image);
    remove_folder(folder);
}

TEST(Bmp, RowsArePaddedToFourBytes)
{
    struct Case { int width; size_t stride; };
    const Case cases[] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}};
    std::string folder = temp_folder();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        RgbImage image = pattern_image(c.width, 3);
        std::string path = folder + "/w" + std::to_string(c.width) + ".bmp";
        ASSERT_EQ(1, write_bmp(path.c_str(), &image));
        Bytes bytes = file_bytes(path);
        ASSERT_EQ(54 + 3 * c.stride, bytes.size());
        EXPECT_EQ(bytes.size(), u32_at(bytes, 2));
        for (int row = 0; row < 3; row++)
            for (size_t pad = c.width * 3; pad < c.stride; pad++)
                EXPECT_EQ(0, bytes[54 + row * c.stride + pad]);
        RgbImage back = {};
        ASSERT_EQ(1, read_bmp(path.c_str(), &back));
        ASSERT_EQ(c.width, back.width);
        EXPECT_EQ(0, memcmp(image.pixels, back.pixels, (size_t)c.width * 3 * 3));
        free_image(&back);
        free_image(&image);
    }
    remove_folder(folder);
}

// A written 4 x 2 file, then one field changed per case: accepted with the same pixels,
// or refused by both readers with the pixels pointer untouched.
TEST(Bmp, HeaderFieldsAreCheckedBeforeReading)
{
    RgbImage image = pattern_image(4, 2);  // stride 12, file 78 bytes
    std::string folder = temp_folder();
    std::string path = folder + "/base.bmp";
    ASSERT_EQ(1, write_bmp(path.c_str(), &image));
    const Bytes base = file_bytes(path);

    // the same pixels behind a 124-byte header, or behind a 256-colour palette
    auto with_gap = [&](uint32_t info_size, size_t gap) {
        Bytes b(base.begin(), base.begin() + 54);
        b.insert(b.end(), gap, 0xAA);
        b.insert(b.end(), base.begin() + 54, base.end());
        set_u32(&b, 10, (uint32_t)(54 + gap));
        set_u32(&b, 14, info_size);
        return b;
    };
    auto field = [&](size_t at, uint32_t value) {
        Bytes b = base;
        set_u32(&b, at, value);
        return b;
    };
    auto bits = [&](int value) {
        Bytes b = base;
        b[28] = (uint8_t)value;
        b[29] = (uint8_t)(value >> 8);
        return b;
    };
    struct Case { const char* what; Bytes bytes; int accepted; };
    const Case cases[] = {
        {"as written", base, 1},
        {"124-byte header, offset 138", with_gap(124, 84), 1},
        {"palette, offset 1078", with_gap(40, 1024), 1},
        {"file size field wrong", field(2, 7), 1},
        {"trailing bytes", [&] { Bytes b = base; b.resize(200, 7); return b; }(), 1},
        {"signature BA", [&] { Bytes b = base; b[1] = 'A'; return b; }(), 0},
        {"8 bits", bits(8), 0},
        {"32 bits", bits(32), 0},
        {"compressed", field(30, 1), 0},
        {"top-down", field(22, (uint32_t)-2), 0},
        {"height 0", field(22, 0), 0},
        {"width 0", field(18, 0), 0},
        {"negative width", field(18, (uint32_t)-4), 0},
        {"width above the bound", field(18, 16385), 0},
        {"width x 3 overflows 32 bits", field(18, 0x55555556), 0},
        {"3000000 x 2000000", [&] { Bytes b = field(18, 3000000); set_u32(&b, 22, 2000000); return b; }(), 0},
        {"offset 53", field(10, 53), 0},
        {"offset 0", field(10, 0), 0},
        {"offset at the end", field(10, 78), 0},
        {"offset past the end", field(10, 0xFFFFFFF0), 0},
        {"offset one row late", field(10, 55), 0},
        {"12-byte OS/2 header", field(14, 12), 0},
        {"one row more than the file holds", field(22, 3), 0},
        {"last byte missing", Bytes(base.begin(), base.end() - 1), 0},
        {"header only", Bytes(base.begin(), base.begin() + 54), 0},
        {"half a header", Bytes(base.begin(), base.begin() + 30), 0},
        {"empty", Bytes(), 0},
    };
    uint8_t sentinel = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        put_file(path, c.bytes);
        RgbImage from_file = {0, 0, 0, &sentinel};
        RgbImage from_memory = {0, 0, 0, &sentinel};
        ASSERT_EQ(c.accepted, read_bmp(path.c_str(), &from_file));
        ASSERT_EQ(c.accepted, read_bmp_memory(c.bytes.data(), c.bytes.size(), &from_memory));
        if (c.accepted) {
            ASSERT_EQ(4, from_file.width);
            ASSERT_EQ(2, from_file.height);
            EXPECT_EQ(0, memcmp(image.pixels, from_file.pixels, 24));
            EXPECT_EQ(0, memcmp(image.pixels, from_memory.pixels, 24));
            free_image(&from_file);
            free_image(&from_memory);
        } else {
            EXPECT_EQ(&sentinel, from_file.pixels);
            EXPECT_EQ(&sentinel, from_memory.pixels);
        }
    }
    RgbImage none = {};
    EXPECT_EQ(0, read_bmp((folder + "/missing.bmp").c_str(), &none));
    EXPECT_EQ(0, read_bmp(folder.c_str(), &none));  // a folder
    free_image(&image);
    remove_folder(folder);
}

TEST(Bmp, WriteFailuresLeaveTheOldFile)
{
    std::string folder = temp_folder();
    std::string path = folder + "/snap.bmp";
    put_file(path, Bytes{'o', 'l', 'd'});
    RgbImage image = pattern_image(8, 8);  // 54 + 8 x 24 bytes
    RgbImage four = {8, 8, 4, image.pixels};
    RgbImage no_pixels = {8, 8, 3, nullptr};
    RgbImage zero_width = {0, 8, 3, image.pixels};
    RgbImage too_wide = {BMP_MAX_SIDE + 1, 1, 3, image.pixels};

    struct Case { const char* what; const char* path; const RgbImage* image; long limit; };
    const std::string missing = folder + "/no/such/folder/snap.bmp";
    const Case cases[] = {
        {"disk full in the header", path.c_str(), &image, 20},
        {"disk full in the last row", path.c_str(), &image, 54 + 8 * 24 - 1},
        {"folder missing", missing.c_str(), &image, -1},
        {"4 bytes a pixel", path.c_str(), &four, -1},
        {"no pixels", path.c_str(), &no_pixels, -1},
        {"width 0", path.c_str(), &zero_width, -1},
        {"wider than a file may be", path.c_str(), &too_wide, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        safe_file_write_limit = c.limit;
        EXPECT_EQ(0, write_bmp(c.path, c.image));
        safe_file_write_limit = -1;
        EXPECT_EQ((Bytes{'o', 'l', 'd'}), file_bytes(path));
    }
    // nothing but the old file is left in the folder
    DIR* dir = opendir(folder.c_str());
    int entries = 0;
    while (dirent* entry = readdir(dir))
        entries += entry->d_name[0] != '.';
    closedir(dir);
    EXPECT_EQ(1, entries);

    safe_file_write_limit = 54 + 8 * 24;  // exactly enough
    EXPECT_EQ(1, write_bmp(path.c_str(), &image));
    safe_file_write_limit = -1;
    EXPECT_EQ(54u + 8 * 24, file_bytes(path).size());
    free_image(&image);
    remove_folder(folder);
}

//// the public BMP suite

static const char* SUITE = "../shared/testdata/bmpsuite";

static uint64_t fnv1a_top_down(const RgbImage& image)
{
    uint64_t hash = 0xcbf29ce484222325ull;
    size_t row_bytes = (size_t)image.width * 3;
    for (int r = image.height - 1; r >= 0; r--)
        for (size_t i = 0; i < row_bytes; i++) {
            hash ^= image.pixels[r * row_bytes + i];
            hash *= 0x100000001b3ull;
        }
    return hash;
}

struct Golden { std::string path; int width; int height; uint64_t hash; };

static std::vector<Golden> read_goldens()
{
    std::vector<Golden> goldens;
    FILE* file = fopen("tests/data/bmpsuite_24bit.txt", "r");
    if (!file)
        return goldens;
    char line[256];
    char path[128];
    Golden g;
    unsigned long long hash;
    while (fgets(line, sizeof line, file))
        if (line[0] != '#' && sscanf(line, "%127s %d %d %llx", path, &g.width, &g.height, &hash) == 4) {
            g.path = path;
            g.hash = hash;
            goldens.push_back(g);
        }
    fclose(file);
    return goldens;
}

TEST(BmpSuite, EveryFileIsReadRightOrRefused)
{
    struct stat info;
    if (stat(SUITE, &info) != 0)
        GTEST_SKIP() << "no BMP suite at " << SUITE;
    std::vector<Golden> goldens = read_goldens();
    ASSERT_EQ(4u, goldens.size());
    int files = 0;
    int accepted = 0;
    for (const char* sub : {"g", "q", "b", "x"}) {
        std::string folder = std::string(SUITE) + "/" + sub;
        DIR* dir = opendir(folder.c_str());
        ASSERT_TRUE(dir) << folder;
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name.size() < 4 || name.substr(name.size() - 4) != ".bmp")
                continue;
            std::string relative = std::string(sub) + "/" + name;
            SCOPED_TRACE(relative);
            files++;
            const Golden* golden = nullptr;
            for (const Golden& g : goldens)
                if (g.path == relative)
                    golden = &g;
            RgbImage image = {};
            int ok = read_bmp((folder + "/" + name).c_str(), &image);
            Bytes bytes = file_bytes(folder + "/" + name);
            RgbImage again = {};
            EXPECT_EQ(ok, read_bmp_memory(bytes.data(), bytes.size(), &again));
            if (!golden) {
                EXPECT_EQ(0, ok);
                EXPECT_EQ(nullptr, image.pixels);
                free_image(&image);
                free_image(&again);
                continue;
            }
            accepted++;
            ASSERT_EQ(1, ok);
            EXPECT_EQ(golden->width, image.width);
            EXPECT_EQ(golden->height, image.height);
            EXPECT_EQ(golden->hash, fnv1a_top_down(image));
            EXPECT_EQ(golden->hash, fnv1a_top_down(again));
            free_image(&image);
            free_image(&again);
        }
        closedir(dir);
    }
    EXPECT_EQ(89, files);
    EXPECT_EQ(4, accepted);
}
