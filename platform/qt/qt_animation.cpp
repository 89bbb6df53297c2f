// qt_animation.cpp: the animation export on Qt: the "Export Animation" dialog, the
// progress dialog with its Cancel button, and the caption strip drawn with QPainter.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QImage>
#include <QPainter>
#include <QProgressDialog>
#include <QSpinBox>

#include <cstring>

#include "platform/platform.h"
#include "platform/qt/qt_hooks.h"
#include "platform/qt/qt_panels.h"
#include "render/anim_export.h"
#include "render/readout.h"
#include "store/crime_data.h"
#include "store/dates.h"

namespace {

QProgressDialog* progress = nullptr;  // from platform_progress_begin to its end
int progress_total = 0;

constexpr int CAPTION_PADDING = 4;  // pixels around and between the strip's two lines
const QColor CAPTION_BACKGROUND(32, 32, 32);
const QColor CAPTION_TEXT(255, 255, 255);

QDate to_qdate(uint16_t date)
{
    return QDate((int)(BASE_YEAR + date_year_offset(date)), (int)date_month(date), (int)date_day(date));
}

uint16_t from_qdate(const QDate& date)
{
    return make_date((unsigned)(date.year() - BASE_YEAR), (unsigned)date.month(), (unsigned)date.day());
}

}  // namespace

int platform_ask_animation(AnimRequest* request, uint16_t first_date, uint16_t last_date)
{
    QDialog dialog(qt_main_window());
    dialog.setWindowTitle(QStringLiteral("Export Animation"));
    QDateEdit from, to;
    for (QDateEdit* edit : {&from, &to}) {
        edit->setDisplayFormat(QStringLiteral("MMMM d, yyyy"));
        edit->setDateRange(to_qdate(first_date), to_qdate(last_date));
    }
    from.setDate(to_qdate(request->from_date));
    to.setDate(to_qdate(request->to_date));
    to.setMinimumDate(from.date());
    QObject::connect(&from, &QDateEdit::dateChanged, &to, [&to](const QDate& date) { to.setMinimumDate(date); });
    QComboBox step;
    step.addItems({QStringLiteral("Day"), QStringLiteral("Month"), QStringLiteral("Year")});
    step.setCurrentIndex(request->step <= STEP_YEAR ? request->step : STEP_MONTH);
    QSpinBox fps;
    fps.setRange(ANIM_MIN_FPS, ANIM_MAX_FPS);
    fps.setValue(request->fps);
    QComboBox format;
    format.addItems({QStringLiteral("MP4 (H.264)"), QStringLiteral("WebM (VP9)"), QStringLiteral("Animated GIF"),
                     QStringLiteral("PNG frames (a folder)")});
    format.setCurrentIndex(request->format);
    QCheckBox caption(QStringLiteral("Burn in the date, the crime types and the legend"));
    caption.setChecked(request->caption != 0);
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(&buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(&buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QFormLayout layout(&dialog);
    layout.addRow(QStringLiteral("From"), &from);
    layout.addRow(QStringLiteral("To"), &to);
    layout.addRow(QStringLiteral("Step"), &step);
    layout.addRow(QStringLiteral("Frames per second"), &fps);
    layout.addRow(QStringLiteral("Format"), &format);
    layout.addRow(QStringLiteral("Caption"), &caption);
    layout.addRow(&buttons);
    const int chosen = dialog.exec() == QDialog::Accepted;
    qt_view_resume();
    if (!chosen)
        return 0;
    request->from_date = from_qdate(from.date());
    request->to_date = from_qdate(to.date());
    request->step = (uint8_t)step.currentIndex();
    request->fps = fps.value();
    request->format = format.currentIndex();
    request->caption = caption.isChecked() ? 1 : 0;
    return 1;
}

void platform_progress_begin(const char* caption, int total)
{
    platform_progress_end();
    progress_total = total;
    progress = new QProgressDialog(QString(), QStringLiteral("Cancel"), 0, total, qt_main_window());
    progress->setWindowTitle(QString::fromUtf8(caption));
    progress->setWindowModality(Qt::ApplicationModal);  // no command or panel acts meanwhile
    progress->setMinimumDuration(0);
    progress->setAutoReset(false);
    progress->setAutoClose(false);
    progress->setLabelText(QStringLiteral("0 of %1 frames").arg(total));
    progress->setValue(0);
    progress->show();
    QCoreApplication::processEvents();
    qt_view_resume();
}

int platform_progress_step(int done)
{
    if (!progress)
        return 1;
    progress->setLabelText(QStringLiteral("%1 of %2 frames").arg(done).arg(progress_total));
    progress->setValue(done);
    QCoreApplication::processEvents();
    qt_view_resume();
    return progress->wasCanceled() ? 0 : 1;
}

void platform_progress_end()
{
    delete progress;
    progress = nullptr;
    qt_view_resume();
}

int platform_caption_height(int)
{
    return 2 * QFontMetrics(qt_panel_font()).height() + 3 * CAPTION_PADDING;
}

// Line 1: the date, the crime types and the band scale; line 2: the colour key, a third
// of the width for each band. Text that does not fit is cut with an ellipsis.
void platform_draw_caption(const Legend* legend, uint8_t* rgb, int width, int height)
{
    QImage strip(width, height, QImage::Format_RGB888);
    strip.fill(CAPTION_BACKGROUND);
    {
        QPainter painter(&strip);
        painter.setFont(qt_panel_font());
        const QFontMetrics metrics = painter.fontMetrics();
        const int line = metrics.height();
        painter.setPen(CAPTION_TEXT);
        const QString first = QStringLiteral("%1   %2   %3")
                                  .arg(QString::fromUtf8(legend->date_text), QString::fromUtf8(legend->types_text),
                                       QString::fromUtf8(legend->scale_text));
        const int inner = width - 2 * CAPTION_PADDING;
        painter.drawText(CAPTION_PADDING, CAPTION_PADDING, inner, line, Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(first, Qt::ElideRight, inner));
        const int third = inner / 3, swatch = line - 2, y = 2 * CAPTION_PADDING + line;
        for (int band = 0; band < 3; band++) {
            const int x = CAPTION_PADDING + band * third;
            const float* c = legend->swatch[band];
            painter.setPen(CAPTION_TEXT);
            painter.setBrush(QColor::fromRgbF(c[0], c[1], c[2]));
            painter.drawRect(x, y + 1, swatch - 1, swatch - 1);
            const int text_x = x + swatch + 4, text_width = third - swatch - 8;
            painter.drawText(text_x, y, text_width, line, Qt::AlignLeft | Qt::AlignVCenter,
                             metrics.elidedText(QString::fromUtf8(legend->band_text[band]), Qt::ElideRight, text_width));
        }
    }
    for (int row = 0; row < height; row++)  // the strip's top row is the image's last
        memcpy(rgb + (size_t)(height - 1 - row) * width * 3, strip.constScanLine(row), (size_t)width * 3);
}
