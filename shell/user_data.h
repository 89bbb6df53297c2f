// user_data.h: the folder the program starts in.
//
// The program reads its data files (data/district.csv, data/beats/, data/maps/basemap.bmp,
// data/ui/fields.ui) relative to its working directory, and its file dialogs start there.
// Started in a folder that holds data/ui/fields.ui (the source tree, `make run`, the
// tests, a user's own data folder), it stays there. An installed program finds the
// shipped data beside it, at <prefix>/share/zavroview/data for <prefix>/bin/zavro, and
// starts in the user's own folder <data home>/zavroview instead, <data home> being
// $XDG_DATA_HOME or else ~/.local/share. Whenever that folder lacks data/ui/fields.ui
// (the first start), the shipped data is copied into it file by file; a file already
// there is never replaced, and a sample file the user deleted from a set-up folder does
// not come back.
#pragma once

#include <cstddef>

// A folder that holds this file is a data folder.
constexpr const char* DATA_MARK = "data/ui/fields.ui";

struct StartPlaces {
    const char* start_folder;   // full path of the folder the program was started in
    const char* program;        // full path of the executable, symbolic links resolved
    const char* xdg_data_home;  // $XDG_DATA_HOME; null, empty or relative: not set
    const char* home;           // $HOME; null, empty or relative: not set
};

// Decides the folder to start in and prepares it. Returns 0 when the program should stay
// where it started: start_folder is a data folder, or there is no shipped data beside the
// program. Otherwise returns 1 with folder (size bytes) the user's folder, set up as
// above, or when that cannot be made (no home, a file in the way, no room, no
// permission), the shared <prefix>/share/zavroview, which is read-only, after a line on
// standard error that says why.
int prepare_start_folder(const StartPlaces& places, char* folder, size_t size);

// prepare_start_folder for this process (its working directory, /proc/self/exe and the
// environment), then the move to the folder chosen. Once, before the window opens.
void enter_start_folder();
