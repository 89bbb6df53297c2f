// main.cpp: the entry point. Reads the command line (shell/command_line.h), moves to the
// folder to start in (shell/user_data.h), then runs the window where the settings kept
// put it (shell/settings.h). Help, version and a bad command line are answered without
// opening a window.
#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <clocale>
#include <cstdio>

#include "platform/platform.h"
#include "shell/command_line.h"
#include "shell/settings.h"
#include "shell/startup.h"
#include "shell/user_data.h"

int main(int argc, char** argv)
{
#ifdef __GLIBC__
    // Blocks of 128 KiB and more get their own mappings and go back to the system when
    // freed. By default the C library raises this bound after the first such free, and
    // the buffers freed once the view is up (the GL driver's shader compiler, the decoded
    // basemap) stay resident in the heap for the whole session: about 3 MiB. Nothing of
    // that size is allocated per frame, so the bound costs no system calls while running.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
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
    platform_init(1, argv);
    // The application object has taken the locale from the environment; the data files and
    // the reports write numbers with a decimal point whatever the user's language. Nothing
    // reads or prints a number in between.
    setlocale(LC_NUMERIC, "C");
    place_main_window();
    return platform_run(1, argv, MAIN_WINDOW_TITLE, MAIN_WINDOW_WIDTH, MAIN_WINDOW_HEIGHT);
}
