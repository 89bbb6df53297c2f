// menu.cpp: the menu bar and its commands. Every command, an unknown one too, ends with
// a frame, except Quit.
#include "shell/menu.h"

#include <cerrno>
#include <cstring>
#include <initializer_list>

#include "panels/info_panel.h"
#include "panels/panels.h"
#include "panels/query_panel.h"
#include "panels/timeline.h"
#include "platform/platform.h"
#include "print/print.h"
#include "query/export.h"
#include "query/query.h"
#include "render/capture_gl.h"
#include "render/columns.h"
#include "render/image.h"
#include "render/map_gl.h"
#include "render/view_state.h"
#include "shell/records.h"
#include "shell/settings.h"
#include "shell/view.h"
#include "shell/view_menu.h"
#include "store/dates.h"
#include "panels/file_dialogs.h"
#include "store/dialog_paths.h"

#define COUNT(table) (int)(sizeof table / sizeof table[0])

static const MenuItem FILE_ITEMS[] = {
    {"Load Data..", CMD_LOAD_DATA}, {"Export CSV..", CMD_EXPORT_CSV},
    {"Save Snapshot..", CMD_SAVE_SNAPSHOT}, {"Print..", CMD_PRINT}, {"Quit", CMD_QUIT}};
static const MenuItem LOCATION_ITEMS[] = {
    {"Default Location", CMD_DEFAULT_LOCATION}, {"Saved Location", CMD_SAVED_LOCATION}};
// "Saved Time" stands last although its identifier lies between the others
static const MenuItem TIME_ITEMS[] = {
    {"Default Time", CMD_DEFAULT_TIME}, {"Data Start", CMD_DATA_START},
    {"Data End", CMD_DATA_END}, {"Saved Time", CMD_SAVED_TIME}};
static const MenuItem QUERY_ITEMS[] = {
    {"Default Query", CMD_DEFAULT_QUERY}, {"Saved Query", CMD_SAVED_QUERY}};
static const MenuItem PANEL_ITEMS[] = {
    {"Show GIS Panel", CMD_SHOW_GIS_PANEL}, {"Show Query Panel", CMD_SHOW_QUERY_PANEL},
    {"Show Timeline Panel", CMD_SHOW_TIMELINE_PANEL}, {"Show Info Panel", CMD_SHOW_INFO_PANEL}};
static const MenuItem HELP_ITEMS[] = {{"About..", CMD_ABOUT}};

static const Menu MENUS[] = {
    {"File", FILE_ITEMS, COUNT(FILE_ITEMS)},       {"Location", LOCATION_ITEMS, COUNT(LOCATION_ITEMS)},
    {"Time", TIME_ITEMS, COUNT(TIME_ITEMS)},       {"Query", QUERY_ITEMS, COUNT(QUERY_ITEMS)},
    {"Panel", PANEL_ITEMS, COUNT(PANEL_ITEMS)},    VIEW_MENU,
    {"Help", HELP_ITEMS, COUNT(HELP_ITEMS)},
};

void create_menu()
{
    platform_create_menu_bar(MENUS, COUNT(MENUS));
    init_view_menu();
}

int load_beat_list(const char* path)
{
    if (!read_records(path)) {
        file_message("Can't load data file!!", "Error", path, load_error);
        return 0;
    }
    query_panel_refresh(query_panel);
    make_columns();
    remember_recent_list(path);
    return 1;
}

void on_file_dropped(const char* path)
{
    if (strlen(path) >= (size_t)FILE_PATH_SIZE)
        file_message(PATH_TOO_LONG_TEXT, "Error", path, ENAMETOOLONG);
    else if (load_beat_list(path))
        platform_message_box("Load complete", "Info");
    draw_frame();
}

static void load_data()
{
    char path[FILE_PATH_SIZE];
    if (!open_file_dialog(path, ".csv"))
        return;
    if (load_beat_list(path))
        platform_message_box("Load complete", "Info");
}

static void export_csv()
{
    char path[FILE_PATH_SIZE];
    if (!save_file_dialog(path, ".csv"))
        return;
    errno = 0;
    if (export_query_values(path))
        platform_message_box("Save complete", "Info");
    else
        file_message("The file could not be written; nothing was saved.", "Error", path, errno);
}

