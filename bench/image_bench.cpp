// image_bench.cpp: reading the basemap, writing a basemap-sized image, resampling a
// window capture, and the floor a BMP read is measured against: fread of the whole file
// plus a memcpy of its pixel bytes into a fresh image buffer. Runs from the repository
// root, where data/ lies; bench/image_ratios.sh sets these beside Pillow's figures.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "render/image.h"

static const char* const BASEMAP = "data/maps/basemap.bmp";

static RgbImage noise_image(int width, int height)
{
    RgbImage image;
    alloc_image(width, height, 3, &image);
    uint32_t state = 12345;
    for (size_t i = 0; i < (size_t)width * height * 3; i++) {
        state = state * 1664525u + 1013904223u;
        image.pixels[i] = (uint8_t)(state >> 24);
    }
    return image;
}

// The least any BMP reader does: the file's bytes into memory in one fread, and the
// pixel bytes (the basemap's rows have no padding) into a newly allocated buffer of the
// image's size. The file buffer is allocated once, as a reader's scratch buffer would be,
// so that both sides pay for the same one allocation a read.
static void BM_read_floor_basemap(benchmark::State& state)
{
    RgbImage probe = {};
    if (!read_bmp(BASEMAP, &probe)) {
        state.SkipWithError("cannot read data/maps/basemap.bmp");
        return;
    }
    size_t pixel_bytes = (size_t)probe.width * probe.height * 3;
    free_image(&probe);
    size_t file_bytes = BMP_HEADER_SIZE + pixel_bytes;
    uint8_t* bytes = (uint8_t*)malloc(file_bytes);
    for (auto _ : state) {
        FILE* file = fopen(BASEMAP, "rb");
        if (!file || fread(bytes, 1, file_bytes, file) != file_bytes) {
            state.SkipWithError("cannot read the basemap");
            if (file)
                fclose(file);
            break;
        }
        fclose(file);
        uint8_t* pixels = (uint8_t*)malloc(pixel_bytes);
        memcpy(pixels, bytes + BMP_HEADER_SIZE, pixel_bytes);
        benchmark::DoNotOptimize(pixels);
        benchmark::ClobberMemory();
        free(pixels);
    }
    state.SetBytesProcessed((int64_t)(state.iterations() * pixel_bytes));
    free(bytes);
}
BENCHMARK(BM_read_floor_basemap)->Unit(benchmark::kMicrosecond);

static void BM_read_bmp_basemap(benchmark::State& state)
{
    size_t pixel_bytes = 0;
    for (auto _ : state) {
        RgbImage image = {};
        if (!read_bmp(BASEMAP, &image)) {
            state.SkipWithError("cannot read data/maps/basemap.bmp");
            break;
        }
        pixel_bytes = (size_t)image.width * image.height * 3;
        benchmark::DoNotOptimize(image.pixels);
        free_image(&image);
    }
    state.SetBytesProcessed((int64_t)(state.iterations() * pixel_bytes));
}
BENCHMARK(BM_read_bmp_basemap)->Unit(benchmark::kMicrosecond);

// Includes the temporary file's flush to disk and the rename.
static void BM_write_bmp_1024(benchmark::State& state)
{
    RgbImage image = noise_image(1024, 1024);
    std::string path = "/tmp/image_bench_" + std::to_string(getpid()) + "_write.bmp";
    for (auto _ : state)
        if (!write_bmp(path.c_str(), &image))
            state.SkipWithError("write failed");
    state.SetBytesProcessed((int64_t)(state.iterations() * 1024 * 1024 * 3));
    unlink(path.c_str());
    free_image(&image);
}
BENCHMARK(BM_write_bmp_1024)->Unit(benchmark::kMillisecond);

// A 1024 x 768 window capture to 1024 x 1024 for the printer page.
static void BM_scale_image_pow2_1024x768(benchmark::State& state)
{
    RgbImage capture = noise_image(1024, 768);
    for (auto _ : state) {
        RgbImage scaled;
        scale_image_pow2(&capture, &scaled);
        benchmark::DoNotOptimize(scaled.pixels);
        free_image(&scaled);
    }
    free_image(&capture);
}
BENCHMARK(BM_scale_image_pow2_1024x768)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
