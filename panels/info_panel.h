// info_panel.h: the Info panel, a read-only log of the reports on beats, and beat_report,
// which writes them. The log is the text of the panel's text box; no other copy exists.
#pragma once

#include "platform/platform.h"
#include "store/crime_data.h"

// The log's working buffer: at most 52,223 characters and the NUL.
constexpr int INFO_LOG_SIZE = 52224;
// Lines the log keeps, as the text box counts them: a wrapped line once per display line,
// and the empty line after a final line end as one.
constexpr int INFO_LINE_LIMIT = 198;

// Makes beat (NO_BEAT: none) the selected beat and rebuilds the columns; for a loaded
// beat then appends its report (query/report.h) to the log.
void beat_report(BeatIndex beat);

// Appends text and one more CR LF to the log. Whole lines go from the front of the log,
// each with its line end, first until the log fits INFO_LOG_SIZE - 1 characters, then
// until the text box counts at most INFO_LINE_LIMIT lines; a report is never cut. Then
// the end of the log is scrolled into view and the panel shown.
void info_append(const char* text);

// Asks for a file name (".txt") and writes the log to it, every carriage return turned
// into a blank and every line feed written as the line end "\n". Then "Save complete"
// (caption "Info"); when the file cannot be written, a message that says so (caption
// "Error") and an existing file of that name keeps its contents. Cancelling the dialog
// does nothing.
void info_save();

// "Clear" empties the log, "Save" saves it; both on the click. Returns 1 for the two
// buttons, whatever the code; 0 for any other control.
int info_panel_command(Panel dialog, int control_id, int code);
