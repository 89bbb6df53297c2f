// timeline.h: the timeline's range and its reset.
#pragma once

#include "store/dates.h"

extern PackedDate timeline_start;  // START_DATE: the low end, where a reset goes

// Moves current_date back to timeline_start and rebuilds the columns. Called at the end
// of every successful data load.
void timeline_reset();
