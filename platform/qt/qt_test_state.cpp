// qt_test_state.cpp: the Qt platform's test hooks, read from the environment once.
//
// ZAVRO_TEST_STATE=path: every timer tick and every message box replaces that file with
// what is on screen: the view's client size and how many sizes it has been given, the
// message box, and what the panels show, so that a test driving the program with the
// mouse and keys can read what a screenshot cannot.
// ZAVRO_PRINT_TO_PDF=path: a print skips the dialog and goes to that PDF file.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <QComboBox>
#include <QLabel>
#include <QListWidget>

#include "platform/platform.h"
#include "platform/qt/qt_hooks.h"
#include "platform/qt/qt_panels.h"

namespace {

std::string shown_message;  // "CAPTION: TEXT" of the message box on screen, or empty
std::string shown_tooltip;  // the view's tooltip, or empty

// A text box's text as the program set it, line ends and all.
std::string text_box_text(int panel, int id)
{
    std::string text(4096, '\0');
    int count;
    while ((count = text_get(panel, id, &text[0], (int)text.size())) == (int)text.size() - 1)
        text.resize(text.size() * 2);
    text.resize((size_t)count);
    return text;
}

// One line per panel ("panel HANDLE visible|hidden"), one per child panel's place
// ("place HANDLE X Y", client pixels) and per control that shows text
// ("  ID TEXT", line ends as \r and \n; a list's rows end in ';', selected ones in [ ]).
void write_panels(FILE* out)
{
    for (int panel = 1; panel <= qt_panel_handles(); panel++) {
        if (!qt_panel_widget(panel))
            continue;
        fprintf(out, "panel %d %s\n", panel, panel_is_visible(panel) ? "visible" : "hidden");
        int x, y;
        if (panel_place(panel, &x, &y))
            fprintf(out, "place %d %d %d\n", panel, x, y);
        int id;
        ControlClass control_class;
        for (int index = 0; qt_panel_control(panel, index, &id, &control_class); index++) {
            QWidget* widget = qt_panel_control_widget(panel, id);
            if (!widget)
                continue;
            QString text;
            switch (control_class) {
            case CONTROL_STATIC_TEXT: text = static_cast<QLabel*>(widget)->text(); break;
            case CONTROL_COMBO_BOX: text = static_cast<QComboBox*>(widget)->currentText(); break;
            case CONTROL_TEXT_BOX: text = QString::fromStdString(text_box_text(panel, id)); break;
            case CONTROL_LIST_BOX: {
                const QListWidget* list = static_cast<QListWidget*>(widget);
                for (int row = 0; row < list->count(); row++)
                    text += (list->item(row)->isSelected() ? "[" : "") + list->item(row)->text() +
                            (list->item(row)->isSelected() ? "]" : "") + ";";
                break;
            }
            default: continue;
            }
            text.replace("\r", "\\r").replace("\n", "\\n");
            fprintf(out, "  %d %s\n", id, text.toUtf8().constData());
        }
    }
}

}  // namespace

void qt_test_state_tooltip(const char* text)
{
    shown_tooltip = text ? text : "";
}

void qt_test_state_message(const char* caption, const char* text)
{
    shown_message = caption ? std::string(caption) + ": " + text : std::string();
}

void qt_write_test_state(int view_width, int view_height, int view_sizes)
{
    static const char* path = getenv("ZAVRO_TEST_STATE");
    if (!path || !*path)
        return;
    const std::string temporary = std::string(path) + ".new";
    FILE* out = fopen(temporary.c_str(), "w");
    if (!out)
        return;
    if (view_sizes >= 0)
        fprintf(out, "view %d %d\nview_sizes %d\n", view_width, view_height, view_sizes);
    if (!shown_message.empty())
        fprintf(out, "message %s\n", shown_message.c_str());
    if (!shown_tooltip.empty())
        fprintf(out, "tooltip %s\n", QString::fromStdString(shown_tooltip).replace("\n", "\\n").toUtf8().constData());
    write_panels(out);
    if (fclose(out) == 0)
        rename(temporary.c_str(), path);
}

const char* qt_test_print_file()
{
    static const char* path = getenv("ZAVRO_PRINT_TO_PDF");
    return path && *path ? path : nullptr;
}
