// settings.cpp: the settings kept between runs; see settings.h.
#include "shell/settings.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "panels/chart_panel.h"
#include "panels/panel_templates.h"
#include "panels/panels.h"
#include "panels/timeline.h"
#include "render/columns.h"
#include "render/view_state.h"
#include "shell/menu.h"
#include "shell/startup.h"
#include "shell/view_menu.h"
#include "store/dates.h"

#define COUNT(table) (int)(sizeof table / sizeof table[0])

char recent_lists[RECENT_LISTS][FILE_PATH_SIZE];

struct KeptPanel {
    const char* key;  // the settings group
    Panel* panel;
    const PanelTemplate* panel_template;
};
static const KeptPanel KEPT[KEPT_PANELS] = {
    {"gis_panel", &gis_panel, &GIS_PANEL_TEMPLATE},
    {"query_panel", &query_panel, &QUERY_PANEL_TEMPLATE},
    {"timeline_panel", &timeline_panel, &TIMELINE_PANEL_TEMPLATE},
    {"info_panel", &info_panel, &INFO_PANEL_TEMPLATE},
    {"chart_panel", &chart_panel, &CHART_PANEL_TEMPLATE},
};
constexpr int CHART_INDEX = 4;

// Kept as the rows the panels show them by.
static const char* const HEIGHT_ROWS[HEIGHT_CHOICES] = {"100:1", "10:1", "1:1"};
static const char* const STEP_ROWS[] = {"Day", "Month", "Year"};  // STEP_DAY .. STEP_YEAR

static Settings kept;       // as read at this start
static int saved_this_run;  // save_settings has run since the start

void default_settings(Settings* settings)
{
    memset(settings, 0, sizeof *settings);
    settings->window = {0, 0, 0, MAIN_WINDOW_WIDTH, MAIN_WINDOW_HEIGHT, 0};
    for (int i = 0; i < KEPT_PANELS; i++)
        settings->panels[i].shown = KEPT[i].panel_template->visible;
    settings->height_choice = 2;  // "1:1"
    settings->step_unit = STEP_YEAR;
    settings->legend_shown = 1;
}

//// reading and writing the values

// A whole decimal integer in low .. high, nothing around it.
static int get_int(const char* key, int low, int high, int* out)
{
    char text[32];
    if (!platform_setting_get(key, text, sizeof text) || !text[0])
        return 0;
    char* end;
    errno = 0;
    long value = strtol(text, &end, 10);
    if (errno || *end || value < low || value > high)
        return 0;
    *out = (int)value;
    return 1;
}

static void get_flag(const char* key, int* out)
{
    int value;
    if (get_int(key, 0, 1, &value))
        *out = value;
}

// The index of the row the key's value names.
static int get_row(const char* key, const char* const* rows, int count, int* out)
{
    char text[32];
    if (!platform_setting_get(key, text, sizeof text))
        return 0;
    for (int i = 0; i < count; i++)
        if (strcmp(text, rows[i]) == 0)
            return *out = i, 1;
    return 0;
}

// A full path that fits FILE_PATH_SIZE, into path; else path unchanged.
static int get_path(const char* key, char* path)
{
    char text[FILE_PATH_SIZE];
    if (!platform_setting_get(key, text, sizeof text) || text[0] != '/')
        return 0;
    memcpy(path, text, sizeof text);
    return 1;
}

static void key_of(char* key, size_t size, const char* group, const char* name)
{
    snprintf(key, size, "%s/%s", group, name);
}

