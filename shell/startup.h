// startup.h: the program's start and end around the main window's life.
#pragma once

constexpr const char* MAIN_WINDOW_TITLE = "ZAVROView 1.0b";
constexpr int MAIN_WINDOW_WIDTH = 1024;   // outer size in pixels
constexpr int MAIN_WINDOW_HEIGHT = 768;
constexpr int FRAME_TIMER_ID = 1;
constexpr int FRAME_PERIOD_MS = 125;      // 8 frames a second

// The OpenGL state every frame relies on, then the view's textures and lists.
void init_gl_state();
