// Packed dates: stepping, month lengths, ordering and text.
#include <gtest/gtest.h>

#include "store/dates.h"

// Days since 1970-01-01 of a proleptic Gregorian date, computed without the code under test.
static long days_from_civil(long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    long era = (y >= 0 ? y : y - 399) / 400;
    unsigned yoe = (unsigned)(y - era * 400);
    unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + (long)doe - 719468;
}

static void civil_from_days(long z, long* y, unsigned* m, unsigned* d)
{
    z += 719468;
    long era = (z >= 0 ? z : z - 146096) / 146097;
    unsigned doe = (unsigned)(z - era * 146097);
    unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    unsigned mp = (5 * doy + 2) / 153;
    *d = doy - (153 * mp + 2) / 5 + 1;
    *m = mp < 10 ? mp + 3 : mp - 9;
    *y = (long)yoe + era * 400 + (*m <= 2);
}

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

TEST(Dates, DayWalkMatchesCalendar)
{
    long first = days_from_civil(1990, 1, 1);
    long last = days_from_civil(2021, 12, 31);
    PackedDate date = 0x0084;
    PackedDate previous = 0;
    for (long day = first; day <= last; day++) {
        long y;
        unsigned m, d;
        civil_from_days(day, &y, &m, &d);
        ASSERT_EQ(1990 + date_year_offset(date), (unsigned long)y) << day;
        ASSERT_EQ(m, date_month(date)) << y << "-" << m << "-" << d;
        ASSERT_EQ(d, date_day(date)) << y << "-" << m << "-" << d;
        ASSERT_EQ(days_in_month(m, (unsigned)(y - 1990)),
                  (unsigned)(days_from_civil(m == 12 ? y + 1 : y, m % 12 + 1, 1) -
                             days_from_civil(y, m, 1)));
        ASSERT_GT(date, previous);  // packed order is date order
        previous = date;
        int result = date_step_forward(&date, STEP_DAY);
        ASSERT_EQ(day == last ? 0 : 1, result);
    }
    EXPECT_EQ(0x0084, date);
    // and back again to the start
    date = on(2021, 12, 31);
    for (long day = last; day > first; day--)
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
