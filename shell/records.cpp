// records.cpp: read_records; see records.h.
#include "shell/records.h"

#include <cerrno>

#include "panels/file_dialogs.h"
#include "panels/timeline.h"
#include "platform/platform.h"
#include "store/loader.h"

int load_error;

int read_records(const char* path)
{
    errno = 0;
    if (!load_records(path)) {
        load_error = errno;
        file_message("read_records(): fopen error", "ERROR", path, load_error);
        return 0;
    }
    timeline_reset();
    return 1;
}
