// view.h: the frame as the program draws it and the timer that keeps it current. The
// frame itself is render/frame_gl.h; the camera render/view_state.h.
#pragma once

#include "render/view_state.h"

constexpr int FRAME_TIMER_ID = 1;
constexpr int FRAME_PERIOD_MS = 125;  // 8 frames a second

// Draws the frame from the view variables and shows it, the legend and the chart with it.
void draw_frame();
