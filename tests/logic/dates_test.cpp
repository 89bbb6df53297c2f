// Packed dates: stepping, month lengths, ordering and text.
#include <gtest/gtest.h>

#include <ctime>

#include "store/dates.h"

static PackedDate on(unsigned year, unsigned month, unsigned day)
{
    return make_date(year - 1990, month, day);
}

TEST(Dates, StepsClampAndWrap)
{
    struct Case {
        PackedDate from;
        int forward;
        uint8_t level;
        PackedDate to;
        int result;
    } cases[] = {
        {on(1992, 2, 28), 1, STEP_DAY, on(1992, 2, 29), 1},
        {on(1991, 2, 28), 1, STEP_DAY, on(1991, 3, 1), 1},
        {on(1999, 12, 31), 1, STEP_DAY, on(2000, 1, 1), 1},
        {on(1992, 3, 1), 0, STEP_DAY, on(1992, 2, 29), 1},
        {on(1991, 3, 1), 0, STEP_DAY, on(1991, 2, 28), 1},
        {on(2000, 1, 1), 0, STEP_DAY, on(1999, 12, 31), 1},
        {on(1999, 1, 31), 1, STEP_MONTH, on(1999, 2, 28), 1},
        {on(2000, 1, 31), 1, STEP_MONTH, on(2000, 2, 29), 1},
        {on(2005, 12, 15), 1, STEP_MONTH, on(2006, 1, 15), 1},
        {on(2001, 3, 31), 0, STEP_MONTH, on(2001, 2, 28), 1},
        {on(2006, 1, 15), 0, STEP_MONTH, on(2005, 12, 15), 1},
        {on(2000, 2, 29), 1, STEP_YEAR, on(2001, 2, 28), 1},
        {on(2000, 2, 29), 0, STEP_YEAR, on(1999, 2, 28), 1},
        {on(2012, 12, 31), 1, STEP_YEAR, on(2013, 12, 31), 1},
        // wrap-around of the five-bit year: the date moves, the result says so
        {0x0084, 0, STEP_DAY, on(2021, 12, 31), 0},
        {on(2021, 12, 31), 1, STEP_DAY, 0x0084, 0},
        {on(2021, 12, 15), 1, STEP_MONTH, on(1990, 1, 15), 0},
        {on(1990, 1, 15), 0, STEP_MONTH, on(2021, 12, 15), 0},
        {on(2021, 6, 1), 1, STEP_YEAR, on(1990, 6, 1), 0},
        {on(1990, 6, 1), 0, STEP_YEAR, on(2021, 6, 1), 0},
        {on(2020, 2, 29), 1, STEP_YEAR, on(2021, 2, 28), 1},
        // unknown level: unchanged, 0
        {on(2005, 5, 5), 1, 3, on(2005, 5, 5), 0},
        {on(2005, 5, 5), 0, 255, on(2005, 5, 5), 0},
    };
    for (const Case& c : cases) {
        PackedDate date = c.from;
        int result = c.forward ? date_step_forward(&date, c.level) : date_step_back(&date, c.level);
        EXPECT_EQ(c.to, date) << "from 0x" << std::hex << c.from << " forward " << c.forward
                              << " level " << (int)c.level;
        EXPECT_EQ(c.result, result) << "from 0x" << std::hex << c.from;
        EXPECT_EQ(0, date & 3);
    }
}

// Every day of 1990..2021, one step at a time, against the C library's calendar.
TEST(Dates, DayWalkMatchesCalendar)
{
    struct tm first = {};
    first.tm_year = 90;
    first.tm_mday = 1;
    time_t start = timegm(&first);
    PackedDate date = 0x0084;
    PackedDate previous = 0;
    int days = 0;
    for (struct tm day;; days++) {
        time_t seconds = start + (time_t)days * 86400;
        gmtime_r(&seconds, &day);
        ASSERT_EQ((unsigned)day.tm_year - 90, date_year_offset(date)) << days;
        ASSERT_EQ((unsigned)day.tm_mon + 1, date_month(date)) << days;
        ASSERT_EQ((unsigned)day.tm_mday, date_day(date)) << days;
        ASSERT_GT(date, previous);  // packed order is date order
        previous = date;
        int last = day.tm_year == 121 && day.tm_mon == 11 && day.tm_mday == 31;
        ASSERT_EQ(last ? 0 : 1, date_step_forward(&date, STEP_DAY)) << days;
        if (last)
            break;
    }
    EXPECT_EQ(0x0084, date);
    EXPECT_EQ(32 * 365 + 8 - 1, days);  // steps over 32 years, 8 of them leap years
    date = on(2021, 12, 31);
    for (int i = 0; i < days; i++)
        ASSERT_EQ(1, date_step_back(&date, STEP_DAY));
    EXPECT_EQ(0x0084, date);
}

TEST(Dates, PackedValuesOfTheTimeline)
{
    EXPECT_EQ(0x0084, on(1990, 1, 1));
    EXPECT_EQ(0xB67C, on(2012, 12, 31));
    EXPECT_EQ(0x0084, current_date);
    PackedDate ordered[] = {on(1990, 1, 1), on(1999, 1, 1), on(2011, 11, 1), on(2012, 12, 31),
                            on(2021, 12, 31)};
    for (size_t i = 1; i < sizeof ordered / sizeof ordered[0]; i++)
        EXPECT_LT(ordered[i - 1], ordered[i]);
}

TEST(Dates, Text)
{
    struct Case {
        PackedDate date;
        const char* text;
    } cases[] = {
        {0x0084, "January,1,1990"},
        {on(2011, 11, 1), "November,1,2011"},
        {on(2021, 9, 30), "September,30,2021"},  // the longest
        {on(2000, 2, 29), "February,29,2000"},
        {make_date(3, 13, 2), "?,2,1993"},
        {make_date(3, 0, 2), "?,2,1993"},
    };
    for (const Case& c : cases) {
        char text[DATE_TEXT_SIZE];
        date_to_text(c.date, text);
        EXPECT_STREQ(c.text, text);
    }
}
