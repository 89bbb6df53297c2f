// dialog_paths.h: the path rules of the file dialogs. Every dialog starts in the folder
// of the last file chosen in either of them; the program's own data paths are relative,
// so after every dialog the working directory goes back to the one the program started
// in; a saved name gets the dialog's extension unless it already ends with it.
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
