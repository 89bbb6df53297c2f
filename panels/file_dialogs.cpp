// file_dialogs.cpp: the open and save dialogs; see file_dialogs.h.
#include "panels/file_dialogs.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

#include "platform/platform.h"

void init_file_dialogs()
{
    remember_start_dir();  // when it fails, dialogs start where the platform likes
}

void file_message(const char* text, const char* caption, const char* path, int error)
{
    char details[FILE_PATH_SIZE + 128];
    snprintf(details, sizeof details, "%s%s%s", path, path[0] ? ": " : "",
             error ? strerror(error) : "the contents are not what this program reads");
    fprintf(stderr, "%s: %s\n", text, details);
    platform_message_box_details(text, caption, details);
}

static int file_exists(const char* path)
{
    struct stat info;
    return stat(path, &info) == 0;
}

static int ask_for_file(int save, char* path, const char* ext)
{
    char folder[FILE_PATH_SIZE], name[FILE_PATH_SIZE] = "";
    snprintf(folder, sizeof folder, "%s", dialog_start_folder(save));
    for (;;) {
        char chosen[FILE_PATH_SIZE];
        int answer = save ? platform_save_file_dialog(folder, name, ext, chosen, sizeof chosen)
                          : platform_open_file_dialog(folder, name, ext, chosen, sizeof chosen);
        restore_start_dir();
        if (answer == 0)
            return 0;
        char result[FILE_PATH_SIZE];
        if (answer != 1 || !path_with_extension(chosen, save ? ext : "", result)) {
            char longer[FILE_PATH_SIZE + 16];
            snprintf(longer, sizeof longer, "%s%s", answer == 1 ? chosen : "", answer == 1 && save ? ext : "");
            file_message(PATH_TOO_LONG_TEXT, "Error", longer, ENAMETOOLONG);
            return 0;
        }
        if (save && strcmp(result, chosen) != 0 && file_exists(result)) {
            char question[FILE_PATH_SIZE + 64];
            snprintf(question, sizeof question, "%s already exists.\nDo you want to replace it?", result);
            if (!platform_ask_yes_no(question, "Confirm Save As")) {
                // back to the dialog where the user was, the name as typed
                const char* slash = strrchr(chosen, '/');
                size_t folder_length = slash ? (size_t)(slash - chosen) + 1 : 0;
                memcpy(folder, chosen, folder_length);
                folder[folder_length] = '\0';
                memmove(name, chosen + folder_length, strlen(chosen + folder_length) + 1);
                continue;
            }
        }
        memcpy(path, result, strlen(result) + 1);
        remember_folder_of(result);
        return 1;
    }
}

int open_file_dialog(char* path, const char* ext)
{
    return ask_for_file(0, path, ext);
}

int save_file_dialog(char* path, const char* ext)
{
    return ask_for_file(1, path, ext);
}
