// The file dialogs' extension rule and the folder they start in.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

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

// A dialog starts only in a folder it can list at once: a folder on a disk, listable,
// writable for a save; never proc, sys or a mount that does not answer in time. Else the
// home folder, else the start-up folder, else nothing.
TEST(DialogPaths, StartFolderCanBeListedAtOnce)
{
    char scratch[] = "/tmp/dialog_paths_XXXXXX";
    ASSERT_TRUE(mkdtemp(scratch));
    const std::string s = scratch, file = s + "/file", locked = s + "/locked";
    fclose(fopen(file.c_str(), "w"));
    mkdir(locked.c_str(), 0500);
    const bool root = geteuid() == 0;  // writes anywhere on a disk
    struct Case { std::string folder; int writable, usable; } cases[] = {
        {s, 1, 1}, {s + "/", 1, 1}, {locked, 0, 1}, {locked, 1, root},
        {"/proc", 0, 0}, {"/proc/self/", 0, 0}, {"/sys/kernel", 0, 0}, {"/dev/pts", 0, 0},
        {file, 0, 0}, {s + "/missing", 0, 0}, {"tmp", 0, 0}, {"", 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.usable, folder_is_usable(c.folder.c_str(), c.writable)) << c.folder << " " << c.writable;

    folder_check_delay_ms = 5 * FOLDER_CHECK_MS;  // as a dead mount
    const auto asked = std::chrono::steady_clock::now();
    EXPECT_EQ(0, folder_is_usable(s.c_str(), 0));
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::milliseconds(2 * FOLDER_CHECK_MS));
    folder_check_delay_ms = 0;

    const std::string home = getenv("HOME") ? getenv("HOME") : "";
    struct Start { std::string last, home, start, chosen; } starts[] = {
        {s + "/", "/proc", "/sys", s + "/"},
        {"/proc/self/", s, "/sys", s},
        {"/proc/self/", "/sys", s, s},
        {"/proc/self/", "/sys", "/proc", ""},
    };
    for (const Start& c : starts) {
        snprintf(last_dir, sizeof last_dir, "%s", c.last.c_str());
        snprintf(start_dir, sizeof start_dir, "%s", c.start.c_str());
        setenv("HOME", c.home.c_str(), 1);
        EXPECT_EQ(c.chosen, dialog_start_folder(1)) << c.last << " " << c.home << " " << c.start;
    }
    setenv("HOME", home.c_str(), 1);
    std::filesystem::remove_all(s);
}
