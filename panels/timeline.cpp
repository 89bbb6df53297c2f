// timeline.cpp: the timeline's state and reset.
#include "panels/timeline.h"

#include "render/columns.h"

PackedDate timeline_start = 0x0084;
PackedDate timeline_end = 0xB67C;
uint8_t play_mode = 2;
uint8_t step_unit = STEP_YEAR;

void timeline_reset()
{
    current_date = timeline_start;
    make_columns();
}
