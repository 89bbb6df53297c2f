// platform.h: what the program asks of the windowing system, and the handlers through
// which the windowing system reaches the program.
//
// The program side (shell/, panels/, print/) calls the platform_* operations; a
// platform (platform/qt/ in the program, tests/test_platform.cpp in tests) implements
// them and calls the on_* handlers, the way a window procedure receives messages.
// Everything runs on the one GUI thread.
#pragma once

#include <cstdint>

//// The main window and its OpenGL view

// Makes the windowing system's application object from the command line, once, before
// platform_run (which makes it itself when this was not called). It sets the C library's
// locale from the environment: a program that wants another numeric locale sets it after
// this call.
void platform_init(int argc, char** argv);

// Creates the main window with the given title and outer size in pixels, its client
// area an OpenGL view (double-buffered RGBA, depth buffer, compatibility context),
// shows it, calls on_startup once the context is current, and runs the event loop
// until platform_quit. Returns the quit code, the application object gone.
int platform_run(int argc, char** argv, const char* title, int outer_width, int outer_height);

// Shows the frame just drawn into the back buffer.
void platform_swap_buffers();

// Ends the view's use of its OpenGL context: no context is current afterwards, and the
// context is released; no handler that draws is called any more.
void platform_release_gl_context();

// Ends the event loop; platform_run returns code.
void platform_quit(int code);

//// Timers

// A repeating timer on the GUI thread; each tick calls on_timer(timer_id).
// Starting a running timer restarts it with the new period.
void platform_start_timer(int timer_id, int period_ms);
void platform_stop_timer(int timer_id);

//// Messages and input

// A modal message box with the text, the caption and one OK button, owned by no
// window. Returns when the user has closed it; before the main window is on the screen
// (during on_startup) it returns at once, and the box shows once the window is up, over
// it, after the boxes asked for before it.
void platform_message_box(const char* text, const char* caption);
// The same with details, shown on request below the text (null or "" for none).
void platform_message_box_details(const char* text, const char* caption, const char* details);

// A modal question with the text, the caption and the buttons Yes and No (No the
// default), owned by no window. Returns 1 for Yes; 0 for No or when the box is closed.
int platform_ask_yes_no(const char* text, const char* caption);

// Gives the view the keyboard focus and routes every mouse event to it until
// platform_release_mouse, also while the pointer is outside it.
void platform_focus_and_capture_mouse();
void platform_release_mouse();

//// File dialogs

// Modal file dialogs owned by the main window: they start in folder with name offered
// as the file's name ("" for none) and show the files matching ext (".csv" shows
// "*.csv"; "" shows all). The open dialog accepts the name of a missing file too; the
// save dialog asks before it returns the name of an existing file, and stays open on
// No. Neither adds an extension to the name typed. They may change the working
// directory. Return 1 with the chosen full path in path (size bytes), 0 when the user
// cancelled, or DIALOG_PATH_TOO_LONG when the chosen path does not fit in size bytes:
// path is then empty, never a cut path.
int platform_open_file_dialog(const char* folder, const char* name, const char* ext, char* path,
                              int size);
int platform_save_file_dialog(const char* folder, const char* name, const char* ext, char* path,
                              int size);
constexpr int DIALOG_PATH_TOO_LONG = -1;

//// The menu bar

struct Menu;

struct MenuItem {
    const char* text;   // null: a separator line
    int command_id;     // passed to on_menu_command when chosen
    int checkable = 0;  // 1: the item shows a check mark (unchecked until platform_menu_check)
    const Menu* submenu = nullptr;  // an item that opens these items; its command_id unused
};

struct Menu {
    const char* title;
    const MenuItem* items;
    int item_count;
};

// Puts a menu bar of text items (no mnemonics or shortcuts) on the main window, menus in
// bar order; an item of text "" stays hidden until it gets a text. Choosing an item calls on_menu_command(id); a checkable item keeps the check
// mark the program sets, whatever the user chose.
void platform_create_menu_bar(const Menu* menus, int menu_count);
void platform_menu_check(int command_id, int checked);
// Gives the item command_id this text, shown as it is ('&' no mnemonic); null or "" hides
// the item. A submenu none of whose items shows is greyed.
void platform_menu_set_text(int command_id, const char* text);

//// The main window's place and the screens, in the desktop's logical pixels

// The window's area inside its frame (menu bar and view); placed 0: the windowing system
// chooses the position (x and y unused). maximised: it fills its screen, and width x
// height (at x, y) is where it goes back to.
struct WindowPlace {
    int placed;
    int x, y, width, height;
    int maximised;
};

