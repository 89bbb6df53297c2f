// Packed dates: stepping, month lengths, ordering and text.
#include <gtest/gtest.h>

#include <ctime>

#include "store/dates.h"

// The packed date of yyyymmdd, e.g. 19990131.
static PackedDate ymd(unsigned date)
{
    return make_date(date / 10000 - 1990, date / 100 % 100, date % 100);
}

// Day steps are walked below; here the month-end clamps, wraps past either end of
// 1990..2021 (carries included; result 0) and unknown levels (date unchanged, result 0).
TEST(Dates, StepsClampAndWrap)
{
    const uint8_t D = STEP_DAY, M = STEP_MONTH, Y = STEP_YEAR;
    struct Case { unsigned from; int direction; uint8_t level; unsigned to; int result; };
    const Case cases[] = {
        {19990131, +1, M, 19990228, 1}, {20000131, +1, M, 20000229, 1},
        {20010331, -1, M, 20010228, 1}, {20000229, +1, Y, 20010228, 1},
        {20000229, -1, Y, 19990228, 1}, {20200229, +1, Y, 20210228, 1},
        {19900101, -1, D, 20211231, 0}, {20211231, +1, D, 19900101, 0},
        {20211215, +1, M, 19900115, 0}, {19900115, -1, M, 20211215, 0},
        {20210601, +1, Y, 19900601, 0}, {19900601, -1, Y, 20210601, 0},
        {20050505, +1, 3, 20050505, 0}, {20050505, -1, 255, 20050505, 0}};
    for (const Case& c : cases) {
        PackedDate date = ymd(c.from);
        int result = (c.direction > 0 ? date_step_forward : date_step_back)(&date, c.level);
        EXPECT_EQ(ymd(c.to), date) << c.from << " " << c.direction << " level " << +c.level;
        EXPECT_EQ(c.result, result) << c.from << " " << c.direction << " level " << +c.level;
    }
}

// Every day of 1990..2021 against the C library's calendar, starting from the packed
// value of 1 January 1990: a step forward reaches it, one back returns, the packed value
// grows and the text is the calendar's.
TEST(Dates, DayWalkMatchesCalendar)
{
    PackedDate date = START_DATE, back;
    struct tm t = {};
    for (time_t seconds = 7306 * 86400L; t.tm_year < 121 || t.tm_yday < 364; seconds += 86400) {
        gmtime_r(&seconds, &t);  // 7305 days from 1970 to 1990
        const PackedDate before = date;
        ASSERT_EQ(1, date_step_forward(&date, STEP_DAY)) << before;
        ASSERT_EQ(1, date_step_back(&(back = date), STEP_DAY)) << date;
        ASSERT_EQ(ymd((t.tm_year + 1900) * 10000 + (t.tm_mon + 1) * 100 + t.tm_mday), date) << before;
        ASSERT_GT(date, before);
        ASSERT_EQ(before, back) << date;
        char text[DATE_TEXT_SIZE], expected[32];
        date_to_text(date, text);
        strftime(expected, sizeof expected, "%B,%-d,%Y", &t);
        ASSERT_STREQ(expected, text);
    }
}
