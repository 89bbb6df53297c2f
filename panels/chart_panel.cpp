// chart_panel.cpp: the Chart panel; see chart_panel.h.
#include "panels/chart_panel.h"

#include <cstdio>
#include <cstring>

#include "panels/panel_templates.h"
#include "panels/panels.h"
#include "panels/timeline.h"
#include "query/query.h"
#include "query/report.h"
#include "render/chart.h"
#include "render/readout.h"
#include "store/crime_data.h"
#include "store/dates.h"

static ChartSeries chart_series;
static int chart_ever_shown = 0;

// What the series was made from; another value means make it again.
struct ChartKey {
    int valid;
    BeatIndex beat;
    uint16_t flags[CRIME_TYPE_COUNT];
    uint32_t table_generation;
};
static ChartKey drawn_key;

static ChartKey current_key()
{
    ChartKey key;
    memset(&key, 0, sizeof key);  // padding too: keys compare with memcmp
    key.valid = 1;
    key.beat = selected_beat;
    memcpy(key.flags, query_flags, sizeof key.flags);
    key.table_generation = beat_table_generation;
    return key;
}

void chart_panel_refresh(Panel panel)
{
    if (!panel)
        return;
    const ChartKey key = current_key();
    if (memcmp(&key, &drawn_key, sizeof key) != 0) {
        drawn_key = key;
        make_chart_series(selected_beat, &chart_series);
        const BeatIndex beat = selected_beat >= 0 && selected_beat < loaded_beat_count() ? selected_beat : NO_BEAT;
        char types[READOUT_LINE_SIZE];
        chosen_types_text(types, sizeof types);
        char title[READOUT_LINE_SIZE + BEAT_NAME_SIZE + 16];
        snprintf(title, sizeof title, "%s: %s", beat == NO_BEAT ? "District" : beats[beat].name, types);
        chart_show(panel, IDC_CHART_PLOT, &chart_series, chart_index_of(&chart_series, current_date), title);
        return;
    }
    chart_mark(panel, IDC_CHART_PLOT, chart_index_of(&chart_series, current_date));
}

void show_chart_panel()
{
    chart_ever_shown = 1;
    chart_panel_refresh(chart_panel);  // a hidden chart is not kept up to date
    panel_show(chart_panel);
}

void chart_panel_on_beat_chosen()
{
    if (!chart_ever_shown)
        show_chart_panel();
}

static void chart_panel_init(Panel dialog)
{
    memset(&drawn_key, 0, sizeof drawn_key);
    chart_ever_shown = 0;
    chart_panel_refresh(dialog);
}

static int chart_panel_command(Panel dialog, int control_id, int code)
{
    if (control_id != IDC_CHART_PLOT)
        return 0;
    const int month = chart_picked(dialog, IDC_CHART_PLOT);
    if (code == CODE_PICKED && month >= 0 && month < chart_series.count)
        set_current_date(chart_month_date(&chart_series, month));
    return 1;
}

int chart_panel_proc(Panel dialog, int message, int control_id, int code)
{
    return panel_proc(dialog, message, control_id, code, chart_panel_init, chart_panel_command);
}
