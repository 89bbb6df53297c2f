// capture_gl.h: reading the frame just drawn back into memory.
#pragma once

#include "render/image.h"

// Reads the frame last drawn (the read buffer start-up chose) into image, whose sides and
// 3 bytes a pixel it was allocated with: rows bottom first, each exactly width x 3 bytes.
// Returns 1, or 0 (nothing read) for an image without pixels.
int read_frame(RgbImage* image);
