// qt_readouts.cpp: what the view says in words on Qt: the legend box over its corner, the
// tooltip over a column, and the dialog that asks for a month and a year.
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPointer>
#include <QSpinBox>
#include <QToolTip>

#include "platform/platform.h"
#include "platform/qt/qt_hooks.h"
#include "platform/qt/qt_legend.h"
#include "platform/qt/qt_panels.h"

namespace {

QPointer<QWidget> legend_box;  // made with the first legend, a child of the view

// A client pixel (device pixels) as a point on the screen.
QPoint on_screen(QWidget* view, int16_t x, int16_t y)
{
    const double ratio = view->devicePixelRatioF();
    return view->mapToGlobal(QPoint((int)(x / ratio), (int)(y / ratio)));
}

}  // namespace

void platform_show_legend(const Legend* legend)
{
    QWidget* view = qt_view();
    if (!legend) {
        if (legend_box)
            legend_box->hide();
        return;
    }
    if (!view)
        return;
    if (!legend_box)
        legend_box = make_legend_widget(view, qt_panel_font());
    legend_widget_show(legend_box, legend);
}

void platform_show_tooltip(int16_t x, int16_t y, const char* text)
{
    QWidget* view = qt_view();
    if (!view)
        return;
    // a little below and right of the pointer, so the pointer does not cover it
    QToolTip::showText(on_screen(view, x, y) + QPoint(12, 16), QString::fromUtf8(text), view);
    qt_test_state_tooltip(text);
}

void platform_hide_tooltip()
{
    QToolTip::hideText();
    qt_test_state_tooltip(nullptr);
}

int platform_ask_month_year(const char* caption, unsigned first_year, unsigned last_year,
                            unsigned* month, unsigned* year)
{
    QDialog dialog(qt_main_window());
    dialog.setWindowTitle(QString::fromUtf8(caption));
    QComboBox months;
    static const char* const NAMES[12] = {"January", "February", "March", "April", "May", "June",
                                          "July", "August", "September", "October", "November", "December"};
    for (const char* name : NAMES)
        months.addItem(QString::fromUtf8(name));
    months.setCurrentIndex(*month >= 1 && *month <= 12 ? (int)*month - 1 : 0);
    QSpinBox years;
    years.setRange((int)first_year, (int)last_year);
    years.setValue((int)*year);
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(&buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(&buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QFormLayout layout(&dialog);
    layout.addRow(QStringLiteral("Month"), &months);
    layout.addRow(QStringLiteral("Year"), &years);
    layout.addRow(&buttons);
    const int chosen = dialog.exec() == QDialog::Accepted;
    qt_view_resume();
    if (!chosen)
        return 0;
    *month = (unsigned)months.currentIndex() + 1;
    *year = (unsigned)years.value();
    return 1;
}
