// test_platform.cpp: the recording platform layer for tests.
#include "tests/test_platform.h"

#include <algorithm>
#include <cstring>
#include <sstream>
#include <unistd.h>

TestPlatform test_platform;

void test_platform_reset() { test_platform = TestPlatform(); }

static void event(const std::string& what) { test_platform.events.push_back(what); }

// The first of answers, or otherwise when there is none left.
template <typename T>
static T next_answer(std::vector<T>& answers, T otherwise)
{
    if (answers.empty())
        return otherwise;
    T answer = answers.front();
    answers.erase(answers.begin());
    return answer;
}

std::vector<std::string> test_messages()
{
    std::vector<std::string> texts;
    for (const RecordedMessage& m : test_platform.messages)
        texts.push_back(m.caption + ": " + m.text);
    return texts;
}

int platform_run(int, char**, const char*, int, int) { return 0; }  // tests call the handlers
void platform_swap_buffers() { test_platform.frames_swapped++, event("frame"); }
void platform_release_gl_context() { test_platform.gl_context_released = 1; }
void platform_quit(int code) { test_platform.quit_code = code; }
void platform_focus_and_capture_mouse() { test_platform.mouse_captured = 1; }
void platform_release_mouse() { test_platform.mouse_captured = 0; }
void platform_create_menu_bar(const Menu*, int) {}
void platform_menu_check(int command_id, int checked) { test_platform.menu_checks[command_id] = checked; }
void platform_menu_set_text(int command_id, const char* text) { test_platform.menu_texts[command_id] = text ? text : ""; }
void platform_place_main_window(const WindowPlace* place) { test_platform.window = *place; }
int platform_main_window_place(WindowPlace* place) { return *place = test_platform.window, 1; }
int platform_screen_areas(ScreenArea* areas, int max_count)
{
    const int count = std::min(max_count, (int)test_platform.screens.size());
    std::copy_n(test_platform.screens.begin(), count, areas);
    return count;
}

// The store: a value set is saved at once.
int platform_settings_readable() { return test_platform.settings_readable; }
int platform_setting_get(const char* key, char* value, int size)
{
    const auto found = test_platform.settings.find(key);
    if (!test_platform.settings_readable || found == test_platform.settings.end() || (int)found->second.size() >= size)
        return 0;
    memcpy(value, found->second.c_str(), found->second.size() + 1);
    return 1;
}
void platform_setting_set(const char* key, const char* value)
{
    value ? (void)(test_platform.settings[key] = value) : (void)test_platform.settings.erase(key);
}
int platform_settings_save() { return 1; }
const char* platform_settings_file() { return "/settings/zavroview.conf"; }
void platform_show_legend(const Legend* legend)
{
    test_platform.legend_visible = legend != nullptr;
    if (legend)
        test_platform.legend = *legend, test_platform.legend_updates++;
}
void platform_show_tooltip(int16_t, int16_t, const char* text) { test_platform.tooltip = text; }
void platform_hide_tooltip() { test_platform.tooltip.clear(); }
int platform_ask_month_year(const char*, unsigned, unsigned, unsigned* month, unsigned* year)
{
    const auto answer = next_answer(test_platform.month_year_answers, std::pair(0u, 0u));
    if (answer.first == 0)
        return 0;
    *month = answer.first, *year = answer.second;
    return 1;
}
int platform_ask_animation(AnimRequest* request, uint16_t, uint16_t)
{
    test_platform.animation_offered.push_back(*request);
    auto answer = next_answer(test_platform.animation_answers, std::function<int(AnimRequest*)>());
    return answer ? answer(request) : 0;
}
void platform_progress_begin(const char*, int total)
{
    test_platform.progress_total = total, test_platform.progress_done = 0, test_platform.progress_open = 1;
}
int platform_progress_step(int done)
{
    test_platform.progress_done = done;
    return done != test_platform.progress_cancel_at;
}
void platform_progress_end() { test_platform.progress_open = 0; }
int platform_caption_height(int) { return TEST_CAPTION_HEIGHT; }
void platform_draw_caption(const Legend*, uint8_t* rgb, int width, int height)
{
    memset(rgb, TEST_CAPTION_GREY, (size_t)width * height * 3);
}
void platform_destroy_main_window() { event("destroy window"), on_destroy(); }
void platform_wait_ms(int ms) { event("wait " + std::to_string(ms)); }
void platform_stop_timer(int timer_id) { platform_start_timer(timer_id, 0); }

