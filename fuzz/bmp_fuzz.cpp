// bmp_fuzz.cpp: the BMP reader on arbitrary bytes. A file is either refused, leaving the
// image without pixels, or read into an image whose pixels all came out of the input.
#include <cstdlib>

#include "render/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RgbImage image = {};
    if (read_bmp_memory(data, size, &image)
            ? image.width < 1 || image.height < 1 || (size_t)image.width * image.height * 3 > size
            : image.pixels != nullptr)
        abort();
    free_image(&image);
    return 0;
}
