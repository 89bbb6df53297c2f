// offscreen_gl.h: frames drawn into a framebuffer of their own, so that what the window
// shows stays as it was while they are drawn and read (an export of many frames).
// Needs the main window's OpenGL context current.
#pragma once

#include "render/image.h"

// Makes a width x height colour and depth buffer, the same formats as the view's (8 bits
// a channel, 24 depth bits). Returns 1, or 0 when the driver refused it (nothing kept).
int offscreen_open(int width, int height);

// Draws the frame from the view variables into the offscreen buffer, at its size with
// the projection of that size, as render_scene draws the view, and reads it into image
// (its size, 3 bytes a pixel, rows bottom first). The framebuffer, viewport and
// projection in use before are set back. Returns 1, or 0 for an image of another size.
int offscreen_draw(RgbImage* image);

// Deletes the buffers; a second call is harmless.
void offscreen_close();
