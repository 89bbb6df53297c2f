// loader.cpp: the field scanner, the line parsers, the beat list, the monthly and yearly
// passes into a staging table, and its commit; see loader.h.
#include "store/loader.h"

#include <cstdio>
#include <cstring>

#include "store/regular_file.h"

static const char BEATS_FOLDER[] = "data/beats/";

static void commas_to_blanks(char* line)
{
    for (char* c = line; *c; c++)
        if (*c == ',')
            *c = ' ';
}

//// field scanner
// Fields are separated by the C locale's white space, whatever locale the program runs
// in. Each scan_* moves *cursor past the field it read and returns 1, or returns 0 and
// leaves *cursor alone when the field is missing or unreadable.

int is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

static int is_digit(char c)
{
    return c >= '0' && c <= '9';
}

// A decimal number of at most max: blanks, an optional '+' or '-', one or more digits;
// the digits end at the first other character, which starts the next field. Unreadable
// when there is no digit or the value is outside 0 .. max ("-0" is 0, "-1" unreadable).
static int scan_number(const char** cursor, uint32_t max, uint32_t* value)
{
    const char* c = *cursor;
    while (is_blank(*c))
        c++;
    int negative = *c == '-';
    if (*c == '+' || *c == '-')
        c++;
    if (!is_digit(*c))
        return 0;
    uint64_t number = 0;
    for (; is_digit(*c); c++) {
        number = number * 10 + (uint64_t)(*c - '0');
        if (number > max)
            number = (uint64_t)max + 1;  // out of range however many digits follow
    }
    if (number > max || (negative && number != 0))
        return 0;
    *value = (uint32_t)number;
    *cursor = c;
    return 1;
}

// One word of any non-blank characters, which is skipped.
static int scan_word(const char** cursor)
{
    const char* c = *cursor;
    while (is_blank(*c))
        c++;
    if (!*c)
        return 0;
    while (*c && !is_blank(*c))
        c++;
    *cursor = c;
    return 1;
}

// The seven counts in CrimeType order, up to the first unreadable one.
static void scan_counts(const char* c, CrimeCounts* counts)
{
    uint32_t value;
    for (int t = 0; t < CRIME_TYPE_COUNT && scan_number(&c, UINT32_MAX, &value); t++)
        counts->count[t] = value;
}

//// line parsers
// Each writes a field only once it has been read, so an unreadable field leaves it and
// every later field as the record held them.

void parse_beat_line(char* line, BeatRecord* beat)
{
    commas_to_blanks(line);
    char word[LINE_SIZE];
    float lon = 0, lat = 0;
    // a word is at most LINE_SIZE - 1 long, so "%255s" into word cannot overrun
    int filled = sscanf(line, "%255s%f%f", word, &lon, &lat);
    if (filled >= 1) {
        size_t length = strlen(word);
        if (length > BEAT_NAME_SIZE - 1)
            length = BEAT_NAME_SIZE - 1;  // a longer name keeps its first 7 characters
        memcpy(beat->name, word, length);
        beat->name[length] = '\0';
    }
    if (filled >= 2)
        beat->lon = lon;
    if (filled >= 3)
        beat->lat = lat;
}

// The first field of a monthly or yearly line, its year, into *year; *c after it.
static int scan_year(char* line, const char** c, uint16_t* year)
{
    commas_to_blanks(line);
    *c = line;
    uint32_t value;
    if (!scan_number(c, UINT16_MAX, &value))
        return 0;
    *year = (uint16_t)value;
    return 1;
}

void parse_month_line(char* line, MonthRecord* slot)
{
    const char* c;
    uint32_t value;
    if (!scan_year(line, &c, &slot->year) || !scan_number(&c, UINT16_MAX, &value))
        return;
    slot->month = (uint16_t)value;
    if (scan_word(&c))
        scan_counts(c, &slot->counts);
}

void parse_year_line(char* line, YearRecord* slot)
{
    const char* c;
    if (!scan_year(line, &c, &slot->year))
        return;
    if (scan_word(&c))
        scan_counts(c, &slot->counts);
}

