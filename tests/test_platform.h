// test_platform.h: the platform layer for tests. It runs no event loop: it records what
// the program asked of the windowing system, keeps panels and their controls in memory
// (built from the same templates as the real ones), answers like a user through the
// test_* functions below, so tests can check it all.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "render/chart.h"
#include "render/readout.h"

struct RecordedMessage {
    std::string text, caption, details;  // details: "" for none
};

struct TestControl {
    const ControlTemplate* control;
    std::string text;               // label, or the text box's whole text
    std::vector<std::string> rows;  // list and combo rows
    std::vector<int> selected;      // list: per row 1 or 0
    int current = -1;               // list or combo current row
    unsigned bar_low = 0, bar_high = 100, bar_pos = 0;
    int checked = 0;                // radio button
    int scrolled_to_end = 0;        // text box: set by text_scroll_to_end, cleared by text_set
    std::vector<unsigned> ticks;    // bar: its tick values
    int picked = -1;                // bar or chart: what the pointer is on at the next CODE_PICKED
    ChartSeries chart = {};         // chart: what it shows
    int marker = -1;
};

struct TestPanel {
    const PanelTemplate* panel_template = nullptr;
    PanelProc proc = nullptr;
    int alive = 0, visible = 0, captured = 0;
    int x = 0, y = 0;  // a child panel's place: its template's x and y taken as pixels at first
    std::vector<TestControl> controls;
};

// Characters per display line of a text box by default: longer lines wrap (at any character).
constexpr int TEST_TEXT_COLUMNS = 40;

// A file dialog the program asked for.
struct DialogRequest {
    std::string kind;    // "open" or "save"
    std::string folder;  // where it started
    std::string name;    // the name offered
    std::string ext;
};

// A dialog answer that cancels.
const std::string DIALOG_CANCEL = "";

struct TestPlatform {
    std::vector<RecordedMessage> messages;  // message boxes shown, oldest first
    std::vector<RecordedMessage> questions;  // yes/no questions asked, oldest first
    std::vector<int> yes_no_answers;         // answers to the next questions (1 Yes, 0 No); No when none left
    std::vector<DialogRequest> dialogs;      // file dialogs shown, oldest first
    // Answers to the next file dialogs, a full path each, DIALOG_CANCEL for a cancel;
    // cancel when none is left. While it is shown, a dialog moves the working directory
    // to "/", as a dialog that browses may.
    std::vector<std::string> dialog_answers;
    int frames_swapped = 0;
    int timer_period_ms[8] = {};            // per timer id; 0 = stopped
    int mouse_captured = 0, gl_context_released = 0, quit_code = -1;
    std::vector<TestPanel> panels;          // index = handle - 1
    std::vector<std::string> commands;      // "panel:id:code" of every command delivered
    int focused_control = 0;
    int text_columns = TEST_TEXT_COLUMNS;   // a text box's width in characters; 0: no wrap

    // window, waits and printing
    std::vector<std::string> events;        // "stop timer 1", "wait 251", "frame", "message Load complete" ... in order
    int print_answer = 1;                   // platform_print_begin: 1 page ready, 0 cancel
    int print_error = 0;                    // with print_answer 0: the printer_error to report
    int page_width = 800, page_height = 600;
    std::pair<int, int> printed_size;       // the last page's picture and where it went:
    std::vector<float> printed_rect;        // x, y, width, height on the page

    // the View menu and what the view says in words
    std::map<int, int> menu_checks;         // command id: check mark
    int legend_visible = 0;
    Legend legend = {};                     // the last legend shown
    int legend_updates = 0;                 // platform_show_legend calls with a legend
    std::string tooltip;                    // "" while hidden
    std::vector<std::pair<unsigned, unsigned>> month_year_answers;  // (month, year); cancel when none left
    std::map<int, std::string> menu_texts;  // platform_menu_set_text: command id: text

    // the window, the screens and the settings store
    WindowPlace window = {0, 0, 0, 1024, 768, 0};
    std::vector<ScreenArea> screens = {{0, 0, 1280, 1024}};
    std::map<std::string, std::string> settings;  // the store
    int settings_readable = 1;

    // the animation export: the dialog's answers (each a function of the request offered,
    // which it may change; 0 cancels), and the progress dialog
    std::vector<AnimRequest> animation_offered;
    std::vector<std::function<int(AnimRequest*)>> animation_answers;  // cancel when none left
    int progress_total = 0, progress_done = 0, progress_open = 0;
    int progress_cancel_at = -1;  // Cancel pressed once this many frames are done
};

// The caption strip's height on this platform; it is filled with CAPTION_GREY.
constexpr int TEST_CAPTION_HEIGHT = 24;
constexpr unsigned char TEST_CAPTION_GREY = 40;

extern TestPlatform test_platform;

// Back to the state of a fresh start, panels gone.
void test_platform_reset();

// The messages shown, oldest first, as "caption: text".
std::vector<std::string> test_messages();

// The control of a live panel, or null.
TestControl* test_control(Panel panel, int id);

// What a user does; each delivers what the real platform would, and returns the
// procedure's result (-1 when nothing was delivered).
int test_click(Panel panel, int id);                 // button, radio button, picture press
int test_choose_row(Panel panel, int id, int row);  // combo or single-selection list
int test_set_rows(Panel panel, int id, const std::vector<int>& rows);  // multi-selection list
int test_notify(Panel panel, int id, int code);     // any other notification
int test_cancel(Panel panel);                       // close box or Escape
int test_pick(Panel panel, int id, int picked);     // press on a bar (raw value) or chart (month index)
int test_left_button_up(Panel panel);
