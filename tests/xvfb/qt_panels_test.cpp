// qt_panels_test.cpp: what only the Qt side of the panels can get wrong, under Xvfb, on
// panels built from the real templates over a plain widget that stands in for the view:
// which changes notify, the text box's line count, dialog units, Escape and the close
// box, clicks through the layer, resizes and the capture. Runs with its own QApplication.
#include <gtest/gtest.h>

#include <QTest>
#include <QtWidgets>

#include <array>
#include <string>
#include <vector>

#include "panels/panel_templates.h"
#include "platform/qt/qt_panels.h"

namespace {

using Delivered = std::array<int, 4>;  // panel, message, id, code
using Log = std::vector<Delivered>;
Log delivered;
int destroy_on_command = 0;  // the procedure destroys its panel on its next command
int count_in_init = -1;      // the beat list's rows, as seen inside PANEL_INIT

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

    Panel create(const PanelTemplate& t) { return platform_create_panel(&t, record_proc); }
    template <typename Widget>
    Widget* control(Panel panel, int id)
    {
        Widget* widget = dynamic_cast<Widget*>(qt_panel_control_widget(panel, id));
        EXPECT_NE(widget, nullptr) << "control " << id;
        return widget;
    }
    void click_row(Panel panel, int id, int row, Qt::KeyboardModifiers keys = {})
    {
        QListWidget* list = control<QListWidget>(panel, id);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, keys, list->visualItemRect(list->item(row)).center());
    }
    void click_window(QPoint at)  // hit-tested like a real click
    {
        QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, at);
    }
    Log commands()
    {
        Log only;
        std::copy_if(delivered.begin(), delivered.end(), std::back_inserter(only), [](auto& d) { return d[1] != PANEL_INIT; });
        return only;
    }
};

// Handles count from 1 and are never reused; PANEL_INIT runs with the handle valid; a
// panel shows at creation as its template says. The About box is a modeless window of
// its own, centred, with its caption.
TEST_F(QtPanels, HandlesInitAndTheAboutBox)
{
    Panel query = platform_create_panel(&QUERY_PANEL_TEMPLATE, [](Panel panel, int message, int id, int code) {
        if (message == PANEL_INIT) {
            list_add(panel, IDC_BEAT_LIST, "All");
            count_in_init = list_count(panel, IDC_BEAT_LIST);
        }
        return record_proc(panel, message, id, code);
    });
    Panel info = create(INFO_PANEL_TEMPLATE), about = create(ABOUT_BOX_TEMPLATE);
    EXPECT_EQ(delivered, (Log{{1, PANEL_INIT, 0, 0}, {2, PANEL_INIT, 0, 0}, {3, PANEL_INIT, 0, 0}}));
    EXPECT_EQ(count_in_init, 1);
    EXPECT_EQ((std::vector<int>{panel_is_visible(query), panel_is_visible(info), panel_is_visible(about)}),
              (std::vector<int>{1, 0, 0}));
    panel_show(about);
    QWidget* dialog = qt_panel_widget(about);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isWindow());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(dialog->windowTitle(), QString("About ZAVROView 1.0b"));
    QPoint screen_centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((dialog->geometry().center() - screen_centre).manhattanLength(), 2);
    panel_destroy(info);
    EXPECT_EQ(qt_panel_widget(info), nullptr);
    EXPECT_EQ(create(INFO_PANEL_TEMPLATE), 4);
}