void platform_start_timer(int timer_id, int period_ms)
{
    if (timer_id >= 0 && timer_id < 8)
        test_platform.timer_period_ms[timer_id] = period_ms;
    event((period_ms ? "start timer " : "stop timer ") + std::to_string(timer_id));
}

void platform_message_box(const char* text, const char* caption)
{
    platform_message_box_details(text, caption, nullptr);
}

void platform_message_box_details(const char* text, const char* caption, const char* details)
{
    test_platform.messages.push_back({text, caption, details ? details : ""});
    event(std::string("message ") + text);
}

int platform_ask_yes_no(const char* text, const char* caption)
{
    test_platform.questions.push_back({text, caption, ""});
    return next_answer(test_platform.yes_no_answers, 0);
}

int platform_print_begin(const char*, int* page_width, int* page_height, int* printer_error)
{
    event("print dialog");
    if (!test_platform.print_answer)
        return *printer_error = test_platform.print_error, 0;
    *page_width = test_platform.page_width;
    *page_height = test_platform.page_height;
    return 1;
}

int platform_print_page(const uint8_t*, int width, int height, float x, float y, float draw_width,
                        float draw_height)
{
    event("print page");
    test_platform.printed_size = {width, height};
    test_platform.printed_rect = {x, y, draw_width, draw_height};
    return 1;
}

static int answer_dialog(const char* kind, const char* folder, const char* name, const char* ext,
                         char* path, int size)
{
    test_platform.dialogs.push_back({kind, folder, name, ext});
    const std::string answer = next_answer(test_platform.dialog_answers, DIALOG_CANCEL);
    if (chdir("/") != 0 || answer == DIALOG_CANCEL)
        return 0;
    if ((int)answer.size() >= size)
        return path[0] = '\0', DIALOG_PATH_TOO_LONG;
    memcpy(path, answer.c_str(), answer.size() + 1);
    return 1;
}

int platform_open_file_dialog(const char* folder, const char* name, const char* ext, char* path, int size)
{
    return answer_dialog("open", folder, name, ext, path, size);
}

int platform_save_file_dialog(const char* folder, const char* name, const char* ext, char* path, int size)
{
    return answer_dialog("save", folder, name, ext, path, size);
}

//// panels

static TestPanel* find_panel(Panel panel)
{
    if (panel < 1 || panel > (int)test_platform.panels.size())
        return nullptr;
    TestPanel* p = &test_platform.panels[(size_t)panel - 1];
    return p->alive ? p : nullptr;
}

TestControl* test_control(Panel panel, int id)
{
    if (TestPanel* p = find_panel(panel))
        for (TestControl& c : p->controls)
            if (c.control->id == id)
                return &c;
    return nullptr;
}

// The control of that class, or null.
static TestControl* find(Panel panel, int id, ControlClass control_class)
{
    TestControl* c = test_control(panel, id);
    return c && c->control->control_class == control_class ? c : nullptr;
}
static TestControl* find_list(Panel panel, int id) { return find(panel, id, CONTROL_LIST_BOX); }
static int has_row(const TestControl* c, int row) { return c && row >= 0 && row < (int)c->rows.size(); }

// A list's selection: none, or (when row exists) that row alone.
static void select_only(TestControl* c, int row)
{
    std::fill(c->selected.begin(), c->selected.end(), 0);
    if (has_row(c, row))
        c->selected[(size_t)row] = 1;
}

Panel platform_create_panel(const PanelTemplate* panel_template, PanelProc proc)
{
    TestPanel& p = test_platform.panels.emplace_back();
    p.panel_template = panel_template, p.proc = proc, p.alive = 1;
    p.x = panel_template->x, p.y = panel_template->y;
    for (const ControlTemplate* c = panel_template->controls; c < panel_template->controls + panel_template->control_count; c++)
        p.controls.emplace_back().control = c, p.controls.back().text = c->text ? c->text : "";
    Panel handle = (Panel)test_platform.panels.size();
    proc(handle, PANEL_INIT, 0, 0);
    if (panel_template->visible)
        panel_show(handle);
    return handle;
}

static void set_visible(Panel panel, int visible)
{
    if (TestPanel* p = find_panel(panel))
        p->visible = visible;
}

void panel_destroy(Panel panel)
{
    if (TestPanel* p = find_panel(panel))
        p->alive = p->visible = 0;
}

