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

// CR LF after every line, the last too; only the beats below beat_count. A failed write
// (how each failure shows is safe_file's test) returns 0 and leaves the file as it was.
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
    const std::string expected = "BEAT,QUERY_VAL\r\nALDER,12\r\nB,0\r\nCITYWD7,4294967295\r\n";
    EXPECT_EQ(expected, read_file("out.csv"));
    for (long limit : {0L, 16L, 50L}) {  // the file is 51 bytes
        safe_file_write_limit = limit;
        errno = 0;
        EXPECT_EQ(std::pair(0, ENOSPC), std::pair(export_query_values("out.csv"), errno)) << limit;
        safe_file_write_limit = -1;
        EXPECT_EQ(expected, read_file("out.csv"));
        EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator("."), {})) << limit;  // data, out.csv
    }
}
