// image_bench.cpp: BMP reading and writing of a basemap-sized image, resampling of a
// window capture, and a plain memcpy of the same pixel bytes as the yardstick.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "render/image.h"

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

static std::string bench_path(const char* name)
{
    return "/tmp/image_bench_" + std::to_string(getpid()) + "_" + name;
}

static double seconds_since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

static void BM_memcpy_pixels_1024(benchmark::State& state)
{
    RgbImage image = noise_image(1024, 1024);
    size_t bytes = (size_t)1024 * 1024 * 3;
    uint8_t* copy = (uint8_t*)malloc(bytes);
    for (auto _ : state) {
        memcpy(copy, image.pixels, bytes);
        benchmark::DoNotOptimize(copy);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed((int64_t)(state.iterations() * bytes));
    free(copy);
    free_image(&image);
}
BENCHMARK(BM_memcpy_pixels_1024)->Unit(benchmark::kMicrosecond);

// The counter memcpy_ratio is the read's time over a memcpy of the pixel bytes (into a
// freshly allocated buffer each time, as the reader allocates).
static void BM_read_bmp_1024(benchmark::State& state)
{
    RgbImage image = noise_image(1024, 1024);
    std::string path = bench_path("read.bmp");
    if (!write_bmp(path.c_str(), &image)) {
        state.SkipWithError("cannot write the input file");
        return;
    }
    size_t bytes = (size_t)1024 * 1024 * 3;
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        RgbImage back = {};
        if (!read_bmp(path.c_str(), &back))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(back.pixels);
        free_image(&back);
    }
    double read_seconds = seconds_since(start);
    start = std::chrono::steady_clock::now();
    for (int64_t i = 0; i < state.iterations(); i++) {
        uint8_t* copy = (uint8_t*)malloc(bytes);
        memcpy(copy, image.pixels, bytes);
        benchmark::DoNotOptimize(copy);
        benchmark::ClobberMemory();
        free(copy);
    }
    double copy_seconds = seconds_since(start);
    state.counters["memcpy_ratio"] = copy_seconds > 0 ? read_seconds / copy_seconds : 0;
    state.SetBytesProcessed((int64_t)(state.iterations() * bytes));
    unlink(path.c_str());
    free_image(&image);
}
BENCHMARK(BM_read_bmp_1024)->Unit(benchmark::kMicrosecond);

// Includes the temporary file's flush to disk and the rename.
static void BM_write_bmp_1024(benchmark::State& state)
{
    RgbImage image = noise_image(1024, 1024);
    std::string path = bench_path("write.bmp");
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
BENCHMARK(BM_scale_image_pow2_1024x768)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
