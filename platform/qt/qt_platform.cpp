// qt_platform.cpp: the platform layer on Qt 6. It only translates: Qt events become
// calls of the program's on_* handlers, platform_* calls become Qt calls.
//
// [SECTION] state: the window, the view, the timers; event values
// [SECTION] the view: a GL widget and its input
// [SECTION] the main window and the test state
// [SECTION] running: the application, the window, the loop
// [SECTION] frames, the context, timers
// [SECTION] message boxes
// [SECTION] the main window, focus, the mouse, the menu bar, closing
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QCloseEvent>
#include <QHash>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <QThread>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

#include "platform/platform.h"
#include "platform/qt/qt_hooks.h"
#include "platform/qt/qt_panels.h"

//// [SECTION] state: the window, the view, the timers; event values

void (*platform_frame_presented_hook)() = nullptr;
void (*platform_input_received_hook)() = nullptr;

namespace {

class GlView;
GlView* gl_view = nullptr;
QMainWindow* main_window = nullptr;
QHash<int, QTimer*> timers;
QHash<int, QAction*> checkable_items;  // by command id, while the menu bar lives
QApplication* application = nullptr;  // from platform_init to the end of the program
// How long a key release waits for the press that would make it a repeat: the server sends
// the pair together, so a real release is only this late.
constexpr int RELEASE_WAIT_MS = 30;
int window_up = 0;  // the main window has been on the screen
// Message boxes asked for before the window was on the screen, in order.
struct WaitingMessage {
    std::string text, caption, details;
};
std::vector<WaitingMessage> waiting_messages;

void show_waiting_messages()
{
    std::vector<WaitingMessage> shown;
    shown.swap(waiting_messages);  // an empty queue: the boxes show at once
    for (const WaitingMessage& m : shown)
        platform_message_box_details(m.text.c_str(), m.caption.c_str(), m.details.c_str());
}

// The main window is on the screen: the waiting boxes show over it, after its first frame.
void window_is_up()
{
    if (window_up)
        return;
    window_up = 1;
    QTimer::singleShot(0, show_waiting_messages);
}

// The MK_* flags of a mouse event: the buttons held (the pressed one included) and the
// Shift and Ctrl keys.
unsigned key_flags(const QMouseEvent* event)
{
    unsigned flags = 0;
    if (event->buttons() & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (event->buttons() & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (event->modifiers() & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (event->modifiers() & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

// The handlers' code of a Qt key, 0 for one the view has no code for.
int virtual_key(int key)
{
    switch (key) {
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    }
    return 0;
}

// A position in client pixels as the handlers take it: signed 16-bit, negative outside
// the view's top-left while the mouse is captured.
int16_t client_coordinate(double value)
{
    long rounded = lround(floor(value));
    return (int16_t)(rounded < -32768 ? -32768 : rounded > 32767 ? 32767 : rounded);
}

//// [SECTION] the view: a GL widget and its input

// The client area: a GL widget whose framebuffer object keeps the last frame, so that a
// frame drawn outside paintGL (timer, input) is shown as it was drawn.
class GlView : public QOpenGLWidget {
public:
    int context_live = 0;    // 1 from initializeGL until the context is released
    int sizes_given = 0;     // resizeGL calls, for the test hook: each remakes the framebuffer
    int frame_pending = 0;   // a handler drew a frame that Qt has yet to show
    int painting = 0;        // inside paintGL: Qt shows the frame when it returns
    int waiting_key = 0;     // the Qt key of a release not yet delivered, or 0
    unsigned long waiting_time = 0;  // its X time stamp, ms
    QTimer release_wait;

    explicit GlView(QWidget* parent) : QOpenGLWidget(parent)
    {
        setUpdateBehavior(QOpenGLWidget::PartialUpdate);
        setFocusPolicy(Qt::ClickFocus);
        setMouseTracking(true);
        release_wait.setSingleShot(true);
        connect(&release_wait, &QTimer::timeout, this, [this] { deliver_key_release(); });
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
        // the context can die before the widget: its objects go while it still can. At the
        // end it dies in the base destructor, when only the QOpenGLWidget is left of this.
        QOpenGLWidget* widget = this;
        connect(context(), &QOpenGLContext::aboutToBeDestroyed, widget, [widget] {
            widget->makeCurrent();
            on_gl_context_destroyed();
            widget->doneCurrent();
            if (gl_view)
                gl_view->context_live = 0;
        }, Qt::DirectConnection);
        on_startup();
    }

    // Mouse, wheel and key events on the view become the program's handlers, each with the
    // view's context current; the other buttons, and keys while held, do nothing.
    void mousePressEvent(QMouseEvent* event) override
    {
        if (!begin_handler())
            return;
        const int16_t x = client_coordinate(event->position().x() * devicePixelRatioF());
        const int16_t y = client_coordinate(event->position().y() * devicePixelRatioF());
        if (event->button() == Qt::LeftButton)
            on_left_press(key_flags(event), x, y);
        else if (event->button() == Qt::RightButton)
            on_right_press(key_flags(event), x, y);
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (!begin_handler())
            return;
        const int16_t x = client_coordinate(event->position().x() * devicePixelRatioF());
        const int16_t y = client_coordinate(event->position().y() * devicePixelRatioF());
        if (event->button() == Qt::LeftButton)
            on_left_release(x, y);
        else if (event->button() == Qt::RightButton)
            on_right_release(x, y);
    }
    // With no button held a move only asks for the tooltip of the column under it.
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (platform_input_received_hook && event->buttons())
            platform_input_received_hook();
        if (begin_handler())
            on_mouse_move(key_flags(event), client_coordinate(event->position().x() * devicePixelRatioF()),
                          client_coordinate(event->position().y() * devicePixelRatioF()));
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        mousePressEvent(event);  // the view knows no double clicks: a second press
    }
    void wheelEvent(QWheelEvent* event) override
    {
        const int delta = event->angleDelta().y();
        if (delta == 0 && event->angleDelta().x() != 0)
            return;  // a sideways wheel is not the zoom wheel
        if (begin_handler())
            on_wheel((int16_t)(delta < -32768 ? -32768 : delta > 32767 ? 32767 : delta));
    }
    // The view reacts to releases only, once per key let go. A held key repeats: Qt marks
    // the repeated releases, but some X servers send them as plain release and press pairs
    // with one time stamp. So a release waits for RELEASE_WAIT_MS: a press of the same key
    // at its time cancels it, anything else lets it through at once.
    void keyPressEvent(QKeyEvent* event) override
    {
        event->accept();
        if (waiting_key && event->key() == waiting_key && event->timestamp() - waiting_time <= 1) {
            release_wait.stop();
            waiting_key = 0;
            return;
        }
        deliver_key_release();
    }
    void keyReleaseEvent(QKeyEvent* event) override
    {
        if (event->isAutoRepeat())
            return;
        deliver_key_release();
        waiting_key = event->key() ? event->key() : -1;
        waiting_time = event->timestamp();
        release_wait.start(RELEASE_WAIT_MS);
    }
    void deliver_key_release()
    {
        if (!waiting_key)
            return;
        const int key = waiting_key;
        waiting_key = 0;
        release_wait.stop();
        if (!begin_handler())
            return;
        if (platform_input_received_hook)
            platform_input_received_hook();
        on_key_release(virtual_key(key));
    }
    // The program works in the framebuffer's pixels: on a high-density screen the view's
    // size, the mouse positions and a capture are all in device pixels.
    void resizeGL(int width, int height) override
    {
        sizes_given++;
        if (context_live)
            on_resize((int)lround(width * devicePixelRatioF()), (int)lround(height * devicePixelRatioF()));
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

//// [SECTION] the main window and the test state

class MainWindow : public QMainWindow {
protected:
    // watches its window on the screen: the first exposure puts it up
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && windowHandle() && windowHandle()->isExposed())
            window_is_up();
        return QMainWindow::eventFilter(watched, event);
    }
    void closeEvent(QCloseEvent* event) override
    {
        if (gl_view)
            gl_view->begin_handler();
        on_destroy();
        event->accept();
    }
};

// The test state with the view's size as the program sees it.
void write_test_state()
{
    if (gl_view)
        qt_write_test_state((int)lround(gl_view->width() * gl_view->devicePixelRatioF()),
                            (int)lround(gl_view->height() * gl_view->devicePixelRatioF()), gl_view->sizes_given);
    else
        qt_write_test_state(0, 0, -1);
}

}  // namespace

//// [SECTION] running: the application, the window, the loop

void platform_init(int argc, char** argv)
{
    static int arguments;  // Qt keeps a reference to the count for the application's life
    if (application)
        return;
    arguments = argc;
    application = new QApplication(arguments, argv);
    application->setQuitOnLastWindowClosed(false);  // the loop ends through platform_quit
}

int platform_run(int argc, char** argv, const char* title, int outer_width, int outer_height)
{
    platform_init(argc, argv);
    int code = 0;
    {  // the window goes before the application
        MainWindow window;
        main_window = &window;
        window.setWindowTitle(QString::fromUtf8(title));
        gl_view = new GlView(&window);
        window.setCentralWidget(gl_view);
        qt_panels_attach(gl_view, [] { return gl_view ? gl_view->begin_handler() : 0; });
        // The program makes its menu when the view's context is ready, after the view has its
        // first size. A bar appearing then would shrink the view and make its framebuffer again,
        // and the first one's memory (about 6 MiB at 1024 x 768) would stay resident: so the
        // bar takes its height, the height of any one-line bar, before the first show.
        QMenuBar probe;
        probe.addMenu(QStringLiteral("File"));
        window.menuBar()->setMinimumHeight(probe.sizeHint().height());
        window.resize(outer_width, outer_height);
        window.show();
        window.windowHandle()->installEventFilter(&window);
        if (window.windowHandle()->isExposed())
            window_is_up();
        code = application->exec();
        qt_panels_detach();  // the panels die with the window, their handles first
        for (QTimer* timer : timers)
            delete timer;
        timers.clear();
        checkable_items.clear();
        gl_view = nullptr;
        main_window = nullptr;
        window_up = 0;
        waiting_messages.clear();
    }
    delete application;
    application = nullptr;
    return code;
}

//// [SECTION] frames, the context, timers

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
            write_test_state();
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

//// [SECTION] message boxes

void platform_message_box(const char* text, const char* caption)
{
    platform_message_box_details(text, caption, nullptr);
}

void platform_message_box_details(const char* text, const char* caption, const char* details)
{
    // at start-up a box with no window under it would stand alone; it waits its turn
    if (!window_up || !waiting_messages.empty()) {
        waiting_messages.push_back({text, caption, details ? details : ""});
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(caption), QString::fromUtf8(text),
                    QMessageBox::Ok);
    if (details && details[0])
        box.setDetailedText(QString::fromUtf8(details));
    qt_test_state_message(caption, text);
    write_test_state();  // the frame timer may be stopped meanwhile
    box.exec();
    qt_test_state_message(nullptr, nullptr);
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

//// [SECTION] the main window, focus, the mouse, the menu bar, closing

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

void platform_create_menu_bar(const Menu* menus, int menu_count)
{
    if (!main_window)
        return;
    QMenuBar* bar = main_window->menuBar();
    for (int m = 0; m < menu_count; m++) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(menus[m].title));
        for (int i = 0; i < menus[m].item_count; i++) {
            if (!menus[m].items[i].text) {
                menu->addSeparator();
                continue;
            }
            const int id = menus[m].items[i].command_id;
            // plain text: an '&' would make a mnemonic
            QString text = QString::fromUtf8(menus[m].items[i].text).replace("&", "&&");
            QAction* action = menu->addAction(text);
            action->setCheckable(menus[m].items[i].checkable != 0);
            if (action->isCheckable())
                checkable_items[id] = action;
            QObject::connect(action, &QAction::triggered, [id, action] {
                // the check mark is the program's to set: back as it was, then the command
                if (action->isCheckable())
                    action->setChecked(!action->isChecked());
                if (gl_view && gl_view->begin_handler())
                    on_menu_command(id);
            });
        }
    }
}

void platform_menu_check(int command_id, int checked)
{
    if (QAction* action = checkable_items.value(command_id, nullptr))
        action->setChecked(checked != 0);
}

QWidget* qt_view()
{
    return gl_view;
}

void platform_destroy_main_window()
{
    if (main_window)
        main_window->close();  // its close handling tears down and ends the loop
}

void platform_wait_ms(int ms)
{
    QThread::msleep((unsigned long)ms);
}
