// view_menu.h: the "View" menu (the Chart panel, the legend, the colour-blind palette, a
// date typed in, saving the place, the date and the query that the Location, Time and
// Query menus' "Saved" items recall, the animation export, the layout reset and the
// recent beat lists), and what the view says in words: the legend and the tooltip over a
// column.
#pragma once

#include <cstdint>

#include "platform/platform.h"

enum ViewCommand {
    CMD_SHOW_CHART_PANEL = 51,
    CMD_LEGEND = 52,
    CMD_COLOUR_BLIND = 53,
    CMD_GO_TO_DATE = 54,
    CMD_SAVE_LOCATION = 55,
    CMD_SAVE_TIME = 56,
    CMD_SAVE_QUERY = 57,
    CMD_EXPORT_ANIMATION = 58,
    CMD_RESET_LAYOUT = 59,
    CMD_RECENT_DATA = 60,  // the most recent beat list; 61 .. 64 the four before it
};

extern const Menu VIEW_MENU;

// The legend box is shown (start 1).
extern int legend_shown;

// Sets the menu's check marks as the settings stand.
void init_view_menu();

// Acts on a View command or a "Saved" item of the Location, Time and Query menus;
// returns 1 for those, 0 for any other command. Draws nothing.
int view_menu_command(int command_id);

// The legend and the Chart panel follow what the frame shows: called with every frame.
void show_readouts();

// The mouse rests at client pixel (x, y) with no button held: the tooltip of the column
// there, or none. Changes no view state and draws nothing.
void hover_at(int16_t x, int16_t y);

// The dates "Go to Date.." offers.
constexpr unsigned GO_TO_FIRST_YEAR = 1990;
constexpr unsigned GO_TO_LAST_YEAR = 2012;
