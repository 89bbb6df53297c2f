// qt_chart.h: the Chart panel's plot on Qt: draws a ChartSeries (render/chart.h) as a line
// with the same months a year earlier, year ticks, round count ticks, a title and a marker
// at one month; a press or drag of the left button reports the month under the pointer.
#pragma once

#include <QWidget>
#include <functional>

struct ChartSeries;

// A plot widget in parent; picked(i) is called with the month index under the pointer on
// every left press and every move with the left button held.
QWidget* make_chart_widget(QWidget* parent, std::function<void(int)> picked);

// What the plot shows: a copy of series, the marked month index (-1 for none) and the title.
void chart_widget_show(QWidget* chart, const ChartSeries* series, int marker, const char* title);

// The marked month index only: the cheap update of a step.
void chart_widget_mark(QWidget* chart, int marker);
