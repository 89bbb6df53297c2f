// query_panel.h: the Query panel. Its left list holds the crime types of
// data/ui/fields.ui, whose selected rows form query_flags (query/query.h); its right list
// holds the loaded beats, and choosing one moves the view to that beat and writes its
// report to the Info panel.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// Codes are kept for this many rows of the field list; later rows are listed without one.
constexpr int FIELD_CODE_ROWS = 8;

// The code of each of the first rows of the field list (0 for rows the file lacks);
// kept, read by nothing.
extern uint8_t field_codes[FIELD_CODE_ROWS];

// The panel's initialisation: lists every row of the field list (codes into
// field_codes), refreshes both lists and gives the crime list the focus. When the file
// cannot be read: the message "init_query() - can't read fields!" (caption "ERROR!"),
// both lists stay empty and the focus stays where it was.
void init_query(Panel dialog);

// Brings both lists in line with the state, without any command to the panel: row i of
// the crime list selected when query_flags[i] is nonzero, except row 0 under no query;
// the beat list holds the loaded beats' names in table order, selected_beat the current
// row (none when the list lacks that row).
void query_panel_refresh(Panel panel);

// Crime list, selection changed: query_flags from rows 0..6 (1 selected, 0 not or a row
// the list lacks), NO_QUERY in word 0 when no row is selected, then the columns rebuilt.
// Beat list, selection changed: selected_beat = the current row, the view centre moved
// over that beat (z kept), then beat_report. Returns 1 for both lists, whatever the code;
// 0 for any other control.
int query_panel_command(Panel dialog, int control_id, int code);
