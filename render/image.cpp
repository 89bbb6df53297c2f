// image.cpp: RgbImage, the BMP reader and writer, the power-of-two resampler.
//
// [SECTION] images
// [SECTION] BMP header
// [SECTION] reading
// [SECTION] writing
// [SECTION] resampling
#include "render/image.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

#include "store/safe_file.h"

//// images

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

// Turns a row of blue, green, red into red, green, blue in place.
static void swap_red_blue(uint8_t* row, int32_t width)
{
    for (int32_t c = 0; c < width; c++) {
        uint8_t blue = row[c * 3];
        row[c * 3] = row[c * 3 + 2];
        row[c * 3 + 2] = blue;
    }
}

//// reading

int read_bmp_memory(const uint8_t* data, size_t size, RgbImage* image)
{
    if (size < (size_t)BMP_HEADER_SIZE)
        return 0;
    BmpLayout layout;
    if (!check_bmp_header(data, size, image, &layout))
        return 0;
    RgbImage out;
    alloc_image(image->width, image->height, 3, &out);
    if (!out.pixels)
        return 0;
    size_t row_bytes = (size_t)out.width * 3;
    for (int32_t r = 0; r < out.height; r++) {
        uint8_t* row = out.pixels + (size_t)r * row_bytes;
        memcpy(row, data + layout.offset + (uint64_t)r * layout.stride, row_bytes);
        swap_red_blue(row, out.width);
    }
    *image = out;
    return 1;
}

int read_bmp(const char* path, RgbImage* image)
{
    FILE* file = fopen(path, "rb");
    if (!file)
        return 0;
    struct stat info;
    uint8_t header[BMP_HEADER_SIZE];
    BmpLayout layout;
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode) ||
        fread(header, 1, sizeof header, file) != sizeof header ||
        !check_bmp_header(header, (uint64_t)info.st_size, image, &layout)) {
        fclose(file);
        return 0;
    }
    RgbImage out;
    alloc_image(image->width, image->height, 3, &out);
    if (!out.pixels || fseeko(file, (off_t)layout.offset, SEEK_SET) != 0) {
        free_image(&out);
        fclose(file);
        return 0;
    }
    size_t row_bytes = (size_t)out.width * 3;
    size_t padding = (size_t)layout.stride - row_bytes;
    uint8_t skipped[3];
    int ok = 1;
    for (int32_t r = 0; r < out.height && ok; r++) {
        uint8_t* row = out.pixels + (size_t)r * row_bytes;
        // the file may have shrunk since fstat: a short read fails the whole image
        ok = fread(row, 1, row_bytes, file) == row_bytes &&
             fread(skipped, 1, padding, file) == padding;
        swap_red_blue(row, out.width);
    }
    fclose(file);
    if (!ok) {
        free_image(&out);
        return 0;
    }
    *image = out;
    return 1;
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
        swap_red_blue(row, image->width);
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

int scale_image_pow2(const RgbImage* source, RgbImage* destination)
{
    *destination = RgbImage{};
    if (!source->pixels || source->width < 1 || source->height < 1 || source->bytes_per_pixel < 3)
        return 0;
    int32_t w = source->width;
    int32_t h = source->height;
    int32_t out_w = pow2_side(w);
    int32_t out_h = pow2_side(h);
    alloc_image(out_w, out_h, 3, destination);
    if (!destination->pixels) {
        free_image(destination);
        return 0;
    }
    size_t b = (size_t)source->bytes_per_pixel;
    // right and upper neighbours; a side of 1 pixel is its own neighbour (weight 0 anyway)
    size_t right = w > 1 ? b : 0;
    size_t above = h > 1 ? (size_t)w * b : 0;
    const uint8_t* src = source->pixels;
    uint8_t* out = destination->pixels;
    for (int32_t y = 0; y < out_h; y++) {
        // the grid runs from row 0 to row h - 2; out_h is 1 only when h is 1
        float fy = out_h > 1 ? (float)((int64_t)(h - 2) * y) / (float)(out_h - 1) : 0.0f;
        int32_t iy = (int32_t)fy;
        float wy = fy - (float)iy;
        for (int32_t x = 0; x < out_w; x++) {
            float fx = out_w > 1 ? (float)((int64_t)(w - 2) * x) / (float)(out_w - 1) : 0.0f;
            int32_t ix = (int32_t)fx;
            float wx = fx - (float)ix;
            size_t p00 = ((size_t)iy * (size_t)w + (size_t)ix) * b;
            size_t p01 = p00 + right;
            size_t p10 = p00 + above;
            size_t p11 = p10 + right;
            for (int k = 0; k < 3; k++) {
                float lower = (1.0f - wx) * (float)src[p00 + k] + (float)src[p01 + k] * wx;
                float upper = (1.0f - wx) * (float)src[p10 + k] + (float)src[p11 + k] * wx;
                float value = (1.0f - wy) * lower + wy * upper;
                out[((size_t)y * (size_t)out_w + (size_t)x) * 3 + k] = (uint8_t)(int)value;
            }
        }
    }
    return 1;
}
