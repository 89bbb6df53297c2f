// load_records over files (the line parsers' field rules are lines_fuzz's, checked
// against sscanf on its corpus).
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "store/dates.h"
#include "store/loader.h"
#include "store/regular_file.h"
#include "tests/data_fixture.h"

using Loader = InScratchFolder;

// Writes the list and, per pair, data/beats/<first> holding <second>; then loads the list.
static int load(const std::string& list,
                const std::vector<std::pair<std::string, std::string>>& files = {})
{
    std::ofstream("list.csv", std::ios::binary) << list;
    for (const auto& file : files)
        std::ofstream("data/beats/" + file.first, std::ios::binary) << file.second;
    return load_records("list.csv");
}

// The whole table as a load left it: names, slots, maxima and count.
static std::string table()
{
    return std::string((const char*)beats, sizeof beats) + std::string((const char*)beat_maxima, sizeof beat_maxima) +
           std::to_string(beat_count);
}

// Every line after the header takes a beat, a blank one too; a line of a name alone
// keeps the coordinates the record held. A list that cannot be opened changes nothing.
TEST_F(Loader, ListShapesAndFailures)
{
    struct Case { const char* list; uint32_t beats; } cases[] = {
        {"", 0}, {"BEAT,LON,LAT\n", 0}, {"BEAT,LON,LAT", 0}, {"H\nA,1,2", 1}, {"H\nA\n\nB", 3}};
    for (const Case& c : cases) {
        EXPECT_EQ(1, load(c.list, {{"A_yr.csv", "H\n1999,T,9\n"}})) << c.list;
        EXPECT_EQ(c.beats, beat_count) << c.list;
    }
    EXPECT_EQ((std::pair{1.0f, 2.0f}), (std::pair{beats[0].lon, beats[0].lat}));  // from "A,1,2" before "A"
    const std::string saved = table();
    for (const char* path : {"missing.csv", "data", ""})  // absent, a folder, empty
        EXPECT_EQ(0, load_records(path)) << path;
    EXPECT_TRUE(saved == table());
}

// Every line after a file's header takes the next slot (blank lines, repeats, the pieces
// of a line longer than 255 characters) until the slots are full; CR LF reads as LF. A
// short or malformed line fills the fields up to the first unreadable one.
TEST_F(Loader, EveryLineTakesASlot)
{
    std::string months = "H\n1999,1,Jan,1,2,3,4,5,6,7,";
    months += std::string(257 - months.size(), ' ') +
              "2000 2 Feb 9\n\n2001,3,x,10\n2001,3,x,20,5,x,7\n2001\n";
    std::string crlf, list = "H\r\nLF\r\nCRLF,-95.2,29.6\r\n";
    for (char c : months)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (int j = 0; j < MONTH_SLOTS; j++)
        months += "2002,5,May," + std::to_string(j) + "\n";
    for (int b = 0; b < MAX_BEATS; b++)
        list += "X" + std::to_string(b) + "\r\n";
    ASSERT_EQ(1, load(list, {{"LF.csv", months}, {"CRLF.csv", crlf}}));
    EXPECT_EQ((uint32_t)MAX_BEATS, beat_count);
    EXPECT_STREQ("X3", beats[MAX_BEATS - 1].name);
    EXPECT_STREQ("CRLF", beats[1].name);
    EXPECT_EQ(29.6f, beats[1].lat);
    const MonthRecord expected[] = {{1999, 1, {{1, 2, 3, 4, 5, 6, 7}}}, {2000, 2, {{9}}}, {},
                                    {2001, 3, {{10}}}, {2001, 3, {{20, 5}}}, {2001, 0, {}}};
    for (int j = 0; j < 12; j++)  // both beats
        EXPECT_EQ(0, memcmp(&expected[j % 6], &beats[j / 6].months[j % 6], sizeof expected[0]))
            << "beat " << j / 6 << " slot " << j % 6;
    EXPECT_EQ(MONTH_SLOTS - 7, (int)beats[0].months[MONTH_SLOTS - 1].counts.count[0]);
}

// The maxima are the largest counts of the yearly slots (unsigned; lines beyond the slots
// are not read), those of the last yearly file read: a second load starts them afresh.
// A missing yearly file clears the slots but keeps the maxima of the last load that read
// one; a missing monthly file leaves the months empty.
TEST_F(Loader, MissingFilesAndMaxima)
{
    std::string years = "H\n1999,T,3,0,4294967295\n2000,T,5,2\n\n2001,T,4,9\n";
    for (int j = 4; j <= YEAR_SLOTS; j++)
        years += std::to_string(1998 + j) + (j < YEAR_SLOTS ? ",T,1\n" : ",T,1000\n");
    ASSERT_EQ(1, load("H\nA\nB\n", {{"A.csv", "H\n1999,1,Jan,5\n"}, {"A_yr.csv", years},
                                   {"B_yr.csv", "H\n1999,T,8\n"}}));
    const uint32_t expected_a[CRIME_TYPE_COUNT] = {5, 9, 4294967295u, 0, 0, 0, 0};
    EXPECT_EQ(0, memcmp(expected_a, beat_maxima[0], sizeof expected_a));
    EXPECT_EQ((std::vector<uint32_t>{2010, 8, 1999, 0}), (std::vector<uint32_t>{beats[0].years[YEAR_SLOTS - 1].year,
                                                       beat_maxima[1][0], beats[1].years[0].year, beats[1].months[0].year}));
    remove("data/beats/A_yr.csv");
    ASSERT_EQ(1, load("H\nA\nB\n", {{"B_yr.csv", "H\n2001,T,2,6\n"}}));
    EXPECT_EQ(0, memcmp(expected_a, beat_maxima[0], sizeof expected_a));
    EXPECT_EQ((std::pair{0, 1999}), (std::pair{(int)beats[0].years[0].year, (int)beats[0].months[0].year}));
    const uint32_t expected_b[CRIME_TYPE_COUNT] = {2, 6, 0, 0, 0, 0, 0};  // not 8 from before
    EXPECT_EQ(0, memcmp(expected_b, beat_maxima[1], sizeof expected_b));
}

