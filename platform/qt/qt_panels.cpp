// qt_panels.cpp: the panel operations of platform.h on Qt widgets.
//
// A child panel is a QFrame on a transparent layer laid over the view: a caption bar
// (title, close box, dragged to move the panel) above a body that holds the controls.
// The layer's mask is the union of the visible panels, so a press anywhere else falls
// through to the view. A popup panel is a modeless top-level QDialog. Controls are
// placed in dialog units of the panels' font. Qt signals become calls of the panel's
// procedure; changes the program makes itself deliver nothing.
//
// [SECTION] records and lookup
// [SECTION] widgets: bar, picture, list, caption bar, panel frame, popup, layer
// [SECTION] building a panel from its template
// [SECTION] lookups for the platform's other files and the tests
// [SECTION] panels: create, destroy, show, hide, capture
// [SECTION] controls: text, lists, combos, bars, radio buttons, text boxes
#include "platform/qt/qt_panels.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/qt/qt_chart.h"

//// [SECTION] records and lookup

namespace {

constexpr const char* PANEL_FONT_FAMILY = "DejaVu Sans";
constexpr int PANEL_FONT_POINTS = 8;
const QColor CAPTION_COLOUR(58, 86, 128);      // caption bar of a child panel
const QColor CAPTION_TEXT_COLOUR(255, 255, 255);
const QColor PANEL_EDGE_COLOUR(34, 48, 70);    // the 1-pixel outline of a child panel
constexpr int PANEL_EDGE = 1;                  // pixels of outline on each side

struct PanelControl {
    int id;
    ControlClass control_class;
    unsigned style;
    QPointer<QWidget> widget;
    std::string text;  // a text box's text as the program set it, line ends and all
};

struct PanelRecord {
    Panel handle;
    PanelProc proc;
    int popup;
    QPointer<QWidget> frame;  // the panel frame on the layer, or the popup dialog
    QWidget* body;            // parent of the controls: the client area
    QButtonGroup* radio_group;
    std::vector<PanelControl> controls;
    int shown_before;         // a popup is centred on the screen the first time only
    QPoint template_place;    // a child panel's place as its template gives it, pixels
};

class PanelLayer;

std::vector<std::unique_ptr<PanelRecord>> panels;  // [handle - 1]; null once destroyed
QPointer<QWidget> client_area;                    // the view the layer covers
QPointer<PanelLayer> layer;
int (*view_begin_handler)() = nullptr;
int chart_picked_month = -1;  // the month index of the last pick in a chart
int program_changes = 0;  // > 0 while a platform.h operation changes a control

// Held by every operation that changes a control: Qt's signals for the change must not
// reach the panel procedure as if the user had made it.
struct ProgramChange {
    ProgramChange() { ++program_changes; }
    ~ProgramChange() { --program_changes; }
    ProgramChange(const ProgramChange&) = delete;
    ProgramChange& operator=(const ProgramChange&) = delete;
};

PanelRecord* find_panel(Panel panel)
{
    if (panel < 1 || panel > (int)panels.size())
        return nullptr;
    PanelRecord* record = panels[panel - 1].get();
    return record && record->frame ? record : nullptr;
}

PanelControl* find_control(Panel panel, int id)
{
    PanelRecord* record = find_panel(panel);
    if (!record)
        return nullptr;
    for (PanelControl& control : record->controls)
        if (control.id == id && control.widget)
            return &control;
    return nullptr;
}

template <typename Widget>
Widget* find_widget(Panel panel, int id, ControlClass control_class)
{
    PanelControl* control = find_control(panel, id);
    if (!control || control->control_class != control_class)
        return nullptr;
    return static_cast<Widget*>(control->widget.data());
}

// Calls the panel's procedure for something the user did. The procedure may destroy
// the panel: nothing of the record is used after the call.
void deliver(Panel panel, int message, int control_id, int code)
{
    if (program_changes > 0 && message != PANEL_INIT)
        return;
    PanelRecord* record = find_panel(panel);
    if (!record || !record->proc)
        return;
    PanelProc proc = record->proc;
    if (view_begin_handler)
        view_begin_handler();
    proc(panel, message, control_id, code);
}

QFont panel_font()
{
    QFont font(PANEL_FONT_FAMILY, PANEL_FONT_POINTS);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

struct BaseUnits {
    int x, y;
};

BaseUnits base_units()
{
    static BaseUnits units = {0, 0};
    if (units.x == 0) {
        QFontMetrics metrics(panel_font());
        int alphabet = metrics.horizontalAdvance(
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
        units.x = (alphabet + 26) / 52;
        units.y = metrics.height();
    }
    return units;
}

int units_to_x(int units) { return (units * base_units().x + 2) / 4; }
int units_to_y(int units) { return (units * base_units().y + 4) / 8; }

QRect units_to_rect(int x, int y, int width, int height)
{
    return QRect(units_to_x(x), units_to_y(y), units_to_x(width), units_to_y(height));
}

//// [SECTION] widgets: bar, picture, list, caption bar, panel frame, popup, layer

// A smooth bar: the fill is linear in raw 16-bit values and clamped to the bar.
// The timeline bar: its fill and year ticks; a press or drag on it reports the raw value
// under the pointer.
class BarWidget : public PickingWidget {
public:
    ::Panel panel = 0;
    int id = 0;
    unsigned low = 0, high = 100, pos = 0, picked = 0;
    int edge = 0;
    std::vector<unsigned> ticks;

    explicit BarWidget(QWidget* parent) : PickingWidget(parent) {}

    double fill() const { return bar_fill(low, high, pos); }

protected:
    // linear between the ends, as the fill: the left pixel is low, the right one high
    void pick(const QMouseEvent* event) override
    {
        const double x = event->position().x(), span = width() > 1 ? width() - 1 : 1;
        const double share = x <= 0 ? 0.0 : x >= span ? 1.0 : x / span;
        picked = high <= low ? low : low + (unsigned)(share * (high - low) + 0.5);
        deliver(panel, PANEL_COMMAND, id, CODE_PICKED);
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QRect inner = rect();
        painter.fillRect(inner, palette().color(QPalette::Base));
        if (edge) {
            painter.setPen(palette().color(QPalette::Dark));
            painter.drawLine(0, 0, width() - 1, 0);
            painter.drawLine(0, 0, 0, height() - 1);
            painter.setPen(palette().color(QPalette::Light));
            painter.drawLine(1, height() - 1, width() - 1, height() - 1);
            painter.drawLine(width() - 1, 1, width() - 1, height() - 1);
            inner.adjust(1, 1, -1, -1);
        }
        int filled = (int)(inner.width() * fill() + 0.5);
        painter.fillRect(QRect(inner.left(), inner.top(), filled, inner.height()),
                         palette().color(QPalette::Highlight));
        painter.setPen(palette().color(QPalette::Mid));
        for (unsigned tick : ticks) {
            if (tick < low || tick > high || high <= low)
                continue;
            const int x = inner.left() + (int)((inner.width() - 1) * bar_fill(low, high, tick) + 0.5);
            painter.drawLine(x, inner.bottom() - inner.height() / 3, x, inner.bottom());
        }
    }
};

// A bitmap at its own pixel size; the left button going down is a click.
class PictureWidget : public QLabel {
public:
    ::Panel panel = 0;  // QFrame has a Panel of its own
    int id = 0;

    explicit PictureWidget(QWidget* parent) : QLabel(parent) {}

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton) {
            event->ignore();
            return;
        }
        event->accept();
        deliver(panel, PANEL_COMMAND, id, CODE_CLICKED);
    }
    // the release goes on to the panel, which reports it
    void mouseReleaseEvent(QMouseEvent* event) override { event->ignore(); }
};

// A list box. A click on a row is a choice even when it leaves the selection as it was
// (the row already the current one): it reports a selection change all the same, once.
class ListBox : public QListWidget {
public:
    ::Panel panel = 0;
    int id = 0;
    int changed = 0;      // the selection changed since the left button went down
    int on_row = 0;       // the left button went down on a row

