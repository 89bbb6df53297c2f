// menu.h: the main window's menu bar and its commands.
#pragma once

// Command identifiers of the menu items.
enum MenuCommand {
    CMD_LOAD_DATA = 1,
    CMD_EXPORT_CSV = 2,
    CMD_ABOUT = 6,
    CMD_SAVE_SNAPSHOT = 7,
    CMD_PRINT = 8,
    CMD_QUIT = 10,
    CMD_SHOW_GIS_PANEL = 11,
    CMD_SHOW_QUERY_PANEL = 12,
    CMD_SHOW_TIMELINE_PANEL = 13,
    CMD_SHOW_INFO_PANEL = 14,
    CMD_DEFAULT_LOCATION = 21,
    CMD_SAVED_LOCATION = 22,
    CMD_DEFAULT_TIME = 31,
    CMD_SAVED_TIME = 32,
    CMD_DATA_START = 33,
    CMD_DATA_END = 34,
    CMD_DEFAULT_QUERY = 41,
    CMD_SAVED_QUERY = 42,
};

constexpr int SNAPSHOT_WAIT_MS = 251;  // before a capture, with the frame timer stopped

// Puts the menu bar on the main window.
void create_menu();

// Loads the beat list at path as "Load Data.." does once the user has chosen it: the
// records read (shell/records.h), the Query panel refreshed and the columns rebuilt;
// returns 1. A list that cannot be loaded shows "Can't load data file!!" (caption
// "Error") after the loader's own message and returns 0. Shows no message on success:
// "Load complete" is the menu command's. A list loaded becomes the most recent one.
int load_beat_list(const char* path);

// "Data Start" and "Data End": the date's fields set to 1 January 1999 or 1 November 2011,
// its lowest two bits kept.
void go_to_data_start();
void go_to_data_end();
