// The folder the program starts in: a fake installation (<prefix>/bin/zavro beside
// <prefix>/share/zavroview/data) and fake homes in a scratch folder.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "shell/user_data.h"
#include "tests/data_fixture.h"

namespace fs = std::filesystem;

namespace {

const char* const SHIPPED[] = {"data/district.csv", "data/beats/ALDER.csv", "data/beats/ALDER_yr.csv",
                               "data/maps/basemap.bmp", "data/ui/fields.ui"};

class StartFolder : public ::testing::Test {
protected:
    fs::path root;
    std::string prefix, program, here, home, xdg;

    void SetUp() override
    {
        char folder[] = "/tmp/zavro_start_XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(folder));
        root = folder;
        prefix = root.string() + "/usr", program = prefix + "/bin/zavro";
        here = root.string() + "/work", home = root.string() + "/home", xdg = root.string() + "/xdg";
        fs::create_directories(here), fs::create_directories(home);
        for (const char* file : SHIPPED)
            write(prefix + "/share/zavroview/" + file, std::string("shipped ") + file);
        write(program, "");
    }
    void TearDown() override
    {
        fs::permissions(root, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(root);
    }
    static void write(const std::string& path, const std::string& text)
    {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path) << text;
    }
    // prepare_start_folder's result and folder ("" when it stays), as "result folder".
    std::string prepare(const char* xdg_data_home, const char* home_value)
    {
        StartPlaces places = {here.c_str(), program.c_str(), xdg_data_home, home_value};
        char folder[4096] = "unchanged";
        const int result = prepare_start_folder(places, folder, sizeof folder);
        return std::to_string(result) + " " + folder;
    }
};

// Which folder is chosen: a start folder holding data/ stays; otherwise, with shipped data
// beside the program, the user's folder under XDG_DATA_HOME when that is a full path, else
// under ~/.local/share; no shipped data, it stays as before.
TEST_F(StartFolder, ChoosesTheFolder)
{
    const std::string user_home = home + "/.local/share/zavroview";
    const std::string user_xdg = xdg + "/zavroview";
    struct Case {
        const char* name;
        int start_has_data, shipped;
        const char* xdg_data_home;
        int result;
        std::string folder;
    } cases[] = {
        {"source tree", 1, 1, nullptr, 0, ""},
        {"no shipped data", 0, 0, nullptr, 0, ""},
        {"HOME", 0, 1, nullptr, 1, user_home},
        {"empty XDG_DATA_HOME", 0, 1, "", 1, user_home},
        {"relative XDG_DATA_HOME", 0, 1, "xdg", 1, user_home},
        {"XDG_DATA_HOME", 0, 1, xdg.c_str(), 1, user_xdg},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(here + "/data");
        fs::remove_all(home + "/.local");
        fs::remove_all(xdg);
        if (c.start_has_data)
            write(here + "/" + DATA_MARK, "mine");
        if (!c.shipped)
            fs::rename(prefix + "/share", prefix + "/elsewhere");
        EXPECT_EQ(std::to_string(c.result) + " " + c.folder, prepare(c.xdg_data_home, home.c_str()));
        if (!c.shipped)
            fs::rename(prefix + "/elsewhere", prefix + "/share");
        // only the chosen user folder was made
        EXPECT_EQ(c.folder == user_home, fs::exists(user_home));
        EXPECT_EQ(c.folder == user_xdg, fs::exists(user_xdg));
    }
}

// The first start copies every shipped file; a user's file of the same name, or a link,
// is never replaced, and the user's other files stay. Once set up, nothing is copied
// again: a sample file the user deleted stays deleted.
TEST_F(StartFolder, CopiesTheSampleDataWithoutReplacingTheUsers)
{
    const std::string user = home + "/.local/share/zavroview";
    write(user + "/data/district.csv", "my district");
    write(user + "/data/beats/MINE.csv", "my beat");
    fs::create_directories(user + "/data/maps");
    fs::create_symlink("/nonexistent", user + "/data/maps/basemap.bmp");

    ASSERT_EQ("1 " + user, prepare(nullptr, home.c_str()));
    EXPECT_EQ("my district, my beat", read_file(user + "/data/district.csv") + ", " + read_file(user + "/data/beats/MINE.csv"));
    EXPECT_TRUE(fs::is_symlink(user + "/data/maps/basemap.bmp"));
    for (const char* file : {"data/beats/ALDER.csv", "data/beats/ALDER_yr.csv", "data/ui/fields.ui"}) {
        EXPECT_EQ(std::string("shipped ") + file, read_file(user + "/" + file)) << file;
        EXPECT_TRUE((fs::status(user + "/" + file).permissions() & fs::perms::owner_write) != fs::perms::none);
    }

    fs::remove(user + "/data/beats/ALDER.csv");
    ASSERT_EQ("1 " + user, prepare(nullptr, home.c_str()));
    EXPECT_FALSE(fs::exists(user + "/data/beats/ALDER.csv"));
}

// A user's folder that cannot be made (a file in its place, a home the user may not
// write, no home at all) leaves the shared folder to start in: the data is found, if
// read-only.
TEST_F(StartFolder, FallsBackToTheSharedFolder)
{
    const std::string shared = "1 " + prefix + "/share/zavroview";
    write(home + "/.local/share/zavroview", "a file");
    EXPECT_EQ(shared, prepare(nullptr, home.c_str()));
    EXPECT_EQ(shared, prepare(nullptr, nullptr));
    EXPECT_EQ(shared, prepare("relative", "relative"));

    if (geteuid() != 0) {  // root writes anywhere
        fs::create_directories(xdg);
        fs::permissions(xdg, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(shared, prepare(xdg.c_str(), home.c_str()));
        EXPECT_FALSE(fs::exists(xdg + "/zavroview"));
    }
}

}  // namespace