    explicit ListBox(QWidget* parent) : QListWidget(parent)
    {
        connect(this, &QListWidget::itemSelectionChanged, this, [this] {
            changed = 1;
            deliver(panel, PANEL_COMMAND, id, CODE_SELECTION_CHANGED);
        });
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton) {
            changed = 0;
            on_row = itemAt(event->position().toPoint()) != nullptr;
        }
        QListWidget::mousePressEvent(event);
    }
    // the selection may change on the release too (a click on one of several selected rows)
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QListWidget::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && on_row && !changed && itemAt(event->position().toPoint()))
            deliver(panel, PANEL_COMMAND, id, CODE_SELECTION_CHANGED);
        on_row = 0;
    }
};

class PanelFrame;

// The caption bar of a child panel: title, close box, and the handle to drag it by.
class CaptionBar : public QWidget {
public:
    QString title;
    QToolButton* close_box;
    QPoint grip;         // where in the frame the caption was pressed
    int dragging = 0;

    CaptionBar(QWidget* frame, const QString& caption_text);

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), CAPTION_COLOUR);
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(CAPTION_TEXT_COLOUR);
        QRect text_rect = rect().adjusted(4, 0, -(close_box->width() + 4), 0);
        QString shown = QFontMetrics(bold).elidedText(title, Qt::ElideRight, text_rect.width());
        painter.drawText(text_rect, Qt::AlignLeft | Qt::AlignVCenter, shown);
    }
    void resizeEvent(QResizeEvent*) override
    {
        int side = height() - 2;
        close_box->setGeometry(width() - side - 1, 1, side, side);
    }
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            dragging = 0;
        event->accept();  // the caption is not the panel's background
    }
};

void update_layer_mask();
void keep_inside_layer(PanelFrame* frame);

