// loader.h: load_records, the only writer of the beat table, and its line parsers.
//
// Files: the beat list (any path), and per beat data/beats/NAME.csv (months) and
// data/beats/NAME_yr.csv (years), relative to the working directory. Every file is read
// in lines of at most LINE_SIZE - 1 characters (a longer line is read as several); the
// first line is a header; in every further line commas count as blanks and the fields
// are scanned in order. A field that is missing or unreadable, and every field after
// it, keeps what the record held before the line. A number field is an optional sign
// and decimal digits; a value outside the field's range (0..65535 for a year or month,
// 0..4294967295 for a count) makes the field unreadable: "-1" and "4294967296" are,
// "+7" is 7 and "-0" is 0. A number ends at the first character that is not a digit,
// which starts the next field ("12x" is 12, then "x").
#pragma once

#include <cstdio>

#include "store/crime_data.h"

constexpr int LINE_SIZE = 256;  // read buffer of one line, NUL included

// 1 for the C locale's white space (blank, tab, line feed, vertical tab, form feed,
// carriage return), whatever locale the program runs in: what separates fields.
int is_blank(char c);

// Beat list line "NAME,LON,LAT"; the coordinates are floats as sscanf's "%f" reads
// them. A name longer than 7 characters is cut to its first 7, which then also name the
// beat's data files. Changes commas in line to blanks.
void parse_beat_line(char* line, BeatRecord* beat);

// Monthly line "YEAR,MONTH,WORD,7 counts"; the word must be there and is skipped.
void parse_month_line(char* line, MonthRecord* slot);

// Yearly line "YEAR,WORD,7 counts".
void parse_year_line(char* line, YearRecord* slot);

// 1 when the name may form a path under data/beats/: no '/', and not starting with
// '.' (which also rules out "." and ".."). A beat with an unsafe name keeps it in the
// table but its data files count as missing.
int beat_name_is_safe(const char* name);

// Loads the beat list at path and every listed beat's monthly and yearly files, the
// yearly maxima with them. At most MAX_BEATS beats, MONTH_SLOTS monthly and YEAR_SLOTS
// yearly lines are used; further lines are ignored. Only regular files are read: a
// folder, FIFO or device counts as a file that cannot be opened. A data file that cannot
// be opened or fails while being read counts as missing: that beat's slots stay empty
// (and a yearly file's maxima as they were). Returns 1, or 0 when the list cannot be
// opened or fails while being read; the table is then unchanged (a load fills a staging
// copy and commits it whole). Shows nothing and rebuilds nothing: the caller does
// (read_records).
int load_records(const char* path);

// Opens a file of the loader for reading: a stream, or null when it cannot be opened.
typedef FILE* (*OpenForReading)(const char* path);

// load_records with every file (the list at path, the beats' data/beats/... files)
// opened by open instead, e.g. as streams over memory; the same parsing and outcome.
int load_records_from(const char* path, OpenForReading open);

// The files the program reads besides the loader's (the field list) open as the
// loader's do: open_regular_file(path), null for a missing file and for anything but a
// regular file, never blocking.
FILE* open_for_reading(const char* path);
