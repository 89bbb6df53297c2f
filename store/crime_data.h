// crime_data.h: the beat table, the one process-wide record of the loaded crime data.
// The loader is its only writer; query, export, columns and picking read it directly.
#pragma once

#include <cstdint>

constexpr int MAX_BEATS = 6;           // beat records in the table
constexpr int MONTH_SLOTS = 156;       // monthly records per beat (13 years x 12 months)
constexpr int YEAR_SLOTS = 13;         // yearly records per beat
constexpr int CRIME_TYPE_COUNT = 7;    // crime categories
constexpr int BASE_YEAR = 1990;        // the year a packed-date year offset of 0 stands for
constexpr int CITYWIDE_BEAT = 5;       // the sixth beat is the citywide reference
constexpr int BEAT_NAME_SIZE = 8;      // 7 characters and the NUL

// The seven categories, in the order of every data file's count columns.
enum CrimeType {
    MURDER = 0,
    RAPE = 1,
    ROBBERY = 2,
    AGGRAVATED_ASSAULT = 3,
    BURGLARY = 4,
    THEFT = 5,
    AUTO_THEFT = 6,
};

// The categories' names as the crime-type list labels them, indexed by CrimeType.
constexpr const char* CRIME_TYPE_NAMES[CRIME_TYPE_COUNT] = {
    "Murder", "Rape", "Robbery", "Aggravated Assault", "Burglary", "Theft", "Auto Theft"};

// Reported crimes, indexed by CrimeType.
struct CrimeCounts {
    uint32_t count[CRIME_TYPE_COUNT];
};

// One line of a beat's monthly file; year 0 and month 0 mark an empty slot.
struct MonthRecord {
    uint16_t year;   // calendar year, e.g. 1999
    uint16_t month;  // 1..12
    CrimeCounts counts;
};

// One line of a beat's yearly file; year 0 marks an empty slot.
struct YearRecord {
    uint16_t year;  // calendar year
    CrimeCounts counts;
};

struct BeatRecord {
    char name[BEAT_NAME_SIZE];  // NUL-terminated, no blank or comma; names the data files
    float lon;                  // degrees, east positive (near -95.3)
    float lat;                  // degrees, north positive (near 29.7)
    MonthRecord months[MONTH_SLOTS];  // in the order of the monthly file's lines
    YearRecord years[YEAR_SLOTS];     // in the order of the yearly file's lines
};

// A row of the beat table, from the loader to the query results, the columns and
// picking: 0 .. MAX_BEATS - 1, or NO_BEAT. Signed, as the selection and a list's
// current row are, so that "none" compares without conversions.
typedef int BeatIndex;
constexpr BeatIndex NO_BEAT = -1;

// Only beats 0 .. beat_count - 1 are valid; later records may hold stale data.
extern BeatRecord beats[MAX_BEATS];
extern uint32_t beat_count;

// beat_count, never more than the table holds: the bound every reader loops to.
inline BeatIndex loaded_beat_count()
{
    return beat_count < (uint32_t)MAX_BEATS ? (BeatIndex)beat_count : MAX_BEATS;
}

// Bumped by every load that replaces the table: what was made from the table is stale.
extern uint32_t beat_table_generation;

// [beat][type] the largest yearly count of that type in the beat's last yearly file read.
extern uint32_t beat_maxima[MAX_BEATS][CRIME_TYPE_COUNT];
