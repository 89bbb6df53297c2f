// test_platform.h: the platform layer for tests. It runs no event loop: it records what
// the program asked of the windowing system, so tests can check it.
#pragma once

#include <string>
#include <vector>

struct RecordedMessage {
    std::string text, caption;
};

struct TestPlatform {
    std::vector<RecordedMessage> messages;  // message boxes shown, oldest first
    int frames_swapped = 0;
    int timer_period_ms[8] = {};            // per timer id; 0 = stopped
    int mouse_captured = 0, gl_context_released = 0, quit_code = -1;
};

extern TestPlatform test_platform;

// Back to the state of a fresh start.
void test_platform_reset();
