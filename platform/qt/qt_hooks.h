// qt_hooks.h: observation points of the Qt platform for benchmarks, and what its other
// files need of the main window.
#pragma once

// Called each time Qt has put a frame of the view on the screen; null by default.
extern void (*platform_frame_presented_hook)();
// Called when a mouse move or key release reaches the view, before its handler; null by default.
extern void (*platform_input_received_hook)();

class QWidget;

// The main window, owner of the file dialogs; null outside platform_run.
QWidget* qt_main_window();

// After a nested event loop (a dialog) that may have drawn with another context: the
// view's context is current again, when it has one.
void qt_view_resume();
