// dialog_paths.h: the path rules of the file dialogs. Every dialog starts in the folder
// of the last file chosen in either of them; the program's own data paths are relative,
// so after every dialog the working directory goes back to the one the program started
// in; a saved name gets the dialog's extension unless it already ends with it.
// A dialog never starts in a folder it could not list at once (proc, sys, a dead network
// mount): it starts in the home folder instead.
// The dialogs themselves are the program's (panels/file_dialogs.h); these rules do not
// talk to the user.
#pragma once

// A chosen path, extension included: at most 255 characters and the NUL.
constexpr int FILE_PATH_SIZE = 256;

// The working directory at start-up, without a final '/' (unless it is "/"); fixed.
// Empty when it could not be read.
extern char start_dir[FILE_PATH_SIZE];

// The folder of the last file chosen, ending with its '/'; at start-up start_dir.
extern char last_dir[FILE_PATH_SIZE];

// Reads the working directory into start_dir and last_dir. Returns 1, or 0 when it
// cannot be read or is longer than 255 characters; both are then empty (dialogs start
// where the platform chooses, and the working directory is not set back).
int remember_start_dir();

// Sets the working directory back to start_dir. Returns 1, or 0 when start_dir is empty
// or cannot be entered.
int restore_start_dir();

// 1 when path ends with ext exactly, case included: "report.CSV" does not end with ".csv".
int path_ends_with(const char* path, const char* ext);

// Copies chosen into path (FILE_PATH_SIZE bytes) and appends ext unless chosen already
// ends with it. Returns 1, or 0 when the result would pass 255 characters: path is then
// empty, never a cut path, since a cut path names another file.
int path_with_extension(const char* chosen, const char* ext, char* path);

// last_dir = path up to and including its last '/' (empty when it has none). A path that
// does not fit leaves last_dir as it was.
void remember_folder_of(const char* path);

// How long the checks of folder_is_usable may take, in milliseconds, before the folder
// counts as unusable (a dead network mount blocks them for minutes).
constexpr int FOLDER_CHECK_MS = 1000;

// 1 when a file dialog can start in folder without waiting: an absolute path of a folder
// on a disk file system (not proc, sys or another file system the kernel makes up), that
// this user may list and enter, and write in when writable is 1. The checks run on a
// helper thread of their own, since any call on a dead mount blocks; when they take
// longer than FOLDER_CHECK_MS the answer is 0 and the helper is left to finish alone.
int folder_is_usable(const char* folder, int writable);

// The folder a dialog starts in: last_dir when usable, else the home folder ($HOME),
// else start_dir; "" when none is (the platform then chooses). writable as above, 1
// for a save dialog.
const char* dialog_start_folder(int writable);

// Fault injection for tests: milliseconds every folder check waits before it starts, as
// on a mount that does not answer. 0 (the default) disables it.
extern int folder_check_delay_ms;
