// main.cpp: the entry point. Reads the command line (shell/command_line.h), moves to the
// folder to start in (shell/user_data.h), then runs the window. Help, version and a bad
// command line are answered without opening a window.
#include <unistd.h>

#include <cstdio>

#include "platform/platform.h"
#include "shell/command_line.h"
#include "shell/startup.h"
#include "shell/user_data.h"

int main(int argc, char** argv)
{
    CommandLine command;
    if (!parse_command_line(argc, argv, &command)) {
        if (command.argument)
            fprintf(stderr, "zavro: %s: '%s'\n", command.problem, command.argument);
        else
            fprintf(stderr, "zavro: %s\n", command.problem);
        fputs(USAGE_TEXT, stderr);
        return USAGE_EXIT_CODE;
    }
    if (command.action == SHOW_HELP) {
        fputs(USAGE_TEXT, stdout);
        return 0;
    }
    if (command.action == SHOW_VERSION) {
        printf("%s\n", VERSION_TEXT);
        return 0;
    }
    if (command.beat_list) {
        char cwd[4096];
        if (!set_start_beat_list(command.beat_list, getcwd(cwd, sizeof cwd) ? cwd : ".")) {
            fprintf(stderr, "zavro: %s: the file name is too long: a path may have at most %d characters\n",
                    command.beat_list, FILE_PATH_SIZE - 1);
            return USAGE_EXIT_CODE;
        }
    }
    enter_start_folder();
    // Qt is given no arguments: they are all ours
    return platform_run(1, argv, MAIN_WINDOW_TITLE, MAIN_WINDOW_WIDTH, MAIN_WINDOW_HEIGHT);
}
