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

// What the frame timer does with the date on each tick: a step back by step_unit,
// nothing, a step forward.
enum PlayMode : uint8_t { PLAY_BACKWARD = 1, PLAY_PAUSED = 2, PLAY_FORWARD = 3 };
extern PlayMode play_mode;  // start PLAY_PAUSED
extern uint8_t step_unit;  // STEP_DAY, STEP_MONTH or STEP_YEAR: the play and drag step (start year)

// Fills the step-unit list, checks pause (whatever play_mode holds) and resets the
// timeline on dialog.
void timeline_panel_init(Panel dialog);

// The play buttons set play_mode, the step-unit list step_unit, each "+" or "-" steps
// the date by its own unit (step_current_date), and a press or drag on the bar goes to
// the first of the month under the pointer. Returns 1 for those controls, whatever the
// code; 0 for any other.
int timeline_panel_command(Panel dialog, int control_id, int code);

// The date moved: current_date = date, shown on the Timeline panel (timeline_show_date),
// then the columns rebuilt for it. Every change of the date goes through here.
void set_current_date(PackedDate date);

// set_current_date with current_date stepped by one unit (STEP_DAY, STEP_MONTH or
// STEP_YEAR): forward for a direction above 0, back below 0, not at all for 0 (shown
// and rebuilt all the same). A step past the year field's range wraps.
void step_current_date(int direction, uint8_t unit);

// play_mode = mode, and the Timeline panel's play buttons show it.
void set_play_mode(PlayMode mode);

// Sets the bar's range and moves the date back to timeline_start. Called at the end of
// every successful data load.
void timeline_reset();

// The bar's position and the date text follow current_date. Nothing for panel 0.
void timeline_show_date(Panel panel);