// A name forms data/beats/NAME.csv unchanged (case kept, cut to 7 characters), unless
// it could lead outside data/beats: then the beat stays but its files count as missing.
TEST_F(Loader, NamesFormThePaths)
{
    struct Case { const char* name; const char* stored; const char* file; int loads; } cases[] = {
        {"Mixed", "Mixed", "Mixed.csv", 1}, {"LONGNAME9", "LONGNAM", "LONGNAM.csv", 1},
        {"x..", "x..", "x...csv", 1}, {"..", "..", "...csv", 0},
        {"../up", "../up", "../up.csv", 0}, {"a/b", "a/b", "a/b.csv", 0}};
    std::filesystem::create_directories("data/beats/a");
    for (const Case& c : cases) {
        std::ofstream(std::string("data/beats/") + c.file) << "H\n2004,6,Jun,1\n";
        ASSERT_EQ(1, load(std::string("H\n") + c.name + ",-95.3,29.7\n")) << c.name;
        EXPECT_STREQ(c.stored, beats[0].name);
        EXPECT_EQ(c.loads ? 2004 : 0, beats[0].months[0].year) << c.name;
    }
}

// Only regular files are read. A folder, a FIFO (which no one writes: opening it must not
// wait) or a device as the list fails the load and changes nothing; as a beat's files it
// counts as missing: slots empty, the yearly maxima kept.
TEST_F(Loader, OnlyRegularFiles)
{
    alarm(20);  // a blocking open would hang here: end the run instead
    const std::vector<std::pair<std::string, std::string>> files = {{"A.csv", "H\n1999,1,Jan,4\n"},
                                                                    {"A_yr.csv", "H\n1999,T,9\n"}};
    ASSERT_EQ(1, load("H\nA\n", files));
    const std::string saved = table();
    struct Kind { const char* name; int (*make)(const char* path); } kinds[] = {
        {"folder", [](const char* path) { return mkdir(path, 0755); }},
        {"fifo", [](const char* path) { return mkfifo(path, 0644); }},
        {"device", [](const char* path) { return symlink("/dev/null", path); }},
    };
    for (const Kind& kind : kinds) {
        for (const char* path : {"other.csv", "data/beats/A.csv", "data/beats/A_yr.csv"}) {
            std::filesystem::remove(path);
            ASSERT_EQ(0, kind.make(path)) << kind.name << " " << path;
        }
        EXPECT_EQ(0, load_records("other.csv")) << kind.name;
        EXPECT_TRUE(saved == table()) << kind.name;
        EXPECT_EQ(1, load_records("list.csv")) << kind.name;
        EXPECT_EQ((std::vector<uint32_t>{0, 0, 9}), (std::vector<uint32_t>{beats[0].months[0].year,
                                                     beats[0].years[0].year, beat_maxima[0][0]})) << kind.name;
        for (const char* path : {"data/beats/A.csv", "data/beats/A_yr.csv"})
            std::filesystem::remove(path);
        ASSERT_EQ(1, load("H\nA\n", files));
    }
    alarm(0);
}

// A read error is not an end of file. In the list it fails the load and the whole table
// (names, slots, maxima, count) stays as the last successful load left it; in a beat's
// file it counts as missing. A file shorter than the read limit still reads whole.
TEST_F(Loader, ReadErrors)
{
    const std::string long_months = "H\n2005,1,Jan,8\n2005,2,Feb,8\n";
    const std::string long_years = "H\n2005,T,50\n2006,T,60\n";
    ASSERT_EQ(1, load("H\nA,1,2\nB,3,4\n", {{"A.csv", "H\n1999,1,Jan,4\n"},
                                           {"A_yr.csv", "H\n1999,T,9\n"},
                                           {"B_yr.csv", "H\n1999,T,7\n"}}));
    const std::string saved = table();
    struct Case { const char* list; long limit; } failing[] = {
        {"H\nC,5,6\nD,7,8\nE\n", 10}, {"H\nC,5,6\n", 0}, {"", 0}, {"H\nC,5,6\n", 3}};
    for (const Case& c : failing) {
        std::ofstream("other.csv", std::ios::binary) << c.list;
        regular_file_read_limit = c.limit;
        EXPECT_EQ(0, load_records("other.csv")) << c.list << " " << c.limit;
        regular_file_read_limit = -1;
        EXPECT_TRUE(saved == table()) << c.list << " " << c.limit;
    }

    // limit 20: the list (9 bytes) and B's yearly file (16) read whole, A's files fail
    regular_file_read_limit = 20;
    EXPECT_EQ(1, load("H\nA\nB\n\n", {{"A.csv", long_months}, {"A_yr.csv", long_years}, {"B_yr.csv", "H\n2001,T,2,6\n"}}));
    regular_file_read_limit = -1;
    EXPECT_EQ((std::vector<uint32_t>{3, 0, 0, 9, 2001, 2, 6}),  // A's maxima as they were
              (std::vector<uint32_t>{beat_count, beats[0].months[0].year, beats[0].years[0].year, beat_maxima[0][0],
                                     beats[1].years[0].year, beat_maxima[1][0], beat_maxima[1][1]}));
    ASSERT_EQ(1, load_records("list.csv"));  // no limit: A reads whole
    EXPECT_EQ((std::pair{(uint16_t)2005, 60u}), (std::pair{beats[0].months[1].year, beat_maxima[0][0]}));
}
