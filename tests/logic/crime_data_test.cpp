// The beat table starts empty and its records have the layout the loader relies on.
#include <gtest/gtest.h>

#include "store/crime_data.h"

TEST(CrimeData, TableStartsEmpty)
{
    EXPECT_EQ(0u, beat_count);
    for (int b = 0; b < MAX_BEATS; b++) {
        EXPECT_EQ('\0', beats[b].name[0]);
        for (int t = 0; t < CRIME_TYPE_COUNT; t++)
            EXPECT_EQ(0u, beat_maxima[b][t]);
        for (const MonthRecord& slot : beats[b].months)
            ASSERT_TRUE(slot.year == 0 && slot.month == 0);
        for (const YearRecord& slot : beats[b].years)
            ASSERT_EQ(0, slot.year);
    }
}

TEST(CrimeData, CapacitiesHoldThirteenYears)
{
    EXPECT_EQ(6, MAX_BEATS);
    EXPECT_EQ(13 * 12, MONTH_SLOTS);
    EXPECT_EQ(13, YEAR_SLOTS);
    EXPECT_EQ(7, CRIME_TYPE_COUNT);
    EXPECT_EQ(AUTO_THEFT + 1, CRIME_TYPE_COUNT);
    EXPECT_EQ(MAX_BEATS - 1, CITYWIDE_BEAT);
    EXPECT_EQ(8u, sizeof beats[0].name);
}
