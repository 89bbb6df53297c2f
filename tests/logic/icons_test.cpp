// The program's icons as committed in packaging/icons: each a valid PNG (checksums, an
// uncompressed zlib stream the right size), RGBA at its size, transparent around a mark
// centred inside a margin, the tallest column in red.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/data_fixture.h"

static uint32_t big32(const uint8_t* p)
{
    return (uint32_t)p[0] << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

// CRC-32 by table, a different route to the generator's bit by bit.
static uint32_t table_crc32(const uint8_t* p, size_t n)
{
    static uint32_t table[256];
    if (!table[1])
        for (uint32_t i = 0; i < 256; i++) {
            uint32_t c = i;
            for (int k = 0; k < 8; k++)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[i] = c;
        }
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; i++)
        crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

struct Chunk {
    std::string type;
    Bytes data;
};

// The chunks after the signature, each CRC checked; empty at the first fault.
static std::vector<Chunk> chunks_of(const Bytes& file)
{
    static const uint8_t SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<Chunk> chunks;
    if (file.size() < 8 || !std::equal(SIGNATURE, SIGNATURE + 8, file.begin()))
        return {};
    for (size_t at = 8; at < file.size();) {
        if (file.size() - at < 12)
            return {};
        uint32_t length = big32(&file[at]);
        if (length > file.size() - at - 12)
            return {};
        if (table_crc32(&file[at + 4], length + 4) != big32(&file[at + 8 + length]))
            return {};
        chunks.push_back({std::string(file.begin() + at + 4, file.begin() + at + 8),
                          Bytes(file.begin() + at + 8, file.begin() + at + 8 + length)});
        at += 12 + length;
    }
    return chunks;
}

// The image data out of a zlib stream of stored blocks; empty at the first fault.
static Bytes inflate_stored(const Bytes& z)
{
    Bytes out;
    if (z.size() < 6 || z[0] != 0x78 || (z[0] << 8 | z[1]) % 31 != 0)
        return {};
    size_t at = 2;
    for (int final = 0; !final;) {
        if (z.size() - at < 5 || (z[at] & 6) != 0)  // stored blocks only
            return {};
        final = z[at] & 1;
        unsigned n = z[at + 1] | z[at + 2] << 8, check = z[at + 3] | z[at + 4] << 8;
        if ((n ^ 0xFFFF) != check || z.size() - at - 5 < n)
            return {};
        out.insert(out.end(), z.begin() + at + 5, z.begin() + at + 5 + n);
        at += 5 + n;
    }
    uint32_t a = 1, b = 0;
    for (uint8_t byte : out)
        a = (a + byte) % 65521, b = (b + a) % 65521;
    if (z.size() - at != 4 || big32(&z[at]) != (b << 16 | a))
        return {};
    return out;
}

TEST(Icons, ValidRgbaPngsOfTheMarkAtEachSize)
{
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        std::vector<Chunk> chunks = chunks_of(read_bytes("packaging/icons/zavroview_" + std::to_string(size) + ".png"));
        ASSERT_EQ(3u, chunks.size());
        EXPECT_EQ("IHDR IDAT IEND", chunks[0].type + " " + chunks[1].type + " " + chunks[2].type);
        const Bytes& h = chunks[0].data;  // size x size, 8 bits RGBA, no interlace
        const uint8_t hi = (uint8_t)(size >> 8), lo = (uint8_t)size;
        EXPECT_EQ((Bytes{0, 0, hi, lo, 0, 0, hi, lo, 8, 6, 0, 0, 0}), h);

        Bytes raw = inflate_stored(chunks[1].data);
        const size_t stride = 1 + 4 * (size_t)size;
        ASSERT_EQ(stride * size, raw.size());
        int x0 = size, y0 = size, x1 = -1, y1 = -1, red = 0;
        for (int y = 0; y < size; y++) {
            ASSERT_EQ(0, raw[y * stride]) << "row " << y << " filter";
            for (int x = 0; x < size; x++) {
                const uint8_t* p = &raw[y * stride + 1 + 4 * x];
                if (p[3] == 0)
                    continue;
                x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
                red += p[3] > 128 && p[0] > 64 && p[0] > 3 * p[1] && p[0] > 3 * p[2];
            }
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
