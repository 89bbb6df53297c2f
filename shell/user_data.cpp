// user_data.cpp: the folder the program starts in, and the user's copy of the sample data.
#include "shell/user_data.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

static const char SHARED_FOLDER[] = "share/zavroview";  // under the installation prefix
static const char USER_FOLDER[] = "zavroview";          // under the data home

static int is_data_folder(const fs::path& folder)
{
    std::error_code error;
    return fs::is_regular_file(folder / DATA_MARK, error);
}

static int set_absolute(const char* value)
{
    return value && value[0] == '/';
}

// The user's folder, or an empty path when neither variable gives a place for it.
static fs::path user_folder(const StartPlaces& places)
{
    if (set_absolute(places.xdg_data_home))
        return fs::path(places.xdg_data_home) / USER_FOLDER;
    if (set_absolute(places.home))
        return fs::path(places.home) / ".local/share" / USER_FOLDER;
    return fs::path();
}

// Copies every regular file under from to the same place under to, except where to
// already has something of that name. Returns 1, or 0 with why set at the first failure;
// files copied before it stay.
static int copy_missing_files(const fs::path& from, const fs::path& to, std::string* why)
{
    std::error_code error;
    fs::recursive_directory_iterator it(from, error), end;
    for (; !error && it != end; it.increment(error)) {
        if (!it->is_regular_file(error))
            continue;
        fs::path target = to / it->path().lexically_relative(from);
        std::error_code missing;
        if (fs::symlink_status(target, missing).type() != fs::file_type::not_found)
            continue;  // the user's own, or a link: left as it is
        fs::create_directories(target.parent_path(), error);
        if (error) {
            *why = target.parent_path().string() + ": " + error.message();
            return 0;
        }
        fs::copy_file(it->path(), target, fs::copy_options::skip_existing, error);
        if (error) {
            *why = target.string() + ": " + error.message();
            return 0;
        }
        // a read-only shipped file makes a copy the user could not edit
        fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::add, error);
        error.clear();
    }
    if (error) {
        *why = from.string() + ": " + error.message();
        return 0;
    }
    return 1;
}

// Makes user a data folder unless it is one. Returns 1, or 0 with why set.
static int set_up_user_folder(const fs::path& shared, const fs::path& user, std::string* why)
{
    if (user.empty()) {
        *why = "neither XDG_DATA_HOME nor HOME is set to a full path";
        return 0;
    }
    if (is_data_folder(user))
        return 1;
    if (!copy_missing_files(shared / "data", user / "data", why))
        return 0;
    if (!is_data_folder(user)) {
        *why = (user / DATA_MARK).string() + " is not a file";
        return 0;
    }
    return 1;
}

static int copy_path(const fs::path& path, char* folder, size_t size)
{
    int n = snprintf(folder, size, "%s", path.c_str());
    return n >= 0 && (size_t)n < size;
}

int prepare_start_folder(const StartPlaces& places, char* folder, size_t size)
{
    if (size)
        folder[0] = 0;
    if (is_data_folder(places.start_folder))
        return 0;
    fs::path shared = fs::path(places.program).parent_path().parent_path() / SHARED_FOLDER;
    if (!is_data_folder(shared))
        return 0;

    fs::path user = user_folder(places);
    std::string why;
    if (set_up_user_folder(shared, user, &why)) {
        if (copy_path(user, folder, size))
            return 1;
        why = "its name is too long";
    }
    if (!copy_path(shared, folder, size))
        return 0;
    fprintf(stderr, "zavro: cannot set up the data folder %s (%s); starting in %s\n",
            user.empty() ? "~/.local/share/zavroview" : user.c_str(), why.c_str(), folder);
    return 1;
}

void enter_start_folder()
{
    std::error_code error;
    fs::path start = fs::current_path(error);
    if (error)
        return;
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return;
    StartPlaces places = {start.c_str(), program.c_str(), getenv("XDG_DATA_HOME"), getenv("HOME")};
    char folder[4096];
    if (prepare_start_folder(places, folder, sizeof folder) && chdir(folder) != 0)
        perror(folder);
}