// A child panel: outline, caption bar and body, on the layer over the view.
class PanelFrame : public QFrame {
public:
    ::Panel panel = 0;  // QFrame has a Panel of its own
    CaptionBar* caption = nullptr;
    QWidget* body = nullptr;
    std::vector<QWidget*> tab_stops;  // in template order
    QPoint home;  // the panel's own place, its template's or where it was dragged to: shown
                  // there while the client area has room, else moved in as far as needed

    explicit PanelFrame(QWidget* parent) : QFrame(parent)
    {
        setFocusPolicy(Qt::ClickFocus);  // a click on the background takes the keyboard
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(PANEL_EDGE_COLOUR);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    void moveEvent(QMoveEvent*) override { update_layer_mask(); }
    void resizeEvent(QResizeEvent*) override { update_layer_mask(); }
    void showEvent(QShowEvent*) override { update_layer_mask(); }
    void hideEvent(QHideEvent*) override { update_layer_mask(); }
    void mousePressEvent(QMouseEvent* event) override
    {
        raise();
        event->accept();
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        event->accept();
        if (event->button() == Qt::LeftButton)
            deliver(panel, PANEL_LEFT_BUTTON_UP, 0, 0);
    }
    // every key typed in a panel stays in the panel: none reaches the view
    void keyPressEvent(QKeyEvent* event) override
    {
        event->accept();
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
            deliver(panel, PANEL_COMMAND, PANEL_CANCEL, 0);
    }
    void keyReleaseEvent(QKeyEvent* event) override { event->accept(); }
    // Tab goes round this panel's tab stops only
    bool focusNextPrevChild(bool next) override
    {
        std::vector<QWidget*> usable;
        for (QWidget* widget : tab_stops)
            if (widget->isEnabled() && !widget->isHidden())
                usable.push_back(widget);
        if (usable.empty())
            return true;
        int count = (int)usable.size(), at = -1;
        QWidget* focus = QApplication::focusWidget();
        for (int i = 0; i < count; i++)
            if (focus && (focus == usable[i] || usable[i]->isAncestorOf(focus)))
                at = i;
        int to = at < 0 ? (next ? 0 : count - 1) : (at + (next ? 1 : count - 1)) % count;
        usable[to]->setFocus(Qt::TabFocusReason);
        return true;
    }
};

CaptionBar::CaptionBar(QWidget* frame, const QString& caption_text)
    : QWidget(frame), title(caption_text)
{
    close_box = new QToolButton(this);
    close_box->setText(QString(QChar(0x00D7)));
    close_box->setAutoRaise(true);
    close_box->setFocusPolicy(Qt::NoFocus);
    QPalette light = close_box->palette();
    light.setColor(QPalette::ButtonText, CAPTION_TEXT_COLOUR);
    close_box->setPalette(light);
    QObject::connect(close_box, &QToolButton::clicked, close_box, [frame] {
        deliver(static_cast<PanelFrame*>(frame)->panel, PANEL_COMMAND, PANEL_CANCEL, 0);
    });
}

void CaptionBar::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    QWidget* frame = parentWidget();
    frame->raise();
    frame->setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton)
        return;
    dragging = 1;
    grip = mapTo(frame, event->position().toPoint());
}

void CaptionBar::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (!dragging)
        return;
    QWidget* frame = parentWidget();
    QWidget* on = frame->parentWidget();
    PanelFrame* panel_frame = static_cast<PanelFrame*>(frame);
    panel_frame->home = on->mapFromGlobal(event->globalPosition().toPoint()) - grip;
    keep_inside_layer(panel_frame);
    panel_frame->home = panel_frame->pos();  // dragged against an edge, it stays where it shows
}

// A popup panel: a modeless top-level dialog. Escape and the close box are the
// procedure's to act on; the dialog does not close itself.
class PopupDialog : public QDialog {
public:
    Panel panel = 0;

    explicit PopupDialog(QWidget* parent) : QDialog(parent) {}

    void reject() override { deliver(panel, PANEL_COMMAND, PANEL_CANCEL, 0); }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        deliver(panel, PANEL_COMMAND, PANEL_CANCEL, 0);
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        event->accept();
        if (event->button() == Qt::LeftButton)
            deliver(panel, PANEL_LEFT_BUTTON_UP, 0, 0);
    }
};

// The transparent layer over the view that holds the child panels. Its mask is the
// union of the visible panels: elsewhere the view gets the mouse.
class PanelLayer : public QWidget {
public:
    int updating = 0;