void read_settings(Settings* settings)
{
    default_settings(settings);
    if (!platform_settings_readable())
        return;
    WindowPlace& window = settings->window;
    int width, height, x, y;
    if (get_int("window/width", MIN_WINDOW_WIDTH, MAX_WINDOW_SIDE, &width) &&
        get_int("window/height", MIN_WINDOW_HEIGHT, MAX_WINDOW_SIDE, &height))
        window.width = width, window.height = height;
    if (get_int("window/x", -MAX_WINDOW_SIDE, MAX_WINDOW_SIDE, &x) &&
        get_int("window/y", -MAX_WINDOW_SIDE, MAX_WINDOW_SIDE, &y))
        window.placed = 1, window.x = x, window.y = y;
    get_flag("window/maximised", &window.maximised);

    for (int i = 0; i < KEPT_PANELS; i++) {
        PanelSetting& panel = settings->panels[i];
        char key_x[48], key_y[48], key_shown[48];
        key_of(key_x, sizeof key_x, KEPT[i].key, "x");
        key_of(key_y, sizeof key_y, KEPT[i].key, "y");
        key_of(key_shown, sizeof key_shown, KEPT[i].key, "shown");
        if (get_int(key_x, 0, MAX_WINDOW_SIDE, &x) && get_int(key_y, 0, MAX_WINDOW_SIDE, &y))
            panel.placed = 1, panel.x = x, panel.y = y;
        get_flag(key_shown, &panel.shown);
    }

    char folder[FILE_PATH_SIZE];
    size_t length;
    if (get_path("dialogs/folder", folder) && (length = strlen(folder)) && folder[length - 1] == '/' &&
        folder_is_usable(folder, 0))
        memcpy(settings->dialog_folder, folder, sizeof folder);

    int row;
    if (get_row("view/height_scale", HEIGHT_ROWS, HEIGHT_CHOICES, &row))
        settings->height_choice = (unsigned)row;
    if (get_row("timeline/step_unit", STEP_ROWS, COUNT(STEP_ROWS), &row))
        settings->step_unit = (uint8_t)row;
    get_flag("view/legend", &settings->legend_shown);
    get_flag("view/colour_blind_safe", &settings->colour_blind_safe);

    int count = 0;
    for (int i = 0; i < RECENT_LISTS; i++) {
        char key[32];
        snprintf(key, sizeof key, "recent/%d", i + 1);
        if (get_path(key, settings->recent[count]))
            count++;  // a bad entry leaves no gap
    }
}

static void set_int(const char* key, int value)
{
    char text[16];
    snprintf(text, sizeof text, "%d", value);
    platform_setting_set(key, text);
}

int write_settings(const Settings* settings)
{
    const WindowPlace& window = settings->window;
    set_int("window/width", window.width);
    set_int("window/height", window.height);
    if (window.placed) {
        set_int("window/x", window.x);
        set_int("window/y", window.y);
    } else {
        platform_setting_set("window/x", nullptr);
        platform_setting_set("window/y", nullptr);
    }
    set_int("window/maximised", window.maximised ? 1 : 0);
    for (int i = 0; i < KEPT_PANELS; i++) {
        const PanelSetting& panel = settings->panels[i];
        char key[48];
        key_of(key, sizeof key, KEPT[i].key, "x");
        panel.placed ? set_int(key, panel.x) : platform_setting_set(key, nullptr);
        key_of(key, sizeof key, KEPT[i].key, "y");
        panel.placed ? set_int(key, panel.y) : platform_setting_set(key, nullptr);
        key_of(key, sizeof key, KEPT[i].key, "shown");
        set_int(key, panel.shown ? 1 : 0);
    }
    platform_setting_set("dialogs/folder", settings->dialog_folder[0] ? settings->dialog_folder : nullptr);
    platform_setting_set("view/height_scale", HEIGHT_ROWS[settings->height_choice % HEIGHT_CHOICES]);
    platform_setting_set("timeline/step_unit", STEP_ROWS[settings->step_unit % COUNT(STEP_ROWS)]);
    set_int("view/legend", settings->legend_shown ? 1 : 0);
    set_int("view/colour_blind_safe", settings->colour_blind_safe ? 1 : 0);
    for (int i = 0; i < RECENT_LISTS; i++) {
        char key[32];
        snprintf(key, sizeof key, "recent/%d", i + 1);
        platform_setting_set(key, settings->recent[i][0] ? settings->recent[i] : nullptr);
    }
    return platform_settings_save();
}

//// the screens

