// export_animation.h: "Export Animation..": the view played from one date to another,
// frame by frame, into a video, an animated GIF or a folder of PNG frames.
#pragma once

#include "platform/platform.h"

// While an export runs the window keeps showing the frame it showed before: a paint then
// draws nothing (shell/view.cpp), and the frames go to an offscreen buffer.
extern int exporting_animation;

// The most frames one export makes (every day of 1990 to 2021 is fewer).
constexpr int ANIM_MAX_FRAMES = 12000;

// The frames' dates: from, then steps forward by step while the date is at most to and
// the year has not wrapped. Returns their count (at most ANIM_MAX_FRAMES).
int animation_frame_count(const AnimRequest* request);

// The whole command: the dialog, the file dialog, the frames with their progress, and
// the messages. The date, the camera, the query and the selection are as before.
void export_animation();
