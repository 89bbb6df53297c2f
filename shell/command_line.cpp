// command_line.cpp: the program's arguments.
#include "shell/command_line.h"

#include <cstdio>
#include <cstring>

const char USAGE_TEXT[] =
    "Usage: zavro [OPTION]... [BEAT_LIST]\n"
    "Shows a district's crime statistics as columns standing on its map.\n"
    "\n"
    "  BEAT_LIST   a beat list to load at start-up, as File > Load Data.. does\n"
    "              (the beats' files are read from data/beats/ in the start folder)\n"
    "  -h, --help  show this help and exit\n"
    "  --version   show the version and exit\n"
    "  --          end of options: a BEAT_LIST that starts with '-' follows\n"
    "\n"
    "Qt takes its settings from the environment, for example QT_QPA_PLATFORM=xcb or\n"
    "QT_SCALE_FACTOR=2. See zavro(1).\n";

char start_beat_list[FILE_PATH_SIZE];

static int bad_usage(CommandLine* out, const char* problem, const char* argument)
{
    out->action = BAD_USAGE;
    out->beat_list = nullptr;
    out->problem = problem;
    out->argument = argument;
    return 0;
}

int parse_command_line(int argc, const char* const* argv, CommandLine* out)
{
    *out = {RUN_PROGRAM, nullptr, nullptr, nullptr};
    int options = 1;
    for (int i = 1; i < argc; i++) {
        const char* arg = argv[i];
        if (options && arg[0] == '-' && arg[1] != 0) {
            if (strcmp(arg, "--") == 0) {
                options = 0;
            } else if (strcmp(arg, "-h") == 0 || strcmp(arg, "--help") == 0) {
                *out = {SHOW_HELP, nullptr, nullptr, nullptr};
                return 1;
            } else if (strcmp(arg, "--version") == 0) {
                *out = {SHOW_VERSION, nullptr, nullptr, nullptr};
                return 1;
            } else {
                return bad_usage(out, "unknown option", arg);
            }
            continue;
        }
        if (!arg[0])
            return bad_usage(out, "the beat list's name is empty", nullptr);
        if (out->beat_list)
            return bad_usage(out, "only one beat list can be loaded", arg);
        out->beat_list = arg;
    }
    return 1;
}

int set_start_beat_list(const char* path, const char* cwd)
{
    start_beat_list[0] = 0;
    if (!path[0])
        return 0;
    size_t cwd_length = strlen(cwd);
    const char* separator = cwd_length && cwd[cwd_length - 1] == '/' ? "" : "/";
    int n = path[0] == '/' ? snprintf(start_beat_list, FILE_PATH_SIZE, "%s", path)
                           : snprintf(start_beat_list, FILE_PATH_SIZE, "%s%s%s", cwd, separator, path);
    if (n < 0 || n >= FILE_PATH_SIZE) {
        start_beat_list[0] = 0;
        return 0;
    }
    return 1;
}
