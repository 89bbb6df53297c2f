// The command line: what each argument list asks for, the beat list's full path, and the
// load at start-up once the panels exist.
#include "tests/gl_fixture.h"

namespace {

struct ParseCase {
    std::vector<const char*> args;  // after the program's name
    int result;
    CommandAction action;
    const char* beat_list;  // RUN_PROGRAM; null for none
    const char* argument;   // BAD_USAGE: the argument named; null for none
};

// Ours are -h, --help, --version and "--"; the first help or version or fault decides;
// anything else starting with '-' is unknown (Qt's own options too), but "-" alone and
// anything after "--" is a beat list; one beat list at most, and not an empty name.
TEST(CommandLine, ParsesArguments)
{
    const ParseCase cases[] = {
        {{}, 1, RUN_PROGRAM, nullptr, nullptr},
        {{"data/district.csv"}, 1, RUN_PROGRAM, "data/district.csv", nullptr},
        {{"-h"}, 1, SHOW_HELP, nullptr, nullptr},
        {{"--help"}, 1, SHOW_HELP, nullptr, nullptr},
        {{"--version"}, 1, SHOW_VERSION, nullptr, nullptr},
        {{"d.csv", "--version"}, 1, SHOW_VERSION, nullptr, nullptr},
        {{"--version", "--bogus"}, 1, SHOW_VERSION, nullptr, nullptr},
        {{"--help", "--version"}, 1, SHOW_HELP, nullptr, nullptr},
        {{"--bogus", "--help"}, 0, BAD_USAGE, nullptr, "--bogus"},
        {{"-platform", "offscreen"}, 0, BAD_USAGE, nullptr, "-platform"},
        {{"--versions"}, 0, BAD_USAGE, nullptr, "--versions"},
        {{"--help=yes"}, 0, BAD_USAGE, nullptr, "--help=yes"},
        {{"-hv"}, 0, BAD_USAGE, nullptr, "-hv"},
        {{"--", "-odd.csv"}, 1, RUN_PROGRAM, "-odd.csv", nullptr},
        {{"--", "--help"}, 1, RUN_PROGRAM, "--help", nullptr},
        {{"-"}, 1, RUN_PROGRAM, "-", nullptr},
        {{"a.csv", "b.csv"}, 0, BAD_USAGE, nullptr, "b.csv"},
        {{"--", "a.csv", "--"}, 0, BAD_USAGE, nullptr, "--"},
        {{""}, 0, BAD_USAGE, nullptr, nullptr},
    };
    for (const ParseCase& c : cases) {
        std::vector<const char*> argv = {"zavro"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        std::string name;
        for (const char* a : c.args)
            name += std::string("[") + a + "]";
        SCOPED_TRACE(name);
        CommandLine out;
        EXPECT_EQ(c.result, parse_command_line((int)argv.size(), argv.data(), &out));
        EXPECT_EQ(c.action, out.action);
        EXPECT_STREQ(c.beat_list, out.beat_list);
        if (c.action == BAD_USAGE) {
            EXPECT_STREQ(c.argument, out.argument);
            EXPECT_NE(nullptr, out.problem);
        }
    }
}

// A relative name is joined to the start folder, a full one kept; the result must fit
// FILE_PATH_SIZE with its terminator.
TEST(CommandLine, StartBeatListIsAFullPath)
{
    const std::string folder_254(253, 'f');  // "/" + 253 = 254 characters
    struct Case {
        std::string path, cwd;
        int result;
        std::string full;
    } cases[] = {
        {"data/district.csv", "/home/u", 1, "/home/u/data/district.csv"},
        {"/srv/d.csv", "/home/u", 1, "/srv/d.csv"},
        {"d.csv", "/", 1, "/d.csv"},
        {"d.csv", "/home/u/", 1, "/home/u/d.csv"},
        {"x", "/" + folder_254.substr(1), 1, "/" + folder_254.substr(1) + "/x"},  // 255
        {"xy", "/" + folder_254.substr(1), 0, ""},                                 // 256
        {"/" + std::string(254, 'a'), "/", 1, "/" + std::string(254, 'a')},
        {"/" + std::string(255, 'a'), "/", 0, ""},
        {"", "/home/u", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " in " + c.cwd);
        EXPECT_EQ(c.result, set_start_beat_list(c.path.c_str(), c.cwd.c_str()));
        EXPECT_EQ(c.full, start_beat_list);
    }
    start_beat_list[0] = 0;
}

class StartupLoad : public GlTest {
protected:
    void SetUp() override { start(640, 480, NOTHING); }
};

// A beat list from the command line is loaded once the Query panel exists, without the
// "Load complete" a menu command shows, and the columns are built from it; one that
// cannot be loaded says so as "Load Data.." does, and the program goes on empty with its
// timer running; no list named, no load and no message.
TEST_F(StartupLoad, LoadsTheBeatListQuietlyOrReportsIt)
{
    const struct { std::string list; Texts messages; uint32_t beats; } cases[] = {
        {(fs::current_path() / "data/district.csv").string(), {}, 6},
        {"/nonexistent/district.csv", {"ERROR: read_records(): fopen error", "Error: Can't load data file!!"}, 0},
        {"", {}, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        delete_map(1);
        reset_program_state();
        ASSERT_EQ(!c.list.empty(), set_start_beat_list(c.list.c_str(), "/"));
        on_startup();
        EXPECT_EQ(c.messages, test_messages());
        EXPECT_EQ(std::tuple(c.beats, (int)c.beats, true, FRAME_PERIOD_MS),
                  std::tuple(beat_count, list_count(query_panel, IDC_BEAT_LIST), (bool)glIsList(COLUMN_LIST),
                             test_platform.timer_period_ms[FRAME_TIMER_ID]));
    }
}

}  // namespace
