// platform.h: what the program asks of the windowing system, and the handlers through
// which the windowing system reaches the program.
//
// The program side (shell/, panels/, print/) calls the platform_* operations; a
// platform (platform/qt/ in the program, tests/test_platform.cpp in tests) implements
// them and calls the on_* handlers, the way a window procedure receives messages.
// Everything runs on the one GUI thread.
#pragma once

//// The main window and its OpenGL view

// Creates the main window with the given title and outer size in pixels, its client
// area an OpenGL view (double-buffered RGBA, depth buffer, compatibility context),
// shows it, calls on_startup once the context is current, and runs the event loop
// until platform_quit. Returns the quit code.
int platform_run(int argc, char** argv, const char* title, int outer_width, int outer_height);

// Shows the frame just drawn into the back buffer.
void platform_swap_buffers();

// Ends the view's use of its OpenGL context: no context is current afterwards, and the
// context is released; no handler that draws is called any more.
void platform_release_gl_context();

// Ends the event loop; platform_run returns code.
void platform_quit(int code);

//// Timers

// A repeating timer on the GUI thread; each tick calls on_timer(timer_id).
// Starting a running timer restarts it with the new period.
void platform_start_timer(int timer_id, int period_ms);
void platform_stop_timer(int timer_id);

//// Messages and input

// A modal message box with the text, the caption and one OK button, owned by no
// window. Returns when the user has closed it.
void platform_message_box(const char* text, const char* caption);

// Gives the view the keyboard focus and routes every mouse event to it until
// platform_release_mouse, also while the pointer is outside it.
void platform_focus_and_capture_mouse();
void platform_release_mouse();

//// Handlers the platform calls (implemented by the program)

// The window is shown and its OpenGL context is current: the rest of start-up.
void on_startup();
// The client area is now width x height pixels (0 when minimised).
void on_resize(int width, int height);
// The client area must be drawn again.
void on_paint();
// A tick of the timer timer_id.
void on_timer(int timer_id);
// The main window is being destroyed (close box): tear down and quit.
void on_destroy();
