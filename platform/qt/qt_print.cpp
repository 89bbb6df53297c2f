// qt_print.cpp: the printer page on Qt's print support. The page is drawn with Qt's
// painter: the picture stretched with smooth (linear) filtering over its rectangle on a
// white page.
//
// A print to the test hook's PDF file (qt_test_state.cpp) skips the dialog and goes
// through the same printer code as a chosen printer.
#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "platform/platform.h"
#include "platform/qt/qt_hooks.h"

namespace {

QPrinter* printer = nullptr;  // one print: from the dialog to the end of the page
QPainter* painter = nullptr;

void end_print()
{
    delete painter;
    painter = nullptr;
    delete printer;
    printer = nullptr;
    qt_view_resume();
}

}  // namespace

int platform_print_begin(const char* document_name, int* page_width, int* page_height,
                         int* printer_error)
{
    end_print();
    *printer_error = 0;
    printer = new QPrinter(QPrinter::HighResolution);  // every print starts from the default printer
    const char* pdf_path = qt_test_print_file();
    if (pdf_path) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromLocal8Bit(pdf_path));
    } else {
        QPrintDialog dialog(printer, qt_main_window());
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
        const int chosen = dialog.exec();
        qt_view_resume();
        if (chosen != QDialog::Accepted) {
            end_print();
            return 0;
        }
    }
    printer->setDocName(QString::fromUtf8(document_name));
    printer->setFullPage(false);
    const QRect area = printer->pageLayout().paintRectPixels(printer->resolution());
    if (!printer->isValid() || area.width() < 1 || area.height() < 1) {
        *printer_error = 1;  // no page to draw on
        end_print();
        return 0;
    }
    painter = new QPainter();
    if (!painter->begin(printer)) {
        *printer_error = 2;  // the printer refused the page
        end_print();
        return 0;
    }
    *page_width = area.width();
    *page_height = area.height();
    qt_view_resume();
    return 1;
}

int platform_print_page(const uint8_t* rgb, int width, int height, float x, float y,
                        float draw_width, float draw_height)
{
    if (!painter) {
        end_print();
        return 0;
    }
    const QRect area = printer->pageLayout().paintRectPixels(printer->resolution());
    // rows come bottom first: mirrored, the first row lands at the page's bottom edge
    const QImage picture =
        QImage(rgb, width, height, width * 3, QImage::Format_RGB888).mirrored(false, true);
    painter->fillRect(QRect(0, 0, area.width(), area.height()), Qt::white);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter->drawImage(QRectF(x, area.height() - y - draw_height, draw_width, draw_height), picture);
    const int finished = painter->end() ? 1 : 0;
    end_print();
    return finished;
}
