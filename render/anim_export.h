// anim_export.h: writing a sequence of frames as a video (MP4 with H.264, WebM with VP9),
// an animated GIF, or numbered PNG files in a folder. No windowing, no OpenGL.
//
// Every write either completes or leaves nothing: a file goes to a temporary file beside
// the target (store/safe_file.h) that replaces it only once every frame is written; PNG
// frames go to a temporary folder beside the target folder, which takes the target's
// place in one step (an existing folder is swapped out and deleted only when it holds
// nothing but frames of an earlier export). A cancel or a failure removes the temporary
// file or folder, and the old target stays as it was.
#pragma once

#include <cstdint>

#include "render/image.h"
#include "store/safe_file.h"

enum AnimFormat { ANIM_MP4 = 0, ANIM_WEBM = 1, ANIM_GIF = 2, ANIM_PNG = 3 };
constexpr int ANIM_FORMAT_COUNT = 4;

// The extension the save dialog gives each format's name; "" for the PNG folder.
extern const char* const ANIM_EXTENSIONS[ANIM_FORMAT_COUNT];

constexpr int ANIM_MIN_FPS = 1;
constexpr int ANIM_MAX_FPS = 60;
constexpr int ANIM_REASON_SIZE = 160;

// H.264 in 4:2:0 needs even sides: an MP4 frame is the picture with its last row and
// column repeated where a side is odd. The other formats keep the picture's size.
void anim_encoded_size(AnimFormat format, int width, int height, int* out_width, int* out_height);

struct AnimEncoder;  // one format's state, inside anim_export.cpp

struct AnimWriter {
    AnimFormat format;
    int width, height, fps;
    int frames;                   // written so far
    char reason[ANIM_REASON_SIZE];  // why the last call failed ("" when none did)
    AnimEncoder* encoder;
};

// Starts a write of width x height frames at fps frames a second to path. Returns 1, or
// 0 with reason set and nothing left on disk.
int anim_open(AnimWriter* writer, AnimFormat format, const char* path, int width, int height, int fps);

// Appends a frame of the writer's size, 3 bytes a pixel, row 0 at the bottom. A GIF
// takes its one palette from its first frame and the colours reserved before it; later
// frames map each pixel to the nearest palette colour (no dithering, so a picture maps
// the same way in every frame). Returns 1, or 0 with reason set (the writer must then be
// discarded).
int anim_add_frame(AnimWriter* writer, const RgbImage* frame);

// A GIF's palette keeps this colour (red, green, blue), whatever the first frame holds;
// up to ANIM_MAX_RESERVED before the first frame, ignored by the other formats.
constexpr int ANIM_MAX_RESERVED = 32;
void anim_reserve_colour(AnimWriter* writer, const uint8_t rgb[3]);

// Ends the stream and puts the result in place of the target. Returns 1, or 0 with
// reason set, the temporary file or folder removed and the target untouched.
int anim_finish(AnimWriter* writer);

// Stops a write (a cancel, or after a failure): the temporary file or folder removed.
void anim_discard(AnimWriter* writer);
