// read_records and its line parsers. Every test runs in a fresh temporary folder, since
// the per-beat paths are relative to the working directory.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "query/query.h"
#include "store/dates.h"
#include "store/loader.h"
#include "tests/logic/fake_columns.h"
#include "tests/test_platform.h"

namespace fs = std::filesystem;

static void write_file(const std::string& path, const std::string& text)
{
    fs::create_directories(fs::path(path).parent_path().empty() ? "." : fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

static std::string month_line(int year, int month, unsigned first_count)
{
    std::string line = std::to_string(year) + "," + std::to_string(month) + ",Mon";
    for (int t = 0; t < CRIME_TYPE_COUNT; t++)
        line += "," + std::to_string(first_count + t);
    return line + "\n";
}

static const char MONTH_HEADER[] = "YEAR,MONTH,MON,A,B,C,D,E,F,G\n";
static const char YEAR_HEADER[] = "YEAR,WORD,A,B,C,D,E,F,G\n";

class Loader : public ::testing::Test {
protected:
    fs::path home;
    fs::path folder;
    void SetUp() override
    {
        reset_data_state();
        test_platform_reset();
        home = fs::current_path();
        char name[] = "/tmp/zavro_loader_XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(name));
        folder = name;
        fs::current_path(folder);
        fs::create_directories("data/beats");
    }
    void TearDown() override
    {
        fs::current_path(home);
        fs::remove_all(folder);
        reset_data_state();
    }
};

TEST_F(Loader, ListShapesAndReset)
{
    struct Case {
        const char* list;
        uint32_t beats;
    } cases[] = {
        {"", 0},
        {"BEAT,LON,LAT\n", 0},
        {"BEAT,LON,LAT", 0},
        {"BEAT,LON,LAT\nA,1,2\n", 1},
        {"BEAT,LON,LAT\nA,1,2", 1},  // last line without a line end
        {"BEAT,LON,LAT\nA,1,2\n\n", 2},  // a blank line takes a beat
    };
    for (const Case& c : cases) {
        write_file("list.csv", c.list);
        current_date = make_date(15, 6, 3);
        beat_count = 4;
        int calls = make_columns_calls;
        EXPECT_EQ(1, read_records("list.csv")) << c.list;
        EXPECT_EQ(c.beats, beat_count) << c.list;
        EXPECT_EQ(0x0084, current_date);
        EXPECT_EQ(calls + 1, make_columns_calls);
    }
    EXPECT_TRUE(test_platform.messages.empty());
}

TEST_F(Loader, UnopenableListChangesNothing)
{
    write_file("list.csv", "H\nA,-95.3,29.7\nB,-95.2,29.6\n");
    write_file("data/beats/A.csv", std::string(MONTH_HEADER) + month_line(1999, 1, 5));
    write_file("data/beats/A_yr.csv", std::string(YEAR_HEADER) + "1999,T,9,9,9,9,9,9,9\n");
    ASSERT_EQ(1, read_records("list.csv"));
    static BeatRecord saved[MAX_BEATS];
    memcpy(saved, beats, sizeof beats);
    uint32_t saved_maxima[MAX_BEATS][CRIME_TYPE_COUNT];
    memcpy(saved_maxima, beat_maxima, sizeof beat_maxima);
    current_date = make_date(15, 6, 3);
    int calls = make_columns_calls;

    const char* paths[] = {"missing.csv", "data", ""};  // absent, a folder, empty
    for (const char* path : paths) {
        test_platform_reset();
        EXPECT_EQ(0, read_records(path)) << path;
        ASSERT_EQ(1u, test_platform.messages.size()) << path;
        EXPECT_EQ("read_records(): fopen error", test_platform.messages[0].text);
        EXPECT_EQ("ERROR", test_platform.messages[0].caption);
    }
    EXPECT_EQ(2u, beat_count);
    EXPECT_EQ(0, memcmp(saved, beats, sizeof beats));
    EXPECT_EQ(0, memcmp(saved_maxima, beat_maxima, sizeof beat_maxima));
    EXPECT_EQ(make_date(15, 6, 3), current_date);
    EXPECT_EQ(calls, make_columns_calls);
}

// A short or malformed line fills the fields up to the first unreadable one; the rest
// keep what the record held.
TEST_F(Loader, PartialLinesFillAPrefix)
{
    struct BeatCase {
        const char* line;
        const char* name;
        float lon, lat;
    } beat_cases[] = {
        {"", "OLD", 1.5f, 2.5f},
        {"\r\n", "OLD", 1.5f, 2.5f},
        {"NEW\n", "NEW", 1.5f, 2.5f},
        {"NEW,x,-3\n", "NEW", 1.5f, 2.5f},
        {"NEW,-95.25\n", "NEW", -95.25f, 2.5f},
        {"NEW -95.25   29.75\r\n", "NEW", -95.25f, 29.75f},
        {",,NEW,,-95.25,,29.75,,", "NEW", -95.25f, 29.75f},
        {"ABCDEFGHIJKL,-95.25,29.75\n", "ABCDEFG", -95.25f, 29.75f},  // long name cut
    };
    for (const BeatCase& c : beat_cases) {
        BeatRecord beat = {};
        strcpy(beat.name, "OLD");
        beat.lon = 1.5f;
        beat.lat = 2.5f;
        char line[LINE_SIZE];
        strcpy(line, c.line);
        parse_beat_line(line, &beat);
        EXPECT_STREQ(c.name, beat.name) << c.line;
        EXPECT_EQ(c.lon, beat.lon) << c.line;
        EXPECT_EQ(c.lat, beat.lat) << c.line;
    }

    struct MonthCase {
        const char* line;
        uint16_t year, month;
        uint32_t counts[CRIME_TYPE_COUNT];
    } month_cases[] = {
        {"", 7, 7, {7, 7, 7, 7, 7, 7, 7}},
        {"1999\n", 1999, 7, {7, 7, 7, 7, 7, 7, 7}},
        {"1999,4\n", 1999, 4, {7, 7, 7, 7, 7, 7, 7}},
        {"1999,4,Apr,1,2\r\n", 1999, 4, {1, 2, 7, 7, 7, 7, 7}},
        {"1999,4,Apr,1,2,x,4,5,6,7\n", 1999, 4, {1, 2, 7, 7, 7, 7, 7}},
        {"1999,4,1,2,3,4,5,6,7,8\n", 1999, 4, {2, 3, 4, 5, 6, 7, 8}},  // 1 is the word
        {"1999 4 Apr 1 2 3 4 5 6 7 99\n", 1999, 4, {1, 2, 3, 4, 5, 6, 7}},
        {"x,4,Apr,1,2,3,4,5,6,7\n", 7, 7, {7, 7, 7, 7, 7, 7, 7}},
        {"2001,12,Dec,4294967295,0,0,0,0,0,1\n", 2001, 12, {4294967295u, 0, 0, 0, 0, 0, 1}},
    };
    for (const MonthCase& c : month_cases) {
        MonthRecord slot = {7, 7, {{7, 7, 7, 7, 7, 7, 7}}};
        char line[LINE_SIZE];
        strcpy(line, c.line);
        parse_month_line(line, &slot);
        EXPECT_EQ(c.year, slot.year) << c.line;
        EXPECT_EQ(c.month, slot.month) << c.line;
        for (int t = 0; t < CRIME_TYPE_COUNT; t++)
            EXPECT_EQ(c.counts[t], slot.counts.count[t]) << c.line << " type " << t;
    }

    struct YearCase {
        const char* line;
        uint16_t year;
        uint32_t counts[CRIME_TYPE_COUNT];
    } year_cases[] = {
        {"", 7, {7, 7, 7, 7, 7, 7, 7}},
        {"2003\n", 2003, {7, 7, 7, 7, 7, 7, 7}},
        {"2003,Total\n", 2003, {7, 7, 7, 7, 7, 7, 7}},
        {"2003,Total,1,2,3\n", 2003, {1, 2, 3, 7, 7, 7, 7}},
        {"2003,Total,1,2,3,4,5,6,7\r\n", 2003, {1, 2, 3, 4, 5, 6, 7}},
        {"2003,1,2,3,4,5,6,7,8\n", 2003, {2, 3, 4, 5, 6, 7, 8}},
    };
    for (const YearCase& c : year_cases) {
        YearRecord slot = {7, {{7, 7, 7, 7, 7, 7, 7}}};
        char line[LINE_SIZE];
        strcpy(line, c.line);
        parse_year_line(line, &slot);
        EXPECT_EQ(c.year, slot.year) << c.line;
        for (int t = 0; t < CRIME_TYPE_COUNT; t++)
            EXPECT_EQ(c.counts[t], slot.counts.count[t]) << c.line << " type " << t;
    }
}

// Every line after the header takes the next slot: blank lines, duplicates and the pieces
// of a line longer than 255 characters; CR LF and LF read alike.
TEST_F(Loader, EveryLineTakesASlot)
{
    std::string long_line = "1999,1,Jan,1,2,3,4,5,6,7,";
    long_line += std::string(255 - long_line.size(), ' ') + "2000,2,Feb,9,9,9,9,9,9,9\n";
    std::string months = std::string(MONTH_HEADER) + long_line + "\n" + month_line(2001, 3, 10) +
                         month_line(2001, 3, 20) + month_line(2001, 4, 30);
    std::string crlf;
    for (char c : months)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    write_file("list.csv", "BEAT,LON,LAT\r\nLF,-95.3,29.7\r\nCRLF,-95.2,29.6\r\n");
    write_file("data/beats/LF.csv", months);
    write_file("data/beats/CRLF.csv", crlf);
    ASSERT_EQ(1, read_records("list.csv"));
    ASSERT_EQ(2u, beat_count);
    EXPECT_STREQ("CRLF", beats[1].name);
    EXPECT_EQ(-95.2f, beats[1].lon);
    EXPECT_EQ(29.6f, beats[1].lat);
    EXPECT_EQ(0, memcmp(beats[0].months, beats[1].months, sizeof beats[0].months));

    const MonthRecord* slot = beats[0].months;
    struct Expected {
        uint16_t year, month;
        uint32_t first;
    } expected[] = {{1999, 1, 1}, {2000, 2, 9}, {0, 0, 0}, {2001, 3, 10}, {2001, 3, 20},
                    {2001, 4, 30}, {0, 0, 0}};
    for (int j = 0; j < 7; j++) {
        EXPECT_EQ(expected[j].year, slot[j].year) << "slot " << j;
        EXPECT_EQ(expected[j].month, slot[j].month) << "slot " << j;
        EXPECT_EQ(expected[j].first, slot[j].counts.count[0]) << "slot " << j;
    }

    // a blank beat line keeps what its index held: here the previous load's beat
    write_file("list.csv", "BEAT,LON,LAT\nLF,-95.3,29.7\n\n");
    ASSERT_EQ(1, read_records("list.csv"));
    ASSERT_EQ(2u, beat_count);
    EXPECT_STREQ("CRLF", beats[1].name);
    EXPECT_EQ(29.6f, beats[1].lat);
}

TEST_F(Loader, CapacitiesStopTheRead)
{
    std::string list = "BEAT,LON,LAT\n";
    for (int b = 0; b < MAX_BEATS + 3; b++)
        list += "B" + std::to_string(b) + "," + std::to_string(b) + ",1\n";
    write_file("list.csv", list);
    std::string months = MONTH_HEADER;
    for (int j = 0; j < MONTH_SLOTS + 10; j++)
        months += month_line(1990 + j / 12, j % 12 + 1, (unsigned)j);
    write_file("data/beats/B0.csv", months);
    std::string years = YEAR_HEADER;
    for (int j = 0; j < YEAR_SLOTS + 2; j++)
        years += std::to_string(1999 + j) + ",T,1,1,1,1,1,1," + std::to_string(j < YEAR_SLOTS ? j : 1000) + "\n";
    write_file("data/beats/B0_yr.csv", years);

    ASSERT_EQ(1, read_records("list.csv"));
    EXPECT_EQ((uint32_t)MAX_BEATS, beat_count);
    EXPECT_STREQ("B5", beats[MAX_BEATS - 1].name);
    EXPECT_EQ(MONTH_SLOTS - 1, (int)beats[0].months[MONTH_SLOTS - 1].counts.count[0]);
    EXPECT_EQ(2002, beats[0].months[MONTH_SLOTS - 1].year);
    EXPECT_EQ(2011, beats[0].years[YEAR_SLOTS - 1].year);
    EXPECT_EQ((uint32_t)YEAR_SLOTS - 1, beat_maxima[0][AUTO_THEFT]);  // not the ignored 1000
}

// The maxima are the largest yearly counts (unsigned); a missing yearly file clears the
// slots but keeps the maxima of the last load that read one; a missing monthly file
// leaves the months empty and the load goes on.
TEST_F(Loader, MissingFilesAndMaxima)
{
    write_file("list.csv", "BEAT,LON,LAT\nA,1,1\nB,2,2\n");
    write_file("data/beats/A.csv", std::string(MONTH_HEADER) + month_line(1999, 1, 5));
    write_file("data/beats/A_yr.csv", std::string(YEAR_HEADER) +
                                          "1999,T,3,0,4294967295,1,1,1,1\n"
                                          "2000,T,5,2,1,1,1,1\n"
                                          "\n"
                                          "2001,T,4,9,0,0,0,0,0\n");
    write_file("data/beats/B_yr.csv", std::string(YEAR_HEADER) + "1999,T,8,8,8,8,8,8,8\n");
    ASSERT_EQ(1, read_records("list.csv"));
    uint32_t expected_a[CRIME_TYPE_COUNT] = {5, 9, 4294967295u, 1, 1, 1, 1};
    for (int t = 0; t < CRIME_TYPE_COUNT; t++) {
        EXPECT_EQ(expected_a[t], beat_maxima[0][t]) << t;
        EXPECT_EQ(8u, beat_maxima[1][t]) << t;
    }
    for (const MonthRecord& slot : beats[1].months)  // B has no monthly file
        ASSERT_TRUE(slot.year == 0 && slot.month == 0 && slot.counts.count[0] == 0);
    EXPECT_EQ(1999, beats[1].years[0].year);

    fs::remove("data/beats/A_yr.csv");
    ASSERT_EQ(1, read_records("list.csv"));
    for (int t = 0; t < CRIME_TYPE_COUNT; t++)
        EXPECT_EQ(expected_a[t], beat_maxima[0][t]) << t;
    for (const YearRecord& slot : beats[0].years)
        ASSERT_EQ(0, slot.year);
    EXPECT_EQ(1999, beats[0].months[0].year);
}

// A name forms data/beats/NAME.csv unchanged (case kept, cut to 7 characters), unless
// it could lead outside data/beats: then the beat stays but its files count as missing.
TEST_F(Loader, NamesFormThePaths)
{
    struct Case {
        const char* list_name;
        const char* stored;
        const char* file;  // a monthly file that a careless loader would read, or null
        int loads;
    } cases[] = {
        {"Mixed", "Mixed", "data/beats/Mixed.csv", 1},
        {"LONGNAME9", "LONGNAM", "data/beats/LONGNAM.csv", 1},
        {"..", "..", "data/beats/...csv", 0},
        {".", ".", "data/beats/..csv", 0},
        {".hidden", ".hidden", "data/beats/.hidden.csv", 0},
        {"../up", "../up", "data/up.csv", 0},
        {"a/b", "a/b", "data/beats/a/b.csv", 0},
        {"/tmp/x", "/tmp/x", nullptr, 0},
    };
    for (const Case& c : cases) {
        if (c.file)
            write_file(c.file, std::string(MONTH_HEADER) + month_line(2004, 6, 1));
        write_file("list.csv", std::string("BEAT,LON,LAT\n") + c.list_name + ",-95.3,29.7\n");
        ASSERT_EQ(1, read_records("list.csv")) << c.list_name;
        EXPECT_STREQ(c.stored, beats[0].name);
        EXPECT_EQ(29.7f, beats[0].lat) << c.list_name;
        EXPECT_EQ(c.loads ? 2004 : 0, beats[0].months[0].year) << c.list_name;
    }
    EXPECT_EQ(0, beat_name_is_safe("..x"));
    EXPECT_EQ(1, beat_name_is_safe("x.."));
    EXPECT_EQ(1, beat_name_is_safe(""));
}
