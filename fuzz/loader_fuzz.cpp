// loader_fuzz.cpp: arbitrary bytes through the loader, in memory: a beat list, 0xFF, the
// monthly file of beat "B", 0xFF, its yearly file, each a stream over its part of the
// input (every other file is missing); then the query, all types chosen, is evaluated on
// whatever it read. loader_files_fuzz reads the same parts from files.
#include <cstdlib>
#include <cstring>

#include "query/query.h"
#include "store/loader.h"

static const char* const PATHS[3] = {"list.csv", "data/beats/B.csv", "data/beats/B_yr.csv"};
static const uint8_t* part_data[3];
static size_t part_size[3];

static FILE* open_part(const char* path)
{
    for (int i = 0; i < 3; i++)
        if (!strcmp(path, PATHS[i]))  // "r" never writes to the bytes
            return fmemopen((void*)part_data[i], part_size[i], "r");
    return nullptr;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const uint8_t* end = data + size;
    for (int i = 0; i < 3; i++) {  // the last part runs to the end, 0xFF bytes and all
        const uint8_t* stop = i < 2 && data < end ? (const uint8_t*)memchr(data, 0xFF, (size_t)(end - data)) : nullptr;
        part_data[i] = data;
        part_size[i] = (size_t)((stop ? stop : end) - data);
        data = stop ? stop + 1 : end;
    }
    for (int t = 0; t < CRIME_TYPE_COUNT; t++)
        query_flags[t] = 1;
    if (!load_records_from(PATHS[0], open_part) || beat_count > (uint32_t)MAX_BEATS)
        abort();
    eval_query();
    for (const BeatRecord& beat : beats)
        if (!memchr(beat.name, '\0', sizeof beat.name))
            abort();  // every name stays terminated
    return 0;
}
