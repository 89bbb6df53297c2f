// qt_panels_test.cpp: the Qt panels under Xvfb, built from the real templates, over a
// plain widget that stands in for the view. Runs with its own QApplication.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <string>
#include <vector>

#include "panels/panel_templates.h"
#include "platform/qt/qt_panels.h"

namespace {

struct Delivered {
    int panel, message, id, code;
    bool operator==(const Delivered& o) const
    {
        return panel == o.panel && message == o.message && id == o.id && code == o.code;
    }
};

std::vector<Delivered> delivered;
int destroy_on_command = 0;  // the procedure destroys its panel on its next command

int record_proc(Panel panel, int message, int id, int code)
{
    delivered.push_back({panel, message, id, code});
    if (message == PANEL_COMMAND && destroy_on_command) {
        destroy_on_command = 0;
        panel_destroy(panel);
    }
    return 1;
}

// Counts the keys and presses that reach the stand-in view.
class ViewStandIn : public QWidget {
public:
    int keys = 0, presses = 0;
    using QWidget::QWidget;

protected:
    void keyPressEvent(QKeyEvent*) override { keys++; }
    void mousePressEvent(QMouseEvent*) override { presses++; }
};

class QtPanels : public testing::Test {
protected:
    QWidget window;
    ViewStandIn* view = nullptr;

    void SetUp() override
    {
        window.resize(900, 700);
        view = new ViewStandIn(&window);
        view->setGeometry(0, 0, 900, 700);
        view->setFocusPolicy(Qt::ClickFocus);
        qt_panels_attach(view, nullptr);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        delivered.clear();
        destroy_on_command = 0;
    }
    void TearDown() override { qt_panels_detach(); }

    template <typename Widget>
    Widget* control(Panel panel, int id)
    {
        Widget* widget = dynamic_cast<Widget*>(qt_panel_control_widget(panel, id));
        EXPECT_NE(widget, nullptr) << "control " << id;
        return widget;
    }
    std::vector<Delivered> commands()
    {
        std::vector<Delivered> only;
        for (const Delivered& d : delivered)
            if (d.message != PANEL_INIT)
                only.push_back(d);
        return only;
    }
};

int during_init_count = -1;
int add_during_init(Panel panel, int message, int id, int code)
{
    if (message == PANEL_INIT) {
        list_add(panel, IDC_BEAT_LIST, "All");
        during_init_count = list_count(panel, IDC_BEAT_LIST);
    }
    return record_proc(panel, message, id, code);
}

TEST_F(QtPanels, CreationNumbersHandlesRunsInitWithTheHandleValidAndShowsPerTemplate)
{
    Panel query = platform_create_panel(&QUERY_PANEL_TEMPLATE, add_during_init);
    Panel info = platform_create_panel(&INFO_PANEL_TEMPLATE, record_proc);
    Panel about = platform_create_panel(&ABOUT_BOX_TEMPLATE, record_proc);
    EXPECT_EQ(query, 1);
    EXPECT_EQ(info, 2);
    EXPECT_EQ(about, 3);
    EXPECT_EQ(during_init_count, 1);
    std::vector<Delivered> inits = {{1, PANEL_INIT, 0, 0}, {2, PANEL_INIT, 0, 0}, {3, PANEL_INIT, 0, 0}};
    EXPECT_EQ(delivered, inits);

    EXPECT_EQ(panel_is_visible(query), 1);
    EXPECT_EQ(panel_is_visible(info), 0);
    EXPECT_EQ(panel_is_visible(about), 0);

    // the About box: a window of its own, centred on the screen, the main window usable
    panel_show(about);
    QWidget* dialog = qt_panel_widget(about);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isWindow());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(dialog->windowTitle(), QString("About ZAVROView 1.0b"));
    QPoint centre = dialog->geometry().center();
    QPoint screen_centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((centre - screen_centre).manhattanLength(), 2);
    panel_hide(about);
    EXPECT_EQ(panel_is_visible(about), 0);

