// bmp_fuzz.cpp: the BMP reader on arbitrary bytes. A file is either refused, leaving the
// image without pixels, or read into an image whose pixels all came out of the input.
#include <cstdint>
#include <cstdlib>

#include "render/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RgbImage image = {};
    int ok = read_bmp_memory(data, size, &image);
    if (!ok) {
        if (image.pixels)
            abort();
        return 0;
    }
    size_t bytes = (size_t)image.width * (size_t)image.height * 3;
    if (image.width < 1 || image.height < 1 || image.bytes_per_pixel != 3 || bytes > size)
        abort();
    // touch the picture, and resample the small ones
    volatile uint8_t last = image.pixels[bytes - 1];
    (void)last;
    if (image.width <= 64 && image.height <= 64) {
        RgbImage scaled;
        if (!scale_image_pow2(&image, &scaled))
            abort();
        free_image(&scaled);
    }
    free_image(&image);
    return 0;
}
