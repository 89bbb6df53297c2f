// field_list.h: the crime-type list of the Query panel, data/ui/fields.ui.
//
// One row per read: a read takes at most FIELD_LINE_SIZE - 1 characters and stops after
// a line feed, so a longer line gives several rows. A row is "LABEL,CODE": the first
// comma ends the label, which is kept exactly as written (blanks included); CODE is a
// decimal integer (leading white space, an optional sign, digits; whatever follows,
// the line end too, is ignored; no digits give 0) of which only the low 8 bits are kept.
// A row without a comma is all label (its line end dropped) with code 0.
// Row i stands for CrimeType i, so the file lists the seven types in that order.
#pragma once

#include <cstdint>
#include <cstdio>

constexpr const char* FIELD_LIST_PATH = "data/ui/fields.ui";  // relative to the start-up directory
constexpr int FIELD_LINE_SIZE = 256;  // one read and its NUL

// Splits one read of the list in place: line is cut to its label and the code's low 8
// bits are returned. A code beyond the int range keeps the low 8 bits of its true value
// (-1 gives 255, 257 gives 1).
uint8_t parse_field_line(char* line);

// Reads the next row of file into label (FIELD_LINE_SIZE bytes) and its code into *code.
// Returns 1, or 0 at the end of the file (label and *code then unchanged).
int read_field_row(FILE* file, char* label, uint8_t* code);
