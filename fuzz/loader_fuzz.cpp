// loader_fuzz.cpp: arbitrary bytes through the loader's line parsers, and through
// read_records as a beat list plus the monthly and yearly files of beat "B", then the
// query evaluation and date stepping on whatever was loaded.
//
// Input: list bytes, then optionally 0xFF and the monthly file of B, then 0xFF and its
// yearly file. Files go to a private temporary folder, the working directory while an
// input runs.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <sys/stat.h>

#include "query/query.h"
#include "render/columns.h"
#include "store/dates.h"
#include "store/loader.h"

// The rebuild without OpenGL: it evaluates the query, as the real one does.
void make_columns()
{
    eval_query();
}

// The scratch folder is the working directory only while an input runs, so that relative
// paths of the caller (a corpus folder libFuzzer writes to) keep working.
static char scratch[] = "/tmp/zavro_loader_fuzz_XXXXXX";
static char home[4096];

static void remove_scratch_folder()
{
    if (chdir(scratch) != 0)
        return;
    unlink("list.csv");
    unlink("data/beats/B.csv");
    unlink("data/beats/B_yr.csv");
    rmdir("data/beats");
    rmdir("data");
    if (chdir(home) == 0)
        rmdir(scratch);
}

static int enter_scratch_folder()
{
    static int ready = 0;
    if (!ready) {
        if (!getcwd(home, sizeof home) || !mkdtemp(scratch))
            return 0;
        atexit(remove_scratch_folder);
        ready = 1;
    }
    if (chdir(scratch) != 0)
        return 0;
    mkdir("data", 0700);
    mkdir("data/beats", 0700);
    return 1;
}

static void write_bytes(const char* path, const uint8_t* data, size_t size)
{
    FILE* file = fopen(path, "wb");
    if (!file)
        return;
    fwrite(data, 1, size, file);
    fclose(file);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // each parser on one line as fgets would give it: at most 255 bytes and a NUL
    char line[LINE_SIZE];
    size_t length = size < LINE_SIZE - 1 ? size : LINE_SIZE - 1;
    BeatRecord beat = {};
    MonthRecord month = {};
    YearRecord year = {};
    memcpy(line, data, length);
    line[length] = '\0';
    parse_beat_line(line, &beat);
    if (memchr(beat.name, '\0', sizeof beat.name) == nullptr)
        abort();  // the name must stay terminated
    memcpy(line, data, length);
    parse_month_line(line, &month);
    memcpy(line, data, length);
    parse_year_line(line, &year);

    if (!enter_scratch_folder())
        return 0;
    const uint8_t* end = data + size;
    const uint8_t* cut1 = (const uint8_t*)memchr(data, 0xFF, size);
    const uint8_t* months = cut1 ? cut1 + 1 : end;
    const uint8_t* cut2 = cut1 ? (const uint8_t*)memchr(months, 0xFF, (size_t)(end - months)) : nullptr;
    const uint8_t* years = cut2 ? cut2 + 1 : end;
    write_bytes("list.csv", data, (size_t)((cut1 ? cut1 : end) - data));
    write_bytes("data/beats/B.csv", months, (size_t)((cut2 ? cut2 : end) - months));
    write_bytes("data/beats/B_yr.csv", years, (size_t)(end - years));

    for (int t = 0; t < CRIME_TYPE_COUNT; t++)
        query_flags[t] = 1;
    if (!read_records("list.csv"))
        abort();  // the list was just written
    if (beat_count > (uint32_t)MAX_BEATS)
        abort();
    for (uint32_t b = 0; b < beat_count; b++)
        if (memchr(beats[b].name, '\0', sizeof beats[b].name) == nullptr)
            abort();

    // a date taken from the input, stepped both ways at every level, then evaluated
    PackedDate date = size >= 2 ? (PackedDate)(data[0] | data[1] << 8) : 0x0084;
    char text[DATE_TEXT_SIZE];
    for (uint8_t level = 0; level < 4; level++) {
        date_step_forward(&date, level);
        date_step_back(&date, level);
        date_to_text(date, text);
    }
    current_date = date;
    eval_query();
    if (chdir(home) != 0)
        abort();
    return 0;
}