    explicit PanelLayer(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void resizeEvent(QResizeEvent*) override
    {
        for (QObject* child : children())
            if (PanelFrame* frame = dynamic_cast<PanelFrame*>(child))
                keep_inside_layer(frame);
        update_layer_mask();
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == client_area && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
            setGeometry(client_area->geometry());
        return false;
    }
};

void keep_inside_layer(PanelFrame* frame)
{
    QWidget* on = frame->parentWidget();
    if (!on)
        return;
    int x = qMin(frame->home.x(), on->width() - frame->width());
    int y = qMin(frame->home.y(), on->height() - frame->height());
    QPoint inside(qMax(0, x), qMax(0, y));
    if (inside != frame->pos())
        frame->move(inside);
}

void update_layer_mask()
{
    if (!layer || layer->updating)
        return;
    layer->updating = 1;
    QRegion region;
    for (QObject* child : layer->children())
        if (child->isWidgetType() && !static_cast<QWidget*>(child)->isHidden())
            region += static_cast<QWidget*>(child)->geometry();
    if (region.isEmpty()) {
        layer->hide();  // an empty mask would mean no mask at all
    } else {
        layer->setMask(region);
        layer->show();
        layer->raise();
    }
    layer->updating = 0;
}

//// [SECTION] building a panel from its template

Qt::Alignment text_alignment(unsigned style)
{
    Qt::Alignment horizontal = (style & STYLE_CENTRED) ? Qt::AlignHCenter : Qt::AlignLeft;
    Qt::Alignment vertical = (style & STYLE_VCENTRED) ? Qt::AlignVCenter : Qt::AlignTop;
    return horizontal | vertical;
}

// A label shows its whole text: when the text is wider than the rectangle, the label
// grows about its alignment instead of cutting the text. A left-aligned label grows to
// the left, keeping a dialog unit clear of what stands right of it ("Month" and its "+").
void fit_label(QLabel* label, const QRect& rect, unsigned style)
{
    int needed = label->fontMetrics().horizontalAdvance(label->text()) + 2 * label->frameWidth() + 2;
    QRect fitted = rect;
    if (style & STYLE_CENTRED) {
        if (needed > rect.width()) {
            int grow = needed - rect.width();
            fitted.adjust(-grow / 2, 0, grow - grow / 2, 0);
        }
    } else if (needed + units_to_x(1) > rect.width()) {
        fitted.setLeft(rect.right() + 1 - units_to_x(1) - needed);
    }
    label->setGeometry(fitted);
}

QPixmap load_bitmap(int bitmap_id, const QSize& placeholder_size)
{
    QPixmap pixmap(QStringLiteral(":/bitmaps/%1.bmp").arg(bitmap_id));
    if (!pixmap.isNull())
        return pixmap;
    // the bitmap is not built in: a placeholder of the control's size
    QPixmap placeholder(placeholder_size.expandedTo(QSize(2, 2)));
    placeholder.fill(QColor(200, 200, 200));
    QPainter painter(&placeholder);
    painter.setPen(QColor(120, 120, 120));
    painter.drawRect(placeholder.rect().adjusted(0, 0, -1, -1));
    return placeholder;
}

void set_focus_policy(QWidget* widget, unsigned style)
{
    widget->setFocusPolicy((style & STYLE_TAB_STOP) ? Qt::StrongFocus : Qt::ClickFocus);
}

QWidget* make_control(PanelRecord* record, const ControlTemplate& control)
{
    QWidget* body = record->body;
    Panel panel = record->handle;
    int id = control.id;
    QString text = QString::fromUtf8(control.text ? control.text : "");
    QRect rect = units_to_rect(control.x, control.y, control.width, control.height);
    unsigned style = control.style;

    switch (control.control_class) {
    case CONTROL_PUSH_BUTTON: {
        QPushButton* button = new QPushButton(text, body);
        button->setGeometry(rect);
        button->setAutoDefault(false);
        button->setDefault((style & STYLE_DEFAULT_BUTTON) != 0);
        set_focus_policy(button, style);
        QObject::connect(button, &QPushButton::clicked, button,
                         [panel, id] { deliver(panel, PANEL_COMMAND, id, CODE_CLICKED); });
        return button;
    }
    case CONTROL_RADIO_BUTTON: {
        QPushButton* button = new QPushButton(text, body);
        button->setGeometry(rect);
        button->setCheckable(true);
        button->setAutoDefault(false);
        set_focus_policy(button, style);
        if (!record->radio_group) {
            record->radio_group = new QButtonGroup(body);
            record->radio_group->setExclusive(true);
        }
        record->radio_group->addButton(button, id);
        QObject::connect(button, &QPushButton::clicked, button,
                         [panel, id] { deliver(panel, PANEL_COMMAND, id, CODE_CLICKED); });
        return button;
    }
    case CONTROL_GROUP_BOX: {
        QGroupBox* group = new QGroupBox(text, body);
        group->setGeometry(rect);
        group->setAlignment((style & STYLE_CENTRED) ? Qt::AlignHCenter : Qt::AlignLeft);
        group->setFocusPolicy(Qt::NoFocus);
        return group;
    }
    case CONTROL_STATIC_TEXT: {
        QLabel* label = new QLabel(text, body);
        label->setAlignment(text_alignment(style));
        if (style & STYLE_SUNKEN)
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        else if (style & STYLE_EDGE)
            label->setFrameStyle(QFrame::Box | QFrame::Plain);
        fit_label(label, rect, style);
        return label;
    }
    case CONTROL_PICTURE: {
        PictureWidget* picture = new PictureWidget(body);
        picture->panel = panel;
        picture->id = id;
        QPixmap pixmap = load_bitmap(control.bitmap_id, rect.size());
        if (!(style & STYLE_CENTRED))  // an arrow's face, its corner's colour, shows what lies beneath
            pixmap.setMask(pixmap.createMaskFromColor(pixmap.toImage().pixel(0, 0)));
        picture->setPixmap(pixmap);
        if (style & STYLE_EDGE)
            picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (style & STYLE_CENTRED) {
            picture->setAlignment(Qt::AlignCenter);
            picture->setGeometry(rect);
        } else {
            // the control takes the bitmap's size, its top-left corner where the template says
            int frame = 2 * picture->frameWidth();
            picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            picture->setGeometry(QRect(rect.topLeft(), pixmap.size() + QSize(frame, frame)));
        }
        return picture;
    }
    case CONTROL_LIST_BOX: {
        ListBox* list = new ListBox(body);
        list->panel = panel;
        list->id = id;
        list->setGeometry(rect);
        list->setSelectionMode((style & STYLE_MULTI_SELECT) ? QAbstractItemView::ExtendedSelection
                                                            : QAbstractItemView::SingleSelection);
        // a row wider than the list (a beat name of wide letters) scrolls, never cut
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        set_focus_policy(list, style);
        return list;
    }
    case CONTROL_COMBO_BOX: {
        // the template's height is that of the dropped list; the box has its own height
        QComboBox* combo = new QComboBox(body);
        int box_height = combo->sizeHint().height();
        combo->setGeometry(rect.x(), rect.y(), rect.width(), box_height);
        int row_height = combo->fontMetrics().height() + 2;
        combo->setMaxVisibleItems(qMax(1, (rect.height() - box_height) / row_height));
        set_focus_policy(combo, style);
        QObject::connect(combo, &QComboBox::activated, combo, [panel, id](int) {
            deliver(panel, PANEL_COMMAND, id, CODE_SELECTION_CHANGED);
        });
        return combo;
    }
    case CONTROL_PROGRESS_BAR: {
        BarWidget* bar = new BarWidget(body);
        bar->setGeometry(rect);
        bar->edge = (style & STYLE_EDGE) != 0;
        bar->panel = panel, bar->id = id;
        return bar;
    }
    case CONTROL_CHART: {
        QWidget* chart = make_chart_widget(body, [panel, id](int month) {
            chart_picked_month = month;
            deliver(panel, PANEL_COMMAND, id, CODE_PICKED);
        });
        chart->setGeometry(rect);
        return chart;
    }
    case CONTROL_TEXT_BOX: {
        QPlainTextEdit* edit = new QPlainTextEdit(body);
        edit->setGeometry(rect);
        edit->setReadOnly(true);
        edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setTabChangesFocus(true);
        set_focus_policy(edit, style);
        return edit;
    }
    }
    return nullptr;
}

void build_controls(PanelRecord* record, const PanelTemplate* panel_template,
                    std::vector<QWidget*>* tab_stops)
{
    for (int i = 0; i < panel_template->control_count; i++) {
        const ControlTemplate& control = panel_template->controls[i];
        QWidget* widget = make_control(record, control);
        if (!widget)
            continue;
        if (control.control_class == CONTROL_GROUP_BOX)
            widget->lower();  // a frame behind the controls it holds
        if (control.style & STYLE_TAB_STOP)
            tab_stops->push_back(widget);
        record->controls.push_back({control.id, control.control_class, control.style, widget, {}});
    }
}

void centre_on_screen(QWidget* dialog)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect area = screen->availableGeometry();
    QRect placed(QPoint(0, 0), dialog->size());
    placed.moveCenter(area.center());
    dialog->move(placed.topLeft());
}

}  // namespace

