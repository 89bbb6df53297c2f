// file_dialogs.cpp: the open and save dialogs; see file_dialogs.h.
#include "panels/file_dialogs.h"

#include <cstdio>
#include <cstring>
#include <sys/stat.h>

#include "platform/platform.h"

void init_file_dialogs()
{
    remember_start_dir();  // when it fails, dialogs start where the platform likes
}

static int file_exists(const char* path)
{
    struct stat info;
    return stat(path, &info) == 0;
}

static int ask_for_file(int save, char* path, const char* ext)
{
    char chosen[FILE_PATH_SIZE];
    int answer = save ? platform_save_file_dialog(last_dir, ext, chosen, sizeof chosen)
                      : platform_open_file_dialog(last_dir, ext, chosen, sizeof chosen);
    restore_start_dir();
    if (answer == 0)
        return 0;
    char result[FILE_PATH_SIZE];
    if (answer != 1 || !path_with_extension(chosen, save ? ext : "", result)) {
        platform_message_box(PATH_TOO_LONG_TEXT, "Error");
        return 0;
    }
    if (save && strcmp(result, chosen) != 0 && file_exists(result)) {
        char question[FILE_PATH_SIZE + 64];
        snprintf(question, sizeof question, "%s already exists.\nDo you want to replace it?", result);
        if (!platform_ask_yes_no(question, "Confirm Save As"))
            return 0;
    }
    memcpy(path, result, strlen(result) + 1);
    remember_folder_of(result);
    return 1;
}

int open_file_dialog(char* path, const char* ext)
{
    return ask_for_file(0, path, ext);
}

int save_file_dialog(char* path, const char* ext)
{
    return ask_for_file(1, path, ext);
}
