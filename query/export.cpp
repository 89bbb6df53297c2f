// export.cpp: the query-value CSV file; see export.h.
#include "query/export.h"

#include <cstdio>

#include "query/query.h"
#include "store/crime_data.h"
#include "store/safe_file.h"

int export_query_values(const char* path)
{
    SafeFile file;
    if (!safe_file_open(&file, path))
        return 0;
    static const char HEADER[] = "BEAT,QUERY_VAL\r\n";
    safe_file_write(&file, HEADER, sizeof HEADER - 1);
    BeatIndex count = loaded_beat_count();
    for (BeatIndex b = 0; b < count; b++) {
        char line[BEAT_NAME_SIZE + 16];  // name, comma, 10 digits, CR LF, NUL
        int length = snprintf(line, sizeof line, "%.7s,%u\r\n", beats[b].name, query_value[b]);
        safe_file_write(&file, line, (size_t)length);
    }
    return safe_file_commit(&file);
}
