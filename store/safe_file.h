// safe_file.h: file writes that either complete or leave the target as it was.
// The bytes go to a temporary file in the target's folder, which is renamed over the
// target only after every byte was written and flushed to disk; the folder is then
// flushed too, so a completed save survives a power loss.
//
// The target is the file the path names after following symbolic links: writing to a
// link replaces the file it points to (created when the link dangles) and keeps the
// link. A replaced file keeps its permission bits (and, where allowed, its owner); a new
// file gets the mode a plain create gives (0666 less the umask).
//
// Every failure returns 0 with errno saying why, for the caller's message: ENAMETOOLONG
// when the name leaves no room for the temporary suffix (".XXXXXX" within NAME_MAX),
// EACCES when the folder allows no new file, ENOENT for a missing folder, EISDIR when
// the target is a folder, ENOSPC (or what the disk said) for a failed write.
#pragma once

#include <cstddef>
#include <cstdio>

constexpr int SAFE_PATH_SIZE = 4096;

struct SafeFile {
    FILE* stream;                       // the temporary file, open for binary writing
    int failed;                         // 1 once any write failed (callers may set it)
    int error;                          // errno of the first failed write, 0 if none
    size_t written;                     // bytes written so far
    char temp_path[SAFE_PATH_SIZE];
    char target_path[SAFE_PATH_SIZE];   // path with its symbolic links followed
};

// Creates the temporary file beside the target. Returns 1, or 0 when it cannot be
// created (folder missing or not writable, name or path too long, target not a regular
// file); nothing is then left on disk.
int safe_file_open(SafeFile* file, const char* path);

// Appends size bytes; a failure is remembered and reported by safe_file_commit.
void safe_file_write(SafeFile* file, const void* bytes, size_t size);

// Flushes, closes and renames the temporary file over the target, then flushes the
// folder. Returns 1 when the target holds every byte on disk. Returns 0 otherwise: when
// the failure came before the rename the temporary file is removed and the target is
// untouched; when only the folder's flush failed, the target already holds the new bytes
// but they may not survive a power loss.
int safe_file_commit(SafeFile* file);

// Fault injection for tests: when >= 0, writes beyond this many bytes fail with ENOSPC,
// as on a full disk. -1 (the default) disables it.
extern long safe_file_write_limit;

// Closes and removes the temporary file without touching the target (a cancelled save).
void safe_file_discard(SafeFile* file);
