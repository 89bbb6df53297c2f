// The save dialog's extension rule.
#include <gtest/gtest.h>

#include <string>

#include "store/dialog_paths.h"

// Appended unless the name ends with it exactly, case included; a result beyond 255
// characters is refused, never cut.
TEST(DialogPaths, Extension)
{
    const std::string d = "/d/", n251(251, 'n');
    struct Case { std::string chosen; const char* ext; std::string path; } cases[] = {
        {d + "report", ".csv", d + "report.csv"},
        {d + "report.csv", ".csv", d + "report.csv"},
        {d + "report.CSV", ".csv", d + "report.CSV.csv"},
        {d + "csv", ".csv", d + "csv.csv"},
        {d + "report", "", d + "report"},
        {n251, ".csv", n251 + ".csv"},  // 255 characters
        {n251 + "n", ".csv", ""},
        {n251 + "n.csv", ".csv", ""},
    };
    for (const Case& c : cases) {
        char path[FILE_PATH_SIZE] = "stale";
        EXPECT_EQ(!c.path.empty(), path_with_extension(c.chosen.c_str(), c.ext, path)) << c.chosen;
        EXPECT_EQ(c.path, path) << c.chosen;
    }
}
