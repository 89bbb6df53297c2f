// file_dialogs.h: the open and save dialogs as the program uses them: the folder each one
// starts in, the extension a saved name gets, and the working directory set back after
// each (the rules in store/dialog_paths.h); and the messages about a file.
#pragma once

#include "store/dialog_paths.h"

// Remembers the working directory as start_dir and last_dir. Once, at start-up, before
// the panels exist.
void init_file_dialogs();

// Asks for a file to open, starting in last_dir (or where dialog_start_folder says when
// last_dir cannot be listed at once), showing the files ending in ext.
// Returns 1 with the chosen full path in path (FILE_PATH_SIZE bytes) and last_dir its
// folder; 0 when the user cancelled, with path and last_dir unchanged. A chosen path of
// more than 255 characters is refused with a message and counts as cancelled. The
// working directory is start_dir again afterwards either way.
int open_file_dialog(char* path, const char* ext);

// The same for a file to save; the path returned always ends with ext: appended when
// the chosen name does not end with it exactly, case included. When a file of that
// longer name exists, the user is asked whether to replace it (the dialog asked only
// about the name as typed); No shows the dialog again, in the folder chosen, with the
// name as typed.
int save_file_dialog(char* path, const char* ext);

// The message for a chosen path that does not fit FILE_PATH_SIZE (caption "Error").
constexpr const char* PATH_TOO_LONG_TEXT =
    "The file name is too long: a path may have at most 255 characters.";

// A message box about the file at path: text and caption as given, and as its details
// "PATH: REASON", REASON the system's text for error (the errno of the call that failed;
// 0 when no call failed but the contents would not do); REASON alone for an empty
// path. The same line, after the text,
// goes to standard error.
void file_message(const char* text, const char* caption, const char* path, int error);
