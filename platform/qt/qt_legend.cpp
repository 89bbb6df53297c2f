// qt_legend.cpp: the legend box drawn with QPainter from a Legend record.
#include "platform/qt/qt_legend.h"

#include <QEvent>
#include <QPainter>
#include <cstring>

#include "render/readout.h"

namespace {

constexpr int MARGIN = 8;   // pixels between the box and the view's edges
constexpr int PADDING = 6;  // pixels inside the box
const QColor BOX_COLOUR(255, 255, 255, 225);
const QColor BOX_EDGE(60, 60, 60);

class LegendWidget : public QWidget {
public:
    LegendWidget(QWidget* view, const QFont& font) : QWidget(view)
    {
        memset(&shown, 0, sizeof shown);
        setFont(font);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        view->installEventFilter(this);
        hide();
    }

    void show_legend(const Legend* legend)
    {
        if (isVisible() && memcmp(&shown, legend, sizeof shown) == 0)
            return;
        shown = *legend;
        resize(box_size());
        keep_in_corner();
        setVisible(true);
        update();
    }

protected:
    QStringList lines() const
    {
        QStringList text;
        for (const char* line : {shown.band_text[0], shown.band_text[1], shown.band_text[2], shown.scale_text,
                                 shown.types_text, shown.date_text})
            text << QString::fromUtf8(line);
        return text;
    }

    int swatch_size() const { return fontMetrics().height() - 2; }

    QSize box_size() const
    {
        int width = 0;
        const QStringList text = lines();
        for (int i = 0; i < text.size(); i++)
            width = qMax(width, fontMetrics().horizontalAdvance(text[i]) + (i < 3 ? swatch_size() + 4 : 0));
        return QSize(width + 2 * PADDING, text.size() * fontMetrics().height() + 2 * PADDING);
    }

    void keep_in_corner()
    {
        const QWidget* view = parentWidget();
        move(qMax(0, view->width() - width() - MARGIN), qMax(0, view->height() - height() - MARGIN));
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parentWidget() && event->type() == QEvent::Resize)
            keep_in_corner();
        return false;
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(BOX_EDGE);
        painter.setBrush(BOX_COLOUR);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        const QStringList text = lines();
        const int line_height = fontMetrics().height();
        for (int i = 0; i < text.size(); i++) {
            int x = PADDING;
            const int y = PADDING + i * line_height;
            if (i < 3) {
                const float* rgb = shown.swatch[i];
                painter.setPen(BOX_EDGE);
                painter.setBrush(QColor::fromRgbF(rgb[0], rgb[1], rgb[2]));
                painter.drawRect(x, y + 1, swatch_size() - 1, swatch_size() - 1);
                x += swatch_size() + 4;
            }
            painter.setPen(Qt::black);
            painter.drawText(QRect(x, y, width() - x, line_height), Qt::AlignLeft | Qt::AlignVCenter, text[i]);
        }
    }

private:
    Legend shown;
};

}  // namespace

QWidget* make_legend_widget(QWidget* view, const QFont& font)
{
    return new LegendWidget(view, font);
}

void legend_widget_show(QWidget* box, const Legend* legend)
{
    static_cast<LegendWidget*>(box)->show_legend(legend);
}
