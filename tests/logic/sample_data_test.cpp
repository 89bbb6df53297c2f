// The sample district in data/: it loads completely, its yearly lines are the sums of
// their months, and its beats compare differently with the citywide record. Runs in
// the repository root.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "query/query.h"
#include "store/dates.h"
#include "store/loader.h"
#include "tests/logic/fake_columns.h"
#include "tests/test_platform.h"

class SampleData : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_data_state();
        test_platform_reset();
        ASSERT_EQ(1, read_records("data/district.csv"));
    }
    void TearDown() override { reset_data_state(); }
};

TEST_F(SampleData, EverySlotFilledAndYearsSumTheMonths)
{
    EXPECT_TRUE(test_platform.messages.empty());
    ASSERT_EQ((uint32_t)MAX_BEATS, beat_count);
    const char* names[MAX_BEATS] = {"ALDER", "BIRCH", "CEDAR", "LINDEN", "MAPLE", "CITYWD"};
    for (int b = 0; b < MAX_BEATS; b++) {
        const BeatRecord& beat = beats[b];
        EXPECT_STREQ(names[b], beat.name);
        EXPECT_TRUE(beat.lon > -95.3761f && beat.lon < -95.263f) << beat.name;
        EXPECT_TRUE(beat.lat > 29.6935f && beat.lat < 29.7855f) << beat.name;
        for (int y = 0; y < YEAR_SLOTS; y++) {
            const YearRecord& year = beat.years[y];
            ASSERT_EQ(1999 + y, year.year) << beat.name;
            for (int t = 0; t < CRIME_TYPE_COUNT; t++) {
                uint32_t sum = 0;
                for (int m = 0; m < 12; m++) {
                    const MonthRecord& month = beat.months[12 * y + m];
                    ASSERT_EQ(year.year, month.year) << beat.name;
                    ASSERT_EQ(m + 1, month.month) << beat.name;
                    sum += month.counts.count[t];
                }
                EXPECT_EQ(year.counts.count[t], sum) << beat.name << " " << year.year << " type " << t;
                EXPECT_GE(beat_maxima[b][t], year.counts.count[t]);
            }
        }
    }
    // the citywide record is a whole city's
    EXPECT_GT(beats[CITYWIDE_BEAT].years[6].counts.count[THEFT],
              40 * beats[0].years[6].counts.count[THEFT]);

    FILE* fields = fopen("data/ui/fields.ui", "r");
    ASSERT_NE(nullptr, fields);
    char line[LINE_SIZE];
    int rows = 0;
    for (; fgets(line, sizeof line, fields); rows++)
        EXPECT_NE(nullptr, strchr(line, ',')) << "row " << rows;
    fclose(fields);
    EXPECT_EQ(CRIME_TYPE_COUNT, rows);
}

// In 2005, all types chosen, the year's count over the summed maxima: ALDER above the
// citywide ratio by more than 0.05, BIRCH within 0.05, LINDEN and MAPLE below.
TEST_F(SampleData, BeatsDifferFromTheCity)
{
    for (int t = 0; t < CRIME_TYPE_COUNT; t++)
        query_flags[t] = 1;
    current_date = make_date(2005 - BASE_YEAR, 7, 1);
    eval_query();
    double ratio[MAX_BEATS];
    for (int b = 0; b < MAX_BEATS; b++) {
        ASSERT_GT(query_value[b], 0u);
        ASSERT_GT(query_year_max[b], 0u);
        ratio[b] = (double)query_year_value[b] / query_year_max[b];
    }
    double city = ratio[CITYWIDE_BEAT];
    EXPECT_GT(ratio[0], city + 0.05);
    EXPECT_LT(ratio[1], city + 0.05);
    EXPECT_GT(ratio[1], city - 0.05);
    EXPECT_LT(ratio[3], city - 0.05);
    EXPECT_LT(ratio[4], city - 0.05);
}
