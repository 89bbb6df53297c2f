// image.cpp: RgbImage, the BMP reader and writer, the power-of-two resampler, the page fit.
//
// [SECTION] images
// [SECTION] BMP header
// [SECTION] swapping red and blue
// [SECTION] reading
// [SECTION] writing
// [SECTION] resampling
// [SECTION] fitting on a page
#include "render/image.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "store/safe_file.h"

//// images

int image_use_simd = 1;

// Pixels for a picture whose every byte is written next: not zeroed. Null on failure.
static uint8_t* alloc_pixels(int32_t width, int32_t height)
{
    return (uint8_t*)malloc((size_t)width * (size_t)height * 3);
}

void alloc_image(int32_t width, int32_t height, int32_t bytes_per_pixel, RgbImage* image)
{
    image->width = width;
    image->height = height;
    image->bytes_per_pixel = bytes_per_pixel;
    image->pixels = nullptr;
    if (width > 0 && height > 0 && bytes_per_pixel > 0)
        image->pixels = (uint8_t*)calloc((size_t)width * (size_t)height, (size_t)bytes_per_pixel);
}

void free_image(RgbImage* image)
{
    free(image->pixels);
    image->pixels = nullptr;
    image->width = 0;
    image->height = 0;
    image->bytes_per_pixel = 0;
}

//// BMP header

// Where a validated file keeps its rows.
struct BmpLayout {
    uint64_t offset;  // of the bottom row, bytes from the start of the file
    uint64_t stride;  // bytes per row in the file, width x 3 rounded up to 4
};

static uint32_t get_u32(const uint8_t* p)
{
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

static void put_u32(uint8_t* p, uint32_t value)
{
    p[0] = (uint8_t)value;
    p[1] = (uint8_t)(value >> 8);
    p[2] = (uint8_t)(value >> 16);
    p[3] = (uint8_t)(value >> 24);
}

static uint64_t bmp_stride(int32_t width)
{
    return ((uint64_t)width * 3 + 3) & ~(uint64_t)3;
}

// Checks the 54 header bytes against a file of file_size bytes; sets the image's sizes
// from the header once the signature matched. Every size is checked before any use, in
// 64-bit arithmetic (the sides are bounded first, so nothing can overflow).
static int check_bmp_header(const uint8_t* header, uint64_t file_size, RgbImage* image,
                            BmpLayout* layout)
{
    if (header[0] != 'B' || header[1] != 'M')
        return 0;
    uint32_t offset = get_u32(header + 10);
    uint32_t info_size = get_u32(header + 14);
    int32_t width = (int32_t)get_u32(header + 18);
    int32_t height = (int32_t)get_u32(header + 22);
    int16_t bits = (int16_t)(header[28] | header[29] << 8);
    uint32_t compression = get_u32(header + 30);

    image->width = width;
    image->height = height;
    image->bytes_per_pixel = bits / 8;
    if (bits / 8 != 3 || compression != 0)
        return 0;
    // an OS/2 header (12 or 16 bytes) has other fields at these offsets
    if (info_size < 40 || (uint64_t)offset < 14 + (uint64_t)info_size)
        return 0;
    if (width < 1 || height < 1 || width > BMP_MAX_SIDE || height > BMP_MAX_SIDE)
        return 0;
    uint64_t stride = bmp_stride(width);
    if (offset > file_size || stride * (uint64_t)height > file_size - offset)
        return 0;
    layout->offset = offset;
    layout->stride = stride;
    return 1;
}

//// swapping red and blue

// Turns pixels of blue, green, red into red, green, blue in place (the same swap both
// ways). The portable loop is the definition; SSE2, all that every x86-64 has, cannot
// shuffle bytes, so there an SSSE3 kernel is chosen at run time.
static void swap_red_blue_portable(uint8_t* p, size_t pixels)
{
    for (size_t i = 0; i < pixels; i++) {
        uint8_t blue = p[i * 3];
        p[i * 3] = p[i * 3 + 2];
        p[i * 3 + 2] = blue;
    }
}

#if defined(__x86_64__) && defined(__GNUC__)
#include <tmmintrin.h>

// 16 pixels in three 16-byte blocks a, b, c at a time. Pixel 5 straddles a and b, pixel
// 10 b and c, so each block out is gathered from its neighbours too (index _ gives 0).
__attribute__((target("ssse3"))) static void swap_red_blue_ssse3(uint8_t* p, size_t pixels)
{
    const int8_t _ = -1;
    const __m128i a_to_0 = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, _);
    const __m128i b_to_0 = _mm_setr_epi8(_, _, _, _, _, _, _, _, _, _, _, _, _, _, _, 1);
    const __m128i a_to_1 = _mm_setr_epi8(_, 15, _, _, _, _, _, _, _, _, _, _, _, _, _, _);
    const __m128i b_to_1 = _mm_setr_epi8(0, _, 4, 3, 2, 7, 6, 5, 10, 9, 8, 13, 12, 11, _, 15);
    const __m128i c_to_1 = _mm_setr_epi8(_, _, _, _, _, _, _, _, _, _, _, _, _, _, 0, _);
    const __m128i b_to_2 = _mm_setr_epi8(14, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _);
    const __m128i c_to_2 = _mm_setr_epi8(_, 3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13);
    size_t i = 0;
    for (; i + 16 <= pixels; i += 16) {
        uint8_t* q = p + i * 3;
        __m128i a = _mm_loadu_si128((const __m128i*)q);
        __m128i b = _mm_loadu_si128((const __m128i*)(q + 16));
        __m128i c = _mm_loadu_si128((const __m128i*)(q + 32));
        __m128i out0 = _mm_or_si128(_mm_shuffle_epi8(a, a_to_0), _mm_shuffle_epi8(b, b_to_0));
        __m128i out1 = _mm_or_si128(_mm_shuffle_epi8(a, a_to_1), _mm_shuffle_epi8(b, b_to_1));
        out1 = _mm_or_si128(out1, _mm_shuffle_epi8(c, c_to_1));
        __m128i out2 = _mm_or_si128(_mm_shuffle_epi8(b, b_to_2), _mm_shuffle_epi8(c, c_to_2));
        _mm_storeu_si128((__m128i*)q, out0);
        _mm_storeu_si128((__m128i*)(q + 16), out1);
        _mm_storeu_si128((__m128i*)(q + 32), out2);
    }
    swap_red_blue_portable(p + i * 3, pixels - i);
}
#endif

