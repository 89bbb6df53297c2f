// readout.h: what the view says in words: the legend's lines and the text of the tooltip
// over a column, from the last query evaluation, the height scale and the palette.
#pragma once

#include <cstdint>

constexpr int READOUT_LINE_SIZE = 128;  // any line below, with its NUL

struct Legend {
    float swatch[3][3];                      // the side colours, in SideBand order
    char band_text[3][READOUT_LINE_SIZE];    // what each colour means
    char scale_text[READOUT_LINE_SIZE];      // "One black band: 100 crimes"
    char types_text[READOUT_LINE_SIZE];      // "Counted: Robbery, Theft" or "Counted: no crime type chosen"
    char date_text[READOUT_LINE_SIZE];       // "Date: March,1,2004"
};

// Fills legend from colour_blind_safe, vertical_scale, query_flags and current_date; every
// byte is set, so two legends of the same view compare equal with memcmp.
void make_legend(Legend* legend);

// "Robbery, Theft", the chosen types in CrimeType order, or "no crime type chosen".
void chosen_types_text(char* text, int size);

// The tooltip of a loaded beat's column, lines separated by '\n':
//   ALDER
//   March 2004: 45 crimes
//   Share of the district: 12.50%          (the five beats, without the reference)
//   This year: 40.00% of its largest yearly counts
//   Citywide: 38.00% of its largest yearly counts
// The reference's own column says "Citywide reference" in the share's place; a year with
// no yearly figures says "no yearly figures". Returns 1, or 0 with text empty for a beat
// that is not loaded or a text that does not fit.
int format_hover_text(int beat, char* text, int size);
