// test_platform.h: the platform layer for tests. It runs no event loop: it records what
// the program asked of the windowing system, so tests can check it.
#pragma once

#include <string>
#include <vector>

struct RecordedMessage {
    std::string text;
    std::string caption;
};

struct TestPlatform {
    std::vector<RecordedMessage> messages;  // message boxes shown, oldest first
    int frames_swapped = 0;                 // platform_swap_buffers calls
    int timer_period_ms[8] = {};            // per timer id; 0 = stopped
    int mouse_captured = 0;
    int has_focus = 0;
    int gl_context_released = 0;
    int quit_requested = 0;
    int quit_code = -1;
};

extern TestPlatform test_platform;

// Back to the state of a fresh start.
void test_platform_reset();