    panel_destroy(info);
    EXPECT_EQ(qt_panel_widget(info), nullptr);
    EXPECT_EQ(platform_create_panel(&INFO_PANEL_TEMPLATE, record_proc), 4);  // never reused
}

TEST_F(QtPanels, UnknownPanelsAndControlsAnswerNothing)
{
    Panel query = platform_create_panel(&QUERY_PANEL_TEMPLATE, record_proc);
    Panel gone = platform_create_panel(&INFO_PANEL_TEMPLATE, record_proc);
    panel_destroy(gone);
    char buffer[8] = "x";
    struct Address {
        Panel panel;
        int id;
    } addresses[] = {
        {0, IDC_CRIME_LIST}, {99, IDC_CRIME_LIST}, {-1, IDC_CRIME_LIST}, {gone, IDC_INFO_TEXT},
        {query, 4711},                   // no such control
        {query, IDC_CRIME_GROUP},        // a control of another class
    };
    for (const Address& a : addresses) {
        SCOPED_TRACE(testing::Message() << "panel " << a.panel << " id " << a.id);
        panel_show(a.panel);
        panel_hide(a.panel);
        panel_capture_mouse(a.panel);
        panel_release_mouse(a.panel);
        control_set_text(a.panel, a.id, "text");
        control_focus(a.panel, a.id);
        list_clear(a.panel, a.id);
        list_set_selected(a.panel, a.id, 0, 1);
        list_set_current(a.panel, a.id, 0);
        combo_add(a.panel, a.id, "row");
        combo_set_current(a.panel, a.id, 0);
        bar_set_range(a.panel, a.id, 0, 10);
        bar_set_pos(a.panel, a.id, 5);
        radio_check(a.panel, a.id, a.id, a.id);
        text_set(a.panel, a.id, "text");
        text_scroll_to_end(a.panel, a.id);
        EXPECT_EQ(list_add(a.panel, a.id, "row"), -1);
        EXPECT_EQ(list_count(a.panel, a.id), 0);
        EXPECT_EQ(list_is_selected(a.panel, a.id, 0), LIST_ERROR);
        EXPECT_EQ(list_selected_count(a.panel, a.id), 0);
        EXPECT_EQ(list_current(a.panel, a.id), -1);
        EXPECT_EQ(combo_current(a.panel, a.id), -1);
        EXPECT_EQ(text_get(a.panel, a.id, buffer, sizeof buffer), 0);
        EXPECT_EQ(text_line_count(a.panel, a.id), 0);
    }
    EXPECT_EQ(panel_is_visible(gone), 0);
    panel_destroy(gone);  // twice: nothing
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

// Each panel stands at its template place and size in dialog units of its font, and
// every caption and label shows its whole text at that size.
TEST_F(QtPanels, PanelsStandInDialogUnitsAndShowEveryTextInFull)
{
    int base_x = 0, base_y = 0;
    qt_panel_base_units(&base_x, &base_y);
    EXPECT_GE(base_x, 5);
    EXPECT_LE(base_x, 9);
    EXPECT_GE(base_y, 11);
    EXPECT_LE(base_y, 16);
    std::printf("dialog base units: %d x %d pixels\n", base_x, base_y);

    const PanelTemplate* templates[] = {&GIS_PANEL_TEMPLATE, &QUERY_PANEL_TEMPLATE, &TIMELINE_PANEL_TEMPLATE,
                                        &INFO_PANEL_TEMPLATE, &ABOUT_BOX_TEMPLATE};
    for (const PanelTemplate* t : templates) {
        SCOPED_TRACE(t->caption);
        Panel panel = platform_create_panel(t, record_proc);
        panel_show(panel);
        QWidget* frame = qt_panel_widget(panel);
        ASSERT_NE(frame, nullptr);
        QSize client((t->width * base_x + 2) / 4, (t->height * base_y + 4) / 8);
        if (t->popup) {
            EXPECT_EQ(frame->size(), client);
        } else {
            EXPECT_EQ(frame->pos(), QPoint((t->x * base_x + 2) / 4, (t->y * base_y + 4) / 8));
            EXPECT_EQ(frame->width(), client.width() + 2);  // and a 1-pixel outline
            EXPECT_GT(frame->height(), client.height() + base_y);  // and a caption bar
        }
        for (int i = 0; i < t->control_count; i++) {
            const ControlTemplate& c = t->controls[i];
            QWidget* widget = qt_panel_control_widget(panel, c.id);
            ASSERT_NE(widget, nullptr);
            if (!c.text)
                continue;
            SCOPED_TRACE(c.text);
            int text_width = widget->fontMetrics().horizontalAdvance(QString::fromUtf8(c.text));
            int room = widget->width();
            if (auto* label = dynamic_cast<QLabel*>(widget))
                room = label->contentsRect().width();
            else if (dynamic_cast<QPushButton*>(widget))
                room -= 4;
            else if (dynamic_cast<QGroupBox*>(widget))
                room -= 8;
            EXPECT_LE(text_width, room);
            EXPECT_LE(widget->fontMetrics().height(), widget->height());
        }
    }
}

TEST_F(QtPanels, OnlyTheUsersChangesBecomeCommands)
{
    Panel gis = platform_create_panel(&GIS_PANEL_TEMPLATE, record_proc);
    Panel query = platform_create_panel(&QUERY_PANEL_TEMPLATE, record_proc);
    Panel timeline = platform_create_panel(&TIMELINE_PANEL_TEMPLATE, record_proc);
    Panel info = platform_create_panel(&INFO_PANEL_TEMPLATE, record_proc);

    // the program's own changes
    for (const char* row : {"Homicide", "Robbery", "Assault"}) {
        list_add(query, IDC_CRIME_LIST, row);
        list_add(query, IDC_BEAT_LIST, row);
    }
    list_set_selected(query, IDC_CRIME_LIST, 1, 1);
    list_set_selected(query, IDC_CRIME_LIST, -1, 1);
    list_set_selected(query, IDC_BEAT_LIST, 2, 1);
    list_set_current(query, IDC_BEAT_LIST, 0);
    list_set_current(query, IDC_BEAT_LIST, -1);
    list_set_current(query, IDC_CRIME_LIST, 2);
    list_set_selected(query, IDC_CRIME_LIST, -1, 0);
    combo_add(gis, IDC_MAP_CHOICE, "Basemap");
    combo_set_current(gis, IDC_MAP_CHOICE, 0);
    combo_add(timeline, IDC_STEP_UNIT, "Day");
    combo_add(timeline, IDC_STEP_UNIT, "Month");
    combo_set_current(timeline, IDC_STEP_UNIT, 1);
    radio_check(timeline, IDC_PLAY_FORWARD, IDC_PLAY_BACKWARD, IDC_PLAY_PAUSE);
    control_set_text(timeline, IDC_DATE_TEXT, "Day,February,1,1990");
    control_set_text(timeline, IDC_DAY_PLUS, "+");
    text_set(info, IDC_INFO_TEXT, "a\r\nb");
    text_scroll_to_end(info, IDC_INFO_TEXT);
    control_focus(query, IDC_CRIME_LIST);
    list_clear(query, IDC_BEAT_LIST);
    EXPECT_TRUE(commands().empty());

    // the user's: a click on a row, a row picked with the keyboard, a radio button,
    // a push button, the left button going down on a picture
    list_add(query, IDC_BEAT_LIST, "All");
    QListWidget* crimes = control<QListWidget>(query, IDC_CRIME_LIST);
    QTest::mouseClick(crimes->viewport(), Qt::LeftButton, {}, crimes->visualItemRect(crimes->item(0)).center());
    QComboBox* step = control<QComboBox>(timeline, IDC_STEP_UNIT);
    step->setFocus();
    QTest::keyClick(step, Qt::Key_Up);
    QTest::mouseClick(control<QPushButton>(timeline, IDC_PLAY_FORWARD), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(timeline, IDC_MONTH_PLUS), Qt::LeftButton);
    panel_hide(query);
    panel_hide(timeline);
    QWidget* arrow = control<QWidget>(gis, IDC_NAV_ZOOM_IN);
    QTest::mousePress(arrow, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(arrow, Qt::LeftButton, {}, QPoint(5, 5));
    std::vector<Delivered> expected = {
        {query, PANEL_COMMAND, IDC_CRIME_LIST, CODE_SELECTION_CHANGED},
        {timeline, PANEL_COMMAND, IDC_STEP_UNIT, CODE_SELECTION_CHANGED},
        {timeline, PANEL_COMMAND, IDC_PLAY_FORWARD, CODE_CLICKED},
        {timeline, PANEL_COMMAND, IDC_MONTH_PLUS, CODE_CLICKED},
        {gis, PANEL_COMMAND, IDC_NAV_ZOOM_IN, CODE_CLICKED},
        {gis, PANEL_LEFT_BUTTON_UP, 0, 0},
    };
    EXPECT_EQ(commands(), expected);
    EXPECT_EQ(combo_current(timeline, IDC_STEP_UNIT), 0);
    EXPECT_TRUE(control<QPushButton>(timeline, IDC_PLAY_FORWARD)->isChecked());
    EXPECT_FALSE(control<QPushButton>(timeline, IDC_PLAY_PAUSE)->isChecked());
}

TEST_F(QtPanels, ListsSelectOneOrManyAndReportRowsTheyLack)
{
    Panel query = platform_create_panel(&QUERY_PANEL_TEMPLATE, record_proc);
    const int multi = IDC_CRIME_LIST, single = IDC_BEAT_LIST;
    for (int id : {multi, single})
        for (const char* row : {"r0", "r1", "r2", "r3"})
            list_add(query, id, row);
    EXPECT_EQ(list_add(query, single, "r4"), 4);
    EXPECT_EQ(list_count(query, single), 5);

    struct Case {
        int id, row, expected;
    } unknown_rows[] = {{multi, 4, LIST_ERROR}, {multi, -1, LIST_ERROR}, {single, 5, LIST_ERROR}, {single, 0, 0}};
    for (const Case& c : unknown_rows)
        EXPECT_EQ(list_is_selected(query, c.id, c.row), c.expected) << c.id << " row " << c.row;
    EXPECT_EQ(list_current(query, single), -1);

    // many: rows add up, the current row moves without selecting
    list_set_selected(query, multi, 0, 1);
    list_set_selected(query, multi, 2, 1);
    list_set_current(query, multi, 3);
    EXPECT_EQ(list_selected_count(query, multi), 2);
    EXPECT_EQ(list_is_selected(query, multi, 3), 0);
    EXPECT_EQ(list_current(query, multi), 3);
    list_set_selected(query, multi, 0, 0);
    EXPECT_EQ(list_selected_count(query, multi), 1);
    list_set_current(query, multi, -1);
    EXPECT_EQ(list_current(query, multi), -1);

    // one: selecting another row drops the first; the current row is the selected one
    list_set_selected(query, single, 0, 1);
    list_set_selected(query, single, 1, 1);
    EXPECT_EQ(list_selected_count(query, single), 1);
    EXPECT_EQ(list_current(query, single), 1);
    list_set_current(query, single, 3);
    EXPECT_EQ(list_is_selected(query, single, 3), 1);
    EXPECT_EQ(list_selected_count(query, single), 1);
    list_set_current(query, single, -1);
    EXPECT_EQ(list_current(query, single), -1);
    EXPECT_EQ(list_selected_count(query, single), 0);

    // the user's Ctrl clicks: two rows in the extended list, one in the other
    list_set_selected(query, multi, -1, 0);
    for (int id : {multi, single}) {
        QListWidget* list = control<QListWidget>(query, id);
        for (int row : {1, 3})
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              list->visualItemRect(list->item(row)).center());
    }
    EXPECT_EQ(list_selected_count(query, multi), 2);
    EXPECT_EQ(list_selected_count(query, single), 1);
    EXPECT_EQ(list_current(query, single), 3);

    list_clear(query, multi);
    EXPECT_EQ(list_count(query, multi), 0);
    EXPECT_EQ(list_current(query, multi), -1);
}

TEST_F(QtPanels, CombosStartWithNoRowAndRefuseRowsTheyLack)
{
    Panel gis = platform_create_panel(&GIS_PANEL_TEMPLATE, record_proc);
    combo_add(gis, IDC_HEIGHT_SCALE, "x1");
    combo_add(gis, IDC_HEIGHT_SCALE, "x2");
    EXPECT_EQ(combo_current(gis, IDC_HEIGHT_SCALE), -1);
    combo_set_current(gis, IDC_HEIGHT_SCALE, 1);
    EXPECT_EQ(combo_current(gis, IDC_HEIGHT_SCALE), 1);
    combo_add(gis, IDC_HEIGHT_SCALE, "x4");
    EXPECT_EQ(combo_current(gis, IDC_HEIGHT_SCALE), 1);
    combo_set_current(gis, IDC_HEIGHT_SCALE, 3);
    EXPECT_EQ(combo_current(gis, IDC_HEIGHT_SCALE), -1);
}

// The share of the bar's inside drawn in the highlight colour, along its middle row.
double bar_fill(QWidget* bar)
{
    QImage image = bar->grab().toImage();
    QColor fill = bar->palette().color(QPalette::Highlight);
    int y = image.height() / 2, filled = 0;
    for (int x = 1; x < image.width() - 1; x++)
        filled += QColor(image.pixel(x, y)) == fill;
    return double(filled) / (image.width() - 2);
}

TEST_F(QtPanels, BarFillIsLinearInRawValuesAndClamped)
{
    Panel timeline = platform_create_panel(&TIMELINE_PANEL_TEMPLATE, record_proc);
    QWidget* bar = control<QWidget>(timeline, IDC_TIME_BAR);
    struct Case {
        unsigned low, high, pos;
        double fill;
    } cases[] = {
        {0, 100, 0, 0.0},        {0, 100, 25, 0.25},      {0, 100, 100, 1.0},
        {0, 100, 250, 1.0},      {100, 200, 50, 0.0},     {0x0084, 0xB67C, 0x5B80, 0.5},
        {0, 0xFFFF, 0xFFFF, 1.0}, {0, 0x10064, 50, 0.5},  // 16 bits: 0x10064 is 100
        {50, 50, 50, 0.0},       {100, 50, 75, 0.0},     // empty ranges
    };
    for (const Case& c : cases) {
        bar_set_range(timeline, IDC_TIME_BAR, c.low, c.high);
        bar_set_pos(timeline, IDC_TIME_BAR, c.pos);
        EXPECT_NEAR(bar_fill(bar), c.fill, 0.01) << c.low << ".." << c.high << " at " << c.pos;
    }
}

TEST_F(QtPanels, RadioCheckChecksOneButtonOfTheRange)
{
    Panel timeline = platform_create_panel(&TIMELINE_PANEL_TEMPLATE, record_proc);
    const int ids[] = {IDC_PLAY_FORWARD, IDC_PLAY_PAUSE, IDC_PLAY_BACKWARD};
    struct Case {
        int first, last, id;
        bool forward, pause, backward;
    } cases[] = {
        {IDC_PLAY_FORWARD, IDC_PLAY_BACKWARD, IDC_PLAY_PAUSE, false, true, false},
        {IDC_PLAY_BACKWARD, IDC_PLAY_FORWARD, IDC_PLAY_FORWARD, true, false, false},  // either order
        {IDC_PLAY_FORWARD, IDC_PLAY_BACKWARD, 0, false, false, false},               // none
        {IDC_PLAY_BACKWARD, IDC_PLAY_BACKWARD, IDC_PLAY_BACKWARD, false, false, true},
    };
    for (const Case& c : cases) {
        radio_check(timeline, c.first, c.last, c.id);
        bool expected[] = {c.forward, c.pause, c.backward};
        for (int i = 0; i < 3; i++)
            EXPECT_EQ(control<QPushButton>(timeline, ids[i])->isChecked(), expected[i])
                << "check " << c.id << ", button " << ids[i];
    }
}

TEST_F(QtPanels, TextBoxKeepsTheProgramsTextAndCountsDisplayedLines)
{
    Panel info = platform_create_panel(&INFO_PANEL_TEMPLATE, record_proc);  // hidden
    QPlainTextEdit* edit = control<QPlainTextEdit>(info, IDC_INFO_TEXT);
    std::string long_line;
    for (int i = 0; i < 40; i++)
        long_line += "word ";

    struct Case {
        std::string text, shown;
        int lines;  // 0: more than one
    } cases[] = {
        {long_line, long_line, 0},  // first: the panel has never been shown
        {"", "", 1},
        {"one", "one", 1},
        {"one\r\ntwo", "one\ntwo", 2},
        {"one\r\n", "one\n", 2},
        {"one\r\n\r\ntwo\r\n", "one\n\ntwo\n", 4},
    };
    char buffer[512];
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        text_set(info, IDC_INFO_TEXT, c.text.c_str());
        EXPECT_EQ(text_get(info, IDC_INFO_TEXT, buffer, sizeof buffer), (int)c.text.size());
        EXPECT_EQ(std::string(buffer), c.text);
        EXPECT_EQ(edit->toPlainText(), QString::fromStdString(c.shown));
        int hidden_count = text_line_count(info, IDC_INFO_TEXT);
        if (c.lines)
            EXPECT_EQ(hidden_count, c.lines);
        else
            EXPECT_GT(hidden_count, 1);
        panel_show(info);
        QApplication::processEvents();
        EXPECT_EQ(text_line_count(info, IDC_INFO_TEXT), hidden_count);
        panel_hide(info);
    }

    // the long line wraps at the box's width: about as many lines as widths it takes
    text_set(info, IDC_INFO_TEXT, long_line.c_str());
    int width = edit->viewport()->width() - 2 * (int)edit->document()->documentMargin();
    int needed = edit->fontMetrics().horizontalAdvance(QString::fromStdString(long_line));
    int lines = text_line_count(info, IDC_INFO_TEXT);
    EXPECT_GE(lines, needed / width);
    EXPECT_LE(lines, needed / width + 2);

    text_set(info, IDC_INFO_TEXT, "one\r\ntwo");
    EXPECT_EQ(text_get(info, IDC_INFO_TEXT, buffer, 5), 4);
    EXPECT_EQ(std::string(buffer), "one\r");
    EXPECT_EQ(text_get(info, IDC_INFO_TEXT, buffer, 1), 0);
    EXPECT_EQ(std::string(buffer), "");

    std::string many;
    for (int i = 0; i < 50; i++)
        many += "line\r\n";
    text_set(info, IDC_INFO_TEXT, many.c_str());
    text_scroll_to_end(info, IDC_INFO_TEXT);
    panel_show(info);
    QApplication::processEvents();
    EXPECT_GT(edit->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(edit->verticalScrollBar()->value(), edit->verticalScrollBar()->maximum());
}

TEST_F(QtPanels, EscapeAndTheCloseBoxCancelAndKeysStayInThePanel)
{
    Panel query = platform_create_panel(&QUERY_PANEL_TEMPLATE, record_proc);
    Panel about = platform_create_panel(&ABOUT_BOX_TEMPLATE, record_proc);
    list_add(query, IDC_CRIME_LIST, "Homicide");
    QListWidget* list = control<QListWidget>(query, IDC_CRIME_LIST);
    QTest::keyClick(list, Qt::Key_A);
    QTest::keyClick(list, Qt::Key_Escape);
    QToolButton* close_box = qt_panel_widget(query)->findChild<QToolButton*>();
    ASSERT_NE(close_box, nullptr);
    QTest::mouseClick(close_box, Qt::LeftButton);

    panel_show(about);
    QWidget* dialog = qt_panel_widget(about);
    QTest::keyClick(dialog, Qt::Key_Escape);
    QTest::keyClick(dialog, Qt::Key_Return);  // OK is the default button
    dialog->close();
    std::vector<Delivered> expected = {
        {query, PANEL_COMMAND, PANEL_CANCEL, 0},
        {query, PANEL_COMMAND, PANEL_CANCEL, 0},
        {about, PANEL_COMMAND, PANEL_CANCEL, 0},
        {about, PANEL_COMMAND, IDC_ABOUT_OK, CODE_CLICKED},
        {about, PANEL_COMMAND, PANEL_CANCEL, 0},
    };
    EXPECT_EQ(commands(), expected);
    EXPECT_EQ(view->keys, 0);
    // the procedure decides what to hide: these did not
    EXPECT_EQ(panel_is_visible(query), 1);
    EXPECT_EQ(panel_is_visible(about), 1);
}

TEST_F(QtPanels, PressesOutsideEveryPanelReachTheView)
{
    Panel query = platform_create_panel(&QUERY_PANEL_TEMPLATE, record_proc);
    QRect frame = qt_panel_widget(query)->geometry();
    QPoint outside(frame.right() + 20, frame.bottom() + 20), inside = frame.center();
    EXPECT_EQ(window.childAt(outside), view);
    EXPECT_NE(window.childAt(inside), view);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, outside);  // hit-tested like a real press
    EXPECT_EQ(view->presses, 1);
    panel_hide(query);
    EXPECT_EQ(window.childAt(inside), view);
    panel_show(query);
    EXPECT_NE(window.childAt(inside), view);
    panel_destroy(query);
    EXPECT_EQ(window.childAt(inside), view);
}

