// records.h: loading a beat list as the program does it: the load, then what the user
// sees of it.
#pragma once

// load_records(path); on success the timeline starts again at its first date (which
// rebuilds the columns) and 1 is returned; when the list cannot be opened, the message
// "read_records(): fopen error" (caption "ERROR"), the table unchanged, and 0.
// The message's details name the list and why it failed.
int read_records(const char* path);

// errno of the last failed read_records, for the messages that follow it.
extern int load_error;
