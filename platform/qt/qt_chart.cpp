// qt_chart.cpp: the Chart panel's plot drawn with QPainter; every figure (series, ticks,
// the month under the pointer) comes from render/chart.h.
#include "platform/qt/qt_chart.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "render/chart.h"

namespace {

const QColor PLOT_BACKGROUND(255, 255, 255);
const QColor GRID_COLOUR(222, 222, 222);
const QColor AXIS_COLOUR(90, 90, 90);
const QColor SERIES_COLOUR(20, 70, 160);
const QColor YEAR_EARLIER_COLOUR(20, 70, 160, 70);  // faint: the comparison, not the subject
const QColor MARKER_COLOUR(200, 30, 30);
constexpr int MAX_COUNT_TICKS = 4;
constexpr int MAX_YEAR_TICKS = CHART_MAX_MONTHS / 12;

class ChartWidget : public PickingWidget {
public:
    ChartWidget(QWidget* parent, std::function<void(int)> picked) : PickingWidget(parent), picked(std::move(picked))
    {
        series.count = 0;
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    ChartSeries series;
    int marker = -1;
    QString title;

protected:
    // The plot area inside the widget: room for the count labels left, the title above and
    // the year labels below.
    QRect plot_rect() const
    {
        const QFontMetrics metrics(font());
        const int left = metrics.horizontalAdvance(QStringLiteral("00000")) + 6;
        const int top = metrics.height() + 4;
        const int bottom = metrics.height() + 6;
        return QRect(left, top, width() - left - 8, height() - top - bottom);
    }

    int y_of(uint32_t value, uint32_t top_value, const QRect& plot) const
    {
        const double share = top_value == 0 ? 0.0 : (double)value / (double)top_value;
        return plot.bottom() - (int)(share * (plot.height() - 1) + 0.5);
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        const QRect plot = plot_rect();
        const QFontMetrics metrics(font());
        painter.setPen(palette().windowText().color());
        painter.drawText(QRect(0, 0, width(), plot.top()), Qt::AlignCenter, title);
        painter.fillRect(plot, PLOT_BACKGROUND);
        if (series.count == 0 || plot.width() < 2 || plot.height() < 2)
            return;
        uint32_t step = 1;
        const int ticks = chart_count_ticks(series.largest, MAX_COUNT_TICKS, &step);
        const uint32_t top_value = step * (uint32_t)ticks;
        for (int t = 0; t <= ticks; t++) {
            const int y = y_of(step * (uint32_t)t, top_value, plot);
            painter.setPen(GRID_COLOUR);
            painter.drawLine(plot.left(), y, plot.right(), y);
            painter.setPen(AXIS_COLOUR);
            painter.drawText(QRect(0, y - metrics.height() / 2, plot.left() - 4, metrics.height()),
                             Qt::AlignRight | Qt::AlignVCenter, QString::number(step * (uint32_t)t));
        }
        int indices[MAX_YEAR_TICKS], years[MAX_YEAR_TICKS];
        const int year_ticks = chart_year_ticks(&series, indices, years, MAX_YEAR_TICKS);
        // label every year, or every second one where the labels would touch
        const int label_width = metrics.horizontalAdvance(QStringLiteral("0000 "));
        const int months_per_label = (label_width * (series.count - 1)) / (plot.width() - 1) + 1;
        const int label_every = months_per_label <= 12 ? 1 : (months_per_label + 11) / 12;
        for (int k = 0; k < year_ticks; k++) {
            const int x = chart_month_x(&series, plot.left(), plot.width(), indices[k]);
            painter.setPen(AXIS_COLOUR);
            painter.drawLine(x, plot.bottom(), x, plot.bottom() + 3);
            if (k % label_every == 0)
                painter.drawText(QRect(x - label_width, plot.bottom() + 3, 2 * label_width, metrics.height()),
                                 Qt::AlignHCenter | Qt::AlignTop, QString::number(years[k]));
        }
        painter.setRenderHint(QPainter::Antialiasing);
        for (int earlier = 1; earlier >= 0; earlier--) {
            QPainterPath path;
            const int shift = earlier ? 12 : 0;
            for (int i = shift; i < series.count; i++) {
                const QPointF point(chart_month_x(&series, plot.left(), plot.width(), i),
                                    y_of(series.values[i - shift], top_value, plot));
                if (i == shift)
                    path.moveTo(point);
                else
                    path.lineTo(point);
            }
            painter.setPen(QPen(earlier ? YEAR_EARLIER_COLOUR : SERIES_COLOUR, earlier ? 1.0 : 1.5));
            painter.drawPath(path);
        }
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(AXIS_COLOUR);
        painter.drawRect(plot.adjusted(0, 0, -1, -1));
        if (marker >= 0 && marker < series.count) {
            const int x = chart_month_x(&series, plot.left(), plot.width(), marker);
            painter.setPen(QPen(MARKER_COLOUR, 1.0));
            painter.drawLine(x, plot.top(), x, plot.bottom());
        }
    }

    void pick(const QMouseEvent* event) override
    {
        if (series.count == 0)
            return;
        const QRect plot = plot_rect();
        picked(chart_month_at(&series, plot.left(), plot.width(), (int)event->position().x()));
    }

private:
    std::function<void(int)> picked;
};

}  // namespace

QWidget* make_chart_widget(QWidget* parent, std::function<void(int)> picked)
{
    return new ChartWidget(parent, std::move(picked));
}

void chart_widget_show(QWidget* chart, const ChartSeries* series, int marker, const char* title)
{
    auto* widget = static_cast<ChartWidget*>(chart);
    widget->series = *series;
    widget->marker = marker;
    widget->title = QString::fromUtf8(title);
    widget->update();
}

void chart_widget_mark(QWidget* chart, int marker)
{
    auto* widget = static_cast<ChartWidget*>(chart);
    if (widget->marker == marker)
        return;
    widget->marker = marker;
    widget->update();
}
