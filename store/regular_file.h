// regular_file.h: opening a file the program reads (beat list, beat files, basemap, field
// list) so that only a regular file is ever read, and nothing can make the open wait.
#pragma once

#include <cstdio>

// Opens path for binary reading when it names a regular file (a symbolic link to one
// counts). The file is opened without blocking, so a FIFO with no writer cannot hang the
// program, then checked with fstat; reads on the stream block again as usual. Returns
// the stream, or null when path is missing, unreadable, or anything but a regular file
// (a folder, a FIFO, a device, a socket); errno then says why (EISDIR for a folder,
// ENODEV for any other non-regular file). The caller fcloses the stream. A read error
// shows in ferror(stream), never as a plain end of file.
FILE* open_regular_file(const char* path);

// Fault injection for tests: when >= 0, each stream opened by open_regular_file while it
// is set gives at most this many bytes, after which every read fails with EIO, as a
// failing disk would. -1 (the default) disables it.
extern long regular_file_read_limit;
