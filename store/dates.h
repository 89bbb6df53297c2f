// dates.h: the packed date the map shows, month lengths, stepping by day, month or
// year, and the date text.
//
// A PackedDate is 16 bits: year offset from BASE_YEAR in bits 15-11 (0..31, so
// 1990..2021), month in bits 10-7 (1..12), day in bits 6-2 (1..31), bits 1-0 zero.
// A later date is always the larger number.
#pragma once

#include <cstdint>

typedef uint16_t PackedDate;

// Step levels, the same numbering as the timeline's step_unit.
constexpr uint8_t STEP_DAY = 0;
constexpr uint8_t STEP_MONTH = 1;
constexpr uint8_t STEP_YEAR = 2;

constexpr int DATE_TEXT_SIZE = 18;  // "September,30,2021" and the NUL

// 1 January 1990: where the date starts and where the timeline begins.
constexpr PackedDate START_DATE = 0x0084;

// The date the map shows; starts at START_DATE.
extern PackedDate current_date;

// Field access. make_date keeps only the bits each field has.
PackedDate make_date(unsigned year_offset, unsigned month, unsigned day);
unsigned date_year_offset(PackedDate date);  // 0..31
unsigned date_month(PackedDate date);        // 1..12 in any date the program makes
unsigned date_day(PackedDate date);          // 1..31

// Days of month (1..12) in year BASE_YEAR + year_offset: February has 29 when that year
// is divisible by 4, the Gregorian rule within 1990..2021. 0 for a month outside 1..12.
unsigned days_in_month(unsigned month, unsigned year_offset);

// Steps *date by one day, month or year (level STEP_DAY, STEP_MONTH, STEP_YEAR) in
// place; a day that the new month lacks becomes its last day. Returns 1, or 0 when
// the year offset wrapped (past 2021 to 1990, or back past 1990 to 2021) or the level
// is unknown (the date then unchanged).
int date_step_forward(PackedDate* date, uint8_t level);
int date_step_back(PackedDate* date, uint8_t level);

// The first day of the month a raw 16-bit value lies in, as a bar of raw values shows
// it: its year offset and month fields with day 1; a month field of 0 (just before
// January) counts as January, 13 to 15 (just after December) as December.
PackedDate month_start_of(unsigned raw);

// Writes "Month,day,year" (no blanks, e.g. "January,1,1990") into text, which holds at
// least DATE_TEXT_SIZE bytes. A month outside 1..12 gives "?" as its name.
void date_to_text(PackedDate date, char* text);
