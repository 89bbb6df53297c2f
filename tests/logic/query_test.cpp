// Query evaluation over a beat table set up in memory.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "query/query.h"
#include "store/dates.h"
#include "tests/data_fixture.h"

// Three beats (fewer than six) and the given flags. Beat b holds March 2004 in month slot
// 40 + b and 2004 in year slot 5 + b, away from the start: type t counts (b + 1) << t in
// the month and 10 (b + 1) << t in the year; each maximum is 1000 (b + 1).
static void three_beats(const uint16_t (&flags)[CRIME_TYPE_COUNT])
{
    reset_data_state();
    memcpy(query_flags, flags, sizeof query_flags);
    for (beat_count = 0; beat_count < 3; beat_count++) {
        const uint32_t b = beat_count;
        beats[b].months[40 + b] = {2004, 3, {}};
        beats[b].years[5 + b] = {2004, {}};
        for (int t = 0; t < CRIME_TYPE_COUNT; t++) {
            beats[b].months[40 + b].counts.count[t] = (b + 1) << t;
            beats[b].years[5 + b].counts.count[t] = 10 * (b + 1) << t;
            beat_maxima[b][t] = 1000 * (b + 1);
        }
    }
}

// Evaluates at date; "beat:value/year value/year maximum" of every beat with a value that
// is not 0, then the area total.
static std::string evaluated(PackedDate date)
{
    current_date = date;
    eval_query();
    std::string text;
    for (int b = 0; b < MAX_BEATS; b++)
        if (query_value[b] || query_year_value[b] || query_year_max[b])
            text += std::to_string(b) + ":" + std::to_string(query_value[b]) + "/" +
                    std::to_string(query_year_value[b]) + "/" +
                    std::to_string(query_year_max[b]) + " ";
    return text + std::to_string(query_area_total);
}

const PackedDate MARCH = make_date(2004 - BASE_YEAR, 3, 31);  // of 2004

// Sums over the chosen types; NO_QUERY in word 0 means no query, any other value there
// (0 in the default query) chooses type 0 or not. Before the data, all is 0.
TEST(Query, SumsOfTheChosenTypes)
{
    struct Case { uint16_t flags[CRIME_TYPE_COUNT]; PackedDate date; const char* results; };
    const Case cases[] = {
        {{NO_QUERY, 1, 1, 1, 1, 1, 1}, MARCH, "0"},
        {{0, 0, 7, 0, 0, 0, 1}, MARCH, "0:68/680/2000 1:136/1360/4000 2:204/2040/6000 408"},
        {{1, 1, 1, 1, 1, 1, 1}, MARCH, "0:127/1270/7000 1:254/2540/14000 2:381/3810/21000 762"},
        {{1, 1, 1, 1, 1, 1, 1}, START_DATE, "0"},
        {{254, 0, 0, 0, 0, 0, 0}, MARCH, "0:1/10/1000 1:2/20/2000 2:3/30/3000 6"}};
    for (const Case& c : cases) {
        three_beats(c.flags);
        EXPECT_EQ(c.results, evaluated(c.date));
    }
}

// A beat without a slot for the date gets 0 and the pass goes on; of two slots for the
// same month or year the later counts, whatever the day; beats beyond beat_count play no
// part.
TEST(Query, MissingAndRepeatedRecords)
{
    three_beats({1, 1, 1, 1, 1, 1, 1});
    beats[2].months[150] = beats[0].months[40];
    beats[2].years[12] = beats[0].years[5];
    beats[CITYWIDE_BEAT] = beats[0];
    beats[1].months[41] = {};
    beats[0].years[5] = {};
    EXPECT_EQ("0:127/0/0 1:0/2540/14000 2:127/1270/21000 254", evaluated(make_date(14, 3, 1)));
}
