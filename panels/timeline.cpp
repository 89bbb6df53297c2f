// timeline.cpp: the Timeline panel.
#include "panels/timeline.h"

#include <initializer_list>

#include "panels/panel_templates.h"
#include "panels/panels.h"
#include "render/columns.h"

PackedDate timeline_start = START_DATE;
PackedDate timeline_end = END_DATE;
PlayMode play_mode = PLAY_PAUSED;
uint8_t step_unit = STEP_YEAR;

// The one writer of current_date: the bar and the text follow on panel before the rebuild
// evaluates the query for the new date.
static void move_date(Panel panel, PackedDate date)
{
    current_date = date;
    timeline_show_date(panel);
    make_columns();
}

void set_current_date(PackedDate date)
{
    move_date(timeline_panel, date);
}

void step_current_date(int direction, uint8_t unit)
{
    PackedDate date = current_date;
    if (direction > 0)
        date_step_forward(&date, unit);
    else if (direction < 0)
        date_step_back(&date, unit);
    set_current_date(date);
}

// During its initialisation the panel's handle is not stored yet: the reset acts on the
// dialog being initialised.
static void reset_on(Panel dialog)
{
    bar_set_range(dialog, IDC_TIME_BAR, timeline_start, timeline_end);
    move_date(dialog, timeline_start);
}

void timeline_reset()
{
    reset_on(timeline_panel);
}

void timeline_show_date(Panel panel)
{
    if (!panel)
        return;
    bar_set_pos(panel, IDC_TIME_BAR, current_date);
    char text[256];
    date_to_text(current_date, text);
    control_set_text(panel, IDC_DATE_TEXT, text);
}

void set_play_mode(PlayMode mode)
{
    play_mode = mode;
    const int button = mode == PLAY_FORWARD ? IDC_PLAY_FORWARD : mode == PLAY_BACKWARD ? IDC_PLAY_BACKWARD : IDC_PLAY_PAUSE;
    radio_check(timeline_panel, IDC_PLAY_FORWARD, IDC_PLAY_BACKWARD, button);
}

// The bar's year ticks: every 1 January from the timeline's start to its end.
static void set_year_ticks(Panel dialog)
{
    unsigned ticks[32];
    int count = 0;
    for (unsigned year = date_year_offset(timeline_start); year <= date_year_offset(timeline_end) && count < 32; year++)
        ticks[count++] = make_date(year, 1, 1);
    bar_set_ticks(dialog, IDC_TIME_BAR, ticks, count);
}

void timeline_panel_init(Panel dialog)
{
    for (const char* unit : {"Day", "Month", "Year"})
        combo_add(dialog, IDC_STEP_UNIT, unit);
    combo_set_current(dialog, IDC_STEP_UNIT, step_unit);
    radio_check(dialog, IDC_PLAY_FORWARD, IDC_PLAY_BACKWARD, IDC_PLAY_PAUSE);
    set_year_ticks(dialog);
    reset_on(dialog);
}

// The "+" and "-" buttons: each pair steps by its own unit, whatever step_unit says.
struct StepButton {
    int id;
    int direction;  // 1 forward, -1 back
    uint8_t unit;
};
static const StepButton STEP_BUTTONS[] = {
    {IDC_DAY_PLUS, 1, STEP_DAY},     {IDC_DAY_MINUS, -1, STEP_DAY},
    {IDC_MONTH_PLUS, 1, STEP_MONTH}, {IDC_MONTH_MINUS, -1, STEP_MONTH},
    {IDC_YEAR_PLUS, 1, STEP_YEAR},   {IDC_YEAR_MINUS, -1, STEP_YEAR},
};

int timeline_panel_command(Panel dialog, int control_id, int code)
{
    switch (control_id) {
    case IDC_PLAY_FORWARD:
    case IDC_PLAY_PAUSE:
    case IDC_PLAY_BACKWARD:
        if (code == CODE_CLICKED)
            play_mode = control_id == IDC_PLAY_FORWARD ? PLAY_FORWARD
                        : control_id == IDC_PLAY_PAUSE ? PLAY_PAUSED
                                                       : PLAY_BACKWARD;
        return 1;
    case IDC_STEP_UNIT:
        if (code == CODE_SELECTION_CHANGED)
            step_unit = (uint8_t)combo_current(dialog, IDC_STEP_UNIT);
        return 1;
    case IDC_TIME_BAR:
        // a press or drag on the bar goes to the month under the pointer
        if (code == CODE_PICKED)
            set_current_date(month_start_of(bar_picked(dialog, IDC_TIME_BAR)));
        return 1;
    }
    for (const StepButton& button : STEP_BUTTONS) {
        if (button.id != control_id)
            continue;
        // a step past the year field's range wraps the date; it is shown as it is
        if (code == CODE_CLICKED)
            step_current_date(button.direction, button.unit);
        return 1;
    }
    return 0;
}

int timeline_panel_proc(Panel dialog, int message, int control_id, int code)
{
    return panel_proc(dialog, message, control_id, code, timeline_panel_init, timeline_panel_command);
}
