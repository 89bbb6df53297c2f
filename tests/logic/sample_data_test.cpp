// The sample district in data/ (the tests run in the repository root).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "query/query.h"
#include "store/dates.h"
#include "store/loader.h"
#include "tests/data_fixture.h"

// Six beats with 1999..2011 in every monthly and yearly slot, each year the sum of its
// months. In 2005, all types chosen, the year's count over the summed maxima: ALDER
// above the citywide ratio by more than 0.05, BIRCH within 0.05, LINDEN and MAPLE below.
TEST(SampleData, FullYearsSumTheMonthsAndBeatsDifferFromTheCity)
{
    reset_data_state();
    ASSERT_EQ(1, load_records("data/district.csv"));
    ASSERT_EQ((uint32_t)MAX_BEATS, beat_count);
    for (const BeatRecord& beat : beats)
        for (int y = 0; y < YEAR_SLOTS; y++) {
            CrimeCounts sum = {};
            for (int m = 0; m < 12; m++) {
                const MonthRecord& month = beat.months[12 * y + m];
                ASSERT_EQ(1999 + y, month.year) << beat.name << " " << y;
                ASSERT_EQ(m + 1, month.month) << beat.name << " " << y;
                for (int t = 0; t < CRIME_TYPE_COUNT; t++)
                    sum.count[t] += month.counts.count[t];
            }
            ASSERT_EQ(1999 + y, beat.years[y].year) << beat.name;
            EXPECT_EQ(0, memcmp(&sum, &beat.years[y].counts, sizeof sum)) << beat.name << " " << y;
        }
    std::fill(query_flags, query_flags + CRIME_TYPE_COUNT, 1);
    current_date = make_date(2005 - BASE_YEAR, 7, 1);
    eval_query();
    auto ratio = [](int b) { return (double)query_year_value[b] / query_year_max[b]; };
    const double city = ratio(CITYWIDE_BEAT);
    EXPECT_GT(ratio(0), city + 0.05);
    EXPECT_LT(ratio(3), city - 0.05);
    EXPECT_LT(ratio(4), city - 0.05);
    EXPECT_NEAR(ratio(1), city, 0.05);
}
