// input.cpp: the view's mouse, wheel and key-release handlers and the frame-timer tick.
// Every handler but a plain move draws a frame at its end; the panels never draw, their
// changes reach the screen at the next tick, which draws only when the scene changed.
#include <cstdint>

#include "panels/panels.h"
#include "panels/info_panel.h"
#include "panels/query_panel.h"
#include "panels/timeline.h"
#include "platform/platform.h"
#include "render/frame_gl.h"
#include "render/pick.h"
#include "render/view_state.h"
#include "shell/menu.h"
#include "shell/view.h"
#include "shell/view_menu.h"
#include "store/crime_data.h"

constexpr float DRAG_ZOOM_PER_PIXEL = 0.25f;  // scene units of distance per pixel of Shift + right drag
constexpr float WHEEL_ZOOM_IN = 0.95f;        // distance factor per wheel message away from the user
constexpr float WHEEL_ZOOM_OUT = 1.05f;
constexpr float ARROW_TURN = 2.5f;            // degrees per tick of a held GIS arrow
constexpr float ARROW_ZOOM_IN = 0.975f;       // distance factor per tick
constexpr float ARROW_ZOOM_OUT = 1.05f;

static float clamp(float value, float limit)
{
    return value < -limit ? -limit : value > limit ? limit : value;
}

static void keep_distance()
{
    if (view_distance < MIN_VIEW_DISTANCE)
        view_distance = MIN_VIEW_DISTANCE;
}

void on_left_press(unsigned key_flags, int16_t x, int16_t y)
{
    platform_focus_and_capture_mouse();
    last_mouse_x = x;
    last_mouse_y = y;
    if (!(key_flags & MK_CONTROL))
        return;
    BeatIndex beat;
    beat_report(pick_beat(x, y, &beat) ? beat : NO_BEAT);
    query_panel_refresh(query_panel);
    draw_frame();
}

void on_right_press(unsigned key_flags, int16_t x, int16_t y)
{
    platform_focus_and_capture_mouse();
    last_mouse_x = x;
    last_mouse_y = y;
    BeatIndex beat;
    if ((key_flags & MK_CONTROL) && pick_beat(x, y, &beat))
        center_view_on(beats[beat].lon, beats[beat].lat);
    draw_frame();
}

static void release(int16_t x, int16_t y)
{
    platform_release_mouse();
    last_mouse_x = x;
    last_mouse_y = y;
    draw_frame();
}

void on_left_release(int16_t x, int16_t y)
{
    release(x, y);
}

void on_right_release(int16_t x, int16_t y)
{
    release(x, y);
}

void on_mouse_move(unsigned key_flags, int16_t x, int16_t y)
{
    if (!(key_flags & (MK_LBUTTON | MK_RBUTTON))) {
        hover_at(x, y);  // the next drag measures from the last press or release
        return;
    }
    const int16_t dx = (int16_t)(x - last_mouse_x);
    const int16_t dy = (int16_t)(y - last_mouse_y);
    last_mouse_x = x;
    last_mouse_y = y;
    if (key_flags & MK_RBUTTON) {
        if (key_flags & MK_SHIFT) {
            view_distance += (float)dy * DRAG_ZOOM_PER_PIXEL;
            keep_distance();
        } else {
            // one degree a pixel: up raises the tilt, right lowers the heading
            view_tilt = clamp(view_tilt - (float)dy, MAX_VIEW_TILT);
            view_heading = clamp(view_heading - (float)dx, MAX_VIEW_HEADING);
        }
        draw_frame();
    } else if (!(key_flags & (MK_SHIFT | MK_CONTROL))) {
        // one step a move message, whatever dx is; a vertical move still rebuilds
        step_current_date(dx, step_unit);
        draw_frame();
    }
}

void on_wheel(int16_t delta)
{
    view_distance *= delta < 0 ? WHEEL_ZOOM_OUT : WHEEL_ZOOM_IN;
    keep_distance();
    draw_frame();
}

void on_key_release(int virtual_key)
{
    switch (virtual_key) {
    case VK_LEFT: step_current_date(-1, step_unit); break;
    case VK_RIGHT: step_current_date(1, step_unit); break;
    case VK_SPACE: set_play_mode(play_mode == PLAY_PAUSED ? PLAY_FORWARD : PLAY_PAUSED); break;
    case VK_HOME: go_to_data_start(); break;
    case VK_END: go_to_data_end(); break;
    }
    draw_frame();
}

// A held GIS arrow moves the camera a step.
static void apply_auto_move()
{
    switch (auto_move) {
    case AUTO_MOVE_TILT_MINUS:
        view_tilt = clamp(view_tilt - ARROW_TURN, MAX_VIEW_TILT);
        break;
    case AUTO_MOVE_TILT_PLUS:
        view_tilt = clamp(view_tilt + ARROW_TURN, MAX_VIEW_TILT);
        break;
    case AUTO_MOVE_HEADING_MINUS:
        view_heading = clamp(view_heading - ARROW_TURN, MAX_VIEW_HEADING);
        break;
    case AUTO_MOVE_HEADING_PLUS:
        view_heading = clamp(view_heading + ARROW_TURN, MAX_VIEW_HEADING);
        break;
    case AUTO_MOVE_ZOOM_IN:
        view_distance *= ARROW_ZOOM_IN;
        keep_distance();
        break;
    case AUTO_MOVE_ZOOM_OUT:
        view_distance *= ARROW_ZOOM_OUT;  // no upper limit
        break;
    }
}

void on_timer(int timer_id)
{
    if (timer_id != FRAME_TIMER_ID)
        return;
    if (play_mode == PLAY_BACKWARD)
        step_current_date(-1, step_unit);
    else if (play_mode == PLAY_FORWARD)
        step_current_date(1, step_unit);
    apply_auto_move();
    // the frame on the screen stays until something it shows changes: an idle view costs
    // nothing, and any change shows at the latest one tick after it was made
    if (scene_changed_since_drawn())
        draw_frame();
}
