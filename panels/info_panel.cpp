// info_panel.cpp: the Info panel's log and beat_report; see info_panel.h.
#include "panels/info_panel.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "panels/chart_panel.h"
#include "panels/panel_templates.h"
#include "panels/panels.h"
#include "query/report.h"
#include "render/columns.h"
#include "panels/file_dialogs.h"
#include "store/safe_file.h"

void beat_report(BeatIndex beat)
{
    selected_beat = beat;
    make_columns();  // the figures below are those of the current date and query
    char text[REPORT_SIZE];
    if (format_beat_report(beat, text, sizeof text)) {
        info_append(text);
        chart_panel_on_beat_chosen();
    }
}

// What follows the first line end of text; the end of text when it has none.
static const char* after_first_line(const char* text)
{
    const char* line_end = strchr(text, '\n');
    return line_end ? line_end + 1 : text + strlen(text);
}

void info_append(const char* text)
{
    static char log[INFO_LOG_SIZE];
    size_t log_length = (size_t)text_get(info_panel, IDC_INFO_TEXT, log, sizeof log);
    size_t text_length = strlen(text);
    char* joined = (char*)malloc(log_length + text_length + 3);
    if (!joined)
        return;
    memcpy(joined, log, log_length);
    memcpy(joined + log_length, text, text_length);
    memcpy(joined + log_length + text_length, "\r\n", 3);

    // the oldest lines make room; they are not taken from the new text unless it alone
    // passes the whole buffer, which no report does
    const char* kept = joined;
    size_t kept_length = log_length + text_length + 2;
    while (kept_length > (size_t)INFO_LOG_SIZE - 1) {
        const char* next = after_first_line(kept);
        kept_length -= (size_t)(next - kept);
        kept = next;
    }
    text_set(info_panel, IDC_INFO_TEXT, kept);
    while (kept[0] && text_line_count(info_panel, IDC_INFO_TEXT) > INFO_LINE_LIMIT) {
        kept = after_first_line(kept);
        text_set(info_panel, IDC_INFO_TEXT, kept);
    }
    free(joined);
    text_scroll_to_end(info_panel, IDC_INFO_TEXT);
    panel_show(info_panel);
}

void info_save()
{
    char path[FILE_PATH_SIZE];
    if (!save_file_dialog(path, ".txt"))
        return;
    static char log[INFO_LOG_SIZE];
    int length = text_get(info_panel, IDC_INFO_TEXT, log, sizeof log);
    for (int i = 0; i < length; i++)
        if (log[i] == '\r')
            log[i] = ' ';
    SafeFile file;
    errno = 0;
    int saved = safe_file_open(&file, path);
    if (saved) {
        safe_file_write(&file, log, (size_t)length);  // a line feed is this platform's line end
        saved = safe_file_commit(&file);
    }
    if (!saved) {
        int error = errno;
        char message[FILE_PATH_SIZE + 64];
        snprintf(message, sizeof message, "Can't save the log to %s", path);
        file_message(message, "Error", path, error);
        return;
    }
    platform_message_box("Save complete", "Info");
}

int info_panel_command(Panel, int control_id, int code)
{
    if (control_id == IDC_INFO_CLEAR) {
        if (code == CODE_CLICKED)
            text_set(info_panel, IDC_INFO_TEXT, "");
        return 1;
    }
    if (control_id == IDC_INFO_SAVE) {
        if (code == CODE_CLICKED)
            info_save();
        return 1;
    }
    return 0;
}

int info_panel_proc(Panel dialog, int message, int control_id, int code)
{
    return panel_proc(dialog, message, control_id, code, nullptr, info_panel_command);
}
