// chart.cpp: the Chart panel's series, ticks and hit tests; see chart.h.
#include "render/chart.h"

#include <cstring>
#include <initializer_list>

#include "query/query.h"
#include "store/crime_data.h"

// Months since January 1990 of a record, or -1 outside what a packed date holds.
static int month_number(const MonthRecord* slot)
{
    if (slot->month < 1 || slot->month > 12 || slot->year < BASE_YEAR ||
        slot->year >= BASE_YEAR + CHART_MAX_MONTHS / 12)
        return -1;
    return (slot->year - BASE_YEAR) * 12 + slot->month - 1;
}

static uint32_t chosen_sum(const CrimeCounts* counts)
{
    uint32_t sum = 0;
    for (int t = 0; t < CRIME_TYPE_COUNT; t++)
        if (query_flags[t])
            sum += counts->count[t];
    return sum;  // wraps as the query's sums do
}

void make_chart_series(BeatIndex beat, ChartSeries* series)
{
    memset(series, 0, sizeof *series);
    const BeatIndex loaded = loaded_beat_count();
    int first = CHART_MAX_MONTHS, last = -1;
    for (BeatIndex b = 0; b < loaded; b++)
        for (const MonthRecord& slot : beats[b].months) {
            const int m = month_number(&slot);
            if (m < 0)
                continue;
            first = m < first ? m : first;
            last = m > last ? m : last;
        }
    if (last < 0)
        return;
    series->first_month = first;
    series->count = last - first + 1;
    if (query_flags[0] == NO_QUERY)
        return;
    const BeatIndex only = beat >= 0 && beat < loaded ? beat : NO_BEAT;
    // per beat the last line of a month wins, then the beats are summed
    static uint32_t month_of_beat[MAX_BEATS][CHART_MAX_MONTHS];
    memset(month_of_beat, 0, sizeof month_of_beat);
    for (BeatIndex b = 0; b < loaded; b++) {
        if (only == NO_BEAT ? b == CITYWIDE_BEAT : b != only)
            continue;
        for (const MonthRecord& slot : beats[b].months) {
            const int m = month_number(&slot);
            if (m >= 0)
                month_of_beat[b][m] = chosen_sum(&slot.counts);
        }
    }
    for (int i = 0; i < series->count; i++) {
        uint32_t sum = 0;
        for (BeatIndex b = 0; b < loaded; b++)
            sum += month_of_beat[b][first + i];
        series->values[i] = sum;
        series->largest = sum > series->largest ? sum : series->largest;
    }
}

int chart_count_ticks(uint32_t largest, int max_ticks, uint32_t* step)
{
    if (max_ticks < 1)
        max_ticks = 1;
    // the smallest 1, 2, 5 x 10^k with max_ticks steps reaching largest
    for (uint64_t power = 1;; power *= 10) {
        for (uint64_t mantissa : {1, 2, 5}) {
            const uint64_t candidate = mantissa * power;
            const uint64_t ticks = largest == 0 ? 1 : (largest + candidate - 1) / candidate;
            if (ticks <= (uint64_t)max_ticks) {
                *step = (uint32_t)(candidate > UINT32_MAX ? UINT32_MAX : candidate);
                return (int)ticks;
            }
        }
    }
}

int chart_year_ticks(const ChartSeries* series, int* indices, int* years, int max)
{
    int found = 0;
    for (int i = 0; i < series->count && found < max; i++) {
        const int m = series->first_month + i;
        if (m % 12 == 0) {
            indices[found] = i;
            years[found] = BASE_YEAR + m / 12;
            found++;
        }
    }
    return found;
}

int chart_month_at(const ChartSeries* series, int plot_left, int plot_width, int x)
{
    if (series->count < 2 || plot_width < 2)
        return 0;
    const long span = plot_width - 1, months = series->count - 1;
    const long offset = x - plot_left;
    if (offset <= 0)
        return 0;
    if (offset >= span)
        return (int)months;
    return (int)((offset * months * 2 + span) / (span * 2));  // nearest
}

int chart_month_x(const ChartSeries* series, int plot_left, int plot_width, int i)
{
    if (series->count < 2 || plot_width < 2)
        return plot_left;
    return plot_left + (int)((long)i * (plot_width - 1) / (series->count - 1));
}

PackedDate chart_month_date(const ChartSeries* series, int i)
{
    const int m = series->first_month + i;
    return make_date((unsigned)(m / 12), (unsigned)(m % 12 + 1), 1);
}

int chart_index_of(const ChartSeries* series, PackedDate date)
{
    const int m = (int)date_year_offset(date) * 12 + (int)date_month(date) - 1;
    const int i = m - series->first_month;
    return i >= 0 && i < series->count ? i : -1;
}
