// gl_context.h: a headless OpenGL context for tests: EGL on Mesa's surfaceless
// platform, a compatibility profile, drawing into a framebuffer object with an RGBA
// colour buffer and a 24-bit depth buffer. Needs no X server.
#pragma once

#include <vector>

// Creates the context (once per process) and a new FBO of width x height, bound and
// current. Returns 1, or 0 with a reason on stderr.
int gl_context_open(int width, int height);

// Reads the colour buffer as RGB bytes, bottom row first.
std::vector<unsigned char> gl_context_read_rgb(int x, int y, int width, int height);

// Deletes the FBO; the context stays for the next test.
void gl_context_close();
