// qt_platform.cpp: the platform layer on Qt 6. It only translates: Qt events become
// calls of the program's on_* handlers, platform_* calls become Qt calls.
#include <QApplication>
#include <QCloseEvent>
#include <QHash>
#include <QMainWindow>
#include <QMessageBox>
#include <QOpenGLWidget>
#include <QTimer>

#include "platform/platform.h"
#include "platform/qt/qt_hooks.h"
#include "platform/qt/qt_panels.h"

void (*platform_frame_presented_hook)() = nullptr;

namespace {

class GlView;
GlView* gl_view = nullptr;
QHash<int, QTimer*> timers;

// The client area: a GL widget whose framebuffer object keeps the last frame, so that a
// frame drawn outside paintGL (timer, input) is shown as it was drawn.
class GlView : public QOpenGLWidget {
public:
    int context_live = 0;    // 1 from initializeGL until the context is released
    int frame_pending = 0;   // a handler drew a frame that Qt has yet to show
    int painting = 0;        // inside paintGL: Qt shows the frame when it returns

    explicit GlView(QWidget* parent) : QOpenGLWidget(parent)
    {
        setUpdateBehavior(QOpenGLWidget::PartialUpdate);
        setFocusPolicy(Qt::ClickFocus);
        connect(this, &QOpenGLWidget::frameSwapped, this, [] {
            if (platform_frame_presented_hook)
                platform_frame_presented_hook();
        });
    }

    // Makes the context current for a handler that draws; 0 when there is none.
    int begin_handler()
    {
        if (!context_live)
            return 0;
        makeCurrent();
        return 1;
    }

protected:
    void initializeGL() override
    {
        context_live = 1;
        on_startup();
    }
    void resizeGL(int width, int height) override
    {
        if (context_live)
            on_resize(width, height);
    }
    void paintGL() override
    {
        if (!context_live)
            return;
        if (frame_pending) {
            frame_pending = 0;  // the framebuffer already holds the frame
            return;
        }
        painting = 1;
        on_paint();
        painting = 0;
    }
};

class MainWindow : public QMainWindow {
protected:
    void closeEvent(QCloseEvent* event) override
    {
        if (gl_view)
            gl_view->begin_handler();
        on_destroy();
        event->accept();
    }
};

}  // namespace

int platform_run(int argc, char** argv, const char* title, int outer_width, int outer_height)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);  // the loop ends through platform_quit
    MainWindow window;
    window.setWindowTitle(QString::fromUtf8(title));
    gl_view = new GlView(&window);
    window.setCentralWidget(gl_view);
    qt_panels_attach(gl_view, [] { return gl_view ? gl_view->begin_handler() : 0; });
    window.resize(outer_width, outer_height);
    window.show();
    int code = app.exec();
    qt_panels_detach();  // the panels die with the window, their handles first
    for (QTimer* timer : timers)
        delete timer;
    timers.clear();
    gl_view = nullptr;
    return code;
}

void platform_swap_buffers()
{
    if (!gl_view || !gl_view->context_live || gl_view->painting)
        return;
    gl_view->frame_pending = 1;
    gl_view->update();
}

void platform_release_gl_context()
{
    for (QTimer* timer : timers)
        timer->stop();
    if (!gl_view)
        return;
    gl_view->doneCurrent();
    gl_view->context_live = 0;
}

void platform_quit(int code)
{
    QCoreApplication::exit(code);
}

void platform_start_timer(int timer_id, int period_ms)
{
    QTimer*& timer = timers[timer_id];
    if (!timer) {
        timer = new QTimer();
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer, &QTimer::timeout, [timer_id] {
            if (gl_view && gl_view->begin_handler())
                on_timer(timer_id);
        });
    }
    timer->start(period_ms);
}

void platform_stop_timer(int timer_id)
{
    QTimer* timer = timers.value(timer_id, nullptr);
    if (timer)
        timer->stop();
}

void platform_message_box(const char* text, const char* caption)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(caption), QString::fromUtf8(text),
                    QMessageBox::Ok);
    box.exec();
    // the box's own event loop may have drawn with another context: the caller goes on
    // with the view's
    qt_view_resume();
}

int platform_ask_yes_no(const char* text, const char* caption)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(caption), QString::fromUtf8(text),
                    QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    int yes = box.exec() == QMessageBox::Yes;
    qt_view_resume();
    return yes;
}

QWidget* qt_main_window()
{
    return gl_view ? gl_view->window() : nullptr;
}

void qt_view_resume()
{
    if (gl_view)
        gl_view->begin_handler();
}

void platform_focus_and_capture_mouse()
{
    if (!gl_view)
        return;
    gl_view->setFocus(Qt::MouseFocusReason);
    gl_view->grabMouse();
}

void platform_release_mouse()
{
    if (gl_view)
        gl_view->releaseMouse();
}
