// timeline.h: the Timeline panel: the date as text and as the fill of a bar between the
// timeline's ends, "+" and "-" by day, month and year, and the play state the frame
// timer follows.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "store/dates.h"

constexpr PackedDate END_DATE = 0xB67C;  // 31 December 2012

extern PackedDate timeline_start;  // START_DATE: the bar's low end, where a reset goes
extern PackedDate timeline_end;    // END_DATE: the bar's high end

// What the frame timer does with the date on each tick.
constexpr uint8_t PLAY_BACKWARD = 1;
constexpr uint8_t PLAY_PAUSED = 2;
constexpr uint8_t PLAY_FORWARD = 3;
extern uint8_t play_mode;  // start PLAY_PAUSED
extern uint8_t step_unit;  // STEP_DAY, STEP_MONTH or STEP_YEAR: the play and drag step (start year)

// Fills the step-unit list, checks pause (whatever play_mode holds) and resets the
// timeline on dialog.
void timeline_panel_init(Panel dialog);

// The play buttons set play_mode, the step-unit list step_unit, and each "+" or "-"
// steps current_date by its own unit and rebuilds the columns. Returns 1 for those
// controls, whatever the code; 0 for any other.
int timeline_panel_command(Panel dialog, int control_id, int code);

// Moves current_date back to timeline_start, sets the bar's range and rebuilds the
// columns. Called at the end of every successful data load.
void timeline_reset();

// The bar's position and the date text follow current_date. Nothing for panel 0.
void timeline_show_date(Panel panel);
