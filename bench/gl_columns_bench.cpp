// gl_columns_bench.cpp: rebuilding the display lists of six beats, and drawing a frame
// of them, on the headless OpenGL context. Run in the repository root.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include "platform/platform.h"
#include "query/query.h"
#include "render/columns.h"
#include "render/frame_gl.h"
#include "render/map_gl.h"
#include "store/dates.h"
#include "store/loader.h"
#include "tests/gl_context.h"

static int setup_district()
{
    static int ready = 0;
    if (ready)
        return 1;
    if (!gl_context_open(1024, 768))
        return 0;
    init_gl_state();
    make_map();
    on_resize(1024, 768);
    if (!load_records("data/district.csv"))
        return 0;
    current_date = (PackedDate)(((2005 - BASE_YEAR) << 11) | (6 << 7) | (1 << 2));
    for (int t = 0; t < CRIME_TYPE_COUNT; t++)
        query_flags[t] = 1;
    ready = 1;
    return 1;
}

static void make_columns_six_beats(benchmark::State& state)
{
    if (!setup_district()) {
        state.SkipWithError("no GL context or no data/district.csv");
        return;
    }
    for (auto _ : state) {
        make_columns();
        glFinish();
    }
}
BENCHMARK(make_columns_six_beats)->Unit(benchmark::kMicrosecond);

static void frame_six_beats(benchmark::State& state)
{
    if (!setup_district()) {
        state.SkipWithError("no GL context or no data/district.csv");
        return;
    }
    view_tilt = 45.0f;
    for (auto _ : state) {
        render_scene();
        glFinish();
    }
}
BENCHMARK(frame_six_beats)->Unit(benchmark::kMillisecond);

// One timeline step as a playing tick or a "+" makes it: the date, the query, both lists.
static void timeline_step_six_beats(benchmark::State& state)
{
    if (!setup_district()) {
        state.SkipWithError("no GL context or no data/district.csv");
        return;
    }
    for (auto _ : state) {
        if (!date_step_forward(&current_date, STEP_DAY))
            current_date = (PackedDate)(((2005 - BASE_YEAR) << 11) | (6 << 7) | (1 << 2));
        make_columns();
        glFinish();
    }
}
BENCHMARK(timeline_step_six_beats)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