// No panel, a destroyed one, no such control, a control of another class: every
// operation does nothing and answers "nothing".
TEST_F(QtPanels, UnknownPanelsAndControlsAnswerNothing)
{
    Panel query = create(QUERY_PANEL_TEMPLATE), gone = create(INFO_PANEL_TEMPLATE);
    panel_destroy(gone);
    char buffer[8] = "x";
    const std::pair<Panel, int> addresses[] = {
        {0, IDC_CRIME_LIST}, {99, IDC_CRIME_LIST}, {gone, IDC_INFO_TEXT}, {query, 4711}, {query, IDC_CRIME_GROUP}};
    for (auto [panel, id] : addresses) {
        SCOPED_TRACE(testing::Message() << "panel " << panel << " id " << id);
        for (auto operation : {panel_show, panel_hide, panel_capture_mouse, panel_release_mouse})
            operation(panel);
        for (auto operation : {control_focus, list_clear, text_scroll_to_end})
            operation(panel, id);
        for (auto operation : {control_set_text, combo_add, text_set})
            operation(panel, id, "text");
        for (auto operation : {list_set_current, combo_set_current})
            operation(panel, id, 0);
        list_set_selected(panel, id, 0, 1);
        bar_set_range(panel, id, 0, 10);
        bar_set_pos(panel, id, 5);
        radio_check(panel, id, id, id);
        const std::vector<int> answers = {list_add(panel, id, "row"), list_count(panel, id),
            list_is_selected(panel, id, 0), list_selected_count(panel, id), list_current(panel, id),
            combo_current(panel, id), text_get(panel, id, buffer, sizeof buffer), text_line_count(panel, id)};
        EXPECT_EQ(answers, (std::vector<int>{-1, 0, LIST_ERROR, 0, -1, -1, 0, 0}));
    }
    EXPECT_EQ(panel_is_visible(gone), 0);
    panel_destroy(gone);  // twice: nothing
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

// Each panel stands at its template place and size in dialog units of its font, and
// every caption, label and beat name shows its whole text at that size.
TEST_F(QtPanels, PanelsStandInDialogUnitsAndShowEveryTextInFull)
{
    int base_x = 0, base_y = 0;
    qt_panel_base_units(&base_x, &base_y);
    EXPECT_NEAR(base_x, 7, 2);
    EXPECT_NEAR(base_y, 13.5, 2.5);
    for (const PanelTemplate* t : {&GIS_PANEL_TEMPLATE, &QUERY_PANEL_TEMPLATE, &TIMELINE_PANEL_TEMPLATE,
                                   &INFO_PANEL_TEMPLATE, &ABOUT_BOX_TEMPLATE}) {
        SCOPED_TRACE(t->caption);
        Panel panel = create(*t);
        panel_show(panel);
        QWidget* frame = qt_panel_widget(panel);
        ASSERT_NE(frame, nullptr);
        QSize client((t->width * base_x + 2) / 4, (t->height * base_y + 4) / 8);
        if (t->popup) {
            EXPECT_EQ(frame->size(), client);
        } else {
            EXPECT_EQ(frame->pos(), QPoint((t->x * base_x + 2) / 4, (t->y * base_y + 4) / 8));
            EXPECT_EQ(frame->width(), client.width() + 2);         // and a 1-pixel outline
            EXPECT_GT(frame->height(), client.height() + base_y);  // and a caption bar
        }
        for (const ControlTemplate* c = t->controls; c < t->controls + t->control_count; c++) {
            QWidget* widget = qt_panel_control_widget(panel, c->id);
            ASSERT_NE(widget, nullptr);
            if (!c->text)
                continue;
            int room = widget->width();
            if (auto* label = dynamic_cast<QLabel*>(widget))
                room = label->contentsRect().width();
            else if (dynamic_cast<QPushButton*>(widget) || dynamic_cast<QGroupBox*>(widget))
                room -= dynamic_cast<QPushButton*>(widget) ? 4 : 8;
            EXPECT_LE(widget->fontMetrics().horizontalAdvance(QString::fromUtf8(c->text)), room) << c->text;
            EXPECT_LE(widget->fontMetrics().height(), widget->height()) << c->text;
        }
    }
    // the beat list shows the widest name it can get, scrolled sideways
    Panel query = create(QUERY_PANEL_TEMPLATE);
    for (const char* name : {"ALDER", "WWWWWWW", "A"})
        list_add(query, IDC_BEAT_LIST, name);
    QListWidget* list = control<QListWidget>(query, IDC_BEAT_LIST);
    QApplication::processEvents();
    QRect wide = list->visualItemRect(list->item(1));
    EXPECT_GE(wide.width(), list->fontMetrics().horizontalAdvance("WWWWWWW"));
    EXPECT_GE(list->viewport()->width() + list->horizontalScrollBar()->maximum(), wide.width());
    // a left-aligned label's text keeps a dialog unit clear of the button right of it
    Panel timeline = create(TIMELINE_PANEL_TEMPLATE);
    QLabel* month = control<QLabel>(timeline, IDC_MONTH_LABEL);
    EXPECT_LE(month->x() + month->contentsRect().left() + month->fontMetrics().horizontalAdvance("Month") + (base_x + 2) / 4,
              control<QWidget>(timeline, IDC_MONTH_PLUS)->x());
}

// A bitmap's face shows the panel beneath it, the "Navigation" group's frame too, which
// the top arrow's rectangle overlaps.
TEST_F(QtPanels, ArrowsShowThePanelThroughTheirFace)
{
    Panel panel = create(GIS_PANEL_TEMPLATE);
    QWidget* frame = qt_panel_widget(panel);
    const QImage shot = frame->grab().toImage();
    const QPoint tile = qt_panel_control_widget(panel, IDC_NAV_TILT_MINUS)->mapTo(frame, QPoint(1, 0));
    for (int y = tile.y(); y < tile.y() + 6; y++)
        EXPECT_EQ(shot.pixel(tile.x() - 6, y), shot.pixel(tile.x(), y)) << "row " << y - tile.y();
}

// Qt signals programmatic changes too: none of the program's own changes may come back
// as a command, while each thing the user does comes as one.
TEST_F(QtPanels, OnlyTheUsersChangesBecomeCommands)
{
    Panel gis = create(GIS_PANEL_TEMPLATE), query = create(QUERY_PANEL_TEMPLATE);
    Panel timeline = create(TIMELINE_PANEL_TEMPLATE), info = create(INFO_PANEL_TEMPLATE);
    for (const char* row : {"Homicide", "Robbery", "Assault"}) {
        list_add(query, IDC_CRIME_LIST, row);
        list_add(query, IDC_BEAT_LIST, row);
        combo_add(timeline, IDC_STEP_UNIT, row);
    }
    list_set_selected(query, IDC_CRIME_LIST, 1, 1);
    list_set_selected(query, IDC_BEAT_LIST, 2, 1);
    list_set_current(query, IDC_BEAT_LIST, 0);
    list_set_current(query, IDC_BEAT_LIST, -1);
    list_set_current(query, IDC_CRIME_LIST, 2);
    list_set_selected(query, IDC_CRIME_LIST, -1, 0);
    combo_add(gis, IDC_MAP_CHOICE, "Basemap");
    combo_set_current(gis, IDC_MAP_CHOICE, 0);
    combo_set_current(timeline, IDC_STEP_UNIT, 1);
    radio_check(timeline, IDC_PLAY_FORWARD, IDC_PLAY_BACKWARD, IDC_PLAY_PAUSE);
    control_set_text(timeline, IDC_DATE_TEXT, "Day,February,1,1990");
    text_set(info, IDC_INFO_TEXT, "a\r\nb");
    text_scroll_to_end(info, IDC_INFO_TEXT);
    control_focus(query, IDC_CRIME_LIST);
    list_clear(query, IDC_BEAT_LIST);
    list_add(query, IDC_BEAT_LIST, "ALDER");
    list_set_current(query, IDC_BEAT_LIST, 0);
    EXPECT_TRUE(commands().empty());

    // a click on a row, one on the row already current, a row picked with the keyboard, a radio button, a push button,
    // the left button going down and up on a picture
    click_row(query, IDC_CRIME_LIST, 0);
    click_row(query, IDC_BEAT_LIST, 0);
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
    EXPECT_EQ(commands(), (Log{{query, PANEL_COMMAND, IDC_CRIME_LIST, CODE_SELECTION_CHANGED},
                               {query, PANEL_COMMAND, IDC_BEAT_LIST, CODE_SELECTION_CHANGED},
                               {timeline, PANEL_COMMAND, IDC_STEP_UNIT, CODE_SELECTION_CHANGED},
                               {timeline, PANEL_COMMAND, IDC_PLAY_FORWARD, CODE_CLICKED},
                               {timeline, PANEL_COMMAND, IDC_MONTH_PLUS, CODE_CLICKED},
                               {gis, PANEL_COMMAND, IDC_NAV_ZOOM_IN, CODE_CLICKED},
                               {gis, PANEL_LEFT_BUTTON_UP, 0, 0}}));
    EXPECT_EQ(combo_current(timeline, IDC_STEP_UNIT), 0);
    EXPECT_TRUE(control<QPushButton>(timeline, IDC_PLAY_FORWARD)->isChecked());
    EXPECT_FALSE(control<QPushButton>(timeline, IDC_PLAY_PAUSE)->isChecked());
}

// The crime list selects many rows and its current row moves without selecting; the beat
// list selects one, its current row. Rows a list or combo box lacks are refused.
TEST_F(QtPanels, ListsCombosAndRadioButtonsKeepTheirState)
{
    Panel query = create(QUERY_PANEL_TEMPLATE), gis = create(GIS_PANEL_TEMPLATE);
    const int multi = IDC_CRIME_LIST, single = IDC_BEAT_LIST;
    for (int id : {multi, single})
        for (const char* row : {"r0", "r1", "r2", "r3"})
            list_add(query, id, row);
    EXPECT_EQ(list_add(query, single, "r4"), 4);
    EXPECT_EQ((std::vector<int>{list_is_selected(query, multi, 4), list_is_selected(query, multi, -1),
                                list_current(query, single)}), (std::vector<int>{LIST_ERROR, LIST_ERROR, -1}));
    list_set_selected(query, multi, 0, 1);
    list_set_selected(query, multi, 2, 1);
    list_set_current(query, multi, 3);
    list_set_selected(query, multi, 0, 0);
    EXPECT_EQ((std::pair{list_selected_count(query, multi), list_current(query, multi)}), (std::pair{1, 3}));
    list_set_selected(query, single, 0, 1);
    list_set_selected(query, single, 1, 1);
    EXPECT_EQ((std::pair{list_selected_count(query, single), list_current(query, single)}), (std::pair{1, 1}));
    list_set_current(query, single, 3);
    EXPECT_EQ(list_is_selected(query, single, 3), 1);
    list_set_current(query, single, -1);
    EXPECT_EQ(list_selected_count(query, single), 0);
    list_set_selected(query, multi, -1, 0);
    for (int id : {multi, single})  // the user's Ctrl clicks
        for (int row : {1, 3})
            click_row(query, id, row, Qt::ControlModifier);
    EXPECT_EQ((std::vector<int>{list_selected_count(query, multi), list_selected_count(query, single),
                                list_current(query, single)}), (std::vector<int>{2, 1, 3}));
    list_clear(query, multi);
    EXPECT_EQ((std::pair{list_count(query, multi), list_current(query, multi)}), (std::pair{0, -1}));

    combo_add(gis, IDC_HEIGHT_SCALE, "x1");
    combo_add(gis, IDC_HEIGHT_SCALE, "x2");
    for (auto [set, current] : {std::pair{-5, -1}, {1, 1}, {3, -1}}) {  // no row until one is set
        if (set >= 0)
            combo_set_current(gis, IDC_HEIGHT_SCALE, set);
        EXPECT_EQ(combo_current(gis, IDC_HEIGHT_SCALE), current) << set;
    }

    // radio_check: the range in either order; an id outside it unchecks them all
    Panel timeline = create(TIMELINE_PANEL_TEMPLATE);
    const int F = IDC_PLAY_FORWARD, P = IDC_PLAY_PAUSE, B = IDC_PLAY_BACKWARD;
    const struct { int first, last, id; std::vector<bool> checked; } cases[] = {
        {F, B, P, {0, 1, 0}}, {B, F, F, {1, 0, 0}}, {F, B, 0, {0, 0, 0}}, {B, B, B, {0, 0, 1}}};
    for (const auto& c : cases) {
        radio_check(timeline, c.first, c.last, c.id);
        std::vector<bool> checked;
        for (int id : {F, P, B})
            checked.push_back(control<QPushButton>(timeline, id)->isChecked());
        EXPECT_EQ(checked, c.checked) << c.id;
    }
}

// The bar's fill along its middle row, in the highlight colour: linear in the raw 16-bit
// values, clamped at both ends, empty for an empty range.
TEST_F(QtPanels, BarFillIsLinearInRawValuesAndClamped)
{
    Panel timeline = create(TIMELINE_PANEL_TEMPLATE);
    QWidget* bar = control<QWidget>(timeline, IDC_TIME_BAR);
    const struct { unsigned low, high, pos; double fill; } cases[] = {
        {0, 100, 0, 0.0},    {0, 100, 25, 0.25},  {0, 100, 250, 1.0},  {100, 200, 50, 0.0},
        {0x0084, 0xB67C, 0x5B80, 0.5}, {0, 0x10064, 50, 0.5},  // 16 bits: 0x10064 is 100
        {50, 50, 50, 0.0},   {100, 50, 75, 0.0},
    };
    for (const auto& c : cases) {
        bar_set_range(timeline, IDC_TIME_BAR, c.low, c.high);
        bar_set_pos(timeline, IDC_TIME_BAR, c.pos);
        QImage image = bar->grab().toImage();
        QColor fill = bar->palette().color(QPalette::Highlight);
        int filled = 0;
        for (int x = 1; x < image.width() - 1; x++)
            filled += QColor(image.pixel(x, image.height() / 2)) == fill;
        EXPECT_NEAR(double(filled) / (image.width() - 2), c.fill, 0.01) << c.low << ".." << c.high << " at " << c.pos;
    }
}

// The text box shows CR LF as line breaks and gives back the program's text; it counts
// display lines the same while hidden (never shown yet) as when shown, a wrapped line as
// many; scrolled to the end it shows the last line.
TEST_F(QtPanels, TextBoxKeepsTheTextAndCountsDisplayedLines)
{
    Panel info = create(INFO_PANEL_TEMPLATE);  // hidden
    QPlainTextEdit* edit = control<QPlainTextEdit>(info, IDC_INFO_TEXT);
    std::string long_line;
    for (int i = 0; i < 40; i++)
        long_line += "word ";
    const struct { std::string text, shown; int lines; } cases[] = {  // lines 0: more than one
        {long_line, long_line, 0}, {"", "", 1}, {"one\r\ntwo", "one\ntwo", 2}, {"one\r\n\r\ntwo\r\n", "one\n\ntwo\n", 4}};
    char buffer[512];
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        text_set(info, IDC_INFO_TEXT, c.text.c_str());
        EXPECT_EQ(text_get(info, IDC_INFO_TEXT, buffer, sizeof buffer), (int)c.text.size());
        EXPECT_EQ(std::string(buffer), c.text);
        EXPECT_EQ(edit->toPlainText(), QString::fromStdString(c.shown));
        int hidden_count = text_line_count(info, IDC_INFO_TEXT);
        EXPECT_EQ(hidden_count, c.lines ? c.lines : std::max(hidden_count, 2));
        panel_show(info);
        QApplication::processEvents();
        EXPECT_EQ(text_line_count(info, IDC_INFO_TEXT), hidden_count);
        panel_hide(info);
    }
    // the long line wraps at the box's width: about as many lines as widths it takes
    text_set(info, IDC_INFO_TEXT, long_line.c_str());
    int width = edit->viewport()->width() - 2 * (int)edit->document()->documentMargin();
    int needed = edit->fontMetrics().horizontalAdvance(QString::fromStdString(long_line));
    EXPECT_NEAR(text_line_count(info, IDC_INFO_TEXT), needed / width + 1, 1);
    EXPECT_EQ(text_get(info, IDC_INFO_TEXT, buffer, 5), 4);
    EXPECT_EQ(std::string(buffer), "word");
    std::string many(300, '\n');
    text_set(info, IDC_INFO_TEXT, many.c_str());
    text_scroll_to_end(info, IDC_INFO_TEXT);
    panel_show(info);
    QApplication::processEvents();
    QScrollBar* scroll = edit->verticalScrollBar();
    EXPECT_GT(scroll->maximum(), 0);
    EXPECT_EQ(scroll->value(), scroll->maximum());
}

