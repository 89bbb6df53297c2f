// bmp_fuzz.cpp: the BMP reader on arbitrary bytes. A file is either refused, leaving the
// image without pixels, or read into an image whose pixels all came out of the input.
// The three ways of reading agree byte for byte: from memory with the vector kernels and
// with the portable loops only, and from a file (an in-memory one) of the same bytes.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

#include "render/image.h"

static int same_result(int ok, const RgbImage& a, int other_ok, const RgbImage& b)
{
    if (ok != other_ok)
        return 0;
    return !ok || (a.width == b.width && a.height == b.height &&
                   !memcmp(a.pixels, b.pixels, (size_t)a.width * a.height * 3));
}

// The input as a regular file, named by a path under /proc; -1 when none can be made.
static int input_file(const uint8_t* data, size_t size, char* path, size_t path_size)
{
    static int file = memfd_create("bmp_fuzz", MFD_CLOEXEC);
    if (file < 0 || ftruncate(file, 0) != 0 || pwrite(file, data, size, 0) != (ssize_t)size)
        return -1;
    snprintf(path, path_size, "/proc/self/fd/%d", file);
    return file;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RgbImage image = {};
    int ok = read_bmp_memory(data, size, &image);
    if (ok ? image.width < 1 || image.height < 1 || (size_t)image.width * image.height * 3 > size
           : image.pixels != nullptr)
        abort();
    RgbImage portable = {};
    image_use_simd = 0;
    int portable_ok = read_bmp_memory(data, size, &portable);
    image_use_simd = 1;
    if (!same_result(ok, image, portable_ok, portable))
        abort();
    char path[64];
    if (input_file(data, size, path, sizeof path) >= 0) {
        RgbImage file = {};
        int file_ok = read_bmp(path, &file);
        if (!same_result(ok, image, file_ok, file))
            abort();
        free_image(&file);
    }
    free_image(&portable);
    free_image(&image);
    return 0;
}
