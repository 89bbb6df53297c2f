// timeline.h: the timeline's range and play state, and its reset.
#pragma once

#include <cstdint>

#include "store/dates.h"

extern PackedDate timeline_start;  // 1 January 1990 (0x0084): the low end, where a reset goes
extern PackedDate timeline_end;    // 31 December 2012 (0xB67C): the high end
extern uint8_t play_mode;          // 1 plays backward, 2 paused, 3 plays forward
extern uint8_t step_unit;          // STEP_DAY, STEP_MONTH or STEP_YEAR: the play and drag step

// Moves current_date back to timeline_start and rebuilds the columns. Called at the end
// of every successful data load.
void timeline_reset();