//// [SECTION] lookups for the platform's other files and the tests

void qt_panel_base_units(int* base_x, int* base_y)
{
    BaseUnits units = base_units();
    *base_x = units.x;
    *base_y = units.y;
}

QFont qt_panel_font()
{
    return panel_font();
}

QWidget* qt_panel_control_widget(int panel, int id)
{
    PanelControl* control = find_control(panel, id);
    return control ? control->widget.data() : nullptr;
}

QWidget* qt_panel_widget(int panel)
{
    PanelRecord* record = find_panel(panel);
    return record ? record->frame.data() : nullptr;
}

int qt_panel_handles()
{
    return (int)panels.size();
}

int qt_panel_control(int panel, int index, int* id, ControlClass* control_class)
{
    PanelRecord* record = find_panel(panel);
    if (!record || index < 0 || index >= (int)record->controls.size())
        return 0;
    *id = record->controls[index].id;
    *control_class = record->controls[index].control_class;
    return 1;
}

//// [SECTION] panels: create, destroy, show, hide, capture

void qt_panels_attach(QWidget* client, int (*begin_handler)())
{
    client_area = client;
    view_begin_handler = begin_handler;
    layer = new PanelLayer(client->parentWidget());
    layer->setGeometry(client->geometry());
    client->installEventFilter(layer);
    layer->hide();  // shown with the first visible panel
}

