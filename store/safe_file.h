// safe_file.h: file writes that either complete or leave the target as it was.
// The bytes go to a temporary file in the target's folder, which is renamed over the
// target only after every byte was written and flushed to disk.
#pragma once

#include <cstddef>
#include <cstdio>

constexpr int SAFE_PATH_SIZE = 4096;

struct SafeFile {
    FILE* stream;                       // the temporary file, open for binary writing
    int failed;                         // 1 once any write failed
    size_t written;                     // bytes written so far
    char temp_path[SAFE_PATH_SIZE];
    char target_path[SAFE_PATH_SIZE];
};

// Creates the temporary file beside path. Returns 1, or 0 when it cannot be created
// (folder missing or not writable, path too long); nothing is then left on disk.
int safe_file_open(SafeFile* file, const char* path);

// Appends size bytes; a failure is remembered and reported by safe_file_commit.
void safe_file_write(SafeFile* file, const void* bytes, size_t size);

// Flushes, closes and renames the temporary file over the target. Returns 1 when the
// target now holds every byte; 0 otherwise, with the temporary file removed and the
// target untouched.
int safe_file_commit(SafeFile* file);

// Fault injection for tests: when >= 0, writes beyond this many bytes fail, as on a
// full disk. -1 (the default) disables it.
extern long safe_file_write_limit;
