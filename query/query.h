// query.h: the query (the chosen crime types) and its results for current_date.
// eval_query runs at the start of every column rebuild; everything else reads the
// results of that last evaluation. Only entries of beats 0 .. beat_count - 1 mean anything.
#pragma once

#include <cstdint>

#include "store/crime_data.h"

constexpr uint16_t NO_QUERY = 255;  // in query_flags[0]: no query set, every result 0

// One word per CrimeType; a nonzero word selects the type. Start: 255, 0, 0, 0, 0, 0, 0.
extern uint16_t query_flags[CRIME_TYPE_COUNT];

extern uint32_t query_value[MAX_BEATS];       // selected counts of the current month
extern uint32_t query_year_value[MAX_BEATS];  // selected counts of the current year
extern uint32_t query_year_max[MAX_BEATS];    // selected types' largest yearly counts, summed
extern uint32_t query_area_total;             // sum of query_value over the beats

// Sets every result to 0.
void clear_query();

// Evaluates query_flags for current_date over the beat table.
void eval_query();

// How beat's count of the current year stands against its summed yearly maxima, single
// precision: 1 with *ratio = query_year_value / query_year_max, or 0 with *ratio = 0 when
// the maximum is 0 (undefined).
int year_ratio(BeatIndex beat, float* ratio);