void qt_panels_detach()
{
    for (std::unique_ptr<PanelRecord>& record : panels)
        if (record && record->frame)
            delete record->frame.data();
    panels.clear();
    if (client_area && layer)
        client_area->removeEventFilter(layer);
    delete layer.data();
    client_area = nullptr;
    view_begin_handler = nullptr;
}

Panel platform_create_panel(const PanelTemplate* panel_template, PanelProc proc)
{
    if (!panel_template)
        return 0;
    int popup = panel_template->popup != 0;
    if (!popup && !layer)
        return 0;
    std::unique_ptr<PanelRecord> owned(new PanelRecord{});
    PanelRecord* record = owned.get();
    record->handle = (Panel)panels.size() + 1;
    record->proc = proc;
    record->popup = popup;
    QSize client_size(units_to_x(panel_template->width), units_to_y(panel_template->height));
    QString caption = QString::fromUtf8(panel_template->caption ? panel_template->caption : "");
    std::vector<QWidget*> tab_stops;

    if (popup) {
        PopupDialog* dialog = new PopupDialog(client_area ? client_area->window() : nullptr);
        dialog->panel = record->handle;
        dialog->setModal(false);
        dialog->setWindowTitle(caption);
        dialog->setFont(panel_font());
        dialog->setFixedSize(client_size);
        record->frame = dialog;
        record->body = dialog;
        build_controls(record, panel_template, &tab_stops);
        for (size_t i = 1; i < tab_stops.size(); i++)
            QWidget::setTabOrder(tab_stops[i - 1], tab_stops[i]);
    } else {
        PanelFrame* frame = new PanelFrame(layer);
        frame->hide();
        frame->panel = record->handle;
        frame->setFont(panel_font());
        int caption_height = QFontMetrics(panel_font()).height() + 4;
        frame->caption = new CaptionBar(frame, caption);
        frame->caption->setGeometry(PANEL_EDGE, PANEL_EDGE, client_size.width(), caption_height);
        frame->body = new QWidget(frame);
        frame->body->setAutoFillBackground(true);
        frame->body->setGeometry(PANEL_EDGE, PANEL_EDGE + caption_height, client_size.width(),
                                 client_size.height());
        frame->setGeometry(units_to_x(panel_template->x), units_to_y(panel_template->y),
                           client_size.width() + 2 * PANEL_EDGE,
                           client_size.height() + caption_height + 2 * PANEL_EDGE);
        record->frame = frame;
        record->body = frame->body;
        build_controls(record, panel_template, &tab_stops);
        frame->tab_stops = tab_stops;
        frame->home = record->template_place = frame->pos();
        keep_inside_layer(frame);
    }

    // A text box lays out its lines at its own width even while its panel is hidden:
    // the resize events a hidden widget only gets when shown place the viewport, then
    // set the width the lines wrap at.
    for (PanelControl& control : record->controls)
        if (control.control_class == CONTROL_TEXT_BOX) {
            QPlainTextEdit* edit = static_cast<QPlainTextEdit*>(control.widget.data());
            QResizeEvent edit_resize(edit->size(), QSize(-1, -1));
            QCoreApplication::sendEvent(edit, &edit_resize);
            QResizeEvent viewport_resize(edit->viewport()->size(), QSize(-1, -1));
            QCoreApplication::sendEvent(edit->viewport(), &viewport_resize);
        }

    panels.push_back(std::move(owned));
    Panel handle = record->handle;
    if (proc)
        proc(handle, PANEL_INIT, 0, 0);
    if (panel_template->visible && find_panel(handle))
        panel_show(handle);
    return find_panel(handle) ? handle : 0;
}

void panel_destroy(Panel panel)
{
    PanelRecord* record = find_panel(panel);
    if (!record)
        return;
    QWidget* frame = record->frame;
    panels[panel - 1].reset();
    frame->releaseMouse();
    frame->hide();
    // it may be the panel whose signal is being delivered: gone once that returns
    frame->deleteLater();
    update_layer_mask();
}

void panel_show(Panel panel)
{
    PanelRecord* record = find_panel(panel);
    if (!record)
        return;
    if (record->popup && !record->shown_before)
        centre_on_screen(record->frame);
    record->shown_before = 1;
    record->frame->show();
    record->frame->raise();
    if (record->popup)
        record->frame->activateWindow();
    else
        update_layer_mask();  // the layer may be hidden: then the panel had no show event
}

void panel_hide(Panel panel)
{
    PanelRecord* record = find_panel(panel);
    if (!record)
        return;
    record->frame->hide();
    if (!record->popup)
        update_layer_mask();
}

// The frame of a child panel, or null.
static PanelFrame* child_frame(Panel panel)
{
    PanelRecord* record = find_panel(panel);
    return record && !record->popup ? static_cast<PanelFrame*>(record->frame.data()) : nullptr;
}

int panel_place(Panel panel, int* x, int* y)
{
    PanelFrame* frame = child_frame(panel);
    if (!frame)
        return 0;
    *x = frame->home.x(), *y = frame->home.y();
    return 1;
}

