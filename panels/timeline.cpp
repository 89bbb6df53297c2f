// timeline.cpp: the timeline's range and reset.
#include "panels/timeline.h"

#include "render/columns.h"

PackedDate timeline_start = START_DATE;

void timeline_reset()
{
    current_date = timeline_start;
    make_columns();
}
