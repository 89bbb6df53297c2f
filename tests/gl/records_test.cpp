// read_records: a load as the user sees it, on the headless context.
#include "tests/gl_fixture.h"

// A load starts the timeline again and rebuilds the columns from the new table (the query
// evaluated for the first date); a list that cannot be opened is reported, and the date,
// the table and the columns stay as they were.
using Records = GlTest;

TEST_F(Records, LoadResetsTheTimelineOrReportsTheList)
{
    start(64, 64, NOTHING);
    enter_scratch();
    std::ofstream("list.csv") << "H\nA\n";
    std::ofstream("data/beats/A.csv") << "H\n1990,1,Jan,7,5\n";
    query_flags[0] = query_flags[1] = 1;
    current_date = make_date(15, 6, 3);
    ASSERT_EQ(1, read_records("list.csv"));
    EXPECT_EQ(START_DATE, current_date);
    EXPECT_EQ(12u, query_value[0]);
    EXPECT_TRUE(glIsList(COLUMN_LIST));
    EXPECT_TRUE(test_platform.messages.empty());

    current_date = make_date(15, 6, 3);
    delete_map(0);
    for (const char* path : {"missing.csv", "data", ""}) {  // absent, a folder, empty
        EXPECT_EQ(0, read_records(path)) << path;
        EXPECT_EQ(1u, beat_count) << path;
    }
    EXPECT_EQ(Texts(3, "ERROR: read_records(): fopen error"), test_messages());
    EXPECT_EQ((std::vector<std::string>{"missing.csv: No such file or directory", "data: Is a directory", "No such file or directory"}),
              (std::vector<std::string>{test_platform.messages[0].details, test_platform.messages[1].details, test_platform.messages[2].details}));
    EXPECT_EQ(make_date(15, 6, 3), current_date);
    EXPECT_FALSE(glIsList(COLUMN_LIST));  // not rebuilt
}