void panel_show(Panel panel) { set_visible(panel, 1); }
int panel_place(Panel panel, int* x, int* y)
{
    TestPanel* p = find_panel(panel);
    if (!p || p->panel_template->popup)
        return 0;
    return *x = p->x, *y = p->y, 1;
}
void panel_move(Panel panel, int x, int y)
{
    if (TestPanel* p = find_panel(panel))
        p->x = x, p->y = y;
}
void panel_move_to_template_place(Panel panel)
{
    if (TestPanel* p = find_panel(panel))
        p->x = p->panel_template->x, p->y = p->panel_template->y;
}
void panel_hide(Panel panel) { set_visible(panel, 0); }
int panel_is_visible(Panel panel) { return find_panel(panel) ? find_panel(panel)->visible : 0; }

void control_set_text(Panel panel, int id, const char* text)
{
    if (TestControl* c = test_control(panel, id))
        c->text = text, c->scrolled_to_end = 0;
}

void control_focus(Panel panel, int id)
{
    if (test_control(panel, id))
        test_platform.focused_control = id;
}

int list_add(Panel panel, int id, const char* text)
{
    TestControl* c = find_list(panel, id);
    if (!c)
        return -1;
    c->rows.push_back(text), c->selected.push_back(0);
    return (int)c->rows.size() - 1;
}

void list_clear(Panel panel, int id)
{
    if (TestControl* c = find_list(panel, id))
        c->rows.clear(), c->selected.clear(), c->current = -1;
}

int list_count(Panel panel, int id) { return find_list(panel, id) ? (int)find_list(panel, id)->rows.size() : 0; }

void list_set_selected(Panel panel, int id, int row, int selected)
{
    TestControl* c = find_list(panel, id);
    if (has_row(c, row) && selected && !(c->control->style & STYLE_MULTI_SELECT))
        select_only(c, row);
    else if (has_row(c, row))
        c->selected[(size_t)row] = selected ? 1 : 0;
}

int list_is_selected(Panel panel, int id, int row)
{
    TestControl* c = find_list(panel, id);
    return has_row(c, row) ? c->selected[(size_t)row] : LIST_ERROR;
}

int list_selected_count(Panel panel, int id)
{
    TestControl* c = find_list(panel, id);
    return c ? (int)std::count(c->selected.begin(), c->selected.end(), 1) : 0;
}

// A list's or combo box's current row; a single-selection list selects it alone.
static void set_current(TestControl* c, int row)
{
    if (!c)
        return;
    c->current = has_row(c, row) ? row : -1;
    if (c->control->control_class == CONTROL_LIST_BOX && !(c->control->style & STYLE_MULTI_SELECT))
        select_only(c, c->current);
}

void list_set_current(Panel panel, int id, int row) { set_current(find_list(panel, id), row); }
int list_current(Panel panel, int id) { return find_list(panel, id) ? find_list(panel, id)->current : -1; }

void combo_add(Panel panel, int id, const char* text)
{
    if (TestControl* c = find(panel, id, CONTROL_COMBO_BOX))
        c->rows.push_back(text);
}

void combo_set_current(Panel panel, int id, int row) { set_current(find(panel, id, CONTROL_COMBO_BOX), row); }

int combo_current(Panel panel, int id)
{
    TestControl* c = find(panel, id, CONTROL_COMBO_BOX);
    return c ? c->current : -1;
}

void bar_set_range(Panel panel, int id, unsigned low, unsigned high)
{
    if (TestControl* c = find(panel, id, CONTROL_PROGRESS_BAR))
        c->bar_low = low & 0xFFFF, c->bar_high = high & 0xFFFF;
}

void bar_set_pos(Panel panel, int id, unsigned pos)
{
    if (TestControl* c = find(panel, id, CONTROL_PROGRESS_BAR))
        c->bar_pos = pos & 0xFFFF;
}

unsigned bar_picked(Panel panel, int id)
{
    TestControl* c = find(panel, id, CONTROL_PROGRESS_BAR);
    return c ? (unsigned)c->picked : 0;
}

void bar_set_ticks(Panel panel, int id, const unsigned* values, int count)
{
    if (TestControl* c = find(panel, id, CONTROL_PROGRESS_BAR))
        c->ticks.assign(values, values + count);
}

