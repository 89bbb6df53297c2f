// view_menu.cpp: the View menu, the saved place, date and query, the legend and the
// tooltip; see view_menu.h.
#include "shell/view_menu.h"

#include <cstring>

#include "panels/chart_panel.h"
#include "panels/panels.h"
#include "panels/query_panel.h"
#include "panels/timeline.h"
#include "query/query.h"
#include "render/columns.h"
#include "render/hover.h"
#include "render/readout.h"
#include "render/view_state.h"
#include "shell/export_animation.h"
#include "shell/menu.h"
#include "shell/settings.h"
#include "store/dates.h"

#define COUNT(table) (int)(sizeof table / sizeof table[0])

// Texts set by show_recent_lists; hidden while empty.
static const MenuItem RECENT_ITEMS[RECENT_LISTS] = {
    {"", CMD_RECENT_DATA}, {"", CMD_RECENT_DATA + 1}, {"", CMD_RECENT_DATA + 2},
    {"", CMD_RECENT_DATA + 3}, {"", CMD_RECENT_DATA + 4}};
static const Menu RECENT_DATA_MENU = {"Recent Data", RECENT_ITEMS, RECENT_LISTS};

static const MenuItem VIEW_ITEMS[] = {
    {"Show Chart Panel", CMD_SHOW_CHART_PANEL},
    {"Legend", CMD_LEGEND, 1},
    {"Colour-blind Safe Colours", CMD_COLOUR_BLIND, 1},
    {"Go to Date..", CMD_GO_TO_DATE},
    {"Save Location", CMD_SAVE_LOCATION},
    {"Save Time", CMD_SAVE_TIME},
    {"Save Query", CMD_SAVE_QUERY},
    {nullptr, 0},
    {"Export Animation..", CMD_EXPORT_ANIMATION},
    {nullptr, 0},
    {"Reset Layout", CMD_RESET_LAYOUT},
    {"Recent Data", 0, 0, &RECENT_DATA_MENU},
};
const Menu VIEW_MENU = {"View", VIEW_ITEMS, COUNT(VIEW_ITEMS)};

int legend_shown = 1;
static BeatIndex tooltip_beat = NO_BEAT;  // whose tooltip shows

// What "Save ..." stored for the session; recalled by the "Saved ..." items.
struct SavedView {
    int has_location, has_time, has_query;
    Vec3 center;
    float tilt, heading, distance;
    PackedDate date;
    uint16_t flags[CRIME_TYPE_COUNT];
};
static SavedView saved;

void init_view_menu()
{
    memset(&saved, 0, sizeof saved);
    tooltip_beat = NO_BEAT;
    platform_menu_check(CMD_LEGEND, legend_shown);
    platform_menu_check(CMD_COLOUR_BLIND, colour_blind_safe);
}

static void go_to_date()
{
    unsigned month = date_month(current_date);
    unsigned year = BASE_YEAR + date_year_offset(current_date);
    if (year < GO_TO_FIRST_YEAR || year > GO_TO_LAST_YEAR)
        year = GO_TO_LAST_YEAR;
    if (month < 1 || month > 12)
        month = 1;
    if (platform_ask_month_year("Go to Date", GO_TO_FIRST_YEAR, GO_TO_LAST_YEAR, &month, &year) &&
        month >= 1 && month <= 12 && year >= GO_TO_FIRST_YEAR && year <= GO_TO_LAST_YEAR)
        set_current_date(make_date(year - BASE_YEAR, month, 1));
}

int view_menu_command(int command_id)
{
    switch (command_id) {
    case CMD_SHOW_CHART_PANEL: show_chart_panel(); return 1;
    case CMD_LEGEND:
        legend_shown = !legend_shown;
        platform_menu_check(CMD_LEGEND, legend_shown);
        if (!legend_shown)
            platform_show_legend(nullptr);
        return 1;
    case CMD_COLOUR_BLIND:
        colour_blind_safe = !colour_blind_safe;
        platform_menu_check(CMD_COLOUR_BLIND, colour_blind_safe);
        make_columns();  // the sides take the other palette
        return 1;
    case CMD_GO_TO_DATE: go_to_date(); return 1;
    case CMD_EXPORT_ANIMATION: export_animation(); return 1;
    case CMD_SAVE_LOCATION:
        saved.has_location = 1;
        saved.center = view_center, saved.tilt = view_tilt, saved.heading = view_heading;
        saved.distance = view_distance;
        return 1;
    case CMD_SAVE_TIME:
        saved.has_time = 1;
        saved.date = current_date;
        return 1;
    case CMD_SAVE_QUERY:
        saved.has_query = 1;
        memcpy(saved.flags, query_flags, sizeof saved.flags);
        return 1;
    case CMD_SAVED_LOCATION:
        if (saved.has_location) {
            view_center = saved.center, view_tilt = saved.tilt, view_heading = saved.heading;
            view_distance = saved.distance;
        }
        return 1;
    case CMD_SAVED_TIME:
        if (saved.has_time)
            set_current_date(saved.date);
        return 1;
    case CMD_RESET_LAYOUT: reset_layout(); return 1;
    case CMD_SAVED_QUERY:
        if (saved.has_query) {
            memcpy(query_flags, saved.flags, sizeof query_flags);
            query_panel_refresh(query_panel);
            make_columns();
        }
        return 1;
    }
    if (command_id >= CMD_RECENT_DATA && command_id < CMD_RECENT_DATA + RECENT_LISTS) {
        open_recent_list(command_id - CMD_RECENT_DATA);
        return 1;
    }
    return 0;
}

void show_readouts()
{
    if (legend_shown) {
        Legend legend;
        make_legend(&legend);
        platform_show_legend(&legend);
    }
    if (panel_is_visible(chart_panel))
        chart_panel_refresh(chart_panel);
}

void hover_at(int16_t x, int16_t y)
{
    BeatIndex beat;
    char text[256];
    if (!hover_beat(x, y, &beat) || !format_hover_text(beat, text, sizeof text)) {
        if (tooltip_beat != NO_BEAT)
            platform_hide_tooltip();
        tooltip_beat = NO_BEAT;
        return;
    }
    tooltip_beat = beat;
    platform_show_tooltip(x, y, text);
}
