// report.cpp: the selected beat and its report text; see report.h.
#include "query/report.h"

#include <cstdio>

#include "query/query.h"
#include "store/crime_data.h"
#include "store/dates.h"

BeatIndex selected_beat = NO_BEAT;

int format_beat_report(BeatIndex beat, char* text, int size)
{
    if (size <= 0)
        return 0;
    text[0] = '\0';
    if (beat < 0 || beat >= loaded_beat_count())
        return 0;
    char date[DATE_TEXT_SIZE];
    date_to_text(current_date, date);
    float share = query_area_total == 0
                      ? 0.0f
                      : (float)query_value[beat] * 100.0f / (float)query_area_total;
    // the citywide reference, whichever beat is reported; 0 while it is not loaded
    float ratio = 0.0f, citywide_ratio = 0.0f;
    year_ratio(beat, &ratio);
    year_ratio(CITYWIDE_BEAT, &citywide_ratio);
    float comparison = (ratio - citywide_ratio) * 100.0f;
    const char* name = beats[beat].name;
    int length = snprintf(text, (size_t)size,
                          "***********************************************************\r\n"
                          "Date: %s\r\n"
                          "Crime total for ZAVRO area: %u\r\n"
                          "Crime total for beat %.7s: %u, %.2f%%\r\n"
                          "Beat %.7s crime vs. citywide: %.2f%%\r\n"
                          "\r\n",
                          date, query_area_total, name, query_value[beat], (double)share, name,
                          (double)comparison);
    if (length < 0 || length >= size) {
        text[0] = '\0';
        return 0;
    }
    return 1;
}
