// dialog_paths.cpp: the file dialogs' folders and extension rule; see dialog_paths.h.
#include "store/dialog_paths.h"

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <initializer_list>
#include <linux/magic.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/statfs.h>
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

int folder_check_delay_ms = 0;

// File systems whose folders the kernel makes up as they are listed: nothing to save in,
// and listing some of them never ends.
static const unsigned long PSEUDO_FILE_SYSTEMS[] = {
    PROC_SUPER_MAGIC, SYSFS_MAGIC,    DEBUGFS_MAGIC,   TRACEFS_MAGIC,   SECURITYFS_MAGIC,
    CGROUP_SUPER_MAGIC, CGROUP2_SUPER_MAGIC, DEVPTS_SUPER_MAGIC, PSTOREFS_MAGIC, BPF_FS_MAGIC,
    EFIVARFS_MAGIC, SELINUX_MAGIC,    SMACK_MAGIC,     NSFS_MAGIC,      BINFMTFS_MAGIC,
    0x62656570 /* configfs */, 0x65735543 /* fusectl */, 0x19800202 /* mqueue */,
    AUTOFS_SUPER_MAGIC, HUGETLBFS_MAGIC,
};

// The checks themselves; may block for as long as the folder's file system does.
static int check_folder(const char* folder, int writable)
{
    struct statfs file_system;
    if (folder[0] != '/' || statfs(folder, &file_system) != 0)
        return 0;
    for (unsigned long pseudo : PSEUDO_FILE_SYSTEMS)
        if ((unsigned long)file_system.f_type == pseudo)
            return 0;
    struct stat info;
    if (stat(folder, &info) != 0 || !S_ISDIR(info.st_mode) ||
        access(folder, writable ? R_OK | W_OK | X_OK : R_OK | X_OK) != 0)
        return 0;
    DIR* listing = opendir(folder);
    if (!listing)
        return 0;
    closedir(listing);
    return 1;
}

// Shared by the caller and the helper; the last of the two to let go frees it.
struct FolderCheck {
    pthread_mutex_t lock;
    pthread_cond_t finished;  // on the monotonic clock
    int users;                // 2 while both hold it
    int done, usable, writable, delay_ms;
    char folder[FILE_PATH_SIZE];
};

static void let_go(FolderCheck* check)
{
    // called with the lock held
    int last = --check->users == 0;
    pthread_mutex_unlock(&check->lock);
    if (last) {
        pthread_cond_destroy(&check->finished);
        pthread_mutex_destroy(&check->lock);
        free(check);
    }
}

static void* run_folder_check(void* argument)
{
    FolderCheck* check = (FolderCheck*)argument;
    if (check->delay_ms > 0)
        usleep((useconds_t)check->delay_ms * 1000);
    int usable = check_folder(check->folder, check->writable);
    pthread_mutex_lock(&check->lock);
    check->usable = usable;
    check->done = 1;
    pthread_cond_signal(&check->finished);
    let_go(check);
    return nullptr;
}

int folder_is_usable(const char* folder, int writable)
{
    size_t length = strlen(folder);
    FolderCheck* check;
    if (length == 0 || length >= (size_t)FILE_PATH_SIZE || !(check = (FolderCheck*)calloc(1, sizeof *check)))
        return 0;
    memcpy(check->folder, folder, length + 1);
    check->writable = writable;
    check->delay_ms = folder_check_delay_ms;
    check->users = 2;
    pthread_condattr_t clock;
    pthread_condattr_init(&clock);
    pthread_condattr_setclock(&clock, CLOCK_MONOTONIC);
    pthread_cond_init(&check->finished, &clock);
    pthread_condattr_destroy(&clock);
    pthread_mutex_init(&check->lock, nullptr);
    pthread_t helper;
    pthread_mutex_lock(&check->lock);
    if (pthread_create(&helper, nullptr, run_folder_check, check) != 0) {
        check->users = 1;  // no helper: unusable rather than a check that might block
        let_go(check);
        return 0;
    }
    pthread_detach(helper);
    struct timespec deadline;
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    deadline.tv_sec += FOLDER_CHECK_MS / 1000;
    deadline.tv_nsec += (FOLDER_CHECK_MS % 1000) * 1000000L;
    if (deadline.tv_nsec >= 1000000000L) {
        deadline.tv_sec++;
        deadline.tv_nsec -= 1000000000L;
    }
    while (!check->done && pthread_cond_timedwait(&check->finished, &check->lock, &deadline) == 0) {
    }
    int usable = check->done && check->usable;
    let_go(check);
    return usable;
}

const char* dialog_start_folder(int writable)
{
    const char* home = getenv("HOME");
    for (const char* folder : {(const char*)last_dir, home, (const char*)start_dir})
        if (folder && folder_is_usable(folder, writable))
            return folder;
    return "";
}