// Escape and the close box cancel, OK is the About box's default button; keys stay in
// the panel; the procedure, not the platform, decides what to hide.
TEST_F(QtPanels, EscapeTheCloseBoxAndOk)
{
    Panel query = create(QUERY_PANEL_TEMPLATE), about = create(ABOUT_BOX_TEMPLATE);
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
    QTest::keyClick(dialog, Qt::Key_Return);
    dialog->close();
    EXPECT_EQ(commands(), (Log{{query, PANEL_COMMAND, PANEL_CANCEL, 0}, {query, PANEL_COMMAND, PANEL_CANCEL, 0},
                               {about, PANEL_COMMAND, PANEL_CANCEL, 0},
                               {about, PANEL_COMMAND, IDC_ABOUT_OK, CODE_CLICKED},
                               {about, PANEL_COMMAND, PANEL_CANCEL, 0}}));
    EXPECT_EQ(view->keys, 0);
    EXPECT_EQ(panel_is_visible(query), 1);
    EXPECT_EQ(panel_is_visible(about), 1);
}

// The layer lets presses outside every panel (and where a panel was hidden or
// destroyed) through to the view.
TEST_F(QtPanels, PressesOutsideEveryPanelReachTheView)
{
    Panel query = create(QUERY_PANEL_TEMPLATE);
    QRect frame = qt_panel_widget(query)->geometry();
    QPoint outside(frame.right() + 20, frame.bottom() + 20), inside = frame.center();
    EXPECT_EQ(window.childAt(outside), view);
    EXPECT_NE(window.childAt(inside), view);
    click_window(outside);
    EXPECT_EQ(view->presses, 1);
    panel_hide(query);
    EXPECT_EQ(window.childAt(inside), view);
    panel_show(query);
    EXPECT_NE(window.childAt(inside), view);
    panel_destroy(query);
    EXPECT_EQ(window.childAt(inside), view);
}

