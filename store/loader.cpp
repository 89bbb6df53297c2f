// loader.cpp: the beat list, the monthly pass, the yearly pass; see loader.h.
#include "store/loader.h"

#include <cstdio>
#include <cstring>
#include <sys/stat.h>


static const char BEATS_FOLDER[] = "data/beats/";

static void commas_to_blanks(char* line)
{
    for (char* c = line; *c; c++)
        if (*c == ',')
            *c = ' ';
}

// Each parser scans into locals and copies only the fields sscanf filled, so a short
// line leaves the rest of the record alone. A word is at most LINE_SIZE - 1 long, so
// "%255s" into a LINE_SIZE buffer cannot overrun.

void parse_beat_line(char* line, BeatRecord* beat)
{
    commas_to_blanks(line);
    char word[LINE_SIZE];
    float lon = 0, lat = 0;
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

void parse_month_line(char* line, MonthRecord* slot)
{
    commas_to_blanks(line);
    unsigned short year = 0, month = 0;
    char word[LINE_SIZE];
    unsigned c[CRIME_TYPE_COUNT] = {};
    int filled = sscanf(line, "%hu%hu%255s%u%u%u%u%u%u%u", &year, &month, word, &c[0], &c[1],
                        &c[2], &c[3], &c[4], &c[5], &c[6]);
    if (filled >= 1)
        slot->year = year;
    if (filled >= 2)
        slot->month = month;
    for (int t = 0; t < CRIME_TYPE_COUNT && t < filled - 3; t++)
        slot->counts.count[t] = c[t];
}

void parse_year_line(char* line, YearRecord* slot)
{
    commas_to_blanks(line);
    unsigned short year = 0;
    char word[LINE_SIZE];
    unsigned c[CRIME_TYPE_COUNT] = {};
    int filled = sscanf(line, "%hu%255s%u%u%u%u%u%u%u", &year, word, &c[0], &c[1], &c[2],
                        &c[3], &c[4], &c[5], &c[6]);
    if (filled >= 1)
        slot->year = year;
    for (int t = 0; t < CRIME_TYPE_COUNT && t < filled - 2; t++)
        slot->counts.count[t] = c[t];
}

int beat_name_is_safe(const char* name)
{
    return name[0] != '.' && strchr(name, '/') == nullptr;
}

// Opens data/beats/NAME<suffix>, or returns null when the name is unsafe or the file
// cannot be opened.
static FILE* open_beat_file(const char* name, const char* suffix)
{
    if (!beat_name_is_safe(name))
        return nullptr;
    char path[sizeof BEATS_FOLDER + BEAT_NAME_SIZE + 8];
    snprintf(path, sizeof path, "%s%.7s%s", BEATS_FOLDER, name, suffix);
    return fopen(path, "r");
}

static void read_months(int b)
{
    BeatRecord* beat = &beats[b];
    memset(beat->months, 0, sizeof beat->months);
    FILE* file = open_beat_file(beat->name, ".csv");
    if (!file)
        return;
    char line[LINE_SIZE];
    if (fgets(line, sizeof line, file)) {  // header
        for (int j = 0; j < MONTH_SLOTS && fgets(line, sizeof line, file); j++)
            parse_month_line(line, &beat->months[j]);
    }
    fclose(file);
}

static void read_years(int b)
{
    BeatRecord* beat = &beats[b];
    memset(beat->years, 0, sizeof beat->years);
    FILE* file = open_beat_file(beat->name, "_yr.csv");
    if (!file)
        return;  // the maxima stay those of the last load that read this beat's years
    uint32_t* maxima = beat_maxima[b];
    memset(maxima, 0, sizeof beat_maxima[b]);
    char line[LINE_SIZE];
    if (fgets(line, sizeof line, file)) {  // header
        for (int j = 0; j < YEAR_SLOTS && fgets(line, sizeof line, file); j++) {
            parse_year_line(line, &beat->years[j]);
            for (int t = 0; t < CRIME_TYPE_COUNT; t++)
                if (maxima[t] < beat->years[j].counts.count[t])
                    maxima[t] = beat->years[j].counts.count[t];
        }
    }
    fclose(file);
}

FILE* open_for_reading(const char* path)
{
    FILE* file = fopen(path, "r");
    struct stat info;
    if (file && fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) {
        fclose(file);
        return nullptr;
    }
    return file;
}

int load_records(const char* path)
{
    FILE* list = open_for_reading(path);
    if (!list)
        return 0;
    char line[LINE_SIZE];
    beat_count = 0;
    if (fgets(line, sizeof line, list)) {  // header
        while (beat_count < (uint32_t)MAX_BEATS && fgets(line, sizeof line, list)) {
            parse_beat_line(line, &beats[beat_count]);
            beat_count++;
        }
    }
    fclose(list);

    for (uint32_t b = 0; b < beat_count; b++)
        read_months((int)b);
    for (uint32_t b = 0; b < beat_count; b++)
        read_years((int)b);
    return 1;
}
