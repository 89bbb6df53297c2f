// chart_panel.h: the Chart panel: the selected beat's (or the district's) monthly value of
// the chosen crime types over the loaded months, the year before beside it, a mark at
// current_date; a click or drag in it moves the date to that month.
#pragma once

#include "platform/platform.h"

// Brings the chart up to date: the series again when the selection, the query or the
// loaded data changed since it was drawn, the mark at current_date always. Nothing for
// panel 0.
void chart_panel_refresh(Panel panel);

// Shows the Chart panel, brought up to date; the first beat chosen shows it too, once,
// unless it was shown before. While hidden the chart is not kept up to date.
void show_chart_panel();
void chart_panel_on_beat_chosen();
