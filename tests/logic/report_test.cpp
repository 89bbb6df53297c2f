// The beat report's text, byte for byte, from query results set up in memory.
#include <gtest/gtest.h>

#include <cstring>

#include "query/query.h"
#include "query/report.h"
#include "store/dates.h"
#include "tests/data_fixture.h"

// Beat 0 of count beats with its results, and the citywide beat's year figures.
struct Figures {
    uint32_t count, value, total, year_value, year_max, city_value, city_max;
};

static std::string report(const Figures& f, int beat = 0)
{
    reset_data_state();
    current_date = make_date(10, 2, 29);
    strcpy(beats[0].name, "ALDER77");
    beat_count = f.count;
    query_value[0] = f.value;
    query_area_total = f.total;
    query_year_value[0] = f.year_value;
    query_year_max[0] = f.year_max;
    query_year_value[CITYWIDE_BEAT] = f.city_value;
    query_year_max[CITYWIDE_BEAT] = f.city_max;
    char text[REPORT_SIZE] = "stale";
    EXPECT_EQ(beat == 0, format_beat_report(beat, text, sizeof text));
    return text;
}

static std::string lines(const char* area, const char* beat, const char* comparison)
{
    return "***********************************************************\r\n"
           "Date: February,29,2000\r\nCrime total for ZAVRO area: " + std::string(area) +
           "\r\nCrime total for beat ALDER77: " + beat + "%\r\nBeat ALDER77 crime vs. citywide: " +
           comparison + "%\r\n\r\n";
}

// The share and the comparison are single-precision values printed with two decimals:
// 1462 of 1491 is 98.06 (98.05 in double precision); 29/160 against 1/2 is -31.88.
TEST(Report, Text)
{
    struct Case { Figures figures; std::string text; } cases[] = {
        {{6, 0, 0, 0, 0, 0, 0}, lines("0", "0, 0.00", "0.00")},  // no query
        {{6, 1, 3, 1, 4, 1, 2}, lines("3", "1, 33.33", "-25.00")},
        {{6, 1462, 1491, 29, 160, 1, 2}, lines("1491", "1462, 98.06", "-31.88")},
        {{3, 2, 2, 3, 8, 0, 0}, lines("2", "2, 100.00", "37.50")},  // no citywide beat: ratio 0
        {{6, 5, 7, 9, 0, 1, 4}, lines("7", "5, 71.43", "-25.00")},  // a ratio of 0 / 0 is 0
        {{6, 4294967295u, 4294967295u, 3, 3, 0, 0}, lines("4294967295", "4294967295, 100.00", "100.00")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, report(c.figures));
    for (int beat : {-1, 3, MAX_BEATS})  // not loaded: no text
        EXPECT_EQ("", report({3, 1, 1, 1, 1, 1, 1}, beat)) << beat;
}
