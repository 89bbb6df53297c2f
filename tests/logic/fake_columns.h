// fake_columns.h: the logic tests' stand-in for the OpenGL column rebuild, and a reset
// of the process-wide data state that loads and evaluations change.
#pragma once

// make_columns calls so far; the fake evaluates the query as the real rebuild does.
extern int make_columns_calls;

// Empties the beat table, maxima and query results; current_date back to 1 January
// 1990, query_flags to "no query", make_columns_calls to 0.
void reset_data_state();
