// regular_file.cpp: non-blocking open, fstat, and the read-fault hook; see regular_file.h.
#include "store/regular_file.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

long regular_file_read_limit = -1;

// The stream a test gets while regular_file_read_limit is set: the real descriptor and
// the bytes it may still give.
struct LimitedFile {
    int fd;
    long left;
};

static ssize_t limited_read(void* cookie, char* bytes, size_t size)
{
    LimitedFile* file = (LimitedFile*)cookie;
    if (file->left <= 0) {
        errno = EIO;
        return -1;
    }
    if (size > (size_t)file->left)
        size = (size_t)file->left;
    ssize_t got = read(file->fd, bytes, size);
    if (got > 0)
        file->left -= got;
    return got;
}

static int limited_close(void* cookie)
{
    LimitedFile* file = (LimitedFile*)cookie;
    int result = close(file->fd);
    free(file);
    return result;
}

static FILE* open_limited(int fd)
{
    LimitedFile* file = (LimitedFile*)malloc(sizeof *file);
    if (!file)
        return nullptr;
    *file = {fd, regular_file_read_limit};
    cookie_io_functions_t functions = {limited_read, nullptr, nullptr, limited_close};
    FILE* stream = fopencookie(file, "rb", functions);
    if (!stream)
        free(file);
    return stream;
}

FILE* open_regular_file(const char* path)
{
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info;
    int flags;
    if (fstat(fd, &info) != 0 || (flags = fcntl(fd, F_GETFL)) < 0) {
        int saved = errno;
        close(fd);
        errno = saved;
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        close(fd);
        errno = S_ISDIR(info.st_mode) ? EISDIR : ENODEV;
        return nullptr;
    }
    FILE* stream = nullptr;
    if (fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0)
        stream = regular_file_read_limit >= 0 ? open_limited(fd) : fdopen(fd, "rb");
    if (!stream) {
        int saved = errno;
        close(fd);
        errno = saved;
    }
    return stream;
}