void chart_show(Panel panel, int id, const ChartSeries* series, int marker, const char* title)
{
    if (TestControl* c = find(panel, id, CONTROL_CHART))
        c->chart = *series, c->marker = marker, c->text = title;
}

void chart_mark(Panel panel, int id, int marker)
{
    if (TestControl* c = find(panel, id, CONTROL_CHART))
        c->marker = marker;
}

int chart_picked(Panel panel, int id)
{
    TestControl* c = find(panel, id, CONTROL_CHART);
    return c ? c->picked : -1;
}

void radio_check(Panel panel, int first_id, int last_id, int id)
{
    if (TestPanel* p = find_panel(panel))
        for (TestControl& c : p->controls)
            if (c.control->control_class == CONTROL_RADIO_BUTTON &&
                c.control->id >= std::min(first_id, last_id) && c.control->id <= std::max(first_id, last_id))
                c.checked = c.control->id == id;
}

int text_get(Panel panel, int id, char* buffer, int size)
{
    TestControl* c = test_control(panel, id);
    if (!c || size <= 0)
        return 0;
    int count = (int)c->text.copy(buffer, (size_t)size - 1);
    buffer[count] = '\0';
    return count;
}

void text_set(Panel panel, int id, const char* text) { control_set_text(panel, id, text); }

int text_line_count(Panel panel, int id)
{
    TestControl* c = find(panel, id, CONTROL_TEXT_BOX);
    int lines = 0;
    std::istringstream text(c ? c->text + "\n" : "");  // each line, and the one after a final line end
    for (std::string line; std::getline(text, line);) {
        size_t length = line.size() - (!line.empty() && line.back() == '\r');
        size_t columns = test_platform.text_columns > 0 ? (size_t)test_platform.text_columns : length + 1;
        lines += (int)std::max<size_t>(1, (length + columns - 1) / columns);
    }
    return lines;
}

void text_scroll_to_end(Panel panel, int id)
{
    if (TestControl* c = find(panel, id, CONTROL_TEXT_BOX))
        c->scrolled_to_end = 1;
}

void panel_capture_mouse(Panel panel)
{
    for (TestPanel& p : test_platform.panels)
        p.captured = 0;
    if (TestPanel* p = find_panel(panel))
        p->captured = 1;
}

void panel_release_mouse(Panel panel)
{
    if (TestPanel* p = find_panel(panel))
        p->captured = 0;
}

//// a user

static int deliver(Panel panel, int message, int id, int code)
{
    TestPanel* p = find_panel(panel);
    if (!p)
        return -1;
    if (message == PANEL_COMMAND)
        test_platform.commands.push_back(std::to_string(panel) + ":" + std::to_string(id) + ":" + std::to_string(code));
    return p->proc(panel, message, id, code);
}

int test_click(Panel panel, int id)
{
    TestControl* c = test_control(panel, id);
    if (c && c->control->control_class == CONTROL_RADIO_BUTTON)
        radio_check(panel, 0, 0xFFFF, id);  // the panel's radio buttons form one group
    return c ? deliver(panel, PANEL_COMMAND, id, CODE_CLICKED) : -1;
}

int test_choose_row(Panel panel, int id, int row)
{
    TestControl* c = test_control(panel, id);
    set_current(c, row);
    return c ? deliver(panel, PANEL_COMMAND, id, CODE_SELECTION_CHANGED) : -1;
}

int test_set_rows(Panel panel, int id, const std::vector<int>& rows)
{
    TestControl* c = find_list(panel, id);
    if (!c)
        return -1;
    select_only(c, -1);
    for (int row : rows)
        list_set_selected(panel, id, row, 1);
    c->current = rows.empty() ? c->current : rows.back();
    return deliver(panel, PANEL_COMMAND, id, CODE_SELECTION_CHANGED);
}

int test_notify(Panel panel, int id, int code) { return deliver(panel, PANEL_COMMAND, id, code); }
int test_cancel(Panel panel) { return deliver(panel, PANEL_COMMAND, PANEL_CANCEL, CODE_CLICKED); }
int test_pick(Panel panel, int id, int picked)
{
    TestControl* c = test_control(panel, id);
    if (!c)
        return -1;
    c->picked = picked;
    return deliver(panel, PANEL_COMMAND, id, CODE_PICKED);
}
int test_left_button_up(Panel panel) { return deliver(panel, PANEL_LEFT_BUTTON_UP, 0, 0); }
