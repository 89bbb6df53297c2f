// fake_columns.cpp: make_columns without OpenGL. The real one lives with the GL code,
// which the logic tests do not link; like it, this one evaluates the query.
#include "tests/logic/fake_columns.h"

#include <cstring>

#include "query/query.h"
#include "render/columns.h"
#include "store/crime_data.h"
#include "store/dates.h"

int make_columns_calls = 0;

void make_columns()
{
    make_columns_calls++;
    eval_query();
}

void reset_data_state()
{
    memset(beats, 0, sizeof beats);
    memset(beat_maxima, 0, sizeof beat_maxima);
    beat_count = 0;
    current_date = 0x0084;
    query_flags[0] = NO_QUERY;
    for (int t = 1; t < CRIME_TYPE_COUNT; t++)
        query_flags[t] = 0;
    clear_query();
    make_columns_calls = 0;
}