static int overlap(int a, int a_length, int b, int b_length)
{
    long from = a > b ? a : b;
    long to = (long)a + a_length < (long)b + b_length ? (long)a + a_length : (long)b + b_length;
    return to > from ? (int)(to - from) : 0;
}

static int on_a_screen(int x, int y, const ScreenArea* screens, int count)
{
    for (int i = 0; i < count; i++)
        if (overlap(x, 1, screens[i].x, screens[i].width) && overlap(y, 1, screens[i].y, screens[i].height))
            return 1;
    return 0;
}

void check_places(Settings* settings, const ScreenArea* screens, int screen_count)
{
    WindowPlace& window = settings->window;
    int widest = screen_count ? 0 : MAX_WINDOW_SIDE, highest = screen_count ? 0 : MAX_WINDOW_SIDE;
    for (int i = 0; i < screen_count; i++) {
        widest = screens[i].width > widest ? screens[i].width : widest;
        highest = screens[i].height > highest ? screens[i].height : highest;
    }
    if (window.width > widest || window.height > highest)
        window.width = MAIN_WINDOW_WIDTH, window.height = MAIN_WINDOW_HEIGHT;
    if (window.placed && screen_count) {
        int held = 0;
        for (int i = 0; i < screen_count && !held; i++)
            held = overlap(window.x, window.width, screens[i].x, screens[i].width) >= WINDOW_GRIP_WIDTH &&
                   overlap(window.y, WINDOW_GRIP_HEIGHT, screens[i].y, screens[i].height) >= WINDOW_GRIP_HEIGHT;
        if (!held)
            window.placed = window.x = window.y = 0;
    }
    for (PanelSetting& panel : settings->panels) {
        if (!panel.placed)
            continue;
        const int centre_x = window.x + panel.x + PANEL_GRIP / 2, centre_y = window.y + panel.y + PANEL_GRIP / 2;
        if (panel.x + PANEL_GRIP > window.width || panel.y + PANEL_GRIP > window.height ||
            (window.placed && screen_count && !on_a_screen(centre_x, centre_y, screens, screen_count)))
            panel = {0, 0, 0, panel.shown};
    }
}

static int screens_now(ScreenArea* screens, int size)
{
    int count = platform_screen_areas(screens, size);
    return count < 0 ? 0 : count > size ? size : count;
}

WindowPlace reset_window_place(const WindowPlace& now, const ScreenArea* screens, int screen_count)
{
    WindowPlace place = {now.placed, now.x, now.y, MAIN_WINDOW_WIDTH, MAIN_WINDOW_HEIGHT, 0};
    if (!now.placed || !screen_count)
        return place;
    // the screen most of the window is on, else the first
    const ScreenArea* on = &screens[0];
    long most = 0;
    for (int i = 0; i < screen_count; i++) {
        long area = (long)overlap(now.x, now.width, screens[i].x, screens[i].width) *
                    overlap(now.y, now.height, screens[i].y, screens[i].height);
        if (area > most)
            most = area, on = &screens[i];
    }
    place.y = on->y;
    if (place.x + place.width > on->x + on->width)
        place.x = on->x + on->width - place.width;
    if (place.x < on->x)
        place.x = on->x;
    return place;
}

//// applying and collecting

void place_main_window()
{
    Settings settings;
    read_settings(&settings);
    ScreenArea screens[16];
    check_places(&settings, screens, screens_now(screens, COUNT(screens)));
    platform_place_main_window(&settings.window);
}

void apply_view_settings()
{
    saved_this_run = 0;
    read_settings(&kept);
    set_height_choice(kept.height_choice);
    step_unit = kept.step_unit;
    legend_shown = kept.legend_shown;
    colour_blind_safe = kept.colour_blind_safe;
}