TEST_F(QtPanels, PanelsStayInsideTheClientAreaWhenItShrinks)
{
    Panel query = platform_create_panel(&QUERY_PANEL_TEMPLATE, record_proc);
    Panel gis = platform_create_panel(&GIS_PANEL_TEMPLATE, record_proc);
    view->resize(480, 300);
    for (Panel panel : {query, gis}) {
        QRect frame = qt_panel_widget(panel)->geometry();
        EXPECT_TRUE(QRect(0, 0, 480, 300).contains(frame)) << panel;
    }
    view->resize(100, 100);  // smaller than a panel: its top-left corner stays in
    EXPECT_EQ(qt_panel_widget(query)->pos(), QPoint(0, 0));
}

TEST_F(QtPanels, TheCaptureSendsTheReleaseToThePanelFromAnywhere)
{
    Panel gis = platform_create_panel(&GIS_PANEL_TEMPLATE, record_proc);
    QWidget* frame = qt_panel_widget(gis);
    panel_capture_mouse(gis);
    EXPECT_EQ(QWidget::mouseGrabber(), frame);
    QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, QPoint(850, 650));  // on the view
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, QPoint(850, 650));
    panel_release_mouse(gis);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, QPoint(850, 650));
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, QPoint(850, 650));
    std::vector<Delivered> expected = {{gis, PANEL_LEFT_BUTTON_UP, 0, 0}};
    EXPECT_EQ(commands(), expected);

    // a procedure may destroy its panel while a click of it is being delivered
    destroy_on_command = 1;
    QTest::mousePress(control<QWidget>(gis, IDC_NAV_TILT_PLUS), Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, QPoint(850, 650));
    QApplication::processEvents();
    EXPECT_EQ(qt_panel_widget(gis), nullptr);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