void panel_move(Panel panel, int x, int y)
{
    if (PanelFrame* frame = child_frame(panel)) {
        frame->home = QPoint(x, y);
        keep_inside_layer(frame);
    }
}

void panel_move_to_template_place(Panel panel)
{
    if (!child_frame(panel))
        return;
    const QPoint place = find_panel(panel)->template_place;
    panel_move(panel, place.x(), place.y());
}

int panel_is_visible(Panel panel)
{
    PanelRecord* record = find_panel(panel);
    if (!record)
        return 0;
    return record->popup ? record->frame->isVisible() : !record->frame->isHidden();
}

void panel_capture_mouse(Panel panel)
{
    PanelRecord* record = find_panel(panel);
    if (record)
        record->frame->grabMouse();
}

void panel_release_mouse(Panel panel)
{
    PanelRecord* record = find_panel(panel);
    if (record)
        record->frame->releaseMouse();
}

//// [SECTION] controls: text, lists, combos, bars, radio buttons, text boxes

void control_set_text(Panel panel, int id, const char* text)
{
    PanelControl* control = find_control(panel, id);
    if (!control)
        return;
    ProgramChange change;
    QString shown = QString::fromUtf8(text ? text : "");
    QWidget* widget = control->widget;
    switch (control->control_class) {
    case CONTROL_PUSH_BUTTON:
    case CONTROL_RADIO_BUTTON:
        static_cast<QPushButton*>(widget)->setText(shown);
        break;
    case CONTROL_GROUP_BOX:
        static_cast<QGroupBox*>(widget)->setTitle(shown);
        break;
    case CONTROL_STATIC_TEXT: {
        QLabel* label = static_cast<QLabel*>(widget);
        label->setText(shown);
        fit_label(label, label->geometry(), control->style);
        break;
    }
    case CONTROL_TEXT_BOX:
        text_set(panel, id, text);
        break;
    default:
        break;
    }
}

void control_focus(Panel panel, int id)
{
    PanelControl* control = find_control(panel, id);
    if (control)
        control->widget->setFocus(Qt::OtherFocusReason);
}

int list_add(Panel panel, int id, const char* text)
{
    QListWidget* list = find_widget<QListWidget>(panel, id, CONTROL_LIST_BOX);
    if (!list)
        return -1;
    ProgramChange change;
    list->addItem(QString::fromUtf8(text ? text : ""));
    return list->count() - 1;
}

void list_clear(Panel panel, int id)
{
    QListWidget* list = find_widget<QListWidget>(panel, id, CONTROL_LIST_BOX);
    if (!list)
        return;
    ProgramChange change;
    list->clear();
}

int list_count(Panel panel, int id)
{
    QListWidget* list = find_widget<QListWidget>(panel, id, CONTROL_LIST_BOX);
    return list ? list->count() : 0;
}

void list_set_selected(Panel panel, int id, int row, int selected)
{
    QListWidget* list = find_widget<QListWidget>(panel, id, CONTROL_LIST_BOX);
    if (!list || row < -1 || row >= list->count())
        return;
    ProgramChange change;
    if (row == -1) {  // every row
        if (selected && list->selectionMode() == QAbstractItemView::ExtendedSelection)
            list->selectAll();
        else if (!selected)
            list->clearSelection();
        return;
    }
    QListWidgetItem* item = list->item(row);
    if (selected && list->selectionMode() == QAbstractItemView::SingleSelection)
        list->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
    else
        item->setSelected(selected != 0);
}

int list_is_selected(Panel panel, int id, int row)
{
    QListWidget* list = find_widget<QListWidget>(panel, id, CONTROL_LIST_BOX);
    if (!list || row < 0 || row >= list->count())
        return LIST_ERROR;
    return list->item(row)->isSelected() ? 1 : 0;
}

int list_selected_count(Panel panel, int id)
{
    QListWidget* list = find_widget<QListWidget>(panel, id, CONTROL_LIST_BOX);
    return list ? (int)list->selectedItems().size() : 0;
}

