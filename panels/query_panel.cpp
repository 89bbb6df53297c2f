// query_panel.cpp: the Query panel; see query_panel.h.
#include "panels/query_panel.h"

#include <cerrno>
#include <cstdio>

#include "panels/file_dialogs.h"
#include "panels/info_panel.h"
#include "panels/panel_templates.h"
#include "panels/panels.h"
#include "query/query.h"
#include "query/report.h"
#include "render/columns.h"
#include "render/view_state.h"
#include "store/crime_data.h"
#include "store/field_list.h"
#include "store/loader.h"

uint8_t field_codes[FIELD_CODE_ROWS];

void init_query(Panel dialog)
{
    FILE* file = open_for_reading(FIELD_LIST_PATH);
    if (!file) {
        file_message("init_query() - can't read fields!", "ERROR!", FIELD_LIST_PATH, errno);
        return;
    }
    char label[FIELD_LINE_SIZE];
    uint8_t code;
    // every row is listed, as the file has it; only the first rows have room for a code
    for (int row = 0; read_field_row(file, label, &code); row++) {
        if (row < FIELD_CODE_ROWS)
            field_codes[row] = code;
        list_add(dialog, IDC_CRIME_LIST, label);
    }
    fclose(file);
    query_panel_refresh(dialog);
    control_focus(dialog, IDC_CRIME_LIST);
}

void query_panel_refresh(Panel panel)
{
    for (int i = 0; i < CRIME_TYPE_COUNT; i++)
        list_set_selected(panel, IDC_CRIME_LIST, i, query_flags[i] != 0);
    if (query_flags[0] == NO_QUERY)
        list_set_selected(panel, IDC_CRIME_LIST, 0, 0);

    list_clear(panel, IDC_BEAT_LIST);
    BeatIndex count = loaded_beat_count();
    for (BeatIndex b = 0; b < count; b++) {
        char name[BEAT_NAME_SIZE];
        snprintf(name, sizeof name, "%.7s", beats[b].name);
        list_add(panel, IDC_BEAT_LIST, name);
    }
    if (selected_beat >= 0 && selected_beat < list_count(panel, IDC_BEAT_LIST))
        list_set_current(panel, IDC_BEAT_LIST, selected_beat);
}

int query_panel_command(Panel dialog, int control_id, int code)
{
    if (control_id == IDC_CRIME_LIST) {
        if (code == CODE_SELECTION_CHANGED) {
            // a row the list lacks (a field list of fewer than seven rows) is not chosen
            for (int i = 0; i < CRIME_TYPE_COUNT; i++)
                query_flags[i] = list_is_selected(dialog, IDC_CRIME_LIST, i) == 1 ? 1 : 0;
            if (list_selected_count(dialog, IDC_CRIME_LIST) == 0)
                query_flags[0] = NO_QUERY;
            make_columns();
        }
        return 1;
    }
    if (control_id == IDC_BEAT_LIST) {
        if (code == CODE_SELECTION_CHANGED) {
            int row = list_current(dialog, IDC_BEAT_LIST);
            // a blank line of the beat list made a beat without a name, whose files name
            // nothing: its empty row is no beat to show
            if (row >= 0 && row < (int)loaded_beat_count() && beats[row].name[0] == '\0')
                row = -1;
            // no current row (-1) clears the selection and moves nothing
            if (row >= 0 && row < loaded_beat_count())
                center_view_on(beats[row].lon, beats[row].lat);
            beat_report(row);
        }
        return 1;
    }
    return 0;
}

int query_panel_proc(Panel dialog, int message, int control_id, int code)
{
    return panel_proc(dialog, message, control_id, code, init_query, query_panel_command);
}
