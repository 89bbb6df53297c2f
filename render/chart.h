// chart.h: the figures of the Chart panel, with no drawing: a beat's (or the district's)
// monthly value of the chosen crime types over every month of the loaded data, round
// ticks for the count axis, the years on the time axis, and the month under a point of
// the plot. The Qt side only draws what these say.
#pragma once

#include <cstdint>

#include "store/crime_data.h"
#include "store/dates.h"

// Months a packed date can hold: 1990 .. 2021.
constexpr int CHART_MAX_MONTHS = 32 * 12;

struct ChartSeries {
    int first_month;  // months since January 1990 of values[0]
    int count;        // months shown, 0 when no loaded beat has a month in 1990 .. 2021
    uint32_t values[CHART_MAX_MONTHS];  // the chosen types' sum; 0 for a month with no record
    uint32_t largest;  // the largest of values[0 .. count - 1], 0 for none
};

// The series of beat for query_flags (NO_BEAT: the district, the beats without the
// citywide reference): every month from
// the earliest to the latest month of 1990 .. 2021 that any loaded beat has a record of.
// A month listed twice counts by its last line, as the query does; no query gives zeros.
// A beat that is not loaded gives the district.
void make_chart_series(BeatIndex beat, ChartSeries* series);

// Round ticks for a count axis from 0 to at least largest: step is 1, 2 or 5 times a
// power of ten, chosen so that at most max_ticks steps reach top = ticks x step >= largest
// (top at least one step). Returns the number of steps.
int chart_count_ticks(uint32_t largest, int max_ticks, uint32_t* step);

// The Januaries of the series, for the time axis: their month indices and calendar years,
// at most max of them, in order. Returns how many.
int chart_year_ticks(const ChartSeries* series, int* indices, int* years, int max);

// The month index (0 .. count - 1) under x in a plot whose first month is drawn at
// plot_left and whose last at plot_left + plot_width - 1: the nearest month, clamped to
// the ends. 0 for a series of one month or a plot narrower than 2 pixels.
int chart_month_at(const ChartSeries* series, int plot_left, int plot_width, int x);

// The x of month index i in that plot (the inverse of chart_month_at), rounded down.
int chart_month_x(const ChartSeries* series, int plot_left, int plot_width, int i);

// The first day of month index i of the series.
PackedDate chart_month_date(const ChartSeries* series, int i);

// The month index of date in the series, or -1 when the series does not show its month.
int chart_index_of(const ChartSeries* series, PackedDate date);
