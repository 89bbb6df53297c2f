// query.cpp: query evaluation.
//
// A beat without a record for the month (or year) of current_date gets 0 there and the
// pass goes on with the next beat; both passes always cover every loaded beat.
#include "query/query.h"

#include <cstring>

#include "store/dates.h"

uint16_t query_flags[CRIME_TYPE_COUNT] = {NO_QUERY, 0, 0, 0, 0, 0, 0};
uint32_t query_value[MAX_BEATS];
uint32_t query_year_value[MAX_BEATS];
uint32_t query_year_max[MAX_BEATS];
uint32_t query_area_total;

void clear_query()
{
    memset(query_value, 0, sizeof query_value);
    memset(query_year_value, 0, sizeof query_year_value);
    memset(query_year_max, 0, sizeof query_year_max);
    query_area_total = 0;
}

// The last slot of the beat for year and month, or null; a file may list a month twice.
static const MonthRecord* find_month(const BeatRecord* beat, unsigned year, unsigned month)
{
    const MonthRecord* found = nullptr;
    for (const MonthRecord& slot : beat->months)
        if (slot.year == year && slot.month == month)
            found = &slot;
    return found;
}

static const YearRecord* find_year(const BeatRecord* beat, unsigned year)
{
    const YearRecord* found = nullptr;
    for (const YearRecord& slot : beat->years)
        if (slot.year == year)
            found = &slot;
    return found;
}

void eval_query()
{
    clear_query();
    if (query_flags[0] == NO_QUERY)
        return;
    unsigned year = BASE_YEAR + date_year_offset(current_date);
    unsigned month = date_month(current_date);
    BeatIndex count = loaded_beat_count();

    // sums are unsigned 32-bit and wrap without a check
    for (BeatIndex b = 0; b < count; b++) {
        const MonthRecord* slot = find_month(&beats[b], year, month);
        if (!slot)
            continue;
        for (int t = 0; t < CRIME_TYPE_COUNT; t++)
            if (query_flags[t])
                query_value[b] += slot->counts.count[t];
        query_area_total += query_value[b];
    }
    for (BeatIndex b = 0; b < count; b++) {
        const YearRecord* slot = find_year(&beats[b], year);
        if (!slot)
            continue;
        for (int t = 0; t < CRIME_TYPE_COUNT; t++) {
            if (query_flags[t]) {
                query_year_value[b] += slot->counts.count[t];
                query_year_max[b] += beat_maxima[b][t];
            }
        }
    }
}

int year_ratio(BeatIndex beat, float* ratio)
{
    *ratio = 0.0f;
    if (query_year_max[beat] == 0)
        return 0;
    *ratio = (float)query_year_value[beat] / (float)query_year_max[beat];
    return 1;
}
