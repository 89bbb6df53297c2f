// records.cpp: read_records; see records.h.
#include "shell/records.h"

#include "panels/timeline.h"
#include "platform/platform.h"
#include "store/loader.h"

int read_records(const char* path)
{
    if (!load_records(path)) {
        platform_message_box("read_records(): fopen error", "ERROR");
        return 0;
    }
    timeline_reset();
    return 1;
}
