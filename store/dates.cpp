// dates.cpp: packed dates and calendar stepping; see dates.h.
#include "store/dates.h"

#include <cstdio>

#include "store/crime_data.h"

PackedDate current_date = START_DATE;

static const uint8_t days_per_month[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

static const char* const MONTH_NAMES[12] = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December",
};

PackedDate make_date(unsigned year_offset, unsigned month, unsigned day)
{
    return (PackedDate)(((year_offset & 31u) << 11) | ((month & 15u) << 7) | ((day & 31u) << 2));
}

unsigned date_year_offset(PackedDate date) { return (date >> 11) & 31u; }
unsigned date_month(PackedDate date) { return (date >> 7) & 15u; }
unsigned date_day(PackedDate date) { return (date >> 2) & 31u; }

unsigned days_in_month(unsigned month, unsigned year_offset)
{
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && (BASE_YEAR + year_offset) % 4 == 0)
        return 29;
    return days_per_month[month];
}

// A day beyond the month's length becomes the last day.
static unsigned clamp_day(unsigned day, unsigned month, unsigned year_offset)
{
    unsigned length = days_in_month(month, year_offset);
    return day > length ? length : day;
}

// Moves value one step up (delta +1) or down (-1) within first..last. From the end it
// moves toward, it wraps to the other end and sets *carry; otherwise *carry is cleared.
static unsigned step_field(unsigned value, int delta, unsigned first, unsigned last, int* carry)
{
    *carry = value == (delta > 0 ? last : first);
    if (*carry)
        return delta > 0 ? first : last;
    return delta > 0 ? value + 1 : value - 1;
}

// A day step that carries goes on to the month, a month step to the year; the day is then
// cut to the new month's length. Back from day 1 the day becomes 31, which that cut turns
// into the last day of the month before.
static int date_step(PackedDate* date, uint8_t level, int delta)
{
    if (level > STEP_YEAR)
        return 0;
    unsigned year = date_year_offset(*date);
    unsigned month = date_month(*date);
    unsigned day = date_day(*date);
    int carry = 1;
    if (level == STEP_DAY)
        day = step_field(day, delta, 1, delta > 0 ? days_in_month(month, year) : 31, &carry);
    if (carry && level <= STEP_MONTH) {
        month = step_field(month, delta, 1, 12, &carry);
        day = clamp_day(day, month, year);
    }
    if (carry) {
        year = step_field(year, delta, 0, 31, &carry);
        day = clamp_day(day, month, year);
    }
    *date = make_date(year, month, day);
    return !carry;  // carry is left set only when the year wrapped
}

int date_step_forward(PackedDate* date, uint8_t level)
{
    return date_step(date, level, +1);
}

int date_step_back(PackedDate* date, uint8_t level)
{
    return date_step(date, level, -1);
}

PackedDate month_start_of(unsigned raw)
{
    const PackedDate date = (PackedDate)raw;
    unsigned month = date_month(date);
    month = month < 1 ? 1 : month > 12 ? 12 : month;
    return make_date(date_year_offset(date), month, 1);
}

void date_to_text(PackedDate date, char* text)
{
    unsigned month = date_month(date);
    const char* name = (month >= 1 && month <= 12) ? MONTH_NAMES[month - 1] : "?";
    snprintf(text, DATE_TEXT_SIZE, "%s,%hu,%hu", name, (unsigned short)date_day(date),
             (unsigned short)(BASE_YEAR + date_year_offset(date)));
}