// Before platform_run: where the window opens (the size platform_run is given otherwise
// applies). While it runs: moves and sizes the window now, back from maximised first.
void platform_place_main_window(const WindowPlace* place);
// Where the window is now; 0 when there is none.
int platform_main_window_place(WindowPlace* place);

// The part of each screen that windows may use (task bars and docks left out); at most
// max_count of them. Returns the count, 0 when none is known.
struct ScreenArea {
    int x, y, width, height;
};
int platform_screen_areas(ScreenArea* areas, int max_count);

//// Settings kept between runs: text values under keys like "window/width"

// 1 when the stored settings could be read (none stored yet counts as read); 0 when they
// exist but cannot be read or are not in the store's format.
int platform_settings_readable();
// Copies the value of key into value (size bytes). Returns 1, or 0 when the key has no
// value or it does not fit.
int platform_setting_get(const char* key, char* value, int size);
// Sets key to value; null removes the key. Kept in memory until platform_settings_save.
void platform_setting_set(const char* key, const char* value);
// Writes the settings to their file, replacing it whole. Returns 1, or 0 when it could
// not be written: the old file is then left as it was.
int platform_settings_save();
// The full path of the settings file, for messages.
const char* platform_settings_file();

// Destroys the main window as its close box would: on_destroy runs, then the loop ends.
void platform_destroy_main_window();

// Blocks the GUI thread for ms milliseconds; no event is handled meanwhile.
void platform_wait_ms(int ms);

//// Printing

// The print dialog, starting from the default printer (the printers the system knows and
// a PDF file printer), no page range or selection. Returns 1 with the printable area's
// size in device pixels once a page is ready, or 0 when the user cancelled (no message).
// printer_error: 0 unless the printer failed, then 0 is returned and the caller reports
// it: 1 when the printer has no page to draw on (an invalid printer or an empty printable
// area), 2 when it refused to start the page.
int platform_print_begin(const char* document_name, int* page_width, int* page_height,
                         int* printer_error);

// Draws rgb (width x height pixels, 3 bytes each, row 0 at the bottom) stretched with
// linear filtering over the page rectangle x, y (from the page's bottom-left corner),
// draw_width x draw_height device pixels, on a white page; ends the page and the
// document. Returns 1, or 0 when the page could not be finished.
int platform_print_page(const uint8_t* rgb, int width, int height, float x, float y,
                        float draw_width, float draw_height);

//// Panels: modeless dialogs built from templates

// Control classes of a panel template.
enum ControlClass {
    CONTROL_PUSH_BUTTON,   // text button; reports code 0 when clicked
    CONTROL_RADIO_BUTTON,  // push-like exclusive button; all radio buttons of a panel form one group
    CONTROL_GROUP_BOX,     // frame with a caption
    CONTROL_STATIC_TEXT,   // a label
    CONTROL_PICTURE,       // a bitmap at its own pixel size; reports code 0 when the left button goes down on it
    CONTROL_LIST_BOX,      // reports code 1 when the user changes the selection or clicks a row
    CONTROL_COMBO_BOX,     // drop-down list; reports code 1 when the user picks a row
    CONTROL_PROGRESS_BAR,  // a bar whose fill is linear in raw 16-bit values
    CONTROL_TEXT_BOX,      // read-only multi-line text that wraps and scrolls
    CONTROL_CHART,         // a plot of a ChartSeries (render/chart.h)
};

// Style bits of a control; each class reads the ones that concern it.
enum ControlStyle {
    STYLE_CENTRED = 0x0001,          // text (or group caption, or picture) centred horizontally
    STYLE_VCENTRED = 0x0002,         // text centred vertically
    STYLE_SUNKEN = 0x0004,           // a sunken edge
    STYLE_TAB_STOP = 0x0008,         // reached with Tab
    STYLE_DEFAULT_BUTTON = 0x0010,   // Return presses it
    STYLE_MULTI_SELECT = 0x0020,     // list box: extended multiple selection (Ctrl, Shift)
    STYLE_EDGE = 0x0040,             // a thin edge around the control
};

// One control, in dialog units of the panel's font.
struct ControlTemplate {
    ControlClass control_class;
    int id;              // unique within its panel only
    const char* text;    // caption or label; null for none
    int bitmap_id;       // CONTROL_PICTURE only: which embedded bitmap, else 0
    int x, y, width, height;
    unsigned style;      // ControlStyle bits
};

// One panel: a small-caption frame with a close box inside the main window's client
// area, or (popup) a separate top-level dialog centred on the screen.
struct PanelTemplate {
    int dialog_id;
    const char* caption;
    int x, y, width, height;  // dialog units; a popup's position is ignored (centred)
    int popup;                // 1: a top-level dialog; 0: a child panel over the view
    int visible;              // shown at creation
    const ControlTemplate* controls;
    int control_count;
};

