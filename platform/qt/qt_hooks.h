// qt_hooks.h: observation points of the Qt platform for benchmarks, what its other files
// need of the main window, and its test hooks.
#pragma once

// Called each time Qt has put a frame of the view on the screen; null by default.
extern void (*platform_frame_presented_hook)();
// Called when a mouse move or key release reaches the view, before its handler; null by default.
extern void (*platform_input_received_hook)();

class QWidget;

// The main window, owner of the file dialogs, and its view; null outside platform_run.
QWidget* qt_main_window();
QWidget* qt_view();

// After a nested event loop (a dialog) that may have drawn with another context: the
// view's context is current again, when it has one.
void qt_view_resume();

// Forgets the settings read and the changes not saved; at the end of platform_run.
void qt_settings_close();

// The test hooks (qt_test_state.cpp). The message box now on screen, for the test state;
// a null caption: none.
void qt_test_state_message(const char* caption, const char* text);
// The view's tooltip now on screen, for the test state; null: none.
void qt_test_state_tooltip(const char* text);
// With ZAVRO_TEST_STATE set, replaces that file with what is on screen: the view's size
// in device pixels and how many sizes it has been given (view_sizes -1: no view), the
// message box and the panels.
void qt_write_test_state(int view_width, int view_height, int view_sizes);
// With ZAVRO_PRINT_TO_PDF set, the PDF file a print goes to without a dialog; else null.
const char* qt_test_print_file();
