// anim_export_timing.cpp (gl_anim_export_bench): exporting 156 monthly frames of the sample district at
// 1024 x 749 in each format, against capturing the same frames to memory, on the headless
// context. Prints frames a second and the ratio of the times; the export should cost at
// most 2 x the capture. Asserts nothing. Run in the repository root.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "panels/timeline.h"
#include "query/query.h"
#include "render/anim_export.h"
#include "render/columns.h"
#include "render/frame_gl.h"
#include "render/map_gl.h"
#include "render/offscreen_gl.h"
#include "render/view_state.h"
#include "store/dates.h"
#include "store/loader.h"
#include "tests/gl_context.h"

namespace {

constexpr int WIDTH = 1024, HEIGHT = 749, FRAMES = 156;  // January 1999 to December 2011

double seconds_since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Every frame drawn off screen and read into frame; handed to writer when there is one.
double run(AnimWriter* writer, RgbImage* frame)
{
    const auto start = std::chrono::steady_clock::now();
    PackedDate date = make_date(1999 - BASE_YEAR, 1, 1);
    for (int k = 0; k < FRAMES; k++) {
        current_date = date;
        make_columns();
        offscreen_draw(frame);
        if (writer && !anim_add_frame(writer, frame)) {
            fprintf(stderr, "frame %d: %s\n", k, writer->reason);
            return -1;
        }
        date_step_forward(&date, STEP_MONTH);
    }
    if (writer && !anim_finish(writer)) {
        fprintf(stderr, "finish: %s\n", writer->reason);
        return -1;
    }
    return seconds_since(start);
}

}  // namespace

int main()
{
    if (!gl_context_open(WIDTH, HEIGHT) || (init_gl_state(), make_map(), on_resize(WIDTH, HEIGHT), 0) ||
        !load_records("data/district.csv") || !offscreen_open(WIDTH, HEIGHT)) {
        fprintf(stderr, "no GL context or no data/district.csv\n");
        return 1;
    }
    for (int t = 0; t < CRIME_TYPE_COUNT; t++)
        query_flags[t] = 1;
    view_tilt = 45.0f;
    set_height_choice(1);
    RgbImage frame = {};
    alloc_image(WIDTH, HEIGHT, 3, &frame);
    run(nullptr, &frame);  // warm up
    const double capture = run(nullptr, &frame);
    printf("animation export, %d frames at %dx%d\n  capture to memory: %6.1f frames/s\n", FRAMES, WIDTH, HEIGHT,
           FRAMES / capture);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "zavro_anim_bench";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    static const char* const NAMES[ANIM_FORMAT_COUNT] = {"MP4 (H.264)", "WebM (VP9)", "GIF", "PNG frames"};
    for (int format = 0; format < ANIM_FORMAT_COUNT; format++) {
        const std::string path = (folder / (std::string("bench") + (format == ANIM_PNG ? "_frames" : ANIM_EXTENSIONS[format]))).string();
        AnimWriter writer;
        if (!anim_open(&writer, (AnimFormat)format, path.c_str(), WIDTH, HEIGHT, 4)) {
            printf("  %-12s cannot open: %s\n", NAMES[format], writer.reason);
            continue;
        }
        const double seconds = run(&writer, &frame);
        if (seconds < 0) {
            anim_discard(&writer);
            continue;
        }
        printf("  %-12s %6.1f frames/s, %.2f x the capture (at most 2)\n", NAMES[format], FRAMES / seconds,
               seconds / capture);
    }
    std::filesystem::remove_all(folder);
    free_image(&frame);
    offscreen_close();
    gl_context_close();
    return 0;
}