static void swap_red_blue(uint8_t* p, size_t pixels)
{
#if defined(__x86_64__) && defined(__GNUC__)
    if (image_use_simd && __builtin_cpu_supports("ssse3")) {
        swap_red_blue_ssse3(p, pixels);
        return;
    }
#endif
    swap_red_blue_portable(p, pixels);
}

//// reading

// Bytes of a file read at a time, in whole rows: small enough that the pixels just read
// are still in the cache when they are swapped, large enough that a 3 MiB basemap takes
// 12 calls.
constexpr size_t BMP_CHUNK_BYTES = 256 * 1024;

// Where the bytes of a BMP come from: an open file, or (file < 0) size bytes at data.
struct BmpSource {
    int file;
    const uint8_t* data;
    uint64_t size;  // of the file, bytes
};

// Reads bytes at offset of the source, however many calls it takes. Returns 1, or 0 on
// an error or when the source ends first (a file may have shrunk since it was checked).
static int read_at(const BmpSource& from, uint8_t* to, size_t bytes, uint64_t offset)
{
    if (from.file < 0) {
        if (offset > from.size || bytes > from.size - offset)
            return 0;
        memcpy(to, from.data + offset, bytes);
        return 1;
    }
    while (bytes > 0) {
        ssize_t got = pread(from.file, to, bytes, (off_t)offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return 0;
        to += got;
        bytes -= (size_t)got;
        offset += (uint64_t)got;
    }
    return 1;
}

// The rows of a checked source into pixels, a chunk of rows at a time. Unpadded rows
// (width a multiple of 4) are read straight into the picture; padded rows through a
// scratch buffer.
static int read_bmp_rows(const BmpSource& from, const BmpLayout& layout, int32_t width,
                         int32_t height, uint8_t* pixels)
{
    size_t row_bytes = (size_t)width * 3;
    size_t stride = (size_t)layout.stride;
    size_t chunk_rows = BMP_CHUNK_BYTES / stride > 0 ? BMP_CHUNK_BYTES / stride : 1;
    uint8_t* scratch = nullptr;
    if (stride != row_bytes && !(scratch = (uint8_t*)malloc(chunk_rows * stride)))
        return 0;
    int ok = 1;
    for (int32_t r = 0; r < height && ok; r += (int32_t)chunk_rows) {
        size_t rows = (size_t)(height - r) < chunk_rows ? (size_t)(height - r) : chunk_rows;
        uint8_t* to = pixels + (size_t)r * row_bytes;
        uint64_t offset = layout.offset + (uint64_t)r * stride;
        if (!scratch) {
            ok = read_at(from, to, rows * row_bytes, offset);
            if (ok)
                swap_red_blue(to, rows * (size_t)width);
            continue;
        }
        ok = read_at(from, scratch, rows * stride, offset);
        for (size_t i = 0; i < rows && ok; i++) {
            memcpy(to + i * row_bytes, scratch + i * stride, row_bytes);
            swap_red_blue(to + i * row_bytes, (size_t)width);
        }
    }
    free(scratch);
    return ok;
}

// The header, then the rows; pixels set only when the whole picture was read.
static int read_bmp_source(const BmpSource& from, RgbImage* image)
{
    uint8_t header[BMP_HEADER_SIZE];
    BmpLayout layout;
    uint8_t* pixels = nullptr;
    int ok = read_at(from, header, sizeof header, 0) &&
             check_bmp_header(header, from.size, image, &layout) &&
             (pixels = alloc_pixels(image->width, image->height)) != nullptr &&
             read_bmp_rows(from, layout, image->width, image->height, pixels);
    if (!ok) {
        free(pixels);
        return 0;
    }
    image->pixels = pixels;
    return 1;
}

int read_bmp_memory(const uint8_t* data, size_t size, RgbImage* image)
{
    return read_bmp_source(BmpSource{-1, data, size}, image);
}

int read_bmp(const char* path, RgbImage* image)
{
    // not blocking: a FIFO would wait for a writer before it could be found not regular
    int file = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (file < 0)
        return 0;
    struct stat info;
    int ok = fstat(file, &info) == 0 && S_ISREG(info.st_mode) &&
             read_bmp_source(BmpSource{file, nullptr, (uint64_t)info.st_size}, image);
    close(file);
    return ok;
}

//// writing

int write_bmp(const char* path, const RgbImage* image)
{
    if (!image->pixels || image->bytes_per_pixel != 3 || image->width < 1 ||
        image->height < 1 || image->width > BMP_MAX_SIDE || image->height > BMP_MAX_SIDE)
        return 0;
    uint64_t stride = bmp_stride(image->width);
    uint8_t header[BMP_HEADER_SIZE] = {'B', 'M'};
    put_u32(header + 2, (uint32_t)(stride * (uint64_t)image->height + BMP_HEADER_SIZE));
    put_u32(header + 10, BMP_HEADER_SIZE);
    put_u32(header + 14, 40);
    put_u32(header + 18, (uint32_t)image->width);
    put_u32(header + 22, (uint32_t)image->height);
    header[26] = 1;   // planes
    header[28] = 24;  // bits per pixel
    put_u32(header + 38, BMP_RESOLUTION);
    put_u32(header + 42, BMP_RESOLUTION);
    // compression, pixel-data size and colour counts stay 0

    SafeFile file;
    if (!safe_file_open(&file, path))
        return 0;
    uint8_t* row = (uint8_t*)calloc((size_t)stride, 1);  // padding stays zero
    if (!row) {
        file.failed = 1;
        safe_file_commit(&file);
        return 0;
    }
    safe_file_write(&file, header, sizeof header);
    size_t row_bytes = (size_t)image->width * 3;
    for (int32_t r = 0; r < image->height; r++) {
        memcpy(row, image->pixels + (size_t)r * row_bytes, row_bytes);
        swap_red_blue(row, (size_t)image->width);
        safe_file_write(&file, row, (size_t)stride);
    }
    free(row);
    return safe_file_commit(&file);
}

//// resampling

static int32_t pow2_side(int32_t side)
{
    int32_t result = 1;
    while (result < side && result < POW2_MAX_SIDE)
        result *= 2;
    return result;
}

// One output column: where its left source pixel starts in a row of floats, and the
// weights of that pixel and of its right neighbour.
struct Pow2Column {
    uint32_t offset;  // 3 x the source column
    float left;       // 1 - the fraction, 0 .. 1
    float right;      // the fraction past the source column, 0 .. 1
};

// Four floats, of which a pixel uses the first three; GCC and clang make SSE or NEON
// operations of them, and plain float arithmetic elsewhere. Each lane rounds exactly as
// the same scalar operation would.
typedef float Float4 __attribute__((vector_size(16)));

static Float4 load_float4(const float* p)
{
    Float4 v;
    memcpy(&v, p, sizeof v);
    return v;
}

// Blends one source row horizontally into out_w x 3 floats (and one more, which holds
// nothing). values is scratch space of width x 3 + 1 floats.
static void blend_row(const uint8_t* row, int32_t width, size_t bytes_per_pixel,
                      const Pow2Column* columns, int32_t out_w, float* values, float* out)
{
    if (bytes_per_pixel == 3) {
        for (size_t i = 0; i < (size_t)width * 3; i++)
            values[i] = (float)row[i];
    } else {
        for (size_t c = 0; c < (size_t)width; c++)
            for (size_t k = 0; k < 3; k++)
                values[c * 3 + k] = (float)row[c * bytes_per_pixel + k];
    }
    // a side of 1 pixel is its own neighbour (with weight 0)
    size_t right = width > 1 ? 3 : 0;
    for (int32_t x = 0; x < out_w; x++) {
        const float* p = values + columns[x].offset;
        Float4 left = {columns[x].left, columns[x].left, columns[x].left, columns[x].left};
        Float4 weight = {columns[x].right, columns[x].right, columns[x].right, columns[x].right};
        Float4 blend = left * load_float4(p) + load_float4(p + right) * weight;
        memcpy(out + (size_t)x * 3, &blend, sizeof blend);  // the fourth lane is the next red
    }
}

// The grid runs from the first row and column to the last-but-one; positions and weights in
// single precision, computed as (side - 2) x position / (out_side - 1), and every blend
// rounds its products and sum one by one in the order written. The output depends on all
// of that down to the last bit (a value of 254.99998 truncates to 254), so keep it when
// changing this code; tests/logic/resample_test.cpp keeps the pixel-at-a-time version to
// compare with. (Built with FMA instructions, -mfma or -march=native, GCC fuses products
// into sums and some bytes change, in both versions alike; the project does not.)
int scale_image_pow2(const RgbImage* source, RgbImage* destination)
{
    *destination = RgbImage{};
    if (!source->pixels || source->width < 1 || source->height < 1 || source->bytes_per_pixel < 3)
        return 0;
    int32_t w = source->width;
    int32_t h = source->height;
    int32_t out_w = pow2_side(w);
    int32_t out_h = pow2_side(h);
    size_t row_floats = (size_t)out_w * 3 + 1;
    size_t scratch_bytes = (size_t)out_w * sizeof(Pow2Column) +
                           (2 * row_floats + (size_t)w * 3 + 1) * sizeof(float);
    void* scratch = malloc(scratch_bytes);
    uint8_t* pixels = alloc_pixels(out_w, out_h);
    if (!scratch || !pixels) {
        free(scratch);
        free(pixels);
        return 0;
    }
    *destination = RgbImage{out_w, out_h, 3, pixels};
    Pow2Column* columns = (Pow2Column*)scratch;
    float* lower = (float*)(columns + out_w);  // the blended source row lower_row
    float* upper = lower + row_floats;         // and upper_row
    float* values = upper + row_floats;        // the source row being blended, as floats
    values[(size_t)w * 3] = 0.0f;              // read into a fourth lane, never used
    for (int32_t x = 0; x < out_w; x++) {
        float fx = out_w > 1 ? (float)((int64_t)(w - 2) * x) / (float)(out_w - 1) : 0.0f;
        int32_t ix = (int32_t)fx;
        float wx = fx - (float)ix;
        columns[x] = Pow2Column{(uint32_t)ix * 3, 1.0f - wx, wx};
    }
    size_t b = (size_t)source->bytes_per_pixel;
    size_t source_stride = (size_t)w * b;
    size_t out_stride = (size_t)out_w * 3;
    int32_t lower_row = -1, upper_row = -1;
    for (int32_t y = 0; y < out_h; y++) {
        // out_h is 1 only when h is 1
        float fy = out_h > 1 ? (float)((int64_t)(h - 2) * y) / (float)(out_h - 1) : 0.0f;
        int32_t iy = (int32_t)fy;
        float wy = fy - (float)iy;
        int32_t above = h > 1 ? iy + 1 : iy;
        if (iy != lower_row) {
            if (iy == upper_row) {  // moving up by one row: the upper row becomes the lower
                float* swap = lower;
                lower = upper;
                upper = swap;
                upper_row = lower_row;
            } else {
                blend_row(source->pixels + (size_t)iy * source_stride, w, b, columns, out_w,
                          values, lower);
            }
            lower_row = iy;
        }
        if (above != upper_row) {
            blend_row(source->pixels + (size_t)above * source_stride, w, b, columns, out_w,
                      values, upper);
            upper_row = above;
        }
        uint8_t* out = destination->pixels + (size_t)y * out_stride;
        float wl = 1.0f - wy;
        for (size_t i = 0; i < out_stride; i++)
            out[i] = (uint8_t)(int)(wl * lower[i] + wy * upper[i]);
    }
    free(scratch);
    return 1;
}

//// fitting on a page

void fit_image_to_page(int page_w, int page_h, int image_w, int image_h, PageFit* fit)
{
    const float by_width = (float)page_w / (float)image_w;
    const float by_height = (float)page_h / (float)image_h;
    fit->scale = by_width < by_height ? by_width : by_height;  // equal: the height quotient
    fit->x = ((float)page_w - (float)image_w * fit->scale) * 0.5f;
    fit->y = ((float)page_h - (float)image_h * fit->scale) * 0.5f;
}
