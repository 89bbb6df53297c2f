// The query-value CSV file: exact bytes, and failures that leave nothing behind.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "query/query.h"
#include "store/export.h"
#include "store/safe_file.h"
#include "tests/logic/fake_columns.h"

namespace fs = std::filesystem;

static std::string read_all(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Export : public ::testing::Test {
protected:
    fs::path folder;
    void SetUp() override
    {
        reset_data_state();
        char name[] = "/tmp/zavro_export_XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(name));
        folder = name;
    }
    void TearDown() override
    {
        safe_file_write_limit = -1;
        fs::remove_all(folder);
        reset_data_state();
    }
};

TEST_F(Export, ExactBytes)
{
    std::string path = (folder / "out.csv").string();
    ASSERT_EQ(1, export_query_values(path.c_str()));  // before any load
    EXPECT_EQ("BEAT,QUERY_VAL\r\n", read_all(path));

    beat_count = 3;
    strcpy(beats[0].name, "ALDER");
    strcpy(beats[1].name, "B");
    strcpy(beats[2].name, "CITYWD7");
    strcpy(beats[3].name, "STALE");  // beyond beat_count: not exported
    query_value[0] = 12;
    query_value[1] = 0;
    query_value[2] = 4294967295u;
    query_value[3] = 5;
    ASSERT_EQ(1, export_query_values(path.c_str()));  // replaces the file
    EXPECT_EQ("BEAT,QUERY_VAL\r\nALDER,12\r\nB,0\r\nCITYWD7,4294967295\r\n", read_all(path));
    EXPECT_EQ(1, std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// A file that cannot be created or fully written: result 0, no new file, no temporary
// file left, an existing file unchanged.
TEST_F(Export, FailureLeavesFilesAlone)
{
    beat_count = 2;
    strcpy(beats[0].name, "A");
    strcpy(beats[1].name, "B");
    std::string kept = (folder / "kept.csv").string();
    std::ofstream(kept, std::ios::binary) << "old contents\r\n";

    struct Case {
        std::string path;
        long write_limit;
    } cases[] = {
        {(folder / "no_such_folder" / "out.csv").string(), -1},
        {kept, 0},
        {kept, 16},   // header written, first beat line fails
        {kept, 20},
        {(folder / "new.csv").string(), 16},
        {"", -1},
    };
    for (const Case& c : cases) {
        safe_file_write_limit = c.write_limit;
        EXPECT_EQ(0, export_query_values(c.path.c_str())) << c.path << " " << c.write_limit;
        safe_file_write_limit = -1;
        EXPECT_EQ("old contents\r\n", read_all(kept));
        EXPECT_EQ(1, std::distance(fs::directory_iterator(folder), fs::directory_iterator()))
            << c.path;
    }
    EXPECT_FALSE(fs::exists(folder / "no_such_folder"));
}