int beat_name_is_safe(const char* name)
{
    return name[0] != '.' && strchr(name, '/') == nullptr;
}

//// loading
// A load reads into a staging copy of the table and commits it whole on success, so a
// beat list that fails part-way leaves the table as the last successful load left it.

static BeatRecord staged_beats[MAX_BEATS];
static BeatIndex staged_count;
static uint32_t staged_maxima[MAX_BEATS][CRIME_TYPE_COUNT];

// Opens data/beats/NAME<suffix> through open, or returns null when the name is unsafe or
// the file cannot be opened.
static FILE* open_beat_file(const char* name, const char* suffix, OpenForReading open)
{
    if (!beat_name_is_safe(name))
        return nullptr;
    char path[sizeof BEATS_FOLDER + BEAT_NAME_SIZE + 8];
    snprintf(path, sizeof path, "%s%.7s%s", BEATS_FOLDER, name, suffix);
    return open(path);
}

// A file that fails while being read counts as missing: its slots end empty.
static void read_months(BeatRecord* beat, OpenForReading open)
{
    memset(beat->months, 0, sizeof beat->months);
    FILE* file = open_beat_file(beat->name, ".csv", open);
    if (!file)
        return;
    char line[LINE_SIZE];
    if (fgets(line, sizeof line, file)) {  // header
        for (int j = 0; j < MONTH_SLOTS && fgets(line, sizeof line, file); j++)
            parse_month_line(line, &beat->months[j]);
    }
    if (ferror(file))
        memset(beat->months, 0, sizeof beat->months);
    fclose(file);
}

// The maxima change only when the whole file was read; a file that cannot be opened or
// fails while being read keeps those of the last load that read this beat's years.
static void read_years(BeatRecord* beat, uint32_t* maxima, OpenForReading open)
{
    memset(beat->years, 0, sizeof beat->years);
    FILE* file = open_beat_file(beat->name, "_yr.csv", open);
    if (!file)
        return;
    uint32_t largest[CRIME_TYPE_COUNT] = {};
    char line[LINE_SIZE];
    if (fgets(line, sizeof line, file)) {  // header
        for (int j = 0; j < YEAR_SLOTS && fgets(line, sizeof line, file); j++) {
            parse_year_line(line, &beat->years[j]);
            for (int t = 0; t < CRIME_TYPE_COUNT; t++)
                if (largest[t] < beat->years[j].counts.count[t])
                    largest[t] = beat->years[j].counts.count[t];
        }
    }
    if (ferror(file))
        memset(beat->years, 0, sizeof beat->years);
    else
        memcpy(maxima, largest, sizeof largest);
    fclose(file);
}

FILE* open_for_reading(const char* path)
{
    return open_regular_file(path);
}

int load_records(const char* path)
{
    return load_records_from(path, open_for_reading);
}

int load_records_from(const char* path, OpenForReading open)
{
    FILE* list = open(path);
    if (!list)
        return 0;
    memcpy(staged_beats, beats, sizeof beats);  // a short line keeps what its beat held
    memcpy(staged_maxima, beat_maxima, sizeof beat_maxima);
    staged_count = 0;
    char line[LINE_SIZE];
    if (fgets(line, sizeof line, list)) {  // header
        while (staged_count < MAX_BEATS && fgets(line, sizeof line, list)) {
            parse_beat_line(line, &staged_beats[staged_count]);
            staged_count++;
        }
    }
    int read_whole = !ferror(list);
    fclose(list);
    if (!read_whole)
        return 0;

    for (BeatIndex b = 0; b < staged_count; b++)
        read_months(&staged_beats[b], open);
    for (BeatIndex b = 0; b < staged_count; b++)
        read_years(&staged_beats[b], staged_maxima[b], open);

    memcpy(beats, staged_beats, sizeof beats);
    memcpy(beat_maxima, staged_maxima, sizeof beat_maxima);
    beat_count = (uint32_t)staged_count;
    beat_table_generation++;
    return 1;
}
