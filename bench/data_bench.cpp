// data_bench.cpp: loading the sample district, one query evaluation, and month steps
// each followed by an evaluation (what playing the timeline by month costs, less the
// drawing). Runs from the repository root, where data/ lies.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

#include "query/query.h"
#include "render/hover.h"
#include "render/pick.h"
#include "store/dates.h"
#include "store/loader.h"

static void select_all_types()
{
    for (int t = 0; t < CRIME_TYPE_COUNT; t++)
        query_flags[t] = 1;
}

static void BM_load_records(benchmark::State& state)
{
    select_all_types();
    for (auto _ : state) {
        if (!load_records("data/district.csv")) {
            state.SkipWithError("cannot read data/district.csv");
            break;
        }
    }
}
BENCHMARK(BM_load_records);

static void BM_eval_query(benchmark::State& state)
{
    select_all_types();
    load_records("data/district.csv");
    current_date = make_date(2005 - BASE_YEAR, 6, 1);
    for (auto _ : state) {
        eval_query();
        benchmark::DoNotOptimize(query_area_total);
    }
}
BENCHMARK(BM_eval_query);

static void BM_month_steps(benchmark::State& state)
{
    select_all_types();
    load_records("data/district.csv");
    for (auto _ : state) {
        current_date = make_date(1999 - BASE_YEAR, 1, 1);
        for (int i = 0; i < 10000; i++) {
            date_step_forward(&current_date, STEP_MONTH);
            eval_query();
        }
        benchmark::DoNotOptimize(query_area_total);
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_month_steps)->Unit(benchmark::kMicrosecond);

// The column under the mouse (each column's box projected and tested) beside the
// design's pick (a ray crossed with each top's plane), both for six beats seen tilted,
// at 64 points over the client.
static void hover_points(benchmark::State& state, int hover)
{
    select_all_types();
    load_records("data/district.csv");
    current_date = make_date(2005 - BASE_YEAR, 6, 1);
    eval_query();
    client_width = 1024, client_height = 749, view_tilt = 45.0f, view_heading = 20.0f;
    set_height_choice(1);
    for (auto _ : state) {
        int found = 0;
        for (int16_t y = 40; y < 749; y += 90)
            for (int16_t x = 60; x < 1024; x += 120) {
                BeatIndex beat;
                found += hover ? hover_beat(x, y, &beat) : pick_beat(x, y, &beat);
            }
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * 64);
}
static void BM_hover_six_beats(benchmark::State& state) { hover_points(state, 1); }
static void BM_pick_six_beats(benchmark::State& state) { hover_points(state, 0); }
BENCHMARK(BM_hover_six_beats);
BENCHMARK(BM_pick_six_beats);

int main(int argc, char** argv)
{
    // the data paths are relative: `make bench` starts in the repository root; from
    // elsewhere, go to the root this file was compiled in
    if (access("data/district.csv", R_OK) != 0) {
        std::string root = __FILE__;
        root.resize(root.rfind("/bench/") == std::string::npos ? 0 : root.rfind("/bench/"));
        if (root.empty() || chdir(root.c_str()) != 0) {
            fprintf(stderr, "run from the repository root\n");
            return 1;
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
