// test_platform.cpp: the recording platform layer for tests.
#include "tests/test_platform.h"

#include "platform/platform.h"

TestPlatform test_platform;

void test_platform_reset() { test_platform = TestPlatform(); }

int platform_run(int, char**, const char*, int, int) { return 0; }  // tests call the handlers
void platform_swap_buffers() { test_platform.frames_swapped++; }
void platform_release_gl_context() { test_platform.gl_context_released = 1; }
void platform_quit(int code) { test_platform.quit_code = code; }
void platform_focus_and_capture_mouse() { test_platform.mouse_captured = 1; }
void platform_release_mouse() { test_platform.mouse_captured = 0; }

void platform_start_timer(int timer_id, int period_ms)
{
    if (timer_id >= 0 && timer_id < 8)
        test_platform.timer_period_ms[timer_id] = period_ms;
}

void platform_stop_timer(int timer_id) { platform_start_timer(timer_id, 0); }

void platform_message_box(const char* text, const char* caption)
{
    test_platform.messages.push_back({text, caption});
}
