// The query-value CSV file: exact bytes, and failures that leave nothing behind.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "query/query.h"
#include "query/export.h"
#include "store/safe_file.h"
#include "tests/data_fixture.h"

using Export = InScratchFolder;

// CR LF after every line, the last too; only the beats below beat_count.
TEST_F(Export, ExactBytes)
{
    ASSERT_EQ(1, export_query_values("out.csv"));  // before any load
    EXPECT_EQ("BEAT,QUERY_VAL\r\n", read_file("out.csv"));
    const char* names[] = {"ALDER", "B", "CITYWD7", "STALE"};
    const uint32_t values[] = {12, 0, 4294967295u, 5};
    for (int b = 0; b < 4; b++) {
        strcpy(beats[b].name, names[b]);
        query_value[b] = values[b];
    }
    beat_count = 3;
    ASSERT_EQ(1, export_query_values("out.csv"));  // replaces the file
    EXPECT_EQ("BEAT,QUERY_VAL\r\nALDER,12\r\nB,0\r\nCITYWD7,4294967295\r\n", read_file("out.csv"));
}

// A missing folder or a failed write: result 0 with errno for the message, no new or
// temporary file left, an existing file unchanged.
TEST_F(Export, FailureLeavesFilesAlone)
{
    beat_count = 2;
    std::ofstream("kept.csv", std::ios::binary) << "old\r\n";
    struct Case { const char* path; long write_limit; int error; } cases[] = {
        {"no_such_folder/out.csv", -1, ENOENT}, {"", -1, ENOENT}, {"kept.csv", 0, ENOSPC},
        {"kept.csv", 16, ENOSPC}, {"new.csv", 16, ENOSPC}};
    for (const Case& c : cases) {
        safe_file_write_limit = c.write_limit;
        errno = 0;
        EXPECT_EQ(0, export_query_values(c.path)) << c.path << " " << c.write_limit;
        EXPECT_EQ(c.error, errno) << c.path << " " << c.write_limit;
        EXPECT_EQ("old\r\n", read_file("kept.csv"));
        EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator("."), {})) << c.path;
    }
    safe_file_write_limit = -1;
}
