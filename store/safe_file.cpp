// safe_file.cpp: following links to the target, the temporary file, the rename and the
// folder's flush; see safe_file.h.
#include "store/safe_file.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

long safe_file_write_limit = -1;

static const char TEMP_SUFFIX[] = ".XXXXXX";   // the X's become letters and digits
static const int TEMP_SUFFIX_LENGTH = sizeof TEMP_SUFFIX - 1;
static const int MAX_LINK_HOPS = 40;           // as the kernel's own limit

// Length of the folder part of path, its last '/' included (0 for a bare name).
static size_t folder_length(const char* path)
{
    const char* slash = strrchr(path, '/');
    return slash ? (size_t)(slash - path) + 1 : 0;
}

// Follows symbolic links from path to the file a write should replace, into target
// (SAFE_PATH_SIZE bytes). A relative link counts from the folder of the link. The end
// need not exist. Returns 1, or 0 with errno.
static int find_target(const char* path, char* target)
{
    size_t length = strlen(path);
    if (length == 0) {
        errno = ENOENT;
        return 0;
    }
    if (length >= SAFE_PATH_SIZE) {
        errno = ENAMETOOLONG;
        return 0;
    }
    memcpy(target, path, length + 1);
    for (int hops = 0;; hops++) {
        struct stat info;
        if (lstat(target, &info) != 0)
            return errno == ENOENT;  // a new file (a missing folder fails at the create)
        if (!S_ISLNK(info.st_mode))
            return 1;
        if (hops == MAX_LINK_HOPS) {
            errno = ELOOP;
            return 0;
        }
        char link[SAFE_PATH_SIZE];
        ssize_t got = readlink(target, link, sizeof link);
        if (got < 0)
            return 0;
        size_t keep = link[0] == '/' ? 0 : folder_length(target);
        if (got == 0 || (size_t)got + keep >= SAFE_PATH_SIZE) {
            errno = got == 0 ? ENOENT : ENAMETOOLONG;
            return 0;
        }
        memcpy(target + keep, link, (size_t)got);
        target[keep + (size_t)got] = '\0';
    }
}

// Creates temp_path (the target's path and a fresh suffix) exclusively, with create_mode
// less the umask. Returns the descriptor, or -1 with errno.
static int create_temp(SafeFile* file, mode_t create_mode)
{
    static unsigned counter;
    static const char LETTERS[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    size_t length = strlen(file->target_path);
    memcpy(file->temp_path, file->target_path, length);
    char* suffix = file->temp_path + length;
    memcpy(suffix, TEMP_SUFFIX, sizeof TEMP_SUFFIX);
    for (int attempt = 0; attempt < 100; attempt++) {
        timespec now;
        clock_gettime(CLOCK_REALTIME, &now);
        unsigned long long bits = (unsigned long long)now.tv_nsec * 2654435761u ^
                                  (unsigned long long)getpid() << 20 ^ ++counter * 40503u;
        for (int i = 1; i < TEMP_SUFFIX_LENGTH; i++, bits /= sizeof LETTERS - 1)
            suffix[i] = LETTERS[bits % (sizeof LETTERS - 1)];
        int fd = open(file->temp_path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, create_mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

int safe_file_open(SafeFile* file, const char* path)
{
    file->stream = nullptr;
    file->failed = 0;
    file->error = 0;
    file->written = 0;
    if (!find_target(path, file->target_path))
        return 0;
    size_t length = strlen(file->target_path);
    if (length + TEMP_SUFFIX_LENGTH >= SAFE_PATH_SIZE ||
        length - folder_length(file->target_path) + TEMP_SUFFIX_LENGTH > NAME_MAX) {
        errno = ENAMETOOLONG;
        return 0;
    }
    struct stat old;
    int replacing = stat(file->target_path, &old) == 0;
    if (replacing && !S_ISREG(old.st_mode)) {
        errno = S_ISDIR(old.st_mode) ? EISDIR : EINVAL;
        return 0;
    }
    // a new file is created as a plain create would make it (the kernel applies the
    // umask); a replacement is never created more open than the file it replaces, and
    // gets that file's exact bits with fchmod once it exists
    int fd = create_temp(file, replacing ? (old.st_mode & 0777) : 0666);
    if (fd < 0)
        return 0;
    int ok = 1;
    if (replacing) {
        // the owner only where allowed (root, or a group of the user's); then the bits,
        // since a change of owner may clear set-id bits
        if (old.st_uid != geteuid() || old.st_gid != getegid())
            (void)!fchown(fd, old.st_uid, old.st_gid);
        ok = fchmod(fd, old.st_mode & 07777) == 0;
    }
    if (!ok || (file->stream = fdopen(fd, "wb")) == nullptr) {
        int saved = errno;
        close(fd);
        unlink(file->temp_path);
        errno = saved;
        return 0;
    }
    return 1;
}

void safe_file_write(SafeFile* file, const void* bytes, size_t size)
{
    if (file->failed || size == 0)
        return;
    if (safe_file_write_limit >= 0 && file->written + size > (size_t)safe_file_write_limit) {
        file->failed = 1;
        file->error = ENOSPC;
        return;
    }
    if (fwrite(bytes, 1, size, file->stream) != size) {
        file->failed = 1;
        file->error = errno;
    }
    file->written += size;
}

// Flushes the folder that holds path, so that a rename in it is on disk. A file system
// that cannot flush a folder (EINVAL) has nothing to flush.
static int sync_folder(const char* path)
{
    char folder[SAFE_PATH_SIZE];
    size_t length = folder_length(path);
    if (length == 0) {
        strcpy(folder, ".");
    } else {
        memcpy(folder, path, length);
        folder[length] = '\0';
    }
    int fd = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    int ok = fsync(fd) == 0 || errno == EINVAL;
    int saved = errno;
    close(fd);
    errno = saved;
    return ok;
}

int safe_file_commit(SafeFile* file)
{
    int error = 0;
    if (file->failed)
        error = file->error ? file->error : EIO;
    if (!error && (fflush(file->stream) != 0 || fsync(fileno(file->stream)) != 0))
        error = errno;
    if (fclose(file->stream) != 0 && !error)
        error = errno;
    file->stream = nullptr;
    if (!error && rename(file->temp_path, file->target_path) != 0)
        error = errno;
    if (error) {
        unlink(file->temp_path);
        errno = error;
        return 0;
    }
    return sync_folder(file->target_path);
}

void safe_file_discard(SafeFile* file)
{
    if (!file->stream)
        return;
    fclose(file->stream);
    file->stream = nullptr;
    unlink(file->temp_path);
}
