// dialog_paths.cpp: the file dialogs' folders and extension rule; see dialog_paths.h.
#include "store/dialog_paths.h"

#include <cstring>
#include <unistd.h>

char start_dir[FILE_PATH_SIZE];
char last_dir[FILE_PATH_SIZE];

int remember_start_dir()
{
    if (!getcwd(start_dir, sizeof start_dir)) {
        start_dir[0] = last_dir[0] = '\0';
        return 0;
    }
    memcpy(last_dir, start_dir, sizeof last_dir);
    return 1;
}

int restore_start_dir()
{
    return start_dir[0] && chdir(start_dir) == 0;
}

int path_ends_with(const char* path, const char* ext)
{
    size_t path_length = strlen(path), ext_length = strlen(ext);
    return path_length >= ext_length && memcmp(path + path_length - ext_length, ext, ext_length) == 0;
}

int path_with_extension(const char* chosen, const char* ext, char* path)
{
    size_t chosen_length = strlen(chosen);
    size_t ext_length = path_ends_with(chosen, ext) ? 0 : strlen(ext);
    if (chosen_length + ext_length >= (size_t)FILE_PATH_SIZE) {
        path[0] = '\0';
        return 0;
    }
    memmove(path, chosen, chosen_length);
    memcpy(path + chosen_length, ext, ext_length);
    path[chosen_length + ext_length] = '\0';
    return 1;
}

void remember_folder_of(const char* path)
{
    const char* slash = strrchr(path, '/');
    size_t length = slash ? (size_t)(slash - path) + 1 : 0;
    if (length >= sizeof last_dir)
        return;
    memmove(last_dir, path, length);
    last_dir[length] = '\0';
}
