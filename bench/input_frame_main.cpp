// input_frame_main.cpp: the program itself, timing each handled mouse move or key
// release to the next frame on the screen. With an argument it loads that beat list
// first (every type chosen). ZAVRO_BENCH_READOUTS=off hides the legend, =on shows the
// Chart panel beside it. On exit it prints the count and the median, 90th percentile and
// largest latency in microseconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "panels/panels.h"
#include "panels/query_panel.h"
#include "platform/platform.h"
#include "platform/qt/qt_hooks.h"
#include "query/query.h"
#include "render/columns.h"
#include "shell/records.h"
#include "shell/startup.h"
#include "shell/view_menu.h"

using Clock = std::chrono::steady_clock;
static Clock::time_point input_at;
static int waiting = 0;
static std::vector<long> latencies_us;
static const char* beat_list = nullptr;

int main(int argc, char** argv)
{
    beat_list = argc > 1 ? argv[1] : nullptr;
    platform_input_received_hook = [] {
        if (beat_list) {  // the first event: the panels exist by now
            if (read_records(beat_list))
                query_panel_refresh(query_panel);
            for (uint16_t& flag : query_flags)
                flag = 1;
            make_columns();
            const char* readouts = getenv("ZAVRO_BENCH_READOUTS");
            if (readouts && strcmp(readouts, "off") == 0)
                on_menu_command(CMD_LEGEND);
            else if (readouts && strcmp(readouts, "on") == 0)
                on_menu_command(CMD_SHOW_CHART_PANEL);
            beat_list = nullptr;
        }
        input_at = Clock::now();
        waiting = 1;
    };
    platform_frame_presented_hook = [] {
        if (!waiting)
            return;
        waiting = 0;
        latencies_us.push_back(
            (long)std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - input_at).count());
    };
    int code = platform_run(1, argv, MAIN_WINDOW_TITLE, MAIN_WINDOW_WIDTH, MAIN_WINDOW_HEIGHT);
    std::sort(latencies_us.begin(), latencies_us.end());
    size_t n = latencies_us.size();
    if (n)
        printf("%zu %ld %ld %ld\n", n, latencies_us[n / 2], latencies_us[n * 9 / 10], latencies_us[n - 1]);
    else
        printf("0 0 0 0\n");
    return code;
}
