// image.h: pictures in memory (RgbImage) and as 24-bit uncompressed BMP files, and the
// resampling of a capture to power-of-two sides for a texture, and its fit on a page.
//
// In memory: rows follow each other without padding, row 0 is the bottom row, each pixel
// is red, green, blue. On disk: the 14-byte file header, the 40-byte information header,
// then the rows bottom row first, each pixel blue, green, red, each row padded with zero
// bytes to a multiple of 4.
#pragma once

#include <cstddef>
#include <cstdint>

// A picture that owns its pixels. All fields zero = empty.
struct RgbImage {
    int32_t width;            // pixels per row
    int32_t height;           // rows
    int32_t bytes_per_pixel;  // 3 for every image the program makes
    uint8_t* pixels;          // width x height x bytes_per_pixel bytes, row 0 at the bottom
};

constexpr int BMP_HEADER_SIZE = 54;       // file header + 40-byte information header
constexpr int32_t BMP_MAX_SIDE = 16384;   // larger sides are refused, read or written
constexpr int32_t BMP_RESOLUTION = 2835;  // pixels per metre written (72 dpi)
constexpr int32_t POW2_MAX_SIDE = 1024;   // largest side scale_image_pow2 makes

// 1 (the default): the pixel loops use vector instructions that the processor is found to
// have at run time; 0: only the portable loops, which give the same bytes (for the tests).
extern int image_use_simd;

// Stores the sizes and allocates width x height x bytes_per_pixel zero bytes. On an
// allocation failure (or a size that is not positive) pixels is null.
void alloc_image(int32_t width, int32_t height, int32_t bytes_per_pixel, RgbImage* image);

// Frees the pixels and zeroes every field; a second call is harmless.
void free_image(RgbImage* image);

// Reads a 24-bit uncompressed bottom-up BMP file. Returns 1 with a newly allocated
// picture that the caller frees with free_image, or 0 with no message when the file
// cannot be opened or read or is not a regular file (a FIFO is refused without waiting
// for a writer), is not "BM", is not 24-bit, is compressed, has an information header
// below 40 bytes, a pixel-data offset below the end of the headers or rows past the end
// of the file, a side that is not 1 .. BMP_MAX_SIDE (top-down files have a negative
// height). On 0 pixels is left as it was; once the 54 header bytes were read and the
// signature matched, width, height and bytes_per_pixel hold the header's values.
int read_bmp(const char* path, RgbImage* image);

// The same reader, header checks and row loop, over the bytes of a whole file held in
// memory.
int read_bmp_memory(const uint8_t* data, size_t size, RgbImage* image);

// Writes image as a 24-bit BMP file, through a temporary file renamed over path. Returns
// 1, or 0 when the image is not 3 bytes a pixel with sides 1 .. BMP_MAX_SIDE and pixels,
// or the file cannot be written (folder missing, disk full); then a file already at path
// is left unchanged.
int write_bmp(const char* path, const RgbImage* image);

// Where an image lies on a page: scaled by scale (the smaller of the two page-to-image
// quotients) and moved by x, y from the page's bottom-left corner, so the left-over width
// or height is split evenly on both sides. Sizes in pixels; all values single precision.
struct PageFit {
    float scale;
    float x, y;
};

// The fit of an image of image_width x image_height on a page_width x page_height page.
// Every size must be at least 1.
void fit_image_to_page(int page_width, int page_height, int image_width, int image_height,
                       PageFit* fit);

// Resamples source (3 or more bytes a pixel, the first three used) into destination,
// which it allocates with sides the smallest powers of two not below the source's, capped
// at POW2_MAX_SIDE. Bilinear on a grid from the source's first row and column to its
// last-but-one, single-precision weights, values truncated; a source 1 pixel wide or high
// repeats its edge. Returns 1, or 0 with destination empty when the source is empty or
// the allocation fails.
int scale_image_pow2(const RgbImage* source, RgbImage* destination);
