// qt_chart.h: the Chart panel's plot on Qt: draws a ChartSeries (render/chart.h) as a line
// with the same months a year earlier, year ticks, round count ticks, a title and a marker
// at one month; a press or drag of the left button reports the month under the pointer.
#pragma once

#include <QMouseEvent>
#include <QWidget>
#include <functional>

struct ChartSeries;

// A widget that hands the left button's press, and every move while it is held, to pick:
// the time bar and the chart point at a date this way.
class PickingWidget : public QWidget {
public:
    using QWidget::QWidget;

protected:
    virtual void pick(const QMouseEvent* event) = 0;
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            pick(event);
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (event->buttons() & Qt::LeftButton)
            pick(event);
    }
};

// A plot widget in parent; picked(i) is called with the month index under the pointer on
// every left press and every move with the left button held.
QWidget* make_chart_widget(QWidget* parent, std::function<void(int)> picked);

// What the plot shows: a copy of series, the marked month index (-1 for none) and the title.
void chart_widget_show(QWidget* chart, const ChartSeries* series, int marker, const char* title);

// The marked month index only: the cheap update of a step.
void chart_widget_mark(QWidget* chart, int marker);
