// The Chart panel's figures: the series of a beat and of the district, round count ticks,
// the Januaries, and the month under a point of the plot.
#include <gtest/gtest.h>

#include <vector>

#include "query/query.h"
#include "render/chart.h"
#include "store/crime_data.h"
#include "tests/data_fixture.h"

namespace {

void put_month(int beat, int slot, uint16_t year, uint16_t month, uint32_t robbery, uint32_t theft)
{
    MonthRecord& record = beats[beat].months[slot];
    record.year = year, record.month = month;
    record.counts.count[ROBBERY] = robbery, record.counts.count[THEFT] = theft;
}

std::vector<uint32_t> values(const ChartSeries& s)
{
    return std::vector<uint32_t>(s.values, s.values + s.count);
}

// Beat 0 lists March twice (the last line counts), beat 1 February, the citywide
// reference only January 2000, which widens the span but never adds to the district;
// a month outside what a date holds is left out of the span.
TEST(Chart, SeriesOfABeatAndOfTheDistrict)
{
    reset_data_state();
    beat_count = MAX_BEATS;
    put_month(0, 0, 1999, 1, 3, 50);
    put_month(0, 1, 1999, 3, 4, 0);
    put_month(0, 2, 1999, 3, 7, 0);
    put_month(1, 0, 1999, 2, 5, 100);
    put_month(2, 0, 2030, 1, 9, 9);
    put_month(CITYWIDE_BEAT, 0, 2000, 1, 1000, 0);
    query_flags[0] = 0, query_flags[ROBBERY] = 1;
    std::vector<uint32_t> district(13), beat1(13), citywide(13);
    district[0] = 3, district[1] = 5, district[2] = 7;
    beat1[1] = 5;
    citywide[12] = 1000;
    const struct { int beat; std::vector<uint32_t> expected; uint32_t largest; } cases[] = {
        {NO_BEAT, district, 7}, {1, beat1, 5}, {CITYWIDE_BEAT, citywide, 1000}, {9, district, 7}};
    for (const auto& c : cases) {
        ChartSeries series;
        make_chart_series(c.beat, &series);
        EXPECT_EQ((1999 - BASE_YEAR) * 12, series.first_month) << c.beat;
        EXPECT_EQ(c.expected, values(series)) << c.beat;
        EXPECT_EQ(c.largest, series.largest) << c.beat;
    }
    query_flags[0] = NO_QUERY;
    ChartSeries series;
    make_chart_series(0, &series);
    EXPECT_EQ(std::vector<uint32_t>(13), values(series));
    beat_count = 0;
    make_chart_series(NO_BEAT, &series);
    EXPECT_EQ(0, series.count);
}

TEST(Chart, CountTicksAreRound)
{
    const struct { uint32_t largest; int max; uint32_t step; int ticks; } cases[] = {
        {0, 5, 1, 1},   {1, 5, 1, 1},     {7, 5, 2, 4},       {10, 5, 2, 5}, {11, 5, 5, 3},
        {999, 4, 500, 2}, {1000, 5, 200, 5}, {4294967295u, 5, 1000000000, 5}};
    for (const auto& c : cases) {
        uint32_t step = 0;
        const int ticks = chart_count_ticks(c.largest, c.max, &step);
        EXPECT_EQ(std::pair(c.step, c.ticks), std::pair(step, ticks)) << c.largest;
    }
}

// Thirteen months from December 1998 drawn 10 pixels apart from x = 10.
TEST(Chart, MonthsUnderThePointerAndTheAxis)
{
    ChartSeries series = {};
    series.first_month = (1998 - BASE_YEAR) * 12 + 11, series.count = 13;
    const struct { int x, month; } at[] = {{-5, 0}, {10, 0}, {14, 0}, {15, 1}, {73, 6}, {130, 12}, {500, 12}};
    for (const auto& c : at)
        EXPECT_EQ(c.month, chart_month_at(&series, 10, 121, c.x)) << c.x;
    EXPECT_EQ(130, chart_month_x(&series, 10, 121, 12));
    EXPECT_EQ(make_date(1999 - BASE_YEAR, 1, 1), chart_month_date(&series, 1));
    EXPECT_EQ(12, chart_index_of(&series, make_date(1999 - BASE_YEAR, 12, 25)));
    EXPECT_EQ(-1, chart_index_of(&series, make_date(1998 - BASE_YEAR, 11, 1)));
    int indices[4], years[4];
    ASSERT_EQ(1, chart_year_ticks(&series, indices, years, 4));
    EXPECT_EQ(std::pair(1, 1999), std::pair(indices[0], years[0]));
}

}  // namespace