void list_set_current(Panel panel, int id, int row)
{
    QListWidget* list = find_widget<QListWidget>(panel, id, CONTROL_LIST_BOX);
    if (!list || row < -1 || row >= list->count())
        return;
    ProgramChange change;
    int single = list->selectionMode() == QAbstractItemView::SingleSelection;
    if (row == -1) {
        if (single)
            list->clearSelection();
        list->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    list->setCurrentRow(row, single ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate);
    list->scrollToItem(list->item(row));
}

int list_current(Panel panel, int id)
{
    QListWidget* list = find_widget<QListWidget>(panel, id, CONTROL_LIST_BOX);
    if (!list)
        return -1;
    if (list->selectionMode() == QAbstractItemView::SingleSelection) {
        QList<QListWidgetItem*> selected = list->selectedItems();
        return selected.isEmpty() ? -1 : list->row(selected.front());
    }
    return list->currentRow();
}

void combo_add(Panel panel, int id, const char* text)
{
    QComboBox* combo = find_widget<QComboBox>(panel, id, CONTROL_COMBO_BOX);
    if (!combo)
        return;
    ProgramChange change;
    int current = combo->currentIndex();
    combo->addItem(QString::fromUtf8(text ? text : ""));
    if (current == -1)
        combo->setCurrentIndex(-1);  // adding a row picks none
}

void combo_set_current(Panel panel, int id, int row)
{
    QComboBox* combo = find_widget<QComboBox>(panel, id, CONTROL_COMBO_BOX);
    if (!combo)
        return;
    ProgramChange change;
    combo->setCurrentIndex(row >= 0 && row < combo->count() ? row : -1);
}

int combo_current(Panel panel, int id)
{
    QComboBox* combo = find_widget<QComboBox>(panel, id, CONTROL_COMBO_BOX);
    return combo ? combo->currentIndex() : -1;
}

void bar_set_range(Panel panel, int id, unsigned low, unsigned high)
{
    BarWidget* bar = find_widget<BarWidget>(panel, id, CONTROL_PROGRESS_BAR);
    if (!bar)
        return;
    bar->low = low & 0xFFFF;
    bar->high = high & 0xFFFF;
    bar->update();
}

unsigned bar_picked(Panel panel, int id)
{
    BarWidget* bar = find_widget<BarWidget>(panel, id, CONTROL_PROGRESS_BAR);
    return bar ? bar->picked : 0;
}

void bar_set_ticks(Panel panel, int id, const unsigned* values, int count)
{
    BarWidget* bar = find_widget<BarWidget>(panel, id, CONTROL_PROGRESS_BAR);
    if (!bar)
        return;
    bar->ticks.assign(values, values + (count > 0 ? count : 0));
    bar->update();
}

void chart_show(Panel panel, int id, const ChartSeries* series, int marker, const char* title)
{
    if (QWidget* chart = find_widget<QWidget>(panel, id, CONTROL_CHART))
        chart_widget_show(chart, series, marker, title);
}

void chart_mark(Panel panel, int id, int marker)
{
    if (QWidget* chart = find_widget<QWidget>(panel, id, CONTROL_CHART))
        chart_widget_mark(chart, marker);
}

int chart_picked(Panel panel, int id)
{
    return find_widget<QWidget>(panel, id, CONTROL_CHART) ? chart_picked_month : -1;
}

void bar_set_pos(Panel panel, int id, unsigned pos)
{
    BarWidget* bar = find_widget<BarWidget>(panel, id, CONTROL_PROGRESS_BAR);
    if (!bar)
        return;
    bar->pos = pos & 0xFFFF;
    bar->update();
}

void radio_check(Panel panel, int first_id, int last_id, int id)
{
    PanelRecord* record = find_panel(panel);
    if (!record || !record->radio_group)
        return;
    ProgramChange change;
    int low = qMin(first_id, last_id), high = qMax(first_id, last_id);
    // an exclusive group refuses to uncheck its checked button
    record->radio_group->setExclusive(false);
    for (const PanelControl& control : record->controls)
        if (control.control_class == CONTROL_RADIO_BUTTON && control.id >= low && control.id <= high)
            static_cast<QPushButton*>(control.widget.data())->setChecked(control.id == id);
    record->radio_group->setExclusive(true);
}

int text_get(Panel panel, int id, char* buffer, int size)
{
    PanelControl* control = find_control(panel, id);
    if (!control || control->control_class != CONTROL_TEXT_BOX || !buffer || size <= 0)
        return 0;
    int count = (int)qMin<size_t>(control->text.size(), (size_t)size - 1);
    std::memcpy(buffer, control->text.data(), (size_t)count);
    buffer[count] = '\0';
    return count;
}

void text_set(Panel panel, int id, const char* text)
{
    PanelControl* control = find_control(panel, id);
    if (!control || control->control_class != CONTROL_TEXT_BOX)
        return;
    ProgramChange change;
    control->text = text ? text : "";
    // the program's line ends are CR LF; the widget breaks lines at LF
    QString shown = QString::fromUtf8(control->text.c_str());
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.remove(QLatin1Char('\r'));
    static_cast<QPlainTextEdit*>(control->widget.data())->setPlainText(shown);
}

int text_line_count(Panel panel, int id)
{
    QPlainTextEdit* edit = find_widget<QPlainTextEdit>(panel, id, CONTROL_TEXT_BOX);
    if (!edit)
        return 0;
    QTextDocument* document = edit->document();
    int lines = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        document->documentLayout()->blockBoundingRect(block);  // lays the block out if it is not
        QTextLayout* layout = block.layout();
        int count = layout ? layout->lineCount() : 0;
        lines += count > 0 ? count : 1;
    }
    return lines;
}

void text_scroll_to_end(Panel panel, int id)
{
    QPlainTextEdit* edit = find_widget<QPlainTextEdit>(panel, id, CONTROL_TEXT_BOX);
    if (!edit)
        return;
    ProgramChange change;
    edit->moveCursor(QTextCursor::End);
    edit->ensureCursorVisible();
    edit->verticalScrollBar()->setValue(edit->verticalScrollBar()->maximum());
}