void apply_layout_settings()
{
    WindowPlace now;
    if (platform_main_window_place(&now))
        kept.window = now;  // where the system has put it
    ScreenArea screens[16];
    check_places(&kept, screens, screens_now(screens, COUNT(screens)));
    for (int i = 0; i < KEPT_PANELS; i++) {
        const Panel panel = *KEPT[i].panel;
        const PanelSetting& setting = kept.panels[i];
        if (setting.placed)
            panel_move(panel, setting.x, setting.y);
        if (!setting.shown)
            panel_hide(panel);
        else if (i == CHART_INDEX)
            show_chart_panel();  // brought up to date
        else
            panel_show(panel);
    }
    if (kept.dialog_folder[0])
        memcpy(last_dir, kept.dialog_folder, sizeof last_dir);
    memcpy(recent_lists, kept.recent, sizeof recent_lists);
    show_recent_lists();
}

void collect_settings(Settings* settings)
{
    default_settings(settings);
    WindowPlace now;
    if (platform_main_window_place(&now))
        settings->window = now;
    for (int i = 0; i < KEPT_PANELS; i++) {
        PanelSetting& panel = settings->panels[i];
        panel.placed = panel_place(*KEPT[i].panel, &panel.x, &panel.y);
        panel.shown = panel_is_visible(*KEPT[i].panel);
    }
    // kept only once it differs from the start folder, so the next start folder rules
    if (strcmp(last_dir, start_dir) != 0)
        memcpy(settings->dialog_folder, last_dir, sizeof last_dir);
    settings->height_choice = height_choice();
    settings->step_unit = step_unit;
    settings->legend_shown = legend_shown;
    settings->colour_blind_safe = colour_blind_safe;
    memcpy(settings->recent, recent_lists, sizeof recent_lists);
}

void save_settings()
{
    if (saved_this_run)
        return;
    saved_this_run = 1;
    Settings settings;
    collect_settings(&settings);
    if (!write_settings(&settings))
        fprintf(stderr, "zavro: the settings could not be saved: %s\n", platform_settings_file());
}

void reset_layout()
{
    WindowPlace now;
    if (platform_main_window_place(&now)) {
        ScreenArea screens[16];
        const WindowPlace place = reset_window_place(now, screens, screens_now(screens, COUNT(screens)));
        platform_place_main_window(&place);
    }
    // in creation order, so each shown panel comes out over the ones before it as at the start
    for (const KeptPanel& kept_panel : KEPT) {
        panel_move_to_template_place(*kept_panel.panel);
        kept_panel.panel_template->visible ? panel_show(*kept_panel.panel) : panel_hide(*kept_panel.panel);
    }
}

//// the recent lists

void remember_recent_list(const char* path)
{
    char full[FILE_PATH_SIZE];
    int length = path[0] == '/' ? snprintf(full, sizeof full, "%s", path)
                                : snprintf(full, sizeof full, "%s/%s", start_dir, path);
    if (length < 0 || length >= (int)sizeof full || full[0] != '/')
        return;
    int at = RECENT_LISTS - 1;  // the entry that goes: an older one of this path, else the last
    for (int i = 0; i < RECENT_LISTS; i++)
        if (strcmp(recent_lists[i], full) == 0) {
            at = i;
            break;
        }
    memmove(recent_lists[1], recent_lists[0], (size_t)at * FILE_PATH_SIZE);
    memcpy(recent_lists[0], full, sizeof full);
    show_recent_lists();
}

void forget_recent_list(int index)
{
    if (index < 0 || index >= RECENT_LISTS)
        return;
    memmove(recent_lists[index], recent_lists[index + 1], (size_t)(RECENT_LISTS - 1 - index) * FILE_PATH_SIZE);
    recent_lists[RECENT_LISTS - 1][0] = '\0';
    show_recent_lists();
}

void open_recent_list(int index)
{
    if (index < 0 || index >= RECENT_LISTS || !recent_lists[index][0])
        return;
    char path[FILE_PATH_SIZE];
    memcpy(path, recent_lists[index], sizeof path);
    if (load_beat_list(path))
        platform_message_box("Load complete", "Info");
    else
        forget_recent_list(index);  // a failed load remembers nothing: the index still holds
}

void show_recent_lists()
{
    for (int i = 0; i < RECENT_LISTS; i++)
        platform_menu_set_text(CMD_RECENT_DATA + i, recent_lists[i]);
}
