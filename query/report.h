// report.h: the selected beat and the text report about it, from the last query
// evaluation. Writing the report to the Info panel is the program's (beat_report,
// panels/info_panel.h).
#pragma once

#include "store/crime_data.h"

// The selected beat, NO_BEAT = none. Other beats' columns turn translucent.
extern BeatIndex selected_beat;

// Room for any report: beat names have at most 7 characters and every figure is bounded
// by the 32-bit counts it comes from.
constexpr int REPORT_SIZE = 512;

// Writes the report on beat into text (size bytes): six lines, each ending in CR LF, the
// last one empty:
//   ***********************************************************   (59 asterisks)
//   Date: January,1,1990
//   Crime total for ZAVRO area: 12
//   Crime total for beat ALDER: 4, 33.33%
//   Beat ALDER crime vs. citywide: -5.00%
// The share is the beat's query_value x 100 / query_area_total (0 for a total of 0); the
// comparison is (beat's year ratio - citywide beat's year ratio) x 100, where a year
// ratio is query_year_value / query_year_max (0 for a maximum of 0). Both are computed in
// single precision and printed with two decimals. Returns 1, or 0 with text empty when
// beat is not a loaded beat or the report does not fit.
int format_beat_report(BeatIndex beat, char* text, int size);
