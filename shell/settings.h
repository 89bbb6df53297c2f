// settings.h: what lasts from one run to the next: the window's place, each child
// panel's place and whether it shows, the folder the file dialogs start in, the height
// scale, the step unit, the legend, the palette and the last beat lists loaded. The
// platform keeps them as text (platform_setting_*); every value read back is checked,
// and one that does not do (missing, corrupt, out of range, off every screen) gives that
// item its start value. Settings that cannot be read give the start values of all.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "store/dialog_paths.h"

// The child panels whose place lasts, in creation order: GIS, Query, Timeline, Info, Chart.
constexpr int KEPT_PANELS = 5;
// Beat lists remembered for "View > Recent Data", most recent first.
constexpr int RECENT_LISTS = 5;

// Window sizes outside these are corrupt (logical pixels); the size then is the start's.
constexpr int MIN_WINDOW_WIDTH = 320;
constexpr int MIN_WINDOW_HEIGHT = 240;
constexpr int MAX_WINDOW_SIDE = 16384;
// A window stays where it was when this much of its top edge lies on one screen: a strip
// WINDOW_GRIP_WIDTH wide and WINDOW_GRIP_HEIGHT high, enough to take hold of it.
constexpr int WINDOW_GRIP_WIDTH = 64;
constexpr int WINDOW_GRIP_HEIGHT = 24;
// A panel stays where it was when the PANEL_GRIP-pixel square at its top-left corner lies
// inside the window and its centre on a screen.
constexpr int PANEL_GRIP = 16;

struct PanelSetting {
    int placed;  // 0: the template's place
    int x, y;    // client pixels
    int shown;
};

struct Settings {
    WindowPlace window;
    PanelSetting panels[KEPT_PANELS];
    char dialog_folder[FILE_PATH_SIZE];  // "": the folder the program started in
    unsigned height_choice;              // a row of the GIS panel's height scale
    uint8_t step_unit;                   // STEP_DAY, STEP_MONTH or STEP_YEAR
    int legend_shown, colour_blind_safe;
    char recent[RECENT_LISTS][FILE_PATH_SIZE];  // full paths, most recent first; "" past the last
};

// The start as the program has it with nothing kept: the window 1024 x 768 where the
// system puts it, the panels at their templates' places (GIS, Query and Timeline shown),
// height 1:1, step by year, the legend on, the usual palette, no recent lists.
void default_settings(Settings* settings);

// Reads the stored settings, each checked on its own; a folder is kept only when usable.
// Does not look at the screens (check_places does).
void read_settings(Settings* settings);

// The window's size (MIN_WINDOW_* .. the largest screen) and place (its top edge held on a
// screen) and each panel's place (inside the window, on a screen) as above; what fails
// goes back to its start value. With no screens known, sizes up to MAX_WINDOW_SIDE pass
// and places are not checked against screens.
void check_places(Settings* settings, const ScreenArea* screens, int screen_count);

// Writes settings to the platform's store. Returns platform_settings_save's result.
int write_settings(const Settings* settings);

// Before platform_run: reads the settings and places the main window as they say.
void place_main_window();

// In on_startup: the height scale, the step unit, the legend and the palette as kept,
// before the columns, the menu and the panels are made from them.
void apply_view_settings();
// In on_startup, once the panels and the file dialogs exist: the panels' places and
// visibility, the dialogs' folder and the recent lists as kept.
void apply_layout_settings();

// What the program shows now, as settings.
void collect_settings(Settings* settings);
// collect_settings, then written; a failure is told on standard error (the program is
// ending). Once, at the end, while the panels exist.
void save_settings();

// "View > Reset Layout": the window back to 1024 x 768, not maximised, at the top of its
// screen (moved left only as far as it needs to fit), and the panels at their templates'
// places, shown or hidden as at the start.
void reset_layout();
// The window's place after a reset from now (placed 0: nowhere known; the size only).
WindowPlace reset_window_place(const WindowPlace& now, const ScreenArea* screens, int screen_count);

// The recent lists, most recent first; "" past the last.
extern char recent_lists[RECENT_LISTS][FILE_PATH_SIZE];
// path (made absolute against start_dir) goes first, an older entry of it dropped, the
// sixth forgotten; the menu follows.
void remember_recent_list(const char* path);
// Drops entry index; the menu follows.
void forget_recent_list(int index);
// The "Recent Data" items show the lists.
void show_recent_lists();
// A "Recent Data" item: the list loaded as "Load Data.." loads a chosen file, "Load
// complete" after; one that cannot be loaded any more (moved, deleted) gets the loader's
// message and "Can't load data file!!", and leaves the menu.
void open_recent_list(int index);
