// view.h: the drawing of a frame from the camera (render/view_state.h) and the viewport.
#pragma once

#include "render/view_state.h"

constexpr float FRUSTUM_NEAR = 4.0f;  // scene units; half-height 1 at this plane
constexpr float FRUSTUM_FAR = 256000.0f;

// Draws the whole frame into the back buffer from the view variables.
void render_scene();
// Shows the frame just drawn.
void swap_frame();

// 1 when a frame drawn now would differ from the last one drawn (the lists, a texture,
// the camera or the client size changed since), or none was drawn yet.
int scene_changed_since_drawn();
