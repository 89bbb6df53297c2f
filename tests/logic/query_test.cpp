// Query evaluation over a beat table set up in memory.
#include <gtest/gtest.h>

#include "query/query.h"
#include "store/dates.h"
#include "tests/logic/fake_columns.h"

static void put_month(int b, int slot, uint16_t year, uint16_t month, uint32_t first)
{
    beats[b].months[slot].year = year;
    beats[b].months[slot].month = month;
    for (int t = 0; t < CRIME_TYPE_COUNT; t++)
        beats[b].months[slot].counts.count[t] = first << t;  // type t counts first * 2^t
}

static void put_year(int b, int slot, uint16_t year, uint32_t first)
{
    beats[b].years[slot].year = year;
    for (int t = 0; t < CRIME_TYPE_COUNT; t++)
        beats[b].years[slot].counts.count[t] = first << t;
}

static void select_types(const uint16_t (&flags)[CRIME_TYPE_COUNT])
{
    for (int t = 0; t < CRIME_TYPE_COUNT; t++)
        query_flags[t] = flags[t];
}

class Query : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_data_state();
        // three beats with March 2004 and the year 2004, in slots away from the start
        beat_count = 3;
        for (int b = 0; b < 3; b++) {
            put_month(b, 40 + b, 2004, 3, (uint32_t)(b + 1));
            put_month(b, 41 + b, 2004, 4, 100);
            put_year(b, 5 + b, 2004, (uint32_t)(10 * (b + 1)));
            for (int t = 0; t < CRIME_TYPE_COUNT; t++)
                beat_maxima[b][t] = 1000u * (uint32_t)(b + 1);
        }
        current_date = make_date(14, 3, 17);
    }
    void TearDown() override { reset_data_state(); }
};

// Sums over the chosen types; the day plays no part; 255 in word 0 means no query.
TEST_F(Query, SumsOfTheChosenTypes)
{
    struct Case {
        uint16_t flags[CRIME_TYPE_COUNT];
        uint32_t mask;  // bit t set when type t counts; also the sum of a record of first 1
    } cases[] = {
        {{NO_QUERY, 0, 0, 0, 0, 0, 0}, 0},
        {{NO_QUERY, 1, 1, 1, 1, 1, 1}, 0},
        {{0, 0, 0, 0, 0, 0, 0}, 0},  // the default query: passes run, nothing chosen
        {{1, 0, 0, 0, 0, 0, 0}, 0x01},
        {{0, 0, 7, 0, 0, 0, 1}, 0x44},
        {{1, 1, 1, 1, 1, 1, 1}, 0x7F},
        {{254, 0, 0, 0, 0, 0, 0}, 0x01},
    };
    for (const Case& c : cases) {
        select_types(c.flags);
        for (unsigned day : {1u, 17u, 31u}) {
            current_date = make_date(14, 3, day);
            eval_query();
            uint32_t total = 0;
            for (uint32_t b = 0; b < 3; b++) {
                EXPECT_EQ((b + 1) * c.mask, query_value[b]) << "mask " << c.mask;
                EXPECT_EQ(10 * (b + 1) * c.mask, query_year_value[b]);
                EXPECT_EQ(1000 * (b + 1) * (uint32_t)__builtin_popcount(c.mask), query_year_max[b]);
                total += query_value[b];
            }
            EXPECT_EQ(total, query_area_total);
        }
    }
}

// A date outside the data, a beat without a record in the middle, fewer than six beats:
// a beat without a matching slot gets 0 and the others keep theirs.
TEST_F(Query, BeatsWithoutRecordsGetZero)
{
    select_types({1, 1, 1, 1, 1, 1, 1});
    current_date = 0x0084;  // 1 January 1990, before the data
    eval_query();
    for (int b = 0; b < MAX_BEATS; b++)
        EXPECT_TRUE(query_value[b] == 0 && query_year_value[b] == 0 && query_year_max[b] == 0);
    EXPECT_EQ(0u, query_area_total);

    // beat 1 loses its March record, beat 0 its 2004 record; stale data beyond beat_count
    beats[1].months[41] = MonthRecord();
    beats[0].years[5] = YearRecord();
    put_month(CITYWIDE_BEAT, 0, 2004, 3, 5);
    put_year(CITYWIDE_BEAT, 0, 2004, 5);
    current_date = make_date(14, 3, 1);
    eval_query();
    uint32_t month_values[MAX_BEATS] = {127, 0, 381, 0, 0, 0};
    uint32_t year_values[MAX_BEATS] = {0, 20 * 127, 30 * 127, 0, 0, 0};
    uint32_t year_maxima[MAX_BEATS] = {0, 2000 * 7, 3000 * 7, 0, 0, 0};
    for (int b = 0; b < MAX_BEATS; b++) {
        EXPECT_EQ(month_values[b], query_value[b]) << b;
        EXPECT_EQ(year_values[b], query_year_value[b]) << b;
        EXPECT_EQ(year_maxima[b], query_year_max[b]) << b;
    }
    EXPECT_EQ(127u + 381u, query_area_total);
}

// Two slots of the same month or year: the later one counts. Sums wrap at 2^32.
TEST_F(Query, LaterSlotWinsAndSumsWrap)
{
    put_month(0, 150, 2004, 3, 77);
    put_year(0, 12, 2004, 66);
    put_month(1, 100, 2004, 3, 4294967295u);
    put_month(1, 120, 2004, 3, 4294967295u);  // equal to slot 100, later than both
    select_types({1, 1, 0, 0, 0, 0, 0});     // 0xFFFFFFFF + 0xFFFFFFFE wraps
    eval_query();
    EXPECT_EQ(77u + 154u, query_value[0]);
    EXPECT_EQ(66u + 132u, query_year_value[0]);
    EXPECT_EQ(4294967293u, query_value[1]);
    EXPECT_EQ(77u + 154u + 4294967293u + 9u, query_area_total);  // wraps too
}