// Stops the frame timer, waits, draws a frame and reads it into image. Returns 1, or 0
// after a message when no picture could be made (for example a minimised client); the
// caller restarts the timer either way.
static int capture_view(RgbImage* image)
{
    platform_stop_timer(FRAME_TIMER_ID);
    platform_wait_ms(SNAPSHOT_WAIT_MS);
    alloc_image(client_width, client_height, 3, image);
    if (!image->pixels) {
        platform_message_box("The view could not be captured: it has no area or there is no memory for it.", "Error");
        return 0;
    }
    draw_frame();
    read_frame(image);
    return 1;
}

static void save_snapshot()
{
    RgbImage image = {};
    if (capture_view(&image)) {
        char path[FILE_PATH_SIZE];
        if (save_file_dialog(path, ".bmp")) {
            errno = 0;
            if (write_bmp(path, &image))
                platform_message_box("Save complete", "Info");
            else
                file_message("The file could not be written; nothing was saved.", "Error", path, errno);
        }
    }
    free_image(&image);
    platform_start_timer(FRAME_TIMER_ID, FRAME_PERIOD_MS);
}

static void print_view()
{
    RgbImage image = {};
    if (capture_view(&image) && print_begin()) {
        if (print_image(&image))
            platform_message_box("Print spooled", "Info");
        else
            platform_message_box("The page could not be printed.", "Error");
    }
    free_image(&image);
    platform_start_timer(FRAME_TIMER_ID, FRAME_PERIOD_MS);
}

static void quit()
{
    platform_stop_timer(FRAME_TIMER_ID);
    save_settings();  // while the panels exist
    delete_map(1);  // while the context lives
    for (Panel* panel : {&gis_panel, &query_panel, &timeline_panel, &info_panel, &about_box, &chart_panel}) {
        panel_destroy(*panel);
        *panel = 0;
    }
    platform_destroy_main_window();
}

// Where "Data Start" and "Data End" go; the end is November, not the data's last month.
constexpr PackedDate DATA_START_DATE = 0x4884;  // 1 January 1999
constexpr PackedDate DATA_END_DATE = 0xAD84;    // 1 November 2011
constexpr PackedDate DATE_LOW_BITS = 0x0003;    // below the day field

// The date's day, month and year fields set from fields, its two lowest bits kept.
static void set_date_fields(PackedDate fields)
{
    set_current_date((PackedDate)((current_date & DATE_LOW_BITS) | fields));
}

void go_to_data_start()
{
    set_date_fields(DATA_START_DATE);
}

void go_to_data_end()
{
    set_date_fields(DATA_END_DATE);
}

void on_menu_command(int command_id)
{
    switch (command_id) {
    case CMD_LOAD_DATA: load_data(); break;
    case CMD_EXPORT_CSV: export_csv(); break;
    case CMD_ABOUT: panel_show(about_box); break;
    case CMD_SAVE_SNAPSHOT: save_snapshot(); break;
    case CMD_PRINT: print_view(); break;
    case CMD_QUIT: quit(); return;  // no frame after it
    case CMD_SHOW_GIS_PANEL: panel_show(gis_panel); break;
    case CMD_SHOW_QUERY_PANEL: panel_show(query_panel); break;
    case CMD_SHOW_TIMELINE_PANEL: panel_show(timeline_panel); break;
    case CMD_SHOW_INFO_PANEL: panel_show(info_panel); break;
    case CMD_DEFAULT_LOCATION: view_center = default_view_center; break;
    case CMD_DEFAULT_TIME: set_current_date(timeline_start); break;
    case CMD_DATA_START: go_to_data_start(); break;
    case CMD_DATA_END: go_to_data_end(); break;
    case CMD_DEFAULT_QUERY:
        // the first type's word, which also holds the no-query mark, becomes 0: from the
        // start this is a query with no type chosen
        query_flags[0] = 0;
        query_panel_refresh(query_panel);
        make_columns();
        break;
    default: view_menu_command(command_id); break;  // the View menu, the Saved items
    }
    draw_frame();
}
