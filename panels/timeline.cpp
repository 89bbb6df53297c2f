// timeline.cpp: the Timeline panel.
#include "panels/timeline.h"

#include <initializer_list>

#include "panels/panel_templates.h"
#include "panels/panels.h"
#include "render/columns.h"

PackedDate timeline_start = START_DATE;
PackedDate timeline_end = END_DATE;
uint8_t play_mode = PLAY_PAUSED;
uint8_t step_unit = STEP_YEAR;

// During its initialisation the panel's handle is not stored yet: the reset acts on the
// dialog being initialised, and the rebuild's own refresh (on the stored handle) on none.
static void reset_on(Panel dialog)
{
    current_date = timeline_start;
    bar_set_range(dialog, IDC_TIME_BAR, timeline_start, timeline_end);
    timeline_show_date(dialog);
    make_columns();
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

void timeline_panel_init(Panel dialog)
{
    for (const char* unit : {"Day", "Month", "Year"})
        combo_add(dialog, IDC_STEP_UNIT, unit);
    combo_set_current(dialog, IDC_STEP_UNIT, step_unit);
    radio_check(dialog, IDC_PLAY_FORWARD, IDC_PLAY_BACKWARD, IDC_PLAY_PAUSE);
    reset_on(dialog);
}

// The "+" and "-" buttons: each pair steps by its own unit, whatever step_unit says.
struct StepButton {
    int id;
    int forward;
    uint8_t unit;
};
static const StepButton STEP_BUTTONS[] = {
    {IDC_DAY_PLUS, 1, STEP_DAY},     {IDC_DAY_MINUS, 0, STEP_DAY},
    {IDC_MONTH_PLUS, 1, STEP_MONTH}, {IDC_MONTH_MINUS, 0, STEP_MONTH},
    {IDC_YEAR_PLUS, 1, STEP_YEAR},   {IDC_YEAR_MINUS, 0, STEP_YEAR},
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
    }
    for (const StepButton& button : STEP_BUTTONS) {
        if (button.id != control_id)
            continue;
        if (code == CODE_CLICKED) {
            // a step past the year field's range wraps the date; it is shown as it is
            if (button.forward)
                date_step_forward(&current_date, button.unit);
            else
                date_step_back(&current_date, button.unit);
            make_columns();
        }
        return 1;
    }
    return 0;
}

int timeline_panel_proc(Panel dialog, int message, int control_id, int code)
{
    return panel_proc(dialog, message, control_id, code, timeline_panel_init, timeline_panel_command);
}