// A panel handle; 0 is no panel.
typedef int Panel;

// Messages a panel procedure receives.
constexpr int PANEL_INIT = 1;            // once, while platform_create_panel runs
constexpr int PANEL_COMMAND = 2;         // control_id and code below
constexpr int PANEL_LEFT_BUTTON_UP = 3;  // left button released over the panel, or anywhere while it holds the capture

constexpr int PANEL_CANCEL = 2;  // the command id of the close box and the Escape key (code 0)
constexpr int CODE_CLICKED = 0;
constexpr int CODE_SELECTION_CHANGED = 1;
constexpr int CODE_DOUBLE_CLICKED = 5;  // delivered by nothing the panels act on
// A bar or a chart: the left button went down or dragged on it; bar_picked and
// chart_picked say where.
constexpr int CODE_PICKED = 6;

// A panel procedure: returns 1 when it handled the message, else 0.
typedef int (*PanelProc)(Panel dialog, int message, int control_id, int code);

// Creates a panel from its template, calls proc with PANEL_INIT (the new handle already
// valid), then shows it when the template says so. Returns the handle, or 0.
Panel platform_create_panel(const PanelTemplate* panel_template, PanelProc proc);
// Destroys a panel; its handle is then invalid. A popup and every child panel are also
// destroyed with the main window.
void panel_destroy(Panel panel);
void panel_show(Panel panel);  // where it last stood, with its state
void panel_hide(Panel panel);
int panel_is_visible(Panel panel);
// A child panel's own place: its top-left corner in client pixels (logical pixels, like
// the window's place), where its template or a drag put it. It shows there while the
// client area has room, else moved in as far as needed. panel_place returns 1, or 0 for
// a popup or no panel.
int panel_place(Panel panel, int* x, int* y);
void panel_move(Panel panel, int x, int y);
void panel_move_to_template_place(Panel panel);

// Every operation below is addressed by (panel, control id) and does nothing for a
// panel or id that does not exist. None of them delivers a command to the panel.
void control_set_text(Panel panel, int id, const char* text);
void control_focus(Panel panel, int id);

int list_add(Panel panel, int id, const char* text);  // the new row's index, or -1
void list_clear(Panel panel, int id);
int list_count(Panel panel, int id);
void list_set_selected(Panel panel, int id, int row, int selected);
// 1 or 0; LIST_ERROR for a row the list does not have.
int list_is_selected(Panel panel, int id, int row);
int list_selected_count(Panel panel, int id);
void list_set_current(Panel panel, int id, int row);  // -1: none; single selection selects it
int list_current(Panel panel, int id);                // -1: none
constexpr int LIST_ERROR = -1;

void combo_add(Panel panel, int id, const char* text);
void combo_set_current(Panel panel, int id, int row);
int combo_current(Panel panel, int id);  // -1: none

// Raw unsigned 16-bit values (higher bits ignored); the fill is bar_fill of them.
void bar_set_range(Panel panel, int id, unsigned low, unsigned high);
void bar_set_pos(Panel panel, int id, unsigned pos);

// The filled share of a bar, 0..1: linear in pos between low and high, clamped outside;
// 0 for an empty range.
inline double bar_fill(unsigned low, unsigned high, unsigned pos)
{
    if (high <= low || pos <= low)
        return 0.0;
    return pos >= high ? 1.0 : (double)(pos - low) / (double)(high - low);
}

// The raw value under the pointer at the bar's last CODE_PICKED: linear in the pointer's
// place between low (the left end) and high (the right end), as the fill is; low before any.
unsigned bar_picked(Panel panel, int id);
// Tick marks on the bar at these raw values (count of them; values outside the range
// are not shown).
void bar_set_ticks(Panel panel, int id, const unsigned* values, int count);

// A chart shows a copy of series with month index marker marked (-1: none) and title
// above; chart_mark moves only the mark. chart_picked: the month index under the pointer
// at the chart's last CODE_PICKED, -1 before any.
struct ChartSeries;
void chart_show(Panel panel, int id, const ChartSeries* series, int marker, const char* title);
void chart_mark(Panel panel, int id, int marker);
int chart_picked(Panel panel, int id);

// Checks radio button id and unchecks the others of first_id .. last_id (either order).
void radio_check(Panel panel, int first_id, int last_id, int id);

