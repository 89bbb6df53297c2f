// readout.cpp: the legend and the tooltip texts; see readout.h.
#include "render/readout.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "query/query.h"
#include "render/columns.h"
#include "render/view_state.h"
#include "store/crime_data.h"
#include "store/dates.h"

void chosen_types_text(char* text, int size)
{
    text[0] = '\0';
    int length = 0;
    if (query_flags[0] != NO_QUERY)
        for (int t = 0; t < CRIME_TYPE_COUNT; t++)
            if (query_flags[t] && length < size)
                length += snprintf(text + length, (size_t)(size - length), "%s%s", length ? ", " : "",
                                   CRIME_TYPE_NAMES[t]);
    if (length == 0)
        snprintf(text, (size_t)size, "no crime type chosen");
}

void make_legend(Legend* legend)
{
    memset(legend, 0, sizeof *legend);
    static const char* const MEANINGS[3] = {
        "this year more than 5 points above citywide",
        "within 5 points of citywide",
        "more than 5 points below citywide",
    };
    for (int band = SIDE_ABOVE; band <= SIDE_BELOW; band++) {
        memcpy(legend->swatch[band], side_colour(band), sizeof legend->swatch[band]);
        snprintf(legend->band_text[band], READOUT_LINE_SIZE, "%s", MEANINGS[band]);
    }
    // one stripe repeat per 1 / vertical_scale counts (1, 10 or 100)
    const long per_band = lround(1.0 / (double)vertical_scale);
    snprintf(legend->scale_text, READOUT_LINE_SIZE, "One black band: %ld crime%s", per_band,
             per_band == 1 ? "" : "s");
    const int prefix = snprintf(legend->types_text, READOUT_LINE_SIZE, "Counted: ");
    chosen_types_text(legend->types_text + prefix, READOUT_LINE_SIZE - prefix);
    char date[DATE_TEXT_SIZE];
    date_to_text(current_date, date);
    snprintf(legend->date_text, READOUT_LINE_SIZE, "Date: %s", date);
}

// "of its largest yearly counts" as a percentage, or the words for a year without figures.
static void standing_text(int beat, char* text, size_t size)
{
    float ratio;
    if (!year_ratio(beat, &ratio))
        snprintf(text, size, "no yearly figures");
    else
        snprintf(text, size, "%.2f%% of its largest yearly counts", (double)(ratio * 100.0f));
}

int format_hover_text(int beat, char* text, int size)
{
    if (size <= 0)
        return 0;
    text[0] = '\0';
    const int loaded = loaded_beat_count();
    if (beat < 0 || beat >= loaded)
        return 0;
    char date[DATE_TEXT_SIZE];
    date_to_text(current_date, date);
    // "March,1,2004" -> "March" and "2004"
    char* first_comma = strchr(date, ',');
    const char* year = strrchr(date, ',') + 1;
    *first_comma = '\0';
    char share[READOUT_LINE_SIZE];
    if (beat == CITYWIDE_BEAT) {
        snprintf(share, sizeof share, "Citywide reference");
    } else {
        uint32_t district = 0;  // wraps as the query's sums do
        for (int b = 0; b < loaded; b++)
            if (b != CITYWIDE_BEAT)
                district += query_value[b];
        const float percent = district == 0 ? 0.0f : (float)query_value[beat] * 100.0f / (float)district;
        snprintf(share, sizeof share, "Share of the district: %.2f%%", (double)percent);
    }
    char own[READOUT_LINE_SIZE], citywide[READOUT_LINE_SIZE];
    standing_text(beat, own, sizeof own);
    standing_text(CITYWIDE_BEAT, citywide, sizeof citywide);
    const int length = snprintf(text, (size_t)size, "%.7s\n%s %s: %u crime%s\n%s\nThis year: %s\nCitywide: %s",
                                beats[beat].name, date, year, query_value[beat], query_value[beat] == 1 ? "" : "s",
                                share, own, citywide);
    if (length < 0 || length >= size) {
        text[0] = '\0';
        return 0;
    }
    return 1;
}