// The panels stay inside a shrunken client area and go back to their own places when it
// grows again.
TEST_F(QtPanels, PanelsStayInsideTheClientAreaWhenItShrinks)
{
    Panel query = create(QUERY_PANEL_TEMPLATE), gis = create(GIS_PANEL_TEMPLATE);
    const QPoint places[] = {qt_panel_widget(query)->pos(), qt_panel_widget(gis)->pos()};
    view->resize(480, 300);
    for (Panel panel : {query, gis})
        EXPECT_TRUE(QRect(0, 0, 480, 300).contains(qt_panel_widget(panel)->geometry()))
            << panel << ": " << QTest::toString(qt_panel_widget(panel)->geometry());
    view->resize(100, 100);  // smaller than a panel: its top-left corner stays in
    EXPECT_EQ(qt_panel_widget(query)->pos(), QPoint(0, 0));
    view->resize(900, 700);
    EXPECT_EQ(qt_panel_widget(query)->pos(), places[0]);
    EXPECT_EQ(qt_panel_widget(gis)->pos(), places[1]);
}

// While captured, a release anywhere reaches the panel; a procedure may destroy its
// panel while a click of it is being delivered.
TEST_F(QtPanels, TheCaptureSendsTheReleaseToThePanelFromAnywhere)
{
    Panel gis = create(GIS_PANEL_TEMPLATE);
    panel_capture_mouse(gis);
    EXPECT_EQ(QWidget::mouseGrabber(), qt_panel_widget(gis));
    click_window({850, 650});  // on the view
    panel_release_mouse(gis);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    click_window({850, 650});
    EXPECT_EQ(commands(), (Log{{gis, PANEL_LEFT_BUTTON_UP, 0, 0}}));
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
