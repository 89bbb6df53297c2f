// export_animation.cpp: the export command; see export_animation.h.
#include "shell/export_animation.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "panels/file_dialogs.h"
#include "panels/timeline.h"
#include "render/anim_export.h"
#include "render/columns.h"
#include "render/image.h"
#include "render/offscreen_gl.h"
#include "render/readout.h"
#include "shell/menu.h"
#include "shell/view.h"
#include "store/dates.h"

int exporting_animation = 0;

constexpr PackedDate DEFAULT_TO_DATE = 0xAD84;  // 1 November 2011, as "Data End"

int animation_frame_count(const AnimRequest* request)
{
    PackedDate date = request->from_date;
    int count = 0;
    while (date <= request->to_date && count < ANIM_MAX_FRAMES) {
        count++;
        if (!date_step_forward(&date, request->step))
            break;
    }
    return count;
}

// "Can't write animation to PATH: REASON", with "PATH: REASON" as its details.
static void write_failed(const char* path, const char* reason)
{
    char text[FILE_PATH_SIZE + ANIM_REASON_SIZE + 64], details[FILE_PATH_SIZE + ANIM_REASON_SIZE + 8];
    snprintf(text, sizeof text, "Can't write animation to %s: %s", path, reason);
    snprintf(details, sizeof details, "%s: %s", path, reason);
    fprintf(stderr, "%s\n", text);
    platform_message_box_details(text, "Error", details);
}

// A GIF's palette keeps the sides' colours, each face's shade of them, and black (the bands).
static void reserve_side_colours(AnimWriter* writer)
{
    const uint8_t black[3] = {0, 0, 0};
    anim_reserve_colour(writer, black);
    for (int band = SIDE_ABOVE; band <= SIDE_BELOW; band++)
        for (int face = 0; face < COLUMN_FACES; face++) {
            uint8_t rgb[3];
            for (int k = 0; k < 3; k++) {
                const float value = side_colour(band)[k] - COLUMN_FACE_SHADE[face];
                rgb[k] = (uint8_t)(value <= 0.0f ? 0 : value >= 1.0f ? 255 : (int)(value * 255.0f + 0.5f));
            }
            anim_reserve_colour(writer, rgb);
        }
}

// The frames of request into writer, caption strip rows at the bottom of frame; 1 when all
// were written, 0 after a failure (reason in writer) or a cancel (*cancelled set).
static int write_frames(const AnimRequest* request, AnimWriter* writer, RgbImage* frame, int strip, int total,
                        int* cancelled)
{
    RgbImage view = {frame->width, frame->height - strip, 3, frame->pixels + (size_t)strip * frame->width * 3};
    PackedDate date = request->from_date;
    for (int k = 0; k < total; k++) {
        current_date = date;  // not through the Timeline panel, which keeps the user's date
        make_columns();
        offscreen_draw(&view);
        if (strip) {
            Legend legend;
            make_legend(&legend);
            platform_draw_caption(&legend, frame->pixels, frame->width, strip);
        }
        if (!anim_add_frame(writer, frame))
            return 0;
        if (!platform_progress_step(k + 1)) {
            *cancelled = 1;
            return 0;
        }
        date_step_forward(&date, request->step);
    }
    return 1;
}

// The frames made and written; returns 1 when the file or folder is complete.
static int run_export(const AnimRequest* request, const char* path)
{
    const int width = client_width, height = client_height;
    const int strip = request->caption ? platform_caption_height(width) : 0;
    RgbImage frame = {};
    if (width > 0 && height > 0)
        alloc_image(width, height + strip, 3, &frame);
    if (!frame.pixels) {
        platform_message_box("The view could not be captured: it has no area or there is no memory for it.", "Error");
        return 0;
    }
    if (!offscreen_open(width, height)) {
        free_image(&frame);
        write_failed(path, "the view could not be drawn off screen");
        return 0;
    }
    AnimWriter writer;
    int ok = anim_open(&writer, (AnimFormat)request->format, path, width, height + strip, request->fps);
    int cancelled = 0;
    if (ok) {
        reserve_side_colours(&writer);
        const int total = animation_frame_count(request);
        platform_progress_begin("Export Animation", total);
        ok = write_frames(request, &writer, &frame, strip, total, &cancelled);
        platform_progress_end();
        if (ok)
            ok = anim_finish(&writer);
        else
            anim_discard(&writer);
    }
    if (!ok && !cancelled)
        write_failed(path, writer.reason);
    offscreen_close();
    free_image(&frame);
    return ok;
}

void export_animation()
{
    AnimRequest request = {};
    request.from_date = current_date;
    request.to_date = current_date > DEFAULT_TO_DATE ? current_date : DEFAULT_TO_DATE;
    request.step = step_unit;
    request.fps = 4;
    request.format = ANIM_MP4;
    request.caption = 1;
    if (!platform_ask_animation(&request, timeline_start, timeline_end))
        return;
    if (request.from_date > request.to_date || request.step > STEP_YEAR || request.fps < ANIM_MIN_FPS ||
        request.fps > ANIM_MAX_FPS || request.format < 0 || request.format >= ANIM_FORMAT_COUNT)
        return;  // the dialog allows none of these
    char path[FILE_PATH_SIZE];
    if (!save_file_dialog(path, ANIM_EXTENSIONS[request.format]))
        return;
    const PackedDate user_date = current_date;
    platform_stop_timer(FRAME_TIMER_ID);
    exporting_animation = 1;
    const int ok = run_export(&request, path);
    exporting_animation = 0;
    set_current_date(user_date);  // the columns and the panel as they were
    platform_start_timer(FRAME_TIMER_ID, FRAME_PERIOD_MS);
    if (ok)
        platform_message_box("Save complete", "Info");
}
