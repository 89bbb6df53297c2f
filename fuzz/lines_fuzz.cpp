// lines_fuzz.cpp: one line of arbitrary bytes, as fgets gives it, through each line
// parser of the loader, in memory (no files: fast enough for millions of inputs).
// The monthly and yearly parsers are checked against sscanf reading every number as a
// long long: from a slot filled with a marker, each field must take sscanf's value up to
// the first field that is missing, unreadable or outside its range, and every later
// field must keep the marker.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "store/loader.h"

static const uint16_t MARK16 = 0xA5A5;
static const uint32_t MARK32 = 0xA5A5A5A5;

static void blank_commas(char* line)
{
    for (char* c = line; *c; c++)
        if (*c == ',')
            *c = ' ';
}

// 1 when a value sscanf read fits the field: 0 .. max.
static int fits(long long value, long long max)
{
    return value >= 0 && value <= max;
}

// The name is sscanf's first word cut to 7 characters, or untouched when there is none;
// each coordinate sscanf's float up to the first it cannot read, the later ones untouched.
static void check_beat_line(const char* input)
{
    char line[LINE_SIZE], copy[LINE_SIZE], word[LINE_SIZE];
    memcpy(line, input, LINE_SIZE);
    memcpy(copy, input, LINE_SIZE);
    blank_commas(copy);
    BeatRecord beat, before;
    memset(&before, 0xA5, sizeof before);
    beat = before;
    parse_beat_line(line, &beat);
    float lon, lat;
    int filled = sscanf(copy, "%255s%f%f", word, &lon, &lat);
    if (filled < 1) {
        if (memcmp(&before, &beat, sizeof beat) != 0)
            abort();
        return;
    }
    word[BEAT_NAME_SIZE - 1] = '\0';
    if (strcmp(word, beat.name) != 0 || memcmp(&beat.lon, filled >= 2 ? &lon : &before.lon, sizeof lon) ||
        memcmp(&beat.lat, filled >= 3 ? &lat : &before.lat, sizeof lat))
        abort();
}

// A monthly line (year, month, a word, the counts) or a yearly one (year, a word, the counts).
static void check_counts_line(const char* input, int with_month)
{
    char line[LINE_SIZE], copy[LINE_SIZE], word[LINE_SIZE];
    memcpy(line, input, LINE_SIZE);
    memcpy(copy, input, LINE_SIZE);
    blank_commas(copy);
    long long year = 0, month = 0, c[CRIME_TYPE_COUNT] = {};
    int filled = with_month ? sscanf(copy, "%lld%lld%255s%lld%lld%lld%lld%lld%lld%lld", &year, &month, word,
                                     &c[0], &c[1], &c[2], &c[3], &c[4], &c[5], &c[6])
                            : sscanf(copy, "%lld%255s%lld%lld%lld%lld%lld%lld%lld", &year, word, &c[0], &c[1],
                                     &c[2], &c[3], &c[4], &c[5], &c[6]);
    const int first_count = with_month ? 4 : 3;  // fields sscanf fills up to the first count
    MonthRecord expected = {MARK16, MARK16, {{MARK32, MARK32, MARK32, MARK32, MARK32, MARK32, MARK32}}};
    MonthRecord slot = expected;
    if (filled >= 1 && fits(year, UINT16_MAX)) {
        expected.year = (uint16_t)year;
        if (!with_month || (filled >= 2 && fits(month, UINT16_MAX))) {
            expected.month = with_month ? (uint16_t)month : MARK16;
            for (int t = 0; t < CRIME_TYPE_COUNT && filled >= first_count + t && fits(c[t], UINT32_MAX); t++)
                expected.counts.count[t] = (uint32_t)c[t];
        }
    }
    if (with_month) {
        parse_month_line(line, &slot);
    } else {
        YearRecord year_slot = {MARK16, slot.counts};
        parse_year_line(line, &year_slot);
        slot.year = year_slot.year, slot.counts = year_slot.counts;
    }
    if (memcmp(&expected, &slot, sizeof slot) != 0)  // no padding in a MonthRecord
        abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char line[LINE_SIZE] = {};  // at most 255 bytes and a NUL, as fgets fills it
    memcpy(line, data, size < LINE_SIZE - 1 ? size : LINE_SIZE - 1);
    check_beat_line(line);
    check_counts_line(line, 1);
    check_counts_line(line, 0);
    // the field list's line parser goes here, with its own check
    return 0;
}
