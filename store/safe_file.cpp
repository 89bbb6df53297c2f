// safe_file.cpp: temporary file, then rename; see safe_file.h.
#include "store/safe_file.h"

#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

long safe_file_write_limit = -1;

int safe_file_open(SafeFile* file, const char* path)
{
    file->stream = nullptr;
    file->failed = 0;
    file->written = 0;
    size_t length = strlen(path);
    // room for ".XXXXXX" and the NUL
    if (length == 0 || length + 8 > sizeof file->temp_path)
        return 0;
    memcpy(file->target_path, path, length + 1);
    memcpy(file->temp_path, path, length);
    memcpy(file->temp_path + length, ".XXXXXX", 8);

    int fd = mkstemp(file->temp_path);
    if (fd < 0)
        return 0;
    // mkstemp makes the file private (0600); give it the mode a plain create would
    mode_t mask = umask(0);
    umask(mask);
    if (fchmod(fd, 0666 & ~mask) != 0 || (file->stream = fdopen(fd, "wb")) == nullptr) {
        close(fd);
        unlink(file->temp_path);
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
        return;
    }
    if (fwrite(bytes, 1, size, file->stream) != size)
        file->failed = 1;
    file->written += size;
}

int safe_file_commit(SafeFile* file)
{
    int ok = !file->failed;
    ok = ok && fflush(file->stream) == 0;
    ok = ok && fsync(fileno(file->stream)) == 0;
    ok = (fclose(file->stream) == 0) && ok;
    file->stream = nullptr;
    ok = ok && rename(file->temp_path, file->target_path) == 0;
    if (!ok)
        unlink(file->temp_path);
    return ok;
}
