// qt_panels.h: how the Qt platform's window code hands the client area to the panels.
#pragma once

class QFont;
class QWidget;

// The panels' font: the legend box is written in it too.
QFont qt_panel_font();

// Puts the layer that holds the child panels over client (a child widget of the main
// window) and follows its size. begin_handler makes the view's context current before a
// panel procedure runs and returns 1, or returns 0 when there is no context; null for
// none. Panels created before this, or after qt_panels_detach, are popups only.
void qt_panels_attach(QWidget* client, int (*begin_handler)());

// Destroys every panel and the layer, while the main window still exists; every
// handle is invalid afterwards.
void qt_panels_detach();

// The panels' font and its dialog base units in pixels: one horizontal dialog unit is
// base_x / 4 pixels, one vertical unit base_y / 8.
void qt_panel_base_units(int* base_x, int* base_y);

// The widget of a control, or null; for tests that look at what a control shows.
QWidget* qt_panel_control_widget(int panel, int id);
// The outer widget of a panel: its frame on the layer, or the popup dialog; or null.
QWidget* qt_panel_widget(int panel);

#include "platform/platform.h"

// For the test state: handles given out so far are 1 .. qt_panel_handles() (a destroyed
// one has no widget); qt_panel_control gives the id and class of a panel's control
// number index (0 .., template order), or returns 0 past the last one.
int qt_panel_handles();
int qt_panel_control(int panel, int index, int* id, ControlClass* control_class);
