// command_line.h: the program's arguments, `zavro [OPTION]... [BEAT_LIST]`.
//
// Options are ours only: -h/--help, --version, and "--", which ends them (a beat list
// whose name starts with '-' follows it). Any other argument that starts with '-' (but
// "-" alone) is an unknown option. Qt reads no arguments: its settings come from the
// environment (QT_QPA_PLATFORM, QT_SCALE_FACTOR, QT_QPA_PLATFORMTHEME ...).
#pragma once

#include "store/dialog_paths.h"

enum CommandAction {
    RUN_PROGRAM,   // open the window; load beat_list first when there is one
    SHOW_HELP,     // print USAGE_TEXT on standard output, exit 0
    SHOW_VERSION,  // print VERSION_TEXT, exit 0
    BAD_USAGE,     // print the complaint and USAGE_TEXT on standard error, exit 2
};

struct CommandLine {
    CommandAction action;
    const char* beat_list;  // RUN_PROGRAM: an argv entry, or null for none
    const char* problem;    // BAD_USAGE: what was wrong, without a newline
    const char* argument;   // BAD_USAGE: the argument at fault, or null
};

constexpr const char* VERSION_TEXT = "ZAVROView 1.0b";
constexpr int USAGE_EXIT_CODE = 2;

extern const char USAGE_TEXT[];

// Reads argv[1 .. argc-1], left to right; the first help or version option decides at
// once, as does the first fault. Returns 1 with the action in out, or 0 with out's action
// BAD_USAGE: an unknown option, an empty beat list name, or more than one beat list.
// No input or output.
int parse_command_line(int argc, const char* const* argv, CommandLine* out);

// The beat list named on the command line, as a full path (FILE_PATH_SIZE bytes), so that
// it still names the same file once the program has moved to its start folder. Empty when
// none was named. Read by on_startup.
extern char start_beat_list[FILE_PATH_SIZE];

// Sets start_beat_list to path made absolute against the folder the program started in
// (cwd, a full path). Returns 1, or 0 with start_beat_list empty when the result does not
// fit FILE_PATH_SIZE (or path is empty). No input or output.
int set_start_beat_list(const char* path, const char* cwd);