// Multi-line text box. text_get copies at most size - 1 characters and a NUL and
// returns the count copied.
int text_get(Panel panel, int id, char* buffer, int size);
void text_set(Panel panel, int id, const char* text);
// Lines as displayed: a wrapped line counts once per display line, and the empty line
// after a final line end counts as one.
int text_line_count(Panel panel, int id);
void text_scroll_to_end(Panel panel, int id);

// Every mouse event goes to the panel until released (PANEL_LEFT_BUTTON_UP included).
void panel_capture_mouse(Panel panel);
void panel_release_mouse(Panel panel);

//// What the view says in words

// The legend box over the view's bottom-right corner, not part of the frame; null hides
// it. Showing the same legend again costs nothing.
struct Legend;
void platform_show_legend(const Legend* legend);

// The view's tooltip: text (lines separated by '\n') near client pixel (x, y), shown at
// once; hidden by platform_hide_tooltip.
void platform_show_tooltip(int16_t x, int16_t y, const char* text);
void platform_hide_tooltip();

// A modal dialog with the caption asking for a month (1..12) and a year (first_year ..
// last_year), starting at *month and *year. Returns 1 with them set, 0 when cancelled.
int platform_ask_month_year(const char* caption, unsigned first_year, unsigned last_year,
                            unsigned* month, unsigned* year);

//// Exporting an animation

// What the "Export Animation" dialog asks. Dates are packed dates (store/dates.h).
struct AnimRequest {
    uint16_t from_date, to_date;  // from <= to
    uint8_t step;                 // STEP_DAY, STEP_MONTH or STEP_YEAR
    int fps;                      // frames a second, ANIM_MIN_FPS .. ANIM_MAX_FPS
    int format;                   // AnimFormat (render/anim_export.h)
    int caption;                  // 1: the caption strip below the view
};

// A modal dialog asking for the request, starting from *request, its dates limited to
// first_date .. last_date. Returns 1 with *request set, 0 when cancelled.
int platform_ask_animation(AnimRequest* request, uint16_t first_date, uint16_t last_date);

// A modal progress dialog with the caption, "N of TOTAL frames" and a Cancel button,
// shown while a long job runs on the GUI thread. platform_progress_step shows done and
// handles the events waiting meanwhile (the view's paints among them, with its context
// current again afterwards); it returns 0 once the user has pressed Cancel.
void platform_progress_begin(const char* caption, int total);
int platform_progress_step(int done);
void platform_progress_end();

// The caption strip burnt into exported frames: its height in pixels for a frame of width
// pixels (the same for every legend), and the legend's date, crime types and colour key
// drawn into rgb (width x height pixels, 3 bytes each, row 0 at the bottom).
int platform_caption_height(int width);
void platform_draw_caption(const Legend* legend, uint8_t* rgb, int width, int height);

//// Handlers the platform calls (implemented by the program)

// The window is shown and its OpenGL context is current: the rest of start-up.
void on_startup();
// The client area is now width x height pixels (0 when minimised): the pixels of the
// view's framebuffer, which a high-density screen has more of than its logical size.
void on_resize(int width, int height);
// The client area must be drawn again.
void on_paint();
// A tick of the timer timer_id.
void on_timer(int timer_id);

// Key-state flags of mouse events.
constexpr unsigned MK_LBUTTON = 0x0001;
constexpr unsigned MK_RBUTTON = 0x0002;
constexpr unsigned MK_SHIFT = 0x0004;
constexpr unsigned MK_CONTROL = 0x0008;
// Virtual-key codes of the keys the view reacts to.
constexpr int VK_SPACE = 0x20;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_RIGHT = 0x27;

// Mouse events on the view, positions in client pixels (the same pixels as on_resize),
// negative left of or above the view while the mouse is captured. key_flags: MK_* bits of
// the buttons and keys held during the event.
void on_left_press(unsigned key_flags, int16_t x, int16_t y);
void on_left_release(int16_t x, int16_t y);
void on_right_press(unsigned key_flags, int16_t x, int16_t y);
void on_right_release(int16_t x, int16_t y);
void on_mouse_move(unsigned key_flags, int16_t x, int16_t y);
// The wheel turned; delta > 0 away from the user (120 a notch).
void on_wheel(int16_t delta);
// A menu item was chosen.
void on_menu_command(int command_id);

// A key released while the view has the focus: its virtual-key code (VK_*), or 0 for a
// key the view has no code for.
void on_key_release(int virtual_key);
// The main window is being destroyed (close box): tear down and quit.
void on_destroy();
// The view's OpenGL context is about to go (its window is destroyed) and is current: the
// objects made in it are freed. Runs after Quit too, which has freed them already.
void on_gl_context_destroyed();
// A file was dropped on the main window: its full path.
void on_file_dropped(const char* path);
